// "新規マップ選択": the map file, the difficulty, the number of competitors and the two names of a
// new game.
#pragma once

#include <QString>
#include <optional>

#include "app/framework/dialog.h"

class QButtonGroup;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace vellmora {

// What the player chose; names as typed (the window converts them for the game).
struct NewGameChoice {
    QString mapPath;  // map folder + file name
    int difficulty = 2;
    int competitors = 3;
    QString companyName;
    QString presidentName;
};

class NewGameDialog : public Dialog {
public:
    static constexpr int kMapList = 1011;
    static constexpr int kCompanyEdit = 1012;
    static constexpr int kPresidentEdit = 1013;
    static constexpr int kFirstDifficulty = 1014;   // 1014 to 1018: difficulty 0 to 4
    static constexpr int kFirstCompetitors = 1087;  // 1087 to 1089: 1 to 3 competitors
    static constexpr int kCancel = 1019;
    static constexpr int kMaxCompanyName = 255;
    static constexpr int kMaxPresidentName = 256;

    explicit NewGameDialog(QWidget* parent = nullptr);

    // The president defaults to the login name, the company to string 107 with the president.
    // Competitors are held to 1 to 3; a difficulty outside 0 to 4 shows (and gives) 2.
    void setup(const QString& mapFolder, std::optional<QString> companyName,
               std::optional<QString> presidentName, int difficulty, int competitors);

    // The map to select when the dialog opens (e.g. "hinode.zmf"); without it, or when it is
    // not listed, the first map is selected.
    void setPreferredMap(const QString& fileName) { preferredMap_ = fileName; }

    // The results after OK.
    const NewGameChoice& choice() const { return choice_; }
    const QString& mapFolder() const { return mapFolder_; }

    // Selects the list entry of that file (e.g. "hinode.zmf"); false when it is not listed.
    bool selectMap(const QString& fileName);
    // Selects the first map file of the list; false when there is none.
    bool selectFirstMap();
    // Lists the selected folder entry's contents, as a double click does.
    void openSelectedFolder();

    // The login name of the user running the program.
    static QString loginName();

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    // Closing the dialog cancels it.
    bool onClose() override { return endDialog(-1); }

private:
    void buildControls();
    void fillList();
    // The folder named by a list entry ("[name]" or "[..]"), or empty for a file entry.
    static QString folderOf(const QListWidgetItem* item);

    QString mapFolder_;
    // The folder given to setup: the list goes down into its folders, never above it.
    QString rootFolder_;
    QString preferredMap_;
    NewGameChoice choice_;
    QListWidget* list_ = nullptr;
    QLineEdit* company_ = nullptr;
    QLineEdit* president_ = nullptr;
    QButtonGroup* difficulties_ = nullptr;
    QButtonGroup* competitors_ = nullptr;
};

}  // namespace vellmora
