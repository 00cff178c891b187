// "経営体制変更": the current system and any change under way, the effects of each system, the
// cost of a change and the cash. Answers the chosen system, or -1 when nothing is to change.
#pragma once

#include <array>

#include "app/framework/dialog.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace vellmora {

class FirmPolicy;

namespace system_ids {
inline constexpr int kCurrent = 1034;
inline constexpr int kTarget = 1036;
inline constexpr int kMonthsLeft = 1032;
// Radio buttons of systems 0 to 3, in system order.
inline constexpr std::array<int, 4> kRadios = {1026, 1027, 1029, 1028};
inline constexpr int kEffects = 1030;
inline constexpr int kOpeningPenalty = 1035;
inline constexpr int kDescription = 1031;
inline constexpr int kCostAndCash = 1037;
inline constexpr int kChange = 128;
inline constexpr int kCancel = 1019;
}  // namespace system_ids

class ManagementSystemDialog : public Dialog {
public:
    ManagementSystemDialog(const FirmPolicy& policy, long long cash, long long changeCost,
                           QWidget* parent = nullptr);

    // The system whose details are shown (0 to 3, or 4 while a change runs and none was picked).
    int selectedSystem() const { return selected_; }

    // The effects block of a system: three rating effects, an empty line, six cost effects.
    static QString effectsText(const FirmPolicy& policy, int system);

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    bool onClose() override;

private:
    void showSystem(int system);

    const FirmPolicy* policy_;
    long long cash_;
    long long changeCost_;
    int selected_;
    QLabel* current_ = nullptr;
    QLabel* target_ = nullptr;
    QLabel* monthsLeft_ = nullptr;
    QLabel* effects_ = nullptr;
    QLabel* penalty_ = nullptr;
    QLabel* description_ = nullptr;
    QPushButton* change_ = nullptr;
};

}  // namespace vellmora
