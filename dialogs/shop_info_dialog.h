// "店舗情報": one shop's ratings, customers, sales, costs and result of its last settled month.
#pragma once

#include "app/framework/dialog.h"

namespace vellmora {

class Game;

namespace shop_ids {
inline constexpr int kNumber = 1020;
inline constexpr int kTile = 1021;
inline constexpr int kRatings = 1022;
inline constexpr int kAmounts = 1023;
inline constexpr int kOkButton = 128;
}  // namespace shop_ids

class ShopInfoDialog : public Dialog {
public:
    ShopInfoDialog(const Game& game, int firmIndex, int shop, QWidget* parent = nullptr);

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;

private:
    const Game* game_;
    int firmIndex_;
    int shop_;
};

}  // namespace vellmora
