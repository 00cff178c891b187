// Ends the program the normal way when the system or the desktop session asks it to quit.
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace vellmora {

// While it lives, SIGTERM, SIGINT and SIGHUP no longer end the process at once: the handler
// only writes the signal's number into a pipe, and the GUI thread, woken by the pipe, first
// ends any modal dialog or open menu and then runs closeWindow (the same close as the window's
// own close button: autosave, settings file, devices). The desktop session's quit
// (QGuiApplication::commitDataRequest and aboutToQuit) takes the same road.
//
// One watch per process. The destructor puts the default handlers back.
class QuitSignalWatch : public QObject {
public:
    explicit QuitSignalWatch(std::function<void()> closeWindow);
    ~QuitSignalWatch() override;
    QuitSignalWatch(const QuitSignalWatch&) = delete;
    QuitSignalWatch& operator=(const QuitSignalWatch&) = delete;

    // False when the pipe or the handlers could not be set up; the signals then keep their
    // default action.
    bool installed() const { return notifier_ != nullptr; }
    // The last signal received (0: none yet).
    int lastSignal() const { return lastSignal_; }

private:
    void onPipeReadable();
    // Ends what stands in the way of closing, then closes; tries again shortly while a modal
    // dialog is still unwinding.
    void closeWhenFree();

    std::function<void()> closeWindow_;
    QSocketNotifier* notifier_ = nullptr;  // child of this object
    bool closed_ = false;
    int lastSignal_ = 0;
};

}  // namespace vellmora
