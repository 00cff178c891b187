#include "app/toolbar.h"

#include <QAction>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QToolBar>

#include "app/command_ids.h"
#include "app/command_table.h"
#include "data/program_folder.h"

namespace vellmora {

const std::vector<ToolbarButton>& Toolbar::buttons() {
    using S = ToolbarButton::Style;
    using namespace command;
    static const std::vector<ToolbarButton> list = {
        {-1, 0, S::Separator},
        {0, kNewGame, S::Button},
        {-1, 0, S::Separator},
        {1, kBuildSmall, S::CheckGroup},
        {2, kBuildMedium, S::CheckGroup},
        {3, kBuildLarge, S::CheckGroup},
        {4, kCloseShop, S::CheckGroup},
        {-1, 0, S::Separator},
        {5, kManagementSystem, S::Button},
        {6, kBudget, S::Button},
        {7, kBorrowing, S::Button},
        {-1, 0, S::Separator},
        {8, kStatements, S::Button},
        {10, kCompanyInfo, S::Button},
        {-1, 0, S::Separator},
        {12, kViewNormal, S::CheckGroup},
        {13, kViewCustomers, S::CheckGroup},
        {14, kViewCatchment, S::CheckGroup},
        {15, kViewPreferencePlayer, S::CheckGroup},
        {16, kViewPreferenceBlue, S::CheckGroup},
        {17, kViewPreferenceGreen, S::CheckGroup},
        {18, kViewPreferenceYellow, S::CheckGroup},
        {-1, 0, S::Separator},
        {19, kEndTurn, S::Button},
    };
    return list;
}

Toolbar::Toolbar(QWidget* parent, CommandTable& commands, const std::string& programFolder)
    : bar_(new QToolBar(parent)) {
    bar_->setObjectName("2000");
    bar_->setMovable(false);
    bar_->setFloatable(false);
    bar_->setIconSize(QSize(kImageWidth, kImageHeight));

    const QImage strip(QString::fromStdString(joinPath(programFolder, "res/toolbar.png")));
    hasImages_ = strip.width() >= kImageWidth * kImageCount && strip.height() >= kImageHeight;
    bar_->setToolButtonStyle(hasImages_ ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextOnly);

    for (const ToolbarButton& button : buttons()) {
        if (button.style == ToolbarButton::Style::Separator) {
            bar_->addSeparator();
            continue;
        }
        QAction* action = commands.action(button.command);
        if (action == nullptr) {
            continue;
        }
        if (hasImages_) {
            const QImage image =
                strip.copy(button.image * kImageWidth, 0, kImageWidth, kImageHeight);
            action->setIcon(QIcon(QPixmap::fromImage(image)));
            // The menus keep their texts alone.
            action->setIconVisibleInMenu(false);
        }
        bar_->addAction(action);
    }
    bar_->setGeometry(0, 0, parent->width(), kHeight);
    bar_->show();
}

void Toolbar::setWidth(int width) {
    bar_->setGeometry(0, 0, width, kHeight);
}

}  // namespace vellmora
