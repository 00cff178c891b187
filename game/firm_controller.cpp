#include "game/firm_controller.h"

#include "data/text_encoding.h"
#include "game/competitor_ai.h"

namespace vellmora {

FirmController::FirmController() = default;
FirmController::~FirmController() = default;

void FirmController::setAi(std::unique_ptr<CompetitorAi> ai) {
    ai_ = std::move(ai);
}

void FirmController::setName(std::string_view name) {
    name_ = cutCp932(name, kMaxPresidentNameBytes);
}

}  // namespace vellmora
