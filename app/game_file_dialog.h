// The dialogs that choose a game file to save or open: Qt's own widgets (translated with the
// rest of the interface), in the detail view and wide enough for its columns.
#pragma once

#include <QString>
#include <memory>

class QFileDialog;
class QWidget;

namespace vellmora {

enum class GameFileAction { Save, Open };

std::unique_ptr<QFileDialog> makeGameFileDialog(QWidget* parent, GameFileAction action,
                                                const QString& folder);

// Runs the dialog modally: the chosen path (a saved game always ends in ".vsav"), or empty.
QString chooseGameFile(QWidget* parent, GameFileAction action, const QString& folder);

}  // namespace vellmora
