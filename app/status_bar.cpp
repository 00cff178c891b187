#include "app/status_bar.h"

#include <QFontMetrics>
#include <QLabel>
#include <QResizeEvent>
#include <QStatusBar>
#include <algorithm>

namespace vellmora {
namespace {

constexpr std::array<int, StatusBar::kParts - 1> kRightEdges = {70, 140, 280, 420};
// Width of a digit in the font the edges were chosen for.
constexpr double kDesignDigitWidth = 6.0;

// A part that shows its text, or else the first of its shorter forms that fits, or else as much
// of the shortest as fits, ending in "…"; the whole text stays its text and its tooltip.
class PartLabel : public QLabel {
public:
    explicit PartLabel(QWidget* parent) : QLabel(parent) {}

    void setWholeText(const QString& text, const QStringList& shorter) {
        whole_ = text;
        shorter_ = shorter;
        setToolTip(text);
        showFitting();
    }
    const QString& wholeText() const { return whole_; }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QLabel::resizeEvent(event);
        showFitting();
    }

private:
    void showFitting() {
        const int room = std::max(0, contentsRect().width() - 2 * margin() - 2 * indent());
        const QFontMetrics metrics = fontMetrics();
        QString shown = whole_;
        for (const QString& form : shorter_) {
            if (metrics.horizontalAdvance(shown) <= room) {
                break;
            }
            shown = form;
        }
        setText(metrics.elidedText(shown, Qt::ElideRight, room));
    }

    QString whole_;
    QStringList shorter_;
};

}  // namespace

StatusBar::StatusBar(QStatusBar* bar) {
    bar->setSizeGripEnabled(true);
    const double scale = std::max(
        1.0, QFontMetrics(bar->font()).horizontalAdvance(QLatin1Char('0')) / kDesignDigitWidth);
    int left = 0;
    for (int part = 0; part < kParts; ++part) {
        auto* label = new PartLabel(bar);
        label->setObjectName(QStringLiteral("part%1").arg(part));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setTextFormat(Qt::PlainText);
        if (part < kParts - 1) {
            const int right = static_cast<int>(kRightEdges[part] * scale);
            label->setFixedWidth(right - left);
            left = right;
            bar->addWidget(label, 0);
        } else {
            // The rest of the bar, however long its text: it never widens the window.
            label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
            bar->addWidget(label, 1);
        }
        labels_[part] = label;
    }
}

void StatusBar::setText(int part, const QString& text, const QStringList& shorter) {
    if (part >= 0 && part < kParts) {
        static_cast<PartLabel*>(labels_[part])->setWholeText(text, shorter);
    }
}

QString StatusBar::shownText(int part) const {
    return part >= 0 && part < kParts ? labels_[part]->text() : QString();
}

QString StatusBar::text(int part) const {
    return part >= 0 && part < kParts ? static_cast<PartLabel*>(labels_[part])->wholeText()
                                      : QString();
}

int StatusBar::partWidth(int part) const {
    return part >= 0 && part < kParts ? labels_[part]->width() : 0;
}

}  // namespace vellmora
