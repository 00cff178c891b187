#include "game/map_layers.h"

namespace vellmora {

MapLayers::MapLayers(int width, int height)
    : width_(width > 0 ? width : 0),
      height_(height > 0 ? height : 0),
      chips_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * kLayerCount,
             kNoChip),
      attributes_(chips_.size(), 0) {}

int MapLayers::chip(int x, int y, int layer) const {
    if (normalView_ ? layer == kOverlayLayer : layer == kReplacedLayer) {
        return kNoChip;
    }
    return storedChip(x, y, layer);
}

int MapLayers::storedChip(int x, int y, int layer) const {
    return contains(x, y, layer) ? chips_[index(x, y, layer)] : kNoChip;
}

int MapLayers::attribute(int x, int y, int layer) const {
    return contains(x, y, layer) ? attributes_[index(x, y, layer)] : 0;
}

void MapLayers::set(int x, int y, int layer, int chip, int attribute) {
    if (!contains(x, y, layer)) {
        return;
    }
    chips_[index(x, y, layer)] = chip;
    attributes_[index(x, y, layer)] = attribute;
}

}  // namespace vellmora
