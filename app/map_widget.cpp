#include "app/map_widget.h"

#include <QPainter>
#include <QRegion>

#include "app/map_view.h"

namespace vellmora {

MapWidget::MapWidget(MapView* view, QWidget* parent) : QWidget(parent), view_(view) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

MapWidget::~MapWidget() {
    if (view_ != nullptr) {
        view_->forgetWidget();
    }
}

void MapWidget::takeFrame() {
    if (view_ != nullptr) {
        showFrame(view_->takeFrame());
    }
}

void MapWidget::showFrame(const QImage& frame) {
    frame_ = frame;
    update();
}

void MapWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Black only where the frame does not reach: filling the whole widget first would write
    // every pixel twice each frame.
    const QRegion uncovered = QRegion(rect()) - QRegion(frame_.rect());
    for (const QRect& part : uncovered) {
        painter.fillRect(part, Qt::black);
    }
    if (!frame_.isNull()) {
        painter.drawImage(0, 0, frame_);
    }
}

}  // namespace vellmora
