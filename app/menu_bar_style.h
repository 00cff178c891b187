// The menu bar shows its items' texts even where an action carries a toolbar picture (the end
// of turn is a command on the menu bar itself and a toolbar button at once).
#pragma once

#include <QProxyStyle>

namespace vellmora {

class MenuBarTextStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
};

}  // namespace vellmora
