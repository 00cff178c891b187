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
    // The newest finished frame, brought up to date in place by each new one. It is never
    // shared: the GUI thread copies from it under the lock only what changed.
    QImage frame;
    // The part of the frame that changed since the widget last took it.
    QRegion unseen;
    // Where the marker is drawn into the frame, and its cell (-1: none).
    QRect markerArea;
    int markerShown = -1;
    // The title picture fills the frame (the map must be drawn anew over it).
    bool titleShown = false;
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
    QImage frame = pictures_->frame.copy();
    self->unlock();
    return frame;
}

QRegion MapView::takeFrame(QImage& shown) {
    lock();
    framePending_ = false;
    const QImage& frame = pictures_->frame;
    QRegion changed;
    if (shown.size() != frame.size()) {
        shown = frame.copy();
        changed = shown.rect();
    } else {
        changed = pictures_->unseen;
        for (const QRect& part : changed) {
            copyOpaque(shown, part.x(), part.y(), frame, part.x(), part.y(), part.width(),
                       part.height());
        }
    }
    pictures_->unseen = QRegion();
    unlock();
    return changed;
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

QRegion MapView::drawGame(QImage& frame) {
    Pictures& pictures = *pictures_;
    MapRenderer& renderer = pictures.renderer;
    if (pictures.titleShown) {
        renderer.forgetFrame();
        pictures.titleShown = false;
    }
    QRegion changed = renderer.drawMap(frame, viewX_, viewY_, phase_);
    const QRect markerArea = markerCode_ == -1 ? QRect()
                                               : QRect((markerX_ - viewX_) * kTile,
                                                       (markerY_ - viewY_) * kTile, kTile, kTile);
    const bool markerMoved =
        markerArea != pictures.markerArea || markerCode_ != pictures.markerShown;
    if (markerMoved && !(QRegion(pictures.markerArea) - changed).isEmpty()) {
        renderer.drawArea(frame, viewX_, viewY_, pictures.markerArea, phase_);
        changed += pictures.markerArea & frame.rect();
    }
    // The marker goes over whatever was drawn under it.
    if (markerCode_ != -1 && (markerMoved || changed.intersects(markerArea))) {
        renderer.drawMarker(frame, viewX_, viewY_, markerX_, markerY_, markerCode_);
        changed += markerArea & frame.rect();
    }
    pictures.markerArea = markerArea;
    pictures.markerShown = markerCode_;
    return changed;
}

int MapView::onFrame(std::uint32_t, std::uint32_t, std::uint32_t framesBehind) {
    if (framesBehind != 0) {
        return 0;  // late: skip to catch up
    }
    Pictures& pictures = *pictures_;
    QImage& frame = pictures.frame;
    const QSize size(viewWidth_, std::max(0, viewHeight_ - kMapTop));
    const bool resized = frame.size() != size;
    if (resized) {
        frame = QImage(size, QImage::Format_RGB32);
    }
    QRegion changed;
    if (title_) {
        // The title does not move: drawn once, until the frame is made anew.
        if (resized || !pictures.titleShown) {
            drawTitle(frame);
            changed = frame.rect();
            pictures.titleShown = true;
        }
    } else {
        changed = drawGame(frame);
        phase_ = (phase_ + 1) % kAnimationPhases;
    }
    if (widget_ == nullptr || changed.isEmpty()) {
        return 1;
    }
    pictures.unseen += changed;
    // One notice at a time: a GUI thread that is busy for a while then takes all that changed.
    if (!framePending_) {
        framePending_ = true;
        QMetaObject::invokeMethod(
            widget_, [widget = widget_] { widget->takeFrame(); }, Qt::QueuedConnection);
    }
    return 1;
}

}  // namespace vellmora
