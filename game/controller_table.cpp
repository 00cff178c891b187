#include "game/controller_table.h"

#include "data/param_file.h"
#include "data/result_codes.h"
#include "game/ai_params.h"
#include "game/competitor_ai.h"

namespace vellmora {

namespace {
const std::string kNoName;
}

ControllerTable::ControllerTable() : aiFile_(std::make_unique<ParamFile>()) {}
ControllerTable::~ControllerTable() = default;

void ControllerTable::init(int slotCount, TownMap* map, const std::string& aiPath) {
    slots_.clear();
    if (slotCount < 0) {
        slotCount = 0;
    }
    slots_.resize(static_cast<std::size_t>(slotCount));
    map_ = map;
    aiFile_ = std::make_unique<ParamFile>();
    if (aiFile_->load(aiPath) != kOk) {
        aiFile_ = std::make_unique<ParamFile>();
    }
    companyNames_.assign(static_cast<std::size_t>(slotCount), std::string());
    presidentNames_.assign(static_cast<std::size_t>(slotCount), std::string());
    AiNames names;
    (void)readAiNames(*aiFile_, names);  // names that are missing stay empty
    for (int slot = 1; slot < slotCount && slot < static_cast<int>(names.company.size()); ++slot) {
        companyNames_[static_cast<std::size_t>(slot)] =
            names.company[static_cast<std::size_t>(slot)];
        presidentNames_[static_cast<std::size_t>(slot)] =
            names.president[static_cast<std::size_t>(slot)];
    }
}

int ControllerTable::createController(int slot, std::string_view name, bool isComputer) {
    if (slot < 0 || slot >= slotCount() || slots_[static_cast<std::size_t>(slot)] != nullptr) {
        return kRefused;
    }
    auto controller = std::make_unique<FirmController>();
    FirmController* raw = controller.get();
    slots_[static_cast<std::size_t>(slot)] = std::move(controller);
    if (!isComputer) {
        raw->setName(name);
        return slot;
    }
    raw->setName(presidentName(slot));
    auto ai = std::make_unique<CompetitorAi>();
    // A file with missing values still gives a working computer player (zeros where absent).
    (void)ai->load(*aiFile_, map_, raw, this);
    raw->setAi(std::move(ai));
    return slot;
}

FirmController* ControllerTable::controller(int slot) {
    if (slot < 0 || slot >= slotCount()) {
        return nullptr;
    }
    return slots_[static_cast<std::size_t>(slot)].get();
}

const FirmController* ControllerTable::controller(int slot) const {
    if (slot < 0 || slot >= slotCount()) {
        return nullptr;
    }
    return slots_[static_cast<std::size_t>(slot)].get();
}

const std::string& ControllerTable::companyName(int slot) const {
    if (slot < 0 || slot >= static_cast<int>(companyNames_.size())) {
        return kNoName;
    }
    return companyNames_[static_cast<std::size_t>(slot)];
}

const std::string& ControllerTable::presidentName(int slot) const {
    if (slot < 0 || slot >= static_cast<int>(presidentNames_.size())) {
        return kNoName;
    }
    return presidentNames_[static_cast<std::size_t>(slot)];
}

void ControllerTable::decideAll() {
    for (auto& controller : slots_) {
        if (controller != nullptr && controller->ai() != nullptr) {
            (void)controller->ai()->decide();  // -1 only for a withdrawn firm
        }
    }
}

}  // namespace vellmora
