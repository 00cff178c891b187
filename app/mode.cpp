#include "app/mode.h"

#include "app/command_ids.h"
#include "app/command_table.h"
#include "app/main_window.h"
#include "app/map_view.h"
#include "app/status_bar.h"
#include "resources/string_table.h"

namespace vellmora {

Mode::Mode(MainWindow& window, ModeSet& modes) : window_(window), modes_(modes) {}

Mode::~Mode() = default;

void Mode::prepare() {
    cashFormat_ = loadString(105);
}

Mode* Mode::newGameCommand(int, int) {
    window_.newGameCommand();
    return this;
}

Mode* Mode::managementCommand(int, int) {
    window_.managementCommand();
    return this;
}

Mode* Mode::budgetCommand(int, int) {
    window_.budgetCommand();
    return this;
}

Mode* Mode::borrowingCommand(int, int) {
    window_.borrowingCommand();
    return this;
}

void Mode::setShopSize(int, int) {}

Mode* Mode::onCommand(int id, int code) {
    return window_.dispatchCommand(*this, id, code);
}

Mode* Mode::onLButtonDown(bool, int, int, unsigned) {
    return this;
}

Mode* Mode::onLButtonUp(int, int, unsigned) {
    return this;
}

Mode* Mode::onRButtonUp(int, int, unsigned) {
    return this;
}

Mode* Mode::onMouseMove(int x, int y, unsigned) {
    showTilePosition(x, y);
    return this;
}

Mode* Mode::onTimer(int) {
    return this;
}

int Mode::tileX(int x) const {
    return window_.mapView().tileX(x);
}

int Mode::tileY(int y) const {
    return window_.mapView().tileY(y);
}

void Mode::showTilePosition(int x, int y) {
    window_.statusLine().setText(StatusBar::kTile,
                                 QStringLiteral("(%1,%2)").arg(tileX(x)).arg(tileY(y)));
}

void Mode::setToolLockedCommandsEnabled(bool enabled) {
    for (int id : {command::kNewGame, command::kManagementSystem, command::kBudget,
                   command::kBorrowing, command::kEndTurn}) {
        window_.commands().setEnabled(id, enabled);
    }
}

Mode* Mode::leaveToNormal() {
    window_.setToolCheck(0);
    onLeave();
    Mode& normal = modes_.normal();
    normal.onEnter();
    return &normal;
}

ModeSet::ModeSet(MainWindow& window) {
    modes_[Mode::kNormal] = std::make_unique<NormalMode>(window, *this);
    modes_[Mode::kBuild] = std::make_unique<BuildMode>(window, *this);
    modes_[Mode::kClose] = std::make_unique<CloseMode>(window, *this);
}

}  // namespace vellmora
