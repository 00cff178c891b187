#include "dialogs/score_table_dialog.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "data/score_list.h"
#include "data/score_record.h"
#include "resources/string_table.h"

namespace vellmora {
namespace {

constexpr int kTabChanged = 1;
constexpr int kDifficulties = 5;
constexpr int kPlaces = 5;

struct ColumnEntry {
    int id;
    const char* heading;
    // The widest text the column holds: the column keeps that width, empty or full, so the
    // dialog does not change its size from tab to tab.
    const char* widest;
};
constexpr ColumnEntry kColumns[] = {
    {ScoreTableDialog::kMarker, "", "->"},
    {ScoreTableDialog::kClearDate, "クリア日時", "0000/00/00"},
    {ScoreTableDialog::kClearTime, "", "00:00"},
    {ScoreTableDialog::kElapsed, "経過年月", "000年00月"},
    {ScoreTableDialog::kResearch, "研究Lv", "0000"},
    {ScoreTableDialog::kPoisonings, "食中毒", "0000"},
    {ScoreTableDialog::kOverworkDeaths, "過労死", "0000"},
    {ScoreTableDialog::kCompetitors, "他社数", "0"},
};

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

}  // namespace

ScoreTableDialog::ScoreTableDialog(const QString& mapName, const ScoreList* list,
                                   const ScoreRecord* justWon, QWidget* parent)
    : Dialog(parent), mapName_(mapName), list_(list), justWon_(justWon) {
    setObjectName("score_table");
    setWindowTitle(QStringLiteral("成績表"));
}

void ScoreTableDialog::buildControls() {
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(mapName_, this);
    setControlId(name, kMapName);
    layout->addWidget(name);

    tabs_ = new QTabBar(this);
    setControlId(tabs_, kTabs);
    for (int difficulty = 0; difficulty < kDifficulties; ++difficulty) {
        tabs_->addTab(loadString(158 + difficulty));
    }
    layout->addWidget(tabs_);

    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* grid = new QGridLayout(panel);
    grid->setHorizontalSpacing(14);
    int column = 0;
    for (const ColumnEntry& entry : kColumns) {
        grid->addWidget(new QLabel(QString::fromUtf8(entry.heading), panel), 0, column);
        auto* text = new QLabel(panel);
        setControlId(text, entry.id);
        text->setTextFormat(Qt::PlainText);
        text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        // A character more than the sample, for digits wider than its zeros.
        text->setMinimumWidth(
            text->fontMetrics().horizontalAdvance(QString::fromUtf8(entry.widest)) +
            text->fontMetrics().averageCharWidth());
        grid->addWidget(text, 1, column);
        columns_[entry.id] = text;
        ++column;
    }
    grid->setRowStretch(1, 1);
    layout->addWidget(panel, 1);

    addButtonRow(layout, QStringLiteral("OK"), kIdClose);

    connect(tabs_, &QTabBar::currentChanged, this, [this] { onNotify(kTabs, kTabChanged); });
}

bool ScoreTableDialog::onInitDialog() {
    buildControls();
    const int tab =
        justWon_ != nullptr && justWon_->difficulty() >= 0 && justWon_->difficulty() < kDifficulties
            ? justWon_->difficulty()
            : 0;
    {
        const QSignalBlocker quiet(tabs_);
        tabs_->setCurrentIndex(tab);
    }
    showMarker(tab);
    fillColumns(tab);
    return true;
}

bool ScoreTableDialog::onCommand(int id, int) {
    return closeOn128(id);
}

bool ScoreTableDialog::onNotify(int id, int code) {
    if (id != kTabs || code != kTabChanged) {
        return false;
    }
    const int tab = tabs_->currentIndex();
    showMarker(tab);
    fillColumns(tab);
    return true;
}

int ScoreTableDialog::currentTab() const {
    return tabs_ != nullptr ? tabs_->currentIndex() : 0;
}

void ScoreTableDialog::selectTab(int difficulty) {
    if (tabs_ != nullptr) {
        tabs_->setCurrentIndex(difficulty);
    }
}

QString ScoreTableDialog::columnText(int id) const {
    const auto found = columns_.find(id);
    return found == columns_.end() ? QString() : found->second->text();
}

int ScoreTableDialog::placeOfJustWon() const {
    if (justWon_ == nullptr || list_ == nullptr) {
        return -1;
    }
    for (int place = 0; place < kPlaces; ++place) {
        const ScoreRecord* record = list_->record(place, justWon_->difficulty());
        if (record != nullptr && record->realDate() == justWon_->realDate() &&
            record->realTime() == justWon_->realTime()) {
            return place;
        }
    }
    return -1;
}

void ScoreTableDialog::showMarker(int difficulty) {
    QString marker;
    if (justWon_ != nullptr && justWon_->difficulty() == difficulty) {
        const int place = placeOfJustWon();
        marker = place >= 0 ? QStringLiteral("\n\n").repeated(place) + QStringLiteral("->")
                            : QStringLiteral("\n").repeated(11) + QStringLiteral("->");
    }
    columns_[kMarker]->setText(marker);
}

void ScoreTableDialog::appendRecord(const ScoreRecord& record) {
    texts_[kClearDate] += QStringLiteral("%1/%2/%3")
                              .arg(record.realYearSince1900() + 1900)
                              .arg(twoDigits(record.realMonth()), twoDigits(record.realDay()));
    texts_[kClearTime] +=
        QStringLiteral("%1:%2").arg(twoDigits(record.hour()), twoDigits(record.minute()));
    texts_[kElapsed] += twoDigits(record.gameYear()) + QStringLiteral("年") +
                        twoDigits(record.gameMonth()) + QStringLiteral("月");
    texts_[kResearch] += QString::number(record.researchLevel());
    texts_[kPoisonings] += QString::number(record.poisonings());
    texts_[kOverworkDeaths] += QString::number(record.overworkDeaths());
    texts_[kCompetitors] += QString::number(record.competitors());
}

void ScoreTableDialog::fillColumns(int difficulty) {
    texts_.clear();
    for (int place = 0; place < kPlaces; ++place) {
        const ScoreRecord* record = list_ != nullptr ? list_->record(place, difficulty) : nullptr;
        if (record != nullptr) {
            appendRecord(*record);
        }
        for (const ColumnEntry& entry : kColumns) {
            if (entry.id != kMarker) {
                texts_[entry.id] += QStringLiteral("\n\n");
            }
        }
    }
    for (const ColumnEntry& entry : kColumns) {
        if (entry.id != kMarker) {
            texts_[entry.id] += QStringLiteral("\n");
        }
    }
    if (justWon_ != nullptr && justWon_->difficulty() == difficulty && placeOfJustWon() < 0) {
        appendRecord(*justWon_);
    }
    for (const ColumnEntry& entry : kColumns) {
        if (entry.id != kMarker) {
            columns_[entry.id]->setText(texts_[entry.id]);
        }
    }
}

}  // namespace vellmora
