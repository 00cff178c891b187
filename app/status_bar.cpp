#include "app/status_bar.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStatusBar>
#include <algorithm>

namespace vellmora {
namespace {

constexpr std::array<int, StatusBar::kParts - 1> kRightEdges = {70, 140, 280, 420};
// Width of a digit in the font the edges were chosen for.
constexpr double kDesignDigitWidth = 6.0;

}  // namespace

StatusBar::StatusBar(QStatusBar* bar) {
    bar->setSizeGripEnabled(true);
    const double scale = std::max(
        1.0, QFontMetrics(bar->font()).horizontalAdvance(QLatin1Char('0')) / kDesignDigitWidth);
    int left = 0;
    for (int part = 0; part < kParts; ++part) {
        auto* label = new QLabel(bar);
        label->setObjectName(QStringLiteral("part%1").arg(part));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setTextFormat(Qt::PlainText);
        if (part < kParts - 1) {
            const int right = static_cast<int>(kRightEdges[part] * scale);
            label->setFixedWidth(right - left);
            left = right;
            bar->addWidget(label, 0);
        } else {
            label->setMinimumWidth(0);
            bar->addWidget(label, 1);
        }
        labels_[part] = label;
    }
}

void StatusBar::setText(int part, const QString& text) {
    if (part >= 0 && part < kParts) {
        labels_[part]->setText(text);
        labels_[part]->setToolTip(text);
    }
}

QString StatusBar::text(int part) const {
    return part >= 0 && part < kParts ? labels_[part]->text() : QString();
}

int StatusBar::partWidth(int part) const {
    return part >= 0 && part < kParts ? labels_[part]->width() : 0;
}

}  // namespace vellmora
