#include "app/map_view.h"

#include <QMetaObject>
#include <algorithm>
#include <utility>

#include "app/chip_pictures.h"
#include "app/map_renderer.h"
#include "app/map_widget.h"
#include "app/pixel_copy.h"
#include "game/chip_source.h"

namespace vellmora {

namespace {

constexpr int kBorderTiles = 5;

// The upper clamp of the view origin, computed wide so that no size can overflow it.
int clampOrigin(int origin, int mapTiles, int viewPixels) {
    const long long across = (static_cast<long long>(viewPixels) + kBorderTiles) / MapView::kTile;
    const long long highest = static_cast<long long>(mapTiles) - across + kBorderTiles;
    long long clamped = origin;
    if (clamped > highest) {
        clamped = highest;
    }
    return static_cast<int>(std::max<long long>(clamped, -kBorderTiles));
}

}  // namespace

struct MapView::Pictures {
    ChipPictures chips;
    MapRenderer renderer{chips};
    // The frame being composed and the newest finished one. Neither is ever shared: the GUI
    // thread takes copies under the lock, so the worker can reuse both without allocating.
    QImage work;
    QImage ready;
};

MapView::MapView(const std::string& programFolder, QWidget* parent)
    : pictures_(std::make_unique<Pictures>()) {
    pictures_->chips.load(programFolder);
    widget_ = new MapWidget(this, parent);
}

MapView::~MapView() {
    stop();
    if (widget_ != nullptr) {
        widget_->forgetView();
        // A widget made without a parent has no owner but the view.
        if (widget_->parent() == nullptr) {
            delete widget_;
        }
    }
}

QWidget* MapView::widget() const {
    return widget_;
}

void MapView::forgetWidget() {
    lock();
    widget_ = nullptr;
    unlock();
}

void MapView::setViewSize(int width, int height) {
    lock();
    viewWidth_ = std::max(0, width);
    viewHeight_ = std::max(0, height);
    if (widget_ != nullptr) {
        widget_->setGeometry(0, kMapTop, viewWidth_, std::max(0, viewHeight_ - kMapTop));
    }
    unlock();
}

void MapView::setMapSize(int width, int height) {
    lock();
    mapWidth_ = width;
    mapHeight_ = height;
    pictures_->renderer.setMapSize(width, height);
    unlock();
}

void MapView::setView(int x, int y, int mapWidth, int mapHeight) {
    lock();
    viewX_ = clampOrigin(x, mapWidth, viewWidth_);
    viewY_ = clampOrigin(y, mapHeight, viewHeight_);
    unlock();
}

void MapView::setMarker(int x, int y, int code) {
    lock();
    if (code != -1 && x >= 0 && y >= 0 && x < mapWidth_ && y < mapHeight_) {
        markerX_ = x;
        markerY_ = y;
        markerCode_ = code;
    } else {
        markerX_ = markerY_ = markerCode_ = -1;
    }
    drawNow();
    unlock();
}

void MapView::drawNow() {
    lock();
    const bool animated = !title_;
    onFrame(0, 0, 0);
    if (animated) {
        phase_ = (phase_ + kAnimationPhases - 1) % kAnimationPhases;
    }
    unlock();
}

void MapView::redrawLayers() {
    lock();
    pictures_->renderer.update(sources_);
    unlock();
}

void MapView::setTitle(bool on) {
    lock();
    title_ = on;
    unlock();
}

int MapView::addChipSource(ChipSource* source) {
    lock();
    const bool refused =
        source == nullptr || std::find(sources_.begin(), sources_.end(), source) != sources_.end();
    if (!refused) {
        sources_.push_back(source);
    }
    unlock();
    return refused ? -1 : 0;
}

int MapView::removeChipSource(ChipSource* source) {
    lock();
    const auto found = std::find(sources_.begin(), sources_.end(), source);
    const bool present = found != sources_.end();
    if (present) {
        sources_.erase(found);
    }
    unlock();
    return present ? 0 : -1;
}

void MapView::sortChipSources() {
    lock();
    std::stable_sort(
        sources_.begin(), sources_.end(),
        [](const ChipSource* a, const ChipSource* b) { return a->priority() < b->priority(); });
    unlock();
}

QImage MapView::lastFrame() const {
    auto* self = const_cast<MapView*>(this);
    self->lock();
    QImage frame = pictures_->ready.copy();
    self->unlock();
    return frame;
}

QImage MapView::takeFrame() {
    lock();
    framePending_ = false;
    QImage frame = pictures_->ready.copy();
    unlock();
    return frame;
}

std::size_t MapView::cachedBytes() const {
    auto* self = const_cast<MapView*>(this);
    self->lock();
    const std::size_t bytes = pictures_->renderer.cachedBytes();
    self->unlock();
    return bytes;
}

void MapView::setCacheLimit(std::size_t bytes) {
    lock();
    pictures_->renderer.setCacheLimit(bytes);
    unlock();
}

void MapView::drawTitle(QImage& frame) const {
    frame.fill(Qt::black);
    const QImage& title = pictures_->chips.title;
    const int x0 = std::max(0, (viewWidth_ - kTitleWidth) / 2);
    const int y0 = std::max(0, (viewHeight_ - kTitleHeight) / 2);
    copyOpaque(frame, x0, y0, title, 0, 0, title.width(), title.height());
}

int MapView::onFrame(std::uint32_t, std::uint32_t, std::uint32_t framesBehind) {
    if (framesBehind != 0) {
        return 0;  // late: skip to catch up
    }
    QImage& frame = pictures_->work;
    const QSize size(viewWidth_, std::max(0, viewHeight_ - kMapTop));
    if (frame.size() != size) {
        frame = QImage(size, QImage::Format_RGB32);
    }
    if (title_) {
        drawTitle(frame);
    } else {
        MapRenderer& renderer = pictures_->renderer;
        renderer.drawMap(frame, viewX_, viewY_, phase_);
        if (markerCode_ != -1) {
            renderer.drawMarker(frame, viewX_, viewY_, markerX_, markerY_, markerCode_);
        }
        phase_ = (phase_ + 1) % kAnimationPhases;
    }
    std::swap(pictures_->work, pictures_->ready);
    // One notice at a time: a GUI thread that is busy for a while then takes only the newest.
    if (widget_ != nullptr && !framePending_) {
        framePending_ = true;
        QMetaObject::invokeMethod(
            widget_, [widget = widget_] { widget->takeFrame(); }, Qt::QueuedConnection);
    }
    return 1;
}

}  // namespace vellmora
