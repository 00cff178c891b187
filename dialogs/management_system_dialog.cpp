#include "dialogs/management_system_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/framework/money_text.h"
#include "dialogs/dialog_texts.h"
#include "game/firm_policy.h"
#include "game/management_system.h"
#include "resources/string_table.h"

namespace vellmora {

ManagementSystemDialog::ManagementSystemDialog(const FirmPolicy& policy, long long cash,
                                               long long changeCost, QWidget* parent)
    : Dialog(parent),
      policy_(&policy),
      cash_(cash),
      changeCost_(changeCost),
      selected_(policy.currentSystem()) {
    setWindowTitle(QStringLiteral("経営体制変更"));
}

QString ManagementSystemDialog::effectsText(const FirmPolicy& policy, int system) {
    QString text = QString::asprintf("%+d\n%+d\n%+d", policy.systemRatingPoints(0, system),
                                     policy.systemRatingPoints(1, system),
                                     policy.systemRatingPoints(2, system));
    text += "\n";
    for (int item = 1; item <= 6; ++item) {
        text +=
            QString::asprintf("\n%+d%%", static_cast<int>(policy.systemRate(item, system) * 100.0));
    }
    return text;
}

bool ManagementSystemDialog::onInitDialog() {
    using namespace system_ids;
    auto* layout = new QVBoxLayout(this);

    auto* state = new QGridLayout;
    state->addWidget(new QLabel(QStringLiteral("現経営体制 ： "), this), 0, 0);
    current_ = figureLabel(this, true);
    setControlId(current_, kCurrent);
    state->addWidget(current_, 0, 1);
    target_ = figureLabel(this, true);
    setControlId(target_, kTarget);
    state->addWidget(target_, 0, 2);
    state->addWidget(new QLabel(QStringLiteral("変更完了残り月数 ： "), this), 1, 0);
    monthsLeft_ = figureLabel(this, true);
    setControlId(monthsLeft_, kMonthsLeft);
    state->addWidget(monthsLeft_, 1, 1);
    state->setColumnStretch(3, 1);
    layout->addLayout(state);

    auto* body = new QHBoxLayout;
    auto* choices = new QGroupBox(this);
    auto* choiceLayout = new QVBoxLayout(choices);
    auto* group = new QButtonGroup(this);
    for (int system = 0; system < kManagementSystems; ++system) {
        auto* radio = new QRadioButton(loadString(systemNameString(system)), choices);
        bindCommand(radio, kRadios[static_cast<std::size_t>(system)]);
        group->addButton(radio, system);
        choiceLayout->addWidget(radio);
    }
    choiceLayout->addStretch(1);
    body->addWidget(choices);

    auto* details = new QGridLayout;
    details->addWidget(
        captionLabel(QStringLiteral("価格評価\n味評価\n接客評価\n\n食材費\n労務費\n教"
                                    "育費\n研究開発費\n家賃設備\n一般管理費"),
                     this),
        0, 0);
    effects_ = figureLabel(this);
    setControlId(effects_, kEffects);
    effects_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("+1000%")));
    details->addWidget(effects_, 0, 1);
    details->addWidget(captionLabel(QStringLiteral("新規出店による\n　　　　評価低下"), this), 1,
                       0);
    penalty_ = figureLabel(this);
    setControlId(penalty_, kOpeningPenalty);
    details->addWidget(penalty_, 1, 1, Qt::AlignBottom | Qt::AlignRight);
    details->setHorizontalSpacing(fontMetrics().averageCharWidth() * 3);
    details->setRowStretch(2, 1);
    body->addLayout(details);
    body->addSpacing(fontMetrics().averageCharWidth() * 3);

    description_ = figureLabel(this, true);
    setControlId(description_, kDescription);
    QStringList descriptions;
    for (int system = 0; system <= kSystemChanging; ++system) {
        descriptions << loadString(systemDescriptionString(system));
    }
    reserveWrappedText(description_, fontMetrics().horizontalAdvance(QString(18, QChar(0x3042))),
                       descriptions);
    body->addWidget(description_, 1);
    layout->addLayout(body);

    auto* lower = new QHBoxLayout;
    lower->addWidget(captionLabel(QStringLiteral("変更費用\n現在資金"), this));
    auto* costAndCash = figureLabel(this);
    setControlId(costAndCash, kCostAndCash);
    costAndCash->setText(moneyText(changeCost_) + "\n" + moneyText(cash_));
    lower->addWidget(costAndCash);
    lower->addStretch(1);
    change_ = new QPushButton(QStringLiteral("変更"), this);
    bindCommand(change_, kChange);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    bindCommand(cancel, kCancel);
    change_->setDefault(true);
    lower->addWidget(change_, 0, Qt::AlignBottom);
    lower->addWidget(cancel, 0, Qt::AlignBottom);
    layout->addLayout(lower);

    const int current = policy_->currentSystem();
    showSystem(current);
    if (current >= 0 && current < kManagementSystems) {
        group->button(current)->setChecked(true);
    } else {
        change_->setEnabled(false);
    }
    if (cash_ < changeCost_) {
        change_->setEnabled(false);
    }
    roomyButtons(this);
    return true;
}

void ManagementSystemDialog::showSystem(int system) {
    const int current = policy_->currentSystem();
    current_->setText(loadString(systemNameString(current)));
    if (current == kSystemChanging) {
        const QByteArray targetName =
            loadString(systemNameString(policy_->targetSystem())).toUtf8();
        target_->setText(formatString(kChangeTargetString, targetName.constData()));
        monthsLeft_->setText(QString::number(policy_->monthsLeft()));
    } else {
        target_->clear();
        monthsLeft_->setText(QStringLiteral("-"));
    }
    description_->setText(loadString(systemDescriptionString(system)));
    effects_->setText(effectsText(*policy_, system));
    penalty_->setText(policy_->systemDeteriorates(system) == 1 ? QStringLiteral("Yes")
                                                               : QStringLiteral("No"));
    selected_ = system;
}

bool ManagementSystemDialog::onCommand(int id, int) {
    using namespace system_ids;
    for (int system = 0; system < kManagementSystems; ++system) {
        if (id == kRadios[static_cast<std::size_t>(system)]) {
            showSystem(system);
            return true;
        }
    }
    if (id == kChange) {
        return endDialog(selected_ != policy_->currentSystem() ? selected_ : -1);
    }
    if (id == kCancel) {
        return endDialog(-1);
    }
    return false;
}

bool ManagementSystemDialog::onClose() {
    return endDialog(-1);
}

}  // namespace vellmora
