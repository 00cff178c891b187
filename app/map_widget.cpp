#include "app/map_widget.h"

#include <QPaintEvent>
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
    if (view_ == nullptr) {
        return;
    }
    const QRegion changed = view_->takeFrame(frame_);
    if (!changed.isEmpty()) {
        update(changed);
    }
}

void MapWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // Black only where the frame does not reach: filling the whole widget first would write
    // every pixel twice.
    const QRegion uncovered = event->region() - QRegion(frame_.rect());
    for (const QRect& part : uncovered) {
        painter.fillRect(part, Qt::black);
    }
    if (frame_.isNull()) {
        return;
    }
    for (const QRect& part : event->region() & frame_.rect()) {
        painter.drawImage(part.topLeft(), frame_, part);
    }
}

}  // namespace vellmora
