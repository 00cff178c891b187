#include "dialogs/about_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

#include "resources/string_table.h"

namespace vellmora {

AboutDialog::AboutDialog(QString iconFile, QWidget* parent)
    : Dialog(parent), iconFile_(std::move(iconFile)) {
    setObjectName("about");
    setWindowTitle(QStringLiteral("バージョン情報"));
}

bool AboutDialog::onInitDialog() {
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    const QPixmap icon(iconFile_);
    if (!icon.isNull()) {
        auto* picture = new QLabel(this);
        picture->setPixmap(icon.scaled(48, 48, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        row->addWidget(picture, 0, Qt::AlignTop);
    }
    auto* text = new QLabel(
        QStringLiteral("%1\nVersion %2").arg(loadString(103), QString::fromLatin1(kVersion)), this);
    setControlId(text, 1000);
    row->addWidget(text, 1);
    layout->addLayout(row);

    addButtonRow(layout, QStringLiteral("OK"), kIdOk);
    return true;
}

bool AboutDialog::onCommand(int id, int) {
    return closeOnOk(id);
}

}  // namespace vellmora
