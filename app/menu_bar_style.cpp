#include "app/menu_bar_style.h"

#include <QStyleOptionMenuItem>

namespace vellmora {

void MenuBarTextStyle::drawControl(ControlElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
    if (element == CE_MenuBarItem) {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            QStyleOptionMenuItem textOnly(*item);
            textOnly.icon = QIcon();
            QProxyStyle::drawControl(element, &textOnly, painter, widget);
            return;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

QSize MenuBarTextStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                         const QSize& size, const QWidget* widget) const {
    if (type == CT_MenuBarItem) {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
            item != nullptr && !item->icon.isNull()) {
            // The bar measured the picture; measure the text as for any other item.
            const QSize text = item->fontMetrics.size(Qt::TextShowMnemonic, item->text);
            return QProxyStyle::sizeFromContents(type, option, text, widget);
        }
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

}  // namespace vellmora
