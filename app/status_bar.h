// The status bar's five parts: 0 date, 1 tile under the mouse, 2 cash, 3 and 4 what the current
// mode has to say.
#pragma once

#include <QString>
#include <QStringList>
#include <array>

class QLabel;
class QStatusBar;

namespace vellmora {

class StatusBar {
public:
    static constexpr int kParts = 5;
    enum Part { kDate = 0, kTile = 1, kCash = 2, kModeInfo = 3, kModeHint = 4 };

    // Adds the parts to `bar`. Their right edges lie at 70, 140, 280 and 420 pixels for the
    // classic 96-dpi font and grow with the font; the last part takes the rest.
    explicit StatusBar(QStatusBar* bar);

    // Shows `text`, or when it does not fit the part the first of the `shorter` forms that does
    // (the last one cut with "…" when none does); the tooltip always holds `text`.
    void setText(int part, const QString& text, const QStringList& shorter = {});
    // The whole text given to the part.
    QString text(int part) const;
    // What the part shows of it.
    QString shownText(int part) const;
    int partWidth(int part) const;

private:
    std::array<QLabel*, kParts> labels_{};
};

}  // namespace vellmora
