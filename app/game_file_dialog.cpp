#include "app/game_file_dialog.h"

#include <QFileDialog>
#include <QFontMetrics>
#include <QHeaderView>
#include <QSplitter>
#include <QTreeView>
#include <algorithm>

namespace vellmora {
namespace {

const QString kSuffix = QStringLiteral("vsav");

}  // namespace

std::unique_ptr<QFileDialog> makeGameFileDialog(QWidget* parent, GameFileAction action,
                                                const QString& folder) {
    const bool saving = action == GameFileAction::Save;
    auto dialog = std::make_unique<QFileDialog>(
        parent, saving ? QStringLiteral("ゲームを保存") : QStringLiteral("ゲームを開く"), folder,
        QStringLiteral("Vellmora (*.vsav)"));
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    dialog->setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog->setDefaultSuffix(kSuffix);
    dialog->setViewMode(QFileDialog::Detail);
    // Room for a long file name and the size, type and date columns beside it.
    const QFontMetrics metrics = dialog->fontMetrics();
    const int nameWidth = metrics.horizontalAdvance(QStringLiteral("autosave-1.vsav")) * 2;
    const int dateWidth = metrics.horizontalAdvance(QStringLiteral("2026/12/31 23:59 ")) * 3 / 2;
    // The widest file types the listing shows for a folder of games.
    const int typeWidth = metrics.horizontalAdvance(QStringLiteral("plain text document ")) * 5 / 4;
    if (auto* files = dialog->findChild<QTreeView*>(QStringLiteral("treeView"))) {
        files->header()->setMinimumSectionSize(metrics.averageCharWidth() * 8);
        files->header()->setStretchLastSection(true);
        files->setColumnWidth(0, nameWidth);
        files->setColumnWidth(1, metrics.horizontalAdvance(QStringLiteral("999.99 KiB ")) * 5 / 4);
        files->setColumnWidth(2, typeWidth);
        files->setColumnWidth(3, dateWidth);
    }
    if (auto* panes = dialog->findChild<QSplitter*>(QStringLiteral("splitter"))) {
        const int places = metrics.horizontalAdvance(QStringLiteral("コンピュータ")) +
                           metrics.averageCharWidth() * 8;
        panes->setSizes({places, nameWidth + dateWidth * 2});
    }
    dialog->resize(
        std::max(720, nameWidth + typeWidth + dateWidth + metrics.averageCharWidth() * 40),
        std::max(420, metrics.height() * 24));
    return dialog;
}

QString chooseGameFile(QWidget* parent, GameFileAction action, const QString& folder) {
    const std::unique_ptr<QFileDialog> dialog = makeGameFileDialog(parent, action, folder);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return QString();
    }
    QString path = dialog->selectedFiles().constFirst();
    if (action == GameFileAction::Save &&
        !path.endsWith(QStringLiteral(".") + kSuffix, Qt::CaseInsensitive)) {
        path += QStringLiteral(".") + kSuffix;
    }
    return path;
}

}  // namespace vellmora
