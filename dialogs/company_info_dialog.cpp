#include "dialogs/company_info_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "app/framework/money_text.h"
#include "data/text_encoding.h"
#include "dialogs/dialog_texts.h"
#include "game/controller_table.h"
#include "game/finance.h"
#include "game/firm.h"
#include "game/firm_controller.h"
#include "game/firm_policy.h"
#include "game/game.h"
#include "game/settlement.h"
#include "resources/string_table.h"

namespace vellmora {
namespace {

constexpr int kFirstTitleString = 158;  // 158-162 by difficulty
constexpr int kPresidentString = 164;
constexpr int kComputerTitle = 159;

}  // namespace

CompanyInfoDialog::CompanyInfoDialog(const Game& game, int firstTab, QWidget* parent)
    : CompanyTabsDialog(game, firstTab, parent) {
    setWindowTitle(QStringLiteral("会社情報"));
}

bool CompanyInfoDialog::onInitDialog() {
    using namespace company_ids;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeCompanyTabs(this, kCompanies));

    auto* grid = new QGridLayout;
    const QFontMetrics metrics = fontMetrics();
    grid->setHorizontalSpacing(metrics.averageCharWidth() * 3);
    grid->setVerticalSpacing(metrics.height());
    auto addBlock = [this, grid](int row, int column, const QString& caption, int id, bool left,
                                 int span = 1) {
        grid->addWidget(captionLabel(caption, this), row, column);
        QLabel* figure = figureLabel(this, left);
        setControlId(figure, id);
        grid->addWidget(figure, row, column + 1, 1, span);
        return figure;
    };
    QLabel* names = addBlock(0, 0, QStringLiteral("商号\n代表者名"), kNames, true, 4);
    names->setMinimumWidth(metrics.horizontalAdvance(QString(24, QChar(0x3042))));
    addBlock(1, 0, QStringLiteral("評価\n　価格評価\n　味評価\n　接客評価\n\n　総合評価"), kRatings,
             false);
    addBlock(1, 3, QStringLiteral("研究開発ﾎﾟｲﾝﾄ\n　現在Lv\n　産出値\n　蓄積/必要値"), kResearch,
             false)
        ->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("99999/99999")));
    addBlock(2, 0, QStringLiteral("店舗数"), kShops, false);
    addBlock(2, 3, QStringLiteral("財務状況\n　現預金\n　資本金\n\n　先月売上\n　先月損益"),
             kFigures, false)
        ->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("-999,999,999,999")));
    grid->setColumnMinimumWidth(2, metrics.averageCharWidth() * 4);
    layout->addLayout(grid);
    layout->addStretch(1);

    finishCompanyDialog(layout, kClose);
    return true;
}

void CompanyInfoDialog::fillCompany(int index) {
    using namespace company_ids;
    const Firm* firm = game_->firm(index);
    if (firm == nullptr) {
        for (int id : {kNames, kRatings, kResearch, kShops, kFigures}) {
            control<QLabel>(id)->clear();
        }
        return;
    }
    const FirmPolicy& policy = firm->policy();
    const int titleId = index == 0 ? kFirstTitleString + policy.difficulty() : kComputerTitle;
    const FirmController* controller =
        game_->controllers() != nullptr ? game_->controllers()->controller(index) : nullptr;
    const QByteArray title = loadString(titleId).toUtf8();
    const QByteArray president = controller != nullptr
                                     ? QByteArray::fromStdString(cp932ToUtf8(controller->name()))
                                     : QByteArray();
    control<QLabel>(kNames)->setText(
        fromCp932(firm->name()) + "\n" +
        formatString(kPresidentString, title.constData(), president.constData()));
    control<QLabel>(kRatings)->setText(QStringLiteral("\n%1\n%2\n%3\n\n%4")
                                           .arg(policy.rating(0))
                                           .arg(policy.rating(1))
                                           .arg(policy.rating(2))
                                           .arg(overallRating(policy)));
    control<QLabel>(kResearch)->setText(researchText(policy));
    control<QLabel>(kShops)->setText(QString::number(firm->shopCount()));
    const Settlement& settlement = firm->settlement();
    control<QLabel>(kFigures)->setText(
        "\n" + moneyText(firm->cash()) + "\n" + moneyText(firm->balance(account::kCapital)) +
        "\n\n" + moneyText(settlement.reportValue(account::kSales, 1)) + "\n" +
        moneyText(settlement.reportValue(account::kResult, 1)));
}

bool CompanyInfoDialog::onCommand(int id, int) {
    return closeOn128(id);
}

}  // namespace vellmora
