// Every command of the window is one QAction carrying its numeric id, shared by the menu bar and
// the toolbar: enabling and checking go through the action, so the two never disagree.
#pragma once

#include <QString>
#include <functional>
#include <map>

class QAction;
class QMenu;
class QMenuBar;
class QObject;

namespace vellmora {

class CommandTable {
public:
    // `owner` parents the actions; `onCommand` receives the id of every chosen command.
    CommandTable(QObject* owner, std::function<void(int)> onCommand);

    // Fills the menu bar with the window's menus and makes an action for every command.
    void buildMenus(QMenuBar* bar);
    // Adds one music entry to the BGM submenu (after "OFF"); the id must be new.
    QAction* addMusicEntry(int id, const QString& name);

    // The action of a command, or null for an id without one.
    QAction* action(int id) const;
    void setEnabled(int id, bool enabled);
    bool isEnabled(int id) const;
    void setChecked(int id, bool checked);
    bool isChecked(int id) const;
    // Chooses a command as the player would: nothing happens while it is disabled.
    void trigger(int id);

    const std::map<int, QAction*>& actions() const { return actions_; }
    // The "BGM(&M)" submenu: "OFF(&O)" and the pieces, each action's data() its command id.
    QMenu* musicMenu() const { return musicMenu_; }

private:
    QAction* add(QMenu* menu, int id, const QString& text, bool checkable);

    QObject* owner_;
    std::function<void(int)> onCommand_;
    std::map<int, QAction*> actions_;
    QMenu* musicMenu_ = nullptr;
};

}  // namespace vellmora
