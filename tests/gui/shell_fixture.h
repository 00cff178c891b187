// A game window over the tiny fixture data folder, with its settings and scores in a scratch
// folder, every message box recorded instead of shown, and helpers to drive it.
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QString>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/command_ids.h"
#include "app/command_table.h"
#include "app/framework/dialog.h"
#include "app/framework/message_box.h"
#include "app/main_window.h"
#include "app/map_view.h"
#include "app/status_bar.h"
#include "dialogs/new_game_dialog.h"
#include "support/game_fixture.h"
#include "support/temp_dir.h"

namespace vellmora::test {

// The commands that need a running game.
inline constexpr int kGameCommands[] = {
    command::kBuildSmall,       command::kBuildMedium, command::kBuildLarge, command::kCloseShop,
    command::kManagementSystem, command::kBudget,      command::kBorrowing,  command::kEndTurn};

struct RecordedMessage {
    QString caption;
    QString text;
    MessageIcon icon;
};

// Records every message box while it lives.
class MessageRecorder {
public:
    MessageRecorder() {
        setMessageHook([this](const QString& caption, const QString& text, MessageIcon icon) {
            messages.push_back({caption, text, icon});
            return true;
        });
    }
    ~MessageRecorder() { setMessageHook(nullptr); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    std::vector<QString> texts() const {
        std::vector<QString> result;
        for (const RecordedMessage& message : messages) {
            result.push_back(message.text);
        }
        return result;
    }

    std::vector<RecordedMessage> messages;
};

// Runs `hook` for every dialog that opens while it lives; the hook must end the dialog.
class DialogHook {
public:
    explicit DialogHook(Dialog::ShowHook hook) { Dialog::setShowHook(std::move(hook)); }
    ~DialogHook() { Dialog::setShowHook(nullptr); }
    DialogHook(const DialogHook&) = delete;
    DialogHook& operator=(const DialogHook&) = delete;
};

class ShellFixture {
public:
    // `musicPieces` are file names written into the program folder's "music/".
    explicit ShellFixture(const GameFixtureOptions& options = {},
                          const std::string& settingsText = std::string(), bool autosave = false,
                          const std::vector<std::string>& musicPieces = {})
        : game(options) {
        if (!settingsText.empty()) {
            user.write("vellmora.ini", settingsText);
        }
        for (const std::string& piece : musicPieces) {
            game.dir().write("music/" + piece, "MThd");
        }
        ShellOptions shell;
        shell.programFolder = game.folder();
        shell.settingsFile = user.file("vellmora.ini");
        shell.scoreFolder = user.file("zrf") + "/";
        shell.saveFolder = user.file("saves") + "/";
        shell.autosave = autosave;
        window = std::make_unique<MainWindow>(shell);
        window->setAudioHooks({[this](int slot) { effects.push_back(slot); },
                               [this](const std::string& path) { music.push_back("play " + path); },
                               [this] { music.push_back("stop"); }});
        window->onCreate();
        window->showNormal();
        window->resize(640, 480);
        QApplication::processEvents();
    }
    ~ShellFixture() {
        if (window != nullptr && !closed) {
            window->onClose();
        }
    }
    ShellFixture(const ShellFixture&) = delete;
    ShellFixture& operator=(const ShellFixture&) = delete;

    NewGameChoice choice(int difficulty = 2, int competitors = 3) const {
        NewGameChoice c;
        c.mapPath = QString::fromStdString(game.mapPath());
        c.difficulty = difficulty;
        c.competitors = competitors;
        c.companyName = QStringLiteral("テスト屋");
        c.presidentName = QStringLiteral("テスト");
        return c;
    }

    int startGame(int difficulty = 2, int competitors = 3) {
        return window->startNewGame(choice(difficulty, competitors));
    }

    void close() {
        window->onClose();
        closed = true;
    }

    QString status(int part) const { return window->statusLine().text(part); }

    // Client coordinates of the middle of a tile in the current view.
    QPoint tileCentre(int x, int y) const {
        const MapView& view = window->mapView();
        return {(x - view.viewX()) * MapView::kTile + MapView::kTile / 2,
                (y - view.viewY()) * MapView::kTile + MapView::kMapTop + MapView::kTile / 2};
    }

    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QWidget* client = window->clientArea();
        QMouseEvent event(type, QPointF(at), QPointF(client->mapToGlobal(at)), button, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(client, &event);
    }
    void press(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        mouse(QEvent::MouseButtonPress, at, button, button);
    }
    void release(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        mouse(QEvent::MouseButtonRelease, at, button, Qt::NoButton);
    }
    void move(QPoint at, Qt::MouseButtons buttons = Qt::NoButton) {
        mouse(QEvent::MouseMove, at, Qt::NoButton, buttons);
    }
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        press(at, button);
        release(at, button);
    }

    GameFixture game;
    TempDir user;
    std::unique_ptr<MainWindow> window;
    std::vector<int> effects;
    // "play <path>" and "stop", in order.
    std::vector<std::string> music;
    bool closed = false;
};

}  // namespace vellmora::test
