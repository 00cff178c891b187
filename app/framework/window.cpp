#include "app/framework/window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QStatusBar>

namespace vellmora {
namespace {

bool windowCreated = false;

}  // namespace

unsigned mouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    unsigned flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= kLeftButton;
    if (buttons & Qt::RightButton)
        flags |= kRightButton;
    if (buttons & Qt::MiddleButton)
        flags |= kMiddleButton;
    if (modifiers & Qt::ShiftModifier)
        flags |= kShiftKey;
    if (modifiers & Qt::ControlModifier)
        flags |= kControlKey;
    return flags;
}

Window::Window() : client_(new QWidget(this)) {
    client_->setObjectName("client");
    client_->setMouseTracking(true);
    client_->installEventFilter(this);
    setCentralWidget(client_);
}

Window::~Window() = default;

int Window::create() {
    if (windowCreated) {
        return -1;
    }
    windowCreated = true;
    if (onCreate() == -1) {
        return -2;
    }
    afterCreate();
    return 0;
}

void Window::onLButtonDown(bool, int, int, unsigned) {}
void Window::onRButtonDown(bool, int, int, unsigned) {}
void Window::onLButtonUp(int, int, unsigned) {}
void Window::onRButtonUp(int, int, unsigned) {}
void Window::onMouseMove(int, int, unsigned) {}
void Window::onKeyDown(int, bool, int, unsigned) {}
void Window::onKeyUp(int, bool, int, unsigned) {}
void Window::onSize(int, int, int) {}

void Window::closeWindow() {
    closing_ = true;
    close();
}

void Window::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        onClose();
    }
    // onClose agrees by calling closeWindow(), whose own close() does nothing while this close
    // is under way: the answer is given here.
    event->setAccepted(closing_);
}

void Window::keyPressEvent(QKeyEvent* event) {
    onKeyDown(event->key(), true, event->isAutoRepeat() ? 2 : 1,
              static_cast<unsigned>(event->modifiers()));
}

void Window::keyReleaseEvent(QKeyEvent* event) {
    onKeyUp(event->key(), false, 1, static_cast<unsigned>(event->modifiers()));
}

void Window::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    const int statusHeight =
        statusBar() != nullptr && statusBar()->isVisible() ? statusBar()->height() : 0;
    onSize(isMaximized() ? 2 : 0, client_->width(), client_->height() + statusHeight);
}

// Mouse events of the client area, in client coordinates. The second press of a double click
// reaches no handler; both releases do.
bool Window::eventFilter(QObject* watched, QEvent* event) {
    if (watched != client_) {
        return QMainWindow::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint at = mouse->position().toPoint();
            const unsigned flags = mouseKeyFlags(mouse->buttons(), mouse->modifiers());
            if (mouse->button() == Qt::LeftButton) {
                onLButtonDown(false, at.x(), at.y(), flags);
            } else if (mouse->button() == Qt::RightButton) {
                onRButtonDown(false, at.x(), at.y(), flags);
            }
            return true;
        }
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint at = mouse->position().toPoint();
            const unsigned flags = mouseKeyFlags(mouse->buttons(), mouse->modifiers());
            if (mouse->button() == Qt::LeftButton) {
                onLButtonUp(at.x(), at.y(), flags);
            } else if (mouse->button() == Qt::RightButton) {
                onRButtonUp(at.x(), at.y(), flags);
            }
            return true;
        }
        case QEvent::MouseButtonDblClick:
            return true;
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint at = mouse->position().toPoint();
            onMouseMove(at.x(), at.y(), mouseKeyFlags(mouse->buttons(), mouse->modifiers()));
            return true;
        }
        default:
            return QMainWindow::eventFilter(watched, event);
    }
}

}  // namespace vellmora
