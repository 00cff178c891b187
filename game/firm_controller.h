// Who decides for a firm: the player (no AI) or a computer player.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace vellmora {

class CompetitorAi;
class Firm;

inline constexpr std::size_t kMaxPresidentNameBytes = 256;

class FirmController {
public:
    FirmController();
    ~FirmController();
    FirmController(const FirmController&) = delete;
    FirmController& operator=(const FirmController&) = delete;

    // Null for the player.
    CompetitorAi* ai() { return ai_.get(); }
    const CompetitorAi* ai() const { return ai_.get(); }
    void setAi(std::unique_ptr<CompetitorAi> ai);

    // The firm it decides for (not owned); set once after both are made.
    Firm* firm() const { return firm_; }
    void setFirm(Firm* firm) { firm_ = firm; }

    // President's name, cut to 256 bytes.
    const std::string& name() const { return name_; }
    void setName(std::string_view name);

private:
    std::unique_ptr<CompetitorAi> ai_;
    Firm* firm_ = nullptr;
    std::string name_;
};

}  // namespace vellmora
