#include "app/command_table.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "app/command_ids.h"
#include "app/menu_bar_style.h"
#include "resources/string_table.h"

namespace vellmora {
namespace {

// The toolbar's tooltip text of a command, or 0 for commands that have none.
int tooltipString(int id) {
    switch (id) {
        case command::kNewGame:
            return 167;
        case command::kBuildSmall:
            return 168;
        case command::kBuildMedium:
            return 169;
        case command::kBuildLarge:
            return 170;
        case command::kCloseShop:
            return 171;
        case command::kManagementSystem:
            return 172;
        case command::kBudget:
            return 173;
        case command::kBorrowing:
            return 174;
        case command::kStatements:
            return 175;
        case command::kCompanyInfo:
            return 176;
        case command::kViewNormal:
            return 177;
        case command::kViewCustomers:
            return 178;
        case command::kViewCatchment:
            return 179;
        case command::kViewPreferencePlayer:
            return 180;
        case command::kViewPreferenceBlue:
            return 181;
        case command::kViewPreferenceGreen:
            return 182;
        case command::kViewPreferenceYellow:
            return 183;
        case command::kEndTurn:
            return 184;
        default:
            return 0;
    }
}

}  // namespace

CommandTable::CommandTable(QObject* owner, std::function<void(int)> onCommand)
    : owner_(owner), onCommand_(std::move(onCommand)) {}

QAction* CommandTable::add(QMenu* menu, int id, const QString& text, bool checkable) {
    auto* action = new QAction(text, owner_);
    action->setData(id);
    action->setCheckable(checkable);
    if (const int tip = tooltipString(id); tip != 0) {
        action->setToolTip(loadString(tip));
        action->setIconText(loadString(tip));
    }
    // The handler sets the check state itself: a check-group entry stays checked when chosen
    // again, as the toolbar's check groups do.
    QObject::connect(action, &QAction::triggered, owner_, [this, action, id] {
        if (action->isCheckable()) {
            action->setChecked(!action->isChecked());
        }
        onCommand_(id);
    });
    actions_[id] = action;
    if (menu != nullptr) {
        menu->addAction(action);
    }
    return action;
}

void CommandTable::buildMenus(QMenuBar* bar) {
    using namespace command;
    auto* style = new MenuBarTextStyle();
    style->setParent(bar);
    bar->setStyle(style);
    QMenu* file = bar->addMenu(QStringLiteral("ファイル(&F)"));
    add(file, kNewGame, QStringLiteral("新規マップ(&N)..."), false);
    add(file, kOpenGame, QStringLiteral("ゲームを開く(&O)..."), false)
        ->setShortcut(QKeySequence::Open);
    add(file, kSaveGame, QStringLiteral("ゲームを保存(&A)..."), false)
        ->setShortcut(QKeySequence::Save);
    add(file, kScoreTable, QStringLiteral("成績表(&S)"), false);
    file->addSeparator();
    add(file, kExit, QStringLiteral("終了(&X)"), false);

    QMenu* business = bar->addMenu(QStringLiteral("事業(&N)"));
    add(business, kBuildSmall, QStringLiteral("小型店舗建設(&S)"), true);
    add(business, kBuildMedium, QStringLiteral("中型店舗建設(&M)"), true);
    add(business, kBuildLarge, QStringLiteral("大型店舗建設(&L)"), true);
    add(business, kCloseShop, QStringLiteral("店舗閉鎖(&C)"), true);
    business->addSeparator();
    add(business, kManagementSystem, QStringLiteral("経営体制(&S)..."), false);
    add(business, kBudget, QStringLiteral("予算設定(&B)..."), false);
    add(business, kBorrowing, QStringLiteral("資金借入(&D)..."), false);

    QMenu* info = bar->addMenu(QStringLiteral("情報(&I)"));
    add(info, kStatements, QStringLiteral("各社財務状況(&F)"), false);
    add(info, kCompanyInfo, QStringLiteral("各社情報(&I)"), false);
    info->addSeparator();
    add(info, kViewNormal, QStringLiteral("通常表示(&U)"), true);
    add(info, kViewCustomers, QStringLiteral("顧客数(&C)"), true);
    add(info, kViewCatchment, QStringLiteral("集客範囲(&A)"), true);
    add(info, kViewPreferencePlayer, QStringLiteral("嗜好度(プレイヤー)(&P)"), true);
    add(info, kViewPreferenceBlue, QStringLiteral("嗜好度(青)(&B)"), true);
    add(info, kViewPreferenceGreen, QStringLiteral("嗜好度(緑)(&G)"), true);
    add(info, kViewPreferenceYellow, QStringLiteral("嗜好度(黄)(&Y)"), true);

    QMenu* options = bar->addMenu(QStringLiteral("設定(&O)"));
    add(options, kSoundEffects, QStringLiteral("効果音(&S)"), true);
    musicMenu_ = options->addMenu(QStringLiteral("BGM(&M)"));
    add(musicMenu_, kMusicOff, QStringLiteral("OFF(&O)"), true);
    add(options, kAutoRefinance, QStringLiteral("自動借換(&D)"), true);
    add(options, kVolume, QStringLiteral("音量(&V)..."), false);

    // A command on the menu bar itself.
    bar->addAction(add(nullptr, kEndTurn, QStringLiteral("ターン終了(&T)"), false));

    QMenu* help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    add(help, kAbout, QStringLiteral("バージョン情報 ...(&A)"), false);
}

QAction* CommandTable::addMusicEntry(int id, const QString& name) {
    if (actions_.count(id) != 0) {
        return nullptr;
    }
    return add(musicMenu_, id, name, true);
}

QAction* CommandTable::action(int id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

void CommandTable::setEnabled(int id, bool enabled) {
    if (QAction* a = action(id)) {
        a->setEnabled(enabled);
    }
}

bool CommandTable::isEnabled(int id) const {
    const QAction* a = action(id);
    return a != nullptr && a->isEnabled();
}

void CommandTable::setChecked(int id, bool checked) {
    if (QAction* a = action(id)) {
        a->setChecked(checked);
    }
}

bool CommandTable::isChecked(int id) const {
    const QAction* a = action(id);
    return a != nullptr && a->isChecked();
}

void CommandTable::trigger(int id) {
    if (QAction* a = action(id); a != nullptr && a->isEnabled()) {
        a->trigger();
    }
}

}  // namespace vellmora
