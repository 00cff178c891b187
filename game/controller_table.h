// The controllers of the four firm slots and the loaded computer-player parameter file.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "game/firm_controller.h"

namespace vellmora {

class ParamFile;
class TownMap;

class ControllerTable {
public:
    ControllerTable();
    ~ControllerTable();
    ControllerTable(const ControllerTable&) = delete;
    ControllerTable& operator=(const ControllerTable&) = delete;

    // Drops every controller, makes `slotCount` empty slots, loads the AI file (a file that
    // cannot be read leaves it empty) and takes the names of slots 1 to 3 from its "[name]".
    void init(int slotCount, TownMap* map, const std::string& aiPath);

    // Slot, or kRefused for a slot outside the table or already filled. A computer controller
    // takes the table's president name of the slot and gets a CompetitorAi loaded for it.
    [[nodiscard]] int createController(int slot, std::string_view name, bool isComputer);

    // Null for an empty slot or one out of range.
    FirmController* controller(int slot);
    const FirmController* controller(int slot) const;
    int slotCount() const { return static_cast<int>(slots_.size()); }

    // Empty for slot 0 and slots out of range.
    const std::string& companyName(int slot) const;
    const std::string& presidentName(int slot) const;

    // Lets every computer player decide for its firm, in slot order.
    void decideAll();

    const ParamFile& aiFile() const { return *aiFile_; }
    TownMap* map() const { return map_; }

private:
    std::vector<std::unique_ptr<FirmController>> slots_;
    std::vector<std::string> companyNames_;
    std::vector<std::string> presidentNames_;
    std::unique_ptr<ParamFile> aiFile_;
    TownMap* map_ = nullptr;
};

}  // namespace vellmora
