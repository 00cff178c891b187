#include "dialogs/new_game_dialog.h"

#include <pwd.h>
#include <unistd.h>

#include <QButtonGroup>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "app/framework/message_box.h"
#include "resources/string_table.h"

namespace vellmora {
namespace {

constexpr int kDoubleClick = 2;
constexpr int kDifficulties = 5;
constexpr int kMaxCompetitors = 3;
const char* const kCompetitorLabels[kMaxCompetitors] = {"１社", "２社", "３社"};

bool sameFolder(const QString& a, const QString& b) {
    const QString first = QDir(a).canonicalPath();
    return first.isEmpty() ? QDir::cleanPath(a) == QDir::cleanPath(b)
                           : first == QDir(b).canonicalPath();
}

QString withSlash(QString folder) {
    if (!folder.isEmpty() && !folder.endsWith('/')) {
        folder += '/';
    }
    return folder;
}

}  // namespace

NewGameDialog::NewGameDialog(QWidget* parent) : Dialog(parent) {
    setObjectName("new_game");
    setWindowTitle(QStringLiteral("新規マップ選択"));
}

QString NewGameDialog::loginName() {
    for (const char* variable : {"USER", "LOGNAME"}) {
        const QString name = qEnvironmentVariable(variable);
        if (!name.isEmpty()) {
            return name;
        }
    }
    if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_name) {
        return QString::fromLocal8Bit(entry->pw_name);
    }
    return QString();
}

void NewGameDialog::setup(const QString& mapFolder, std::optional<QString> companyName,
                          std::optional<QString> presidentName, int difficulty, int competitors) {
    mapFolder_ = withSlash(mapFolder);
    rootFolder_ = mapFolder_;
    choice_.presidentName = presidentName.has_value() ? *presidentName : loginName();
    choice_.companyName = companyName.has_value()
                              ? *companyName
                              : formatString(107, choice_.presidentName.toUtf8().constData());
    choice_.difficulty = difficulty;
    choice_.competitors = std::clamp(competitors, 1, kMaxCompetitors);
}

void NewGameDialog::buildControls() {
    auto* layout = new QGridLayout(this);

    list_ = new QListWidget(this);
    setControlId(list_, kMapList);
    list_->setMinimumSize(180, 220);
    connect(list_, &QListWidget::itemDoubleClicked, this,
            [this] { onCommand(kMapList, kDoubleClick); });
    layout->addWidget(list_, 0, 0, 4, 1);

    auto* names = new QGridLayout;
    company_ = new QLineEdit(this);
    setControlId(company_, kCompanyEdit);
    company_->setMaxLength(kMaxCompanyName);
    president_ = new QLineEdit(this);
    setControlId(president_, kPresidentEdit);
    president_->setMaxLength(kMaxPresidentName);
    names->addWidget(new QLabel(QStringLiteral("会社名　："), this), 0, 0);
    names->addWidget(company_, 0, 1);
    names->addWidget(new QLabel(QStringLiteral("代表取締役名　："), this), 1, 0);
    names->addWidget(president_, 1, 1);
    layout->addLayout(names, 0, 1);

    auto* difficultyBox = new QGroupBox(QStringLiteral("難易度"), this);
    auto* difficultyRow = new QHBoxLayout(difficultyBox);
    difficulties_ = new QButtonGroup(this);
    difficultyRow->addWidget(new QLabel(QStringLiteral("難しい"), difficultyBox));
    for (int level = 0; level < kDifficulties; ++level) {
        auto* button = new QRadioButton(loadString(158 + level), difficultyBox);
        setControlId(button, kFirstDifficulty + level);
        difficulties_->addButton(button, level);
        difficultyRow->addWidget(button);
    }
    difficultyRow->addWidget(new QLabel(QStringLiteral("易しい"), difficultyBox));
    layout->addWidget(difficultyBox, 1, 1);

    auto* competitorBox = new QGroupBox(QStringLiteral("競合他社の数"), this);
    auto* competitorRow = new QHBoxLayout(competitorBox);
    competitors_ = new QButtonGroup(this);
    for (int count = 1; count <= kMaxCompetitors; ++count) {
        auto* button =
            new QRadioButton(QString::fromUtf8(kCompetitorLabels[count - 1]), competitorBox);
        setControlId(button, kFirstCompetitors + count - 1);
        competitors_->addButton(button, count);
        competitorRow->addWidget(button);
    }
    competitorRow->addStretch(1);
    layout->addWidget(competitorBox, 2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    bindCommand(ok, kIdClose);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    bindCommand(cancel, kCancel);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 3, 1, Qt::AlignBottom);
}

