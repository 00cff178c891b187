// The top-level window: Qt delivers the events, this class hands them to typed handlers.
// Qt's own event dispatch replaces the window procedure, the handle registries and the message
// crackers; the handler set and its arguments stay.
#pragma once

#include <QMainWindow>

class QWidget;

namespace vellmora {

// Mouse key flags passed to the mouse handlers.
enum KeyFlag : unsigned {
    kLeftButton = 0x0001,
    kRightButton = 0x0002,
    kShiftKey = 0x0004,
    kControlKey = 0x0008,
    kMiddleButton = 0x0010,
};

class Window : public QMainWindow {
public:
    Window();
    ~Window() override;

    // Builds the window once per process: 0, -1 when a window was already created, -2 when it
    // cannot be built. Calls onCreate and afterCreate, then shows the window.
    int create();

    // The widget whose coordinates are the client coordinates of the mouse handlers: the area
    // below the menu bar and above the status bar. The toolbar and the map live inside it.
    QWidget* clientArea() const { return client_; }

    // Handlers, in the order of the window's message table.
    virtual int onCreate() { return 0; }
    virtual void afterCreate() {}
    virtual void onCommand(int id, int code) { (void)id, (void)code; }
    virtual void onPaint() {}
    virtual void onLButtonDown(bool doubleClick, int x, int y, unsigned keyFlags);
    virtual void onRButtonDown(bool doubleClick, int x, int y, unsigned keyFlags);
    virtual void onLButtonUp(int x, int y, unsigned keyFlags);
    virtual void onRButtonUp(int x, int y, unsigned keyFlags);
    virtual void onMouseMove(int x, int y, unsigned keyFlags);
    virtual void onMciNotify() {}
    virtual void onNotify(int id, int code) { (void)id, (void)code; }
    virtual void onKeyDown(int key, bool down, int repeatCount, unsigned keyFlags);
    virtual void onKeyUp(int key, bool down, int repeatCount, unsigned keyFlags);
    virtual void onTimer(int id) { (void)id; }
    // Closing does not happen by itself: the handler decides (see closeWindow).
    virtual void onClose() {}
    // Client width and height (status bar included).
    virtual void onSize(int sizeType, int width, int height);

    // Closes the window for good, bypassing onClose.
    void closeWindow();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* client_;
    bool closing_ = false;
};

// Key flags of a Qt mouse event.
unsigned mouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

}  // namespace vellmora
