// The overlays of the map's display modes: pictures of fixed overlay buildings in layer 1.
#include <cstdint>

#include "data/result_codes.h"
#include "game/town_map.h"

namespace vellmora {

namespace {

// Building ids of the overlay pictures.
constexpr std::int32_t kCustomerBands[] = {90004, 90003, 90002, 90001, 90000};  // 1-9 ... 40+
constexpr std::int32_t kCatchmentIds[Market::kFirmSlots] = {90002, 90100, 90204, 90304};
constexpr std::int32_t kPreferenceBase = 90000;
constexpr int kPreferenceSteps = 5;

std::int32_t customerOverlayId(int customers) {
    if (customers == 0) {
        return 0;
    }
    if (customers < 0) {
        return kCustomerBands[0];
    }
    const int band = customers / 10;
    return kCustomerBands[band < 4 ? band : 4];
}

}  // namespace

void TownMap::drawOverlay(int x, int y, std::int32_t id) {
    const BuildingDef* def = id != 0 ? buildings_.find(id) : nullptr;
    if (def == nullptr) {
        tiles_->layers.clear(x, y, MapLayers::kOverlayLayer);
        return;
    }
    tiles_->layers.set(x, y, MapLayers::kOverlayLayer, chipCodeOf(*def), def->attribute);
}

void TownMap::showCustomers() {
    for (int y = 0; y < height(); ++y) {
        for (int x = 0; x < width(); ++x) {
            drawOverlay(x, y, customerOverlayId(customers(x, y)));
        }
    }
    tiles_->layers.setNormalView(false);
}

void TownMap::showCatchment() {
    const Market& m = market();
    for (int y = 0; y < height(); ++y) {
        for (int x = 0; x < width(); ++x) {
            const int firm = m.dominantFirm(x, y);
            drawOverlay(x, y, firm >= 0 && firm < Market::kFirmSlots ? kCatchmentIds[firm] : 0);
        }
    }
    tiles_->layers.setNormalView(false);
}

int TownMap::showPreference(int firm) {
    if (firm < 0 || firm >= Market::kFirmSlots) {
        return kRefused;
    }
    const Market& m = market();
    for (int y = 0; y < height(); ++y) {
        for (int x = 0; x < width(); ++x) {
            // 0 clears; 1-12 is step 1 ... 49-60 step 5. Opening a shop can lift a preference
            // above 60 until the month's clamp, so the step is capped to stay on the firm's ids.
            int step = (m.preference(firm, x, y) + 11) / 12;
            if (step > kPreferenceSteps) {
                step = kPreferenceSteps;
            }
            drawOverlay(x, y,
                        step <= 0 ? 0 : kPreferenceBase + 100 * firm + (kPreferenceSteps - step));
        }
    }
    tiles_->layers.setNormalView(false);
    return kOk;
}

}  // namespace vellmora
