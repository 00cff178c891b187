#include "app/signal_watch.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <cerrno>
#include <cstdio>

namespace vellmora {
namespace {

constexpr int kWatchedSignals[] = {SIGTERM, SIGINT, SIGHUP};
// How long a modal dialog is given to unwind its own event loop before the next try.
constexpr int kRetryMs = 20;

// The pipe between the handler and the GUI thread: [0] read end, [1] write end.
int signalPipe[2] = {-1, -1};

extern "C" void onQuitSignal(int signalNumber) {
    // Only async-signal-safe calls here: one write, errno kept for the interrupted code.
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    const ssize_t written = write(signalPipe[1], &byte, 1);
    (void)written;  // a full pipe already holds a wake-up
    errno = savedErrno;
}

void setHandler(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigfillset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : kWatchedSignals) {
        sigaction(signalNumber, &action, nullptr);
    }
}

void closePipe() {
    for (int& fd : signalPipe) {
        if (fd >= 0) {
            close(fd);
            fd = -1;
        }
    }
}

}  // namespace

QuitSignalWatch::QuitSignalWatch(std::function<void()> closeWindow)
    : closeWindow_(std::move(closeWindow)) {
    if (signalPipe[0] >= 0 || pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        std::fprintf(stderr, "vellmora: cannot watch for quit signals\n");
        return;
    }
    notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &QuitSignalWatch::onPipeReadable);
    setHandler(&onQuitSignal);
    if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        // The session is ending: close now rather than be killed later with nothing saved.
        connect(application, &QGuiApplication::commitDataRequest, this,
                &QuitSignalWatch::closeWhenFree);
        // A quit that did not come through the window (the session manager's "die").
        connect(application, &QCoreApplication::aboutToQuit, this, [this] {
            if (!closed_) {
                closed_ = true;
                closeWindow_();
            }
        });
    }
}

QuitSignalWatch::~QuitSignalWatch() {
    if (notifier_ == nullptr) {
        return;
    }
    setHandler(SIG_DFL);
    notifier_->setEnabled(false);
    closePipe();
}

void QuitSignalWatch::onPipeReadable() {
    unsigned char bytes[16];
    ssize_t count = 0;
    while ((count = read(signalPipe[0], bytes, sizeof bytes)) > 0) {
        lastSignal_ = bytes[count - 1];
    }
    closeWhenFree();
}

void QuitSignalWatch::closeWhenFree() {
    if (closed_) {
        return;
    }
    // A modal dialog runs its own event loop inside a command that still uses the game: end the
    // dialog and let that command finish before the window goes.
    bool busy = false;
    if (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
        busy = true;
    }
    if (QWidget* modal = QApplication::activeModalWidget()) {
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
        busy = true;
    }
    if (busy) {
        QTimer::singleShot(kRetryMs, this, &QuitSignalWatch::closeWhenFree);
        return;
    }
    closed_ = true;
    closeWindow_();
}

}  // namespace vellmora
