// Placeholder drawing: the view keeps its geometry and draws the title colour only. The chip
// drawing replaces this file.
#include "app/map_view.h"

#include <QWidget>
#include <algorithm>

#include "game/chip_source.h"

namespace vellmora {

class MapWidget : public QWidget {
public:
    explicit MapWidget(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
};

struct MapView::Pictures {
    QImage frame;
};

MapView::MapView(const std::string&, QWidget* parent)
    : pictures_(std::make_unique<Pictures>()), widget_(new MapWidget(parent)) {}

MapView::~MapView() {
    stop();
}

QWidget* MapView::widget() const {
    return widget_;
}

void MapView::setViewSize(int width, int height) {
    lock();
    viewWidth_ = width;
    viewHeight_ = height;
    widget_->setGeometry(0, kMapTop, width, std::max(0, height - kMapTop));
    unlock();
}

void MapView::setMapSize(int width, int height) {
    lock();
    mapWidth_ = width;
    mapHeight_ = height;
    unlock();
}

void MapView::setView(int x, int y, int mapWidth, int mapHeight) {
    lock();
    viewX_ = x;
    viewY_ = y;
    const int across = (viewWidth_ + 5) / kTile;
    const int down = (viewHeight_ + 5) / kTile;
    if (viewX_ > mapWidth - across + 5)
        viewX_ = mapWidth - across + 5;
    if (viewY_ > mapHeight - down + 5)
        viewY_ = mapHeight - down + 5;
    viewX_ = std::max(viewX_, -5);
    viewY_ = std::max(viewY_, -5);
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
    onFrame(0, 0, 0);
    phase_ = (phase_ + 7) % 8;
    unlock();
}

void MapView::redrawLayers() {}

void MapView::setTitle(bool on) {
    lock();
    title_ = on;
    unlock();
}

int MapView::addChipSource(ChipSource* source) {
    sources_.push_back(source);
    return 0;
}

int MapView::removeChipSource(ChipSource* source) {
    const auto found = std::find(sources_.begin(), sources_.end(), source);
    if (found == sources_.end()) {
        return -1;
    }
    sources_.erase(found);
    return 0;
}

void MapView::sortChipSources() {
    std::stable_sort(
        sources_.begin(), sources_.end(),
        [](const ChipSource* a, const ChipSource* b) { return a->priority() < b->priority(); });
}

QImage MapView::lastFrame() const {
    return pictures_->frame;
}

int MapView::onFrame(std::uint32_t, std::uint32_t, std::uint32_t framesBehind) {
    if (framesBehind != 0) {
        return 0;
    }
    if (busy_) {
        return 0;
    }
    if (!title_) {
        phase_ = (phase_ + 1) % 8;
    }
    return 1;
}

}  // namespace vellmora
