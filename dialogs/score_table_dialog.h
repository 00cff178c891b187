// "成績表": the best five wins of a map for each difficulty, one tab per difficulty, with the
// record just won marked.
#pragma once

#include <QString>
#include <map>

#include "app/framework/dialog.h"

class QLabel;
class QTabBar;

namespace vellmora {

class ScoreList;
class ScoreRecord;

class ScoreTableDialog : public Dialog {
public:
    static constexpr int kTabs = 1075;
    static constexpr int kMapName = 1086;
    static constexpr int kMarker = 1079;
    static constexpr int kClearDate = 1080;
    static constexpr int kClearTime = 1081;
    static constexpr int kElapsed = 1082;
    static constexpr int kResearch = 1083;
    static constexpr int kPoisonings = 1084;
    static constexpr int kOverworkDeaths = 1085;
    static constexpr int kCompetitors = 1087;

    // `list` may be null (a map whose score file could not be read shows empty tables);
    // `justWon` is the record to mark, or null.
    ScoreTableDialog(const QString& mapName, const ScoreList* list, const ScoreRecord* justWon,
                     QWidget* parent = nullptr);

    int currentTab() const;
    // Shows the tab of a difficulty, as clicking it does.
    void selectTab(int difficulty);
    // The text of a column control.
    QString columnText(int id) const;

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    // The tab control's selection change.
    bool onNotify(int id, int code) override;

private:
    void buildControls();
    void fillColumns(int difficulty);
    void showMarker(int difficulty);
    // The place (0 to 4) of the record just won among its difficulty's five, or -1.
    int placeOfJustWon() const;
    void appendRecord(const ScoreRecord& record);

    QString mapName_;
    const ScoreList* list_;
    const ScoreRecord* justWon_;
    QTabBar* tabs_ = nullptr;
    std::map<int, QLabel*> columns_;
    std::map<int, QString> texts_;
};

}  // namespace vellmora
