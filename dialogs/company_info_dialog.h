// "会社情報": each company's name and president, ratings, research, shops and key figures, one
// tab per company.
#pragma once

#include "dialogs/company_tabs_dialog.h"

namespace vellmora {

class Game;

namespace company_ids {
inline constexpr int kCompanies = 1075;
inline constexpr int kNames = 1073;
inline constexpr int kRatings = 1022;
inline constexpr int kResearch = 1070;
inline constexpr int kShops = 1071;
inline constexpr int kFigures = 1072;
inline constexpr int kClose = 128;
}  // namespace company_ids

class CompanyInfoDialog : public CompanyTabsDialog {
public:
    CompanyInfoDialog(const Game& game, int firstTab, QWidget* parent = nullptr);

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    void fillCompany(int index) override;
};

}  // namespace vellmora
