// The town on screen: draws the chip sources' display layers with the two chip bitmaps, at 1 frame
// per second on the title picture and 10 during a game. Frames are composed on the frame thread
// under the view's lock, each one over the last where it changed, and handed to the map widget on
// the GUI thread; the widget copies and repaints only the parts that changed.
#pragma once

#include <QImage>
#include <QRegion>
#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "app/framework/frame_thread.h"

class QWidget;

namespace vellmora {

class ChipSource;
class MapWidget;

class MapView : public FrameThread {
public:
    static constexpr int kTile = 48;
    // The map area starts this far below the top of the client area (the toolbar's height).
    static constexpr int kMapTop = 42;
    static constexpr int kMarkerRefused = 253;
    static constexpr int kMarkerBuild = 254;
    static constexpr int kMarkerClose = 255;
    static constexpr int kTitleFramesPerSecond = 1;
    static constexpr int kGameFramesPerSecond = 10;
    static constexpr int kAnimationPhases = 8;
    // The title picture's size, which places it in the middle of the view.
    static constexpr int kTitleWidth = 770;
    static constexpr int kTitleHeight = 320;

    // Loads "mapchip.bmp", "motionchip.bmp" and the title picture from the program folder
    // `programFolder`; a picture that cannot be loaded draws nothing and is reported once on
    // standard error. The widget is made as a child of `parent` (the client area).
    MapView(const std::string& programFolder, QWidget* parent);
    ~MapView() override;

    // The widget that shows the frames; it lets mouse events through to its parent.
    QWidget* widget() const;

    // View size in pixels: the client width and the client height minus the status bar, the
    // toolbar's 42 pixels included.
    void setViewSize(int width, int height);
    void setMapSize(int width, int height);
    // Moves the view origin (tiles), clamped to at most five tiles of border beyond every edge.
    void setView(int x, int y, int mapWidth, int mapHeight);
    int viewX() const { return viewX_; }
    int viewY() const { return viewY_; }
    int viewWidth() const { return viewWidth_; }
    int viewHeight() const { return viewHeight_; }
    int mapWidth() const { return mapWidth_; }
    int mapHeight() const { return mapHeight_; }

    // Tile under a point of the client area.
    int tileX(int clientX) const { return clientX / kTile + viewX_; }
    int tileY(int clientY) const { return (clientY - kMapTop) / kTile + viewY_; }

    // Shows the cursor marker cell on a tile, or removes it with -1 or a tile off the map. Draws
    // one frame at once without moving the animation on.
    void setMarker(int x, int y, int code);
    int markerX() const { return markerX_; }
    int markerY() const { return markerY_; }
    int markerCode() const { return markerCode_; }

    // Takes the chip sources' current pictures; the next frame shows them.
    void redrawLayers();
    void setTitle(bool on);
    bool title() const { return title_; }

    // 0, or -1 (a null source, adding one twice, removing one that is not registered). Sources
    // are read only by redrawLayers.
    int addChipSource(ChipSource* source);
    int removeChipSource(ChipSource* source);
    void sortChipSources();

    int phase() const { return phase_; }
    // The newest finished frame (map area only, view width × (view height - 42)).
    QImage lastFrame() const;
    // Draws one frame at once, as setMarker does, without moving the animation on (for a view
    // whose thread is stopped, such as screenshots).
    void drawNow();
    // Memory held by the kept map pictures, in bytes, and its limit (pictures on screen in the
    // current frame are kept even beyond it).
    std::size_t cachedBytes() const;
    void setCacheLimit(std::size_t bytes);

    int onFrame(std::uint32_t elapsedMs, std::uint32_t sinceLastMs,
                std::uint32_t framesBehind) override;

    // For the widget: brings `shown` up to the newest finished frame (copying only what changed
    // since the last call, or all of it when the sizes differ), clears the pending notice and
    // answers the part of `shown` that changed.
    QRegion takeFrame(QImage& shown);
    // The widget tells the view when it is destroyed first.
    void forgetWidget();

private:
    struct Pictures;

    void drawTitle(QImage& frame) const;
    // Brings the frame up to the town and the marker; answers what changed.
    QRegion drawGame(QImage& frame);

    std::unique_ptr<Pictures> pictures_;
    MapWidget* widget_ = nullptr;
    std::vector<ChipSource*> sources_;
    int viewWidth_ = 0;
    int viewHeight_ = 0;
    int mapWidth_ = 0;
    int mapHeight_ = 0;
    int markerX_ = -1;
    int markerY_ = -1;
    int markerCode_ = -1;
    int viewX_ = 0;
    int viewY_ = 0;
    std::atomic<int> phase_ = 0;
    bool title_ = true;
    // A queued notice to the widget is on its way (guarded by the lock).
    bool framePending_ = false;
};

}  // namespace vellmora
