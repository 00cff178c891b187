// Line charts of every company's month-end cash, monthly sales, monthly result and shop count
// over the game so far, one chart per figure, each company in its colour.
#pragma once

#include <QColor>
#include <QWidget>

namespace vellmora {

class Game;

// The colour a company is drawn in: slot 0 warm red, then blue, green, yellow.
QColor firmColour(int slot);

class FirmTrendView : public QWidget {
public:
    explicit FirmTrendView(const Game& game, QWidget* parent = nullptr);
};

}  // namespace vellmora
