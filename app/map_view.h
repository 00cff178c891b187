// The town on screen: draws the chip sources' display layers with the two chip bitmaps, at 1 frame
// per second on the title picture and 10 during a game. Frames are composed on the frame thread
// under the view's lock and handed to the map widget on the GUI thread; the widget only copies the
// newest finished frame.
#pragma once

#include <QImage>
#include <memory>
#include <string>
#include <vector>

#include "app/frame_thread.h"

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

    // Shows the cursor marker cell on a tile, or removes it with -1 or a tile off the map.
    void setMarker(int x, int y, int code);
    int markerX() const { return markerX_; }
    int markerY() const { return markerY_; }
    int markerCode() const { return markerCode_; }

    void redrawLayers();
    void setTitle(bool on);
    bool title() const { return title_; }

    // 0, or -1 (removing a source that is not registered).
    int addChipSource(ChipSource* source);
    int removeChipSource(ChipSource* source);
    void sortChipSources();

    int phase() const { return phase_; }
    // The newest finished frame (map area only, view width × (view height - 42)).
    QImage lastFrame() const;

    int onFrame(std::uint32_t elapsedMs, std::uint32_t sinceLastMs,
                std::uint32_t framesBehind) override;

private:
    struct Pictures;

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
    int phase_ = 0;
    bool title_ = true;
    bool busy_ = false;
};

}  // namespace vellmora
