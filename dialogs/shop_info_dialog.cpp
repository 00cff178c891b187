#include "dialogs/shop_info_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>

#include "app/framework/money_text.h"
#include "dialogs/dialog_texts.h"
#include "game/firm.h"
#include "game/game.h"
#include "game/shop.h"
#include "game/shop_list.h"
#include "resources/string_table.h"

namespace vellmora {
namespace {

constexpr int kShopNumberString = 111;
constexpr int kNewest = -1;
constexpr std::array<ShopSeries, 6> kMoneySeries = {
    ShopSeries::Sales,    ShopSeries::Ingredients,   ShopSeries::Labour,
    ShopSeries::Training, ShopSeries::RentEquipment, ShopSeries::GeneralAdministration};

}  // namespace

ShopInfoDialog::ShopInfoDialog(const Game& game, int firmIndex, int shop, QWidget* parent)
    : Dialog(parent), game_(&game), firmIndex_(firmIndex), shop_(shop) {
    setWindowTitle(QStringLiteral("店舗情報"));
}

bool ShopInfoDialog::onInitDialog() {
    using namespace shop_ids;
    const Firm* firm = game_->firm(firmIndex_);
    const Shop* shop = firm != nullptr ? firm->shops().shop(shop_) : nullptr;
    if (shop == nullptr) {
        return endDialog(-1);
    }
    const QFontMetrics metrics = fontMetrics();
    auto* layout = new QVBoxLayout(this);

    auto* heading = new QHBoxLayout;
    auto* number = figureLabel(this, true);
    setControlId(number, kNumber);
    number->setText(formatString(kShopNumberString, shop->number() + 1));
    auto* tile = figureLabel(this, true);
    setControlId(tile, kTile);
    tile->setText(QString::asprintf("(%d,%d)", shop->x(), shop->y()));
    heading->addWidget(number);
    heading->addWidget(tile);
    heading->addStretch(1);
    layout->addLayout(heading);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(metrics.averageCharWidth() * 3);
    grid->addWidget(
        captionLabel(QStringLiteral("価格評価\n\n味評価\n\n接客評価\n\n総合評価\n\n\n来客数"),
                     this),
        0, 0);
    auto* ratings = figureLabel(this);
    setControlId(ratings, kRatings);
    ratings->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("9,999,999")));
    auto value = [shop](ShopSeries series) { return shop->history(series, kNewest); };
    ratings->setText(QString::asprintf("%lld\n\n%lld\n\n%lld\n\n%lld\n\n\n%lld",
                                       static_cast<long long>(value(ShopSeries::PriceRating)),
                                       static_cast<long long>(value(ShopSeries::TasteRating)),
                                       static_cast<long long>(value(ShopSeries::ServiceRating)),
                                       static_cast<long long>(value(ShopSeries::Score) / 10000),
                                       static_cast<long long>(value(ShopSeries::Customers))));
    grid->addWidget(ratings, 0, 1);
    grid->setColumnMinimumWidth(2, metrics.averageCharWidth() * 4);
    grid->addWidget(
        captionLabel(QStringLiteral("売上\n\n食材費\n\n労務費\n\n教育費\n\n家賃設備\n\n一"
                                    "般管理費\n\n損益"),
                     this),
        0, 3);
    auto* amounts = figureLabel(this);
    setControlId(amounts, kAmounts);
    amounts->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("-999,999,999,999")));
    QStringList lines;
    Money result = value(ShopSeries::Sales);
    for (ShopSeries series : kMoneySeries) {
        lines << moneyText(value(series));
        if (series != ShopSeries::Sales) {
            result -= value(series);
        }
    }
    lines << moneyText(result);
    amounts->setText(lines.join(QStringLiteral("\n\n")));
    grid->addWidget(amounts, 0, 4);
    layout->addLayout(grid);

    addButtonRow(layout, QStringLiteral("OK"), kOkButton);
    roomyButtons(this);
    return true;
}

bool ShopInfoDialog::onCommand(int id, int) {
    return closeOn128(id);
}

}  // namespace vellmora
