// "予算設定": five sliders for the budget levels of price, ingredients, labour, training and
// research, with the month's projected figures, ratings, accident chances and research output
// at the sliders' levels. The levels are previewed in the policy while the dialog is open and put
// back before it closes; the caller applies them when the answer is 0 (OK).
#pragma once

#include <array>

#include "app/framework/dialog.h"
#include "dialogs/budget_projection.h"

class QLabel;
class QSlider;

namespace vellmora {

class Firm;
class Game;

namespace budget_ids {
inline constexpr std::array<int, kBudgetSliders> kSliders = {1044, 1046, 1048, 1050, 1052};
inline constexpr std::array<int, kBudgetSliders> kHelp = {1045, 1047, 1049, 1051, 1053};
inline constexpr std::array<int, kBudgetSliders> kItemAmounts = {1055, 1056, 1057, 1058, 1059};
inline constexpr int kInterestPaid = 1060;
inline constexpr int kBorrowing = 1054;
inline constexpr int kRent = 1061;
inline constexpr int kAdministration = 1062;
inline constexpr int kInterestReceived = 1063;
inline constexpr int kOrdinaryResult = 1064;
inline constexpr int kRatings = 1022;
inline constexpr int kChances = 1069;
inline constexpr int kResearch = 1070;
inline constexpr int kOkButton = 128;
inline constexpr int kCancel = 1019;
inline constexpr int kFirstHelpString = 123;
}  // namespace budget_ids

class BudgetDialog : public Dialog {
public:
    BudgetDialog(Game& game, int firmIndex, QWidget* parent = nullptr);
    ~BudgetDialog() override;

    // The level chosen for item 0 to 4 (the sliders' positions once the dialog has closed).
    int level(int item) const;

    // The figures now shown.
    const BudgetProjection& projection() const { return projection_; }

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    bool onClose() override;
    bool onHScroll(int id, int position) override;

private:
    void showItem(int item);
    void showFixedLines();
    void showResult();
    void showRatings();
    void showChances();
    void showResearch();
    void finish(int result);
    void endPreview();

    Game* game_;
    Firm* firm_;
    std::array<int, kBudgetSliders> initial_{};
    std::array<int, kBudgetSliders> working_{};
    bool previewing_ = false;
    BudgetProjection projection_;
    std::array<QSlider*, kBudgetSliders> sliders_{};
    std::array<QLabel*, kBudgetSliders> itemAmounts_{};
    QLabel* interestPaid_ = nullptr;
    QLabel* rent_ = nullptr;
    QLabel* administration_ = nullptr;
    QLabel* interestReceived_ = nullptr;
    QLabel* result_ = nullptr;
    QLabel* ratings_ = nullptr;
    QLabel* chances_ = nullptr;
    QLabel* research_ = nullptr;
};

}  // namespace vellmora
