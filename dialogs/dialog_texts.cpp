#include "dialogs/dialog_texts.h"

#include <algorithm>
#include <limits>

#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QStringList>
#include <QTabBar>
#include <QVariant>

#include "data/text_encoding.h"
#include "game/firm.h"
#include "game/firm_policy.h"
#include "game/game.h"
#include "resources/string_table.h"

namespace vellmora {

QLabel* captionLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel* figureLabel(QWidget* parent, bool left) {
    auto* label = new QLabel(parent);
    label->setAlignment((left ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

void reserveWrappedText(QLabel* label, int width, const QStringList& texts) {
    label->setWordWrap(true);
    label->setFixedWidth(width);
    int height = 0;
    for (const QString& text : texts) {
        const QRect box = label->fontMetrics().boundingRect(
            QRect(0, 0, width, 100000), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
        height = std::max(height, box.height());
    }
    label->setMinimumHeight(height + label->fontMetrics().height() / 2);
}

void roomyButtons(QWidget* dialog) {
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        const QFontMetrics metrics = button->fontMetrics();
        const int wanted =
            metrics.horizontalAdvance(button->text()) + 3 * metrics.averageCharWidth();
        if (button->minimumWidth() < wanted && button->maximumWidth() >= wanted) {
            button->setMinimumWidth(wanted);
        }
    }
}

QString fromCp932(const std::string& text) {
    return QString::fromStdString(cp932ToUtf8(text));
}

bool takesPart(const Firm* firm) {
    return firm != nullptr && !firm->absent();
}

QString companyLabel(const Firm& firm) {
    const QString name = fromCp932(firm.name());
    return firm.withdrawn() ? name + QStringLiteral("（撤退）") : name;
}

QTabBar* companyTabBar(const Game& game, QWidget* parent) {
    auto* companies = new QTabBar(parent);
    companies->setExpanding(false);
    companies->setUsesScrollButtons(false);
    companies->setElideMode(Qt::ElideNone);
    for (int slot = 0; slot < kFirmSlots; ++slot) {
        const Firm* firm = game.firm(slot);
        if (takesPart(firm)) {
            const int tab = companies->addTab(companyLabel(*firm));
            companies->setTabData(tab, slot);
        }
    }
    return companies;
}

int companyTab(const QTabBar& companies, int slot) {
    for (int tab = 0; tab < companies.count(); ++tab) {
        if (companies.tabData(tab).toInt() == slot) {
            return tab;
        }
    }
    return -1;
}

long long overallRating(const FirmPolicy& policy) {
    // Ratings held at the int limits would overflow the product; such a product saturates.
    long long product = 0;
    if (__builtin_mul_overflow(static_cast<long long>(policy.rating(0)), policy.rating(1),
                               &product) ||
        __builtin_mul_overflow(product, static_cast<long long>(policy.rating(2)), &product)) {
        const bool negative =
            ((policy.rating(0) < 0) != (policy.rating(1) < 0)) != (policy.rating(2) < 0);
        product = negative ? std::numeric_limits<long long>::min()
                           : std::numeric_limits<long long>::max();
    }
    return product / 10000;
}

QString researchText(const FirmPolicy& policy) {
    return formatString(144, policy.researchLevel(), policy.researchGainPerMonth(),
                        policy.researchProgress(), policy.researchToNextLevel());
}

}  // namespace vellmora