bool NewGameDialog::onInitDialog() {
    buildControls();
    if (choice_.difficulty < 0 || choice_.difficulty >= kDifficulties) {
        choice_.difficulty = 2;
    }
    difficulties_->button(choice_.difficulty)->setChecked(true);
    competitors_->button(choice_.competitors)->setChecked(true);
    president_->setText(choice_.presidentName);
    company_->setText(choice_.companyName);
    fillList();
    if (preferredMap_.isEmpty() || !selectMap(preferredMap_)) {
        (void)selectFirstMap();
    }
    return true;
}

void NewGameDialog::fillList() {
    list_->clear();
    const QDir folder(mapFolder_);
    if (!folder.isRoot() && !sameFolder(mapFolder_, rootFolder_)) {
        list_->addItem(QStringLiteral("[..]"));
    }
    const QStringList folders =
        folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : folders) {
        list_->addItem(QStringLiteral("[%1]").arg(name));
    }
    const QStringList maps =
        folder.entryList({QStringLiteral("*.zmf")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : maps) {
        list_->addItem(name);
    }
}

QString NewGameDialog::folderOf(const QListWidgetItem* item) {
    if (item == nullptr) {
        return QString();
    }
    const QString text = item->text();
    if (text.size() >= 2 && text.startsWith('[') && text.endsWith(']')) {
        return text.mid(1, text.size() - 2);
    }
    return QString();
}

bool NewGameDialog::selectMap(const QString& fileName) {
    const auto found = list_->findItems(fileName, Qt::MatchFixedString);
    for (QListWidgetItem* item : found) {
        if (folderOf(item).isEmpty()) {
            list_->setCurrentItem(item);
            return true;
        }
    }
    return false;
}

bool NewGameDialog::selectFirstMap() {
    for (int row = 0; row < list_->count(); ++row) {
        if (folderOf(list_->item(row)).isEmpty()) {
            list_->setCurrentRow(row);
            return true;
        }
    }
    return false;
}

void NewGameDialog::openSelectedFolder() {
    const QString name = folderOf(list_->currentItem());
    if (name.isEmpty()) {
        return;
    }
    const QString target = withSlash(QDir::cleanPath(mapFolder_ + name));
    // Only folders inside the map folder: "[..]" stops there.
    const QString root = QDir(rootFolder_).canonicalPath();
    const QString inside = QDir(target).canonicalPath();
    if (!root.isEmpty() &&
        (inside.isEmpty() || (inside != root && !inside.startsWith(root + QLatin1Char('/'))))) {
        return;
    }
    mapFolder_ = target;
    fillList();
}

bool NewGameDialog::onCommand(int id, int code) {
    switch (id) {
        case kMapList:
            if (code == kDoubleClick) {
                openSelectedFolder();
            }
            return true;
        case kIdClose: {
            const QListWidgetItem* item = list_->currentItem();
            if (item == nullptr || !folderOf(item).isEmpty()) {
                showMessage(this, loadString(108), MessageIcon::Exclamation, loadString(110));
                return true;
            }
            choice_.mapPath = mapFolder_ + item->text();
            choice_.difficulty = std::max(0, difficulties_->checkedId());
            choice_.competitors = std::max(1, competitors_->checkedId());
            choice_.companyName = company_->text();
            choice_.presidentName = president_->text();
            return endDialog(0);
        }
        case kCancel:
            return endDialog(-1);
        default:
            return false;
    }
}

}  // namespace vellmora
