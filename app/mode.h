// The window's mouse modes: the window hands every mouse event and command to the current mode,
// and each handler answers the mode that is current afterwards.
#pragma once

#include <QString>
#include <array>
#include <memory>

namespace vellmora {

class MainWindow;
class ModeSet;

class Mode {
public:
    enum Kind { kNormal = 0, kBuild = 1, kClose = 2 };

    Mode(MainWindow& window, ModeSet& modes);
    virtual ~Mode();
    Mode(const Mode&) = delete;
    Mode& operator=(const Mode&) = delete;

    virtual Mode* newGameCommand(int id, int code);
    virtual Mode* managementCommand(int id, int code);
    virtual Mode* budgetCommand(int id, int code);
    virtual Mode* borrowingCommand(int id, int code);
    virtual void onEnter() = 0;
    // Only the build mode has a size; `unused` is always 0.
    virtual void setShopSize(int size, int unused);
    virtual void onLeave() {}
    virtual int kind() const = 0;
    // The command dispatcher, the same in every mode.
    virtual Mode* onCommand(int id, int code);
    virtual Mode* onLButtonDown(bool doubleClick, int x, int y, unsigned keyFlags);
    virtual Mode* onLButtonUp(int x, int y, unsigned keyFlags);
    virtual Mode* onRButtonUp(int x, int y, unsigned keyFlags);
    virtual Mode* onMouseMove(int x, int y, unsigned keyFlags);
    virtual Mode* onTimer(int id);

    // Loads the cash format (string 105).
    void prepare();
    const QString& cashFormat() const { return cashFormat_; }

protected:
    // Status part 1: the tile under the mouse.
    void showTilePosition(int x, int y);
    int tileX(int x) const;
    int tileY(int y) const;
    // Leaves a tool mode for the normal mode (right-button release).
    Mode* leaveToNormal();
    // Disables or enables the commands that a tool mode locks out.
    void setToolLockedCommandsEnabled(bool enabled);

    MainWindow& window_;
    ModeSet& modes_;

private:
    QString cashFormat_;
};

class NormalMode final : public Mode {
public:
    using Mode::Mode;
    void onEnter() override;
    int kind() const override { return kNormal; }
    Mode* onLButtonDown(bool doubleClick, int x, int y, unsigned keyFlags) override;
    Mode* onLButtonUp(int x, int y, unsigned keyFlags) override;
    Mode* onMouseMove(int x, int y, unsigned keyFlags) override;

    bool dragging() const { return dragMouseX_ != -1; }

private:
    void clearDrag();
    void showTile(int x, int y);

    int dragMouseX_ = -1;
    int dragMouseY_ = -1;
    int dragViewX_ = -1;
    int dragViewY_ = -1;
};

class BuildMode final : public Mode {
public:
    using Mode::Mode;
    void onEnter() override;
    void setShopSize(int size, int unused) override;
    void onLeave() override;
    int kind() const override { return kBuild; }
    Mode* onLButtonUp(int x, int y, unsigned keyFlags) override;
    Mode* onRButtonUp(int x, int y, unsigned keyFlags) override;
    Mode* onMouseMove(int x, int y, unsigned keyFlags) override;

    int shopSize() const { return shopSize_; }

private:
    int shopSize_ = 0;
};

class CloseMode final : public Mode {
public:
    using Mode::Mode;
    void onEnter() override;
    void onLeave() override;
    int kind() const override { return kClose; }
    Mode* onLButtonUp(int x, int y, unsigned keyFlags) override;
    Mode* onRButtonUp(int x, int y, unsigned keyFlags) override;
    Mode* onMouseMove(int x, int y, unsigned keyFlags) override;
};

// The three modes, in the order normal, build, close.
class ModeSet {
public:
    explicit ModeSet(MainWindow& window);
    Mode& operator[](int kind) { return *modes_[static_cast<std::size_t>(kind)]; }
    NormalMode& normal() { return static_cast<NormalMode&>(*modes_[Mode::kNormal]); }
    BuildMode& build() { return static_cast<BuildMode&>(*modes_[Mode::kBuild]); }
    CloseMode& close() { return static_cast<CloseMode&>(*modes_[Mode::kClose]); }

private:
    std::array<std::unique_ptr<Mode>, 3> modes_;
};

// Holds the map view's lock for a scope (the view is what the frame thread reads).
template <typename View>
class ViewLock {
public:
    explicit ViewLock(View& view) : view_(view) { view_.lock(); }
    ~ViewLock() { view_.unlock(); }
    ViewLock(const ViewLock&) = delete;
    ViewLock& operator=(const ViewLock&) = delete;

private:
    View& view_;
};

}  // namespace vellmora
