// Pieces the management and report dialogs share: caption and figure labels laid out side by
// side line for line, names from the game's CP932 text, and the policy figures several dialogs
// print the same way.
#pragma once

#include <QString>
#include <string>

class QLabel;
class QTabBar;
class QWidget;

namespace vellmora {

class FirmPolicy;
class Game;

// A fixed caption, possibly several lines, top-aligned so its lines meet the figures beside it.
QLabel* captionLabel(const QString& text, QWidget* parent);
// An empty figure label, top-aligned, right-aligned unless `left`.
QLabel* figureLabel(QWidget* parent, bool left = false);
// A frame that a wrapped text fills: the label grows to the tallest of `texts` at `width`.
void reserveWrappedText(QLabel* label, int width, const QStringList& texts);

// Gives every push button of `dialog` room for its text and a margin of about a character on
// each side, whatever the style's own padding.
void roomyButtons(QWidget* dialog);

QString fromCp932(const std::string& text);

class Firm;

// A company of this game: not one of the slots left empty when fewer competitors play.
bool takesPart(const Firm* firm);
// The company's name, marked when it has withdrawn.
QString companyLabel(const Firm& firm);
// One tab per company that takes part, named by companyLabel in full; each tab's data is the
// company's slot.
QTabBar* companyTabBar(const Game& game, QWidget* parent);
// The tab of company `slot`, or -1 when it has none.
int companyTab(const QTabBar& companies, int slot);

// price * taste * service / 10000, in integers.
long long overallRating(const FirmPolicy& policy);
// String 144: research level, gain per month, progress and the points to the next level.
QString researchText(const FirmPolicy& policy);

}  // namespace vellmora
