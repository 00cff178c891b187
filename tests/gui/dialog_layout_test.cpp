// Every management and report dialog over a running game: all texts get the room they need at
// the default font and at one and a half times its size. With VELLMORA_SHOT_DIR set, each dialog
// is also saved there as a PNG (the program's real data is used when the build has made it).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QLabel>
#include <QTabBar>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

#include "data/text_encoding.h"
#include "dialogs/borrowing_dialog.h"
#include "dialogs/budget_dialog.h"
#include "dialogs/company_info_dialog.h"
#include "dialogs/management_system_dialog.h"
#include "dialogs/shop_info_dialog.h"
#include "dialogs/statements_dialog.h"
#include "game/finance.h"
#include "game/firm.h"
#include "game/game.h"
#include "game/management_system.h"
#include "game/shop_list.h"
#include "support/game_fixture.h"
#include "support/game_fixture_play.h"

namespace vellmora {
namespace {

// The first map of the program folder, or empty when the build has not written one.
std::string programMap(const std::string& folder) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder + "/map", error)) {
        if (entry.path().extension() == ".zmf") {
            return entry.path().string();
        }
    }
    return std::string();
}

// Builds a few shops where the player may, one small, medium and large each.
void buildSomeShops(Game& game) {
    int built = 0;
    for (int y = 2; y < game.mapHeight() && built < 3; y += 5) {
        for (int x = 2; x < game.mapWidth() && built < 3; x += 7) {
            if (game.canBuildShop(x, y, built)) {
                (void)game.buildShop(x, y, built);
                ++built;
            }
        }
    }
}

class DialogLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* programDir = std::getenv("VELLMORA_PROGRAM_DIR");
        const std::string map = programDir != nullptr ? programMap(programDir) : std::string();
        if (!map.empty()) {
            game = std::make_unique<Game>(std::string(programDir) + "/");
            NewGameSetup setup;
            setup.mapPath = map;
            setup.difficulty = 2;
            setup.playerName = utf8ToCp932("山田太郎");
            setup.companyName = utf8ToCp932("山田フードサービス");
            if (game->newGame(setup) != 0) {
                game.reset();
            }
        }
        if (game == nullptr) {
            game = test::startGame(fixture);
        }
        ASSERT_NE(game, nullptr);
        buildSomeShops(*game);
        (void)game->borrow();
        for (int month = 0; month < 14; ++month) {
            (void)game->endTurn();
            if (month == 6) {
                (void)game->borrow();
            }
        }
        ASSERT_GT(game->player()->shopCount(), 0);
    }

    // Shows the dialog, checks that nothing is cut and saves its picture when asked to.
    void check(Dialog& dialog, const QString& name) {
        ASSERT_TRUE(dialog.prepare());
        dialog.show();
        QApplication::processEvents();
        for (QWidget* widget : dialog.findChildren<QWidget*>()) {
            if (!widget->isVisible()) {
                continue;
            }
            if (auto* label = qobject_cast<QLabel*>(widget)) {
                const QSize hint = label->sizeHint();
                EXPECT_GE(label->width(), label->wordWrap() ? label->width() : hint.width())
                    << name.toStdString() << " label " << label->text().toStdString();
                const int needed =
                    label->wordWrap() ? label->heightForWidth(label->width()) : hint.height();
                EXPECT_GE(label->height(), needed)
                    << name.toStdString() << " label " << label->text().toStdString();
            } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                const int text = button->fontMetrics().horizontalAdvance(button->text());
                EXPECT_GE(button->width(), text + button->fontMetrics().averageCharWidth())
                    << name.toStdString() << " button " << button->text().toStdString();
            } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
                EXPECT_GE(tabs->width(), tabs->sizeHint().width()) << name.toStdString() << " tabs";
            }
        }
        const char* shotDir = std::getenv("VELLMORA_SHOT_DIR");
        if (shotDir != nullptr) {
            QDir().mkpath(shotDir);
            EXPECT_TRUE(dialog.grab().save(QDir(shotDir).filePath(name + suffix + ".png")));
        }
    }

    void checkAll() {
        Firm& player = *game->player();
        {
            BudgetDialog dialog(*game, 0);
            check(dialog, "budget");
        }
        {
            ManagementSystemDialog dialog(player.policy(), player.cash(),
                                          changeCost(player.finance(), player.shops()));
            check(dialog, "management_system");
        }
        {
            BorrowingDialog dialog(*game);
            check(dialog, "borrowing");
        }
        {
            StatementsDialog dialog(*game, 0);
            check(dialog, "statements");
            dialog.showPage(1);
            check(dialog, "statements_trend");
        }
        for (int tab : {0, 1}) {
            CompanyInfoDialog dialog(*game, tab);
            check(dialog, QString("company_info_%1").arg(tab));
        }
        {
            ShopInfoDialog dialog(*game, 0, player.shops().activeNumbers().front());
            check(dialog, "shop_info");
        }
    }

    test::GameFixture fixture;
    std::unique_ptr<Game> game;
    QString suffix;
};

TEST_F(DialogLayoutTest, EveryTextFitsAtTheDefaultFont) {
    checkAll();
}

TEST_F(DialogLayoutTest, EveryTextFitsAtOneAndAHalfTimesTheFont) {
    const QFont original = QApplication::font();
    QFont large = original;
    large.setPointSizeF(original.pointSizeF() * 1.5);
    QApplication::setFont(large);
    suffix = "_150";
    checkAll();
    QApplication::setFont(original);
}

}  // namespace
}  // namespace vellmora
