// Draws the town's chips into the view's frames. The picture of the map at animation phase p
// is the whole map drawn onto black from the chip sources, row by row, column by column and
// layer by layer, with a one-tile margin above and left of tile (0, 0); only the part of it under
// the view is ever made. It is cut into square blocks that are drawn when first shown and kept
// (one picture for a block without animated chips, one per phase otherwise) until the chips
// under them change or the memory limit pushes out the least recently shown. A frame is kept
// between calls and brought up to date: only the squares of animated chips are drawn again when
// nothing but the phase moved on.
#pragma once

#include <QImage>
#include <QRegion>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vellmora {

class ChipSource;
struct ChipPictures;

class MapRenderer {
public:
    static constexpr int kTile = 48;
    static constexpr int kLayers = 7;
    static constexpr int kPhases = 8;
    static constexpr int kBlockTiles = 4;
    static constexpr int kBlockPixels = kBlockTiles * kTile;
    // Larger maps are drawn up to this many tiles across and down.
    static constexpr int kMaxMapTiles = 512;
    // Every phase of the blocks under a 1920 x 1080 view fits (about 91 MB when every block has
    // an animated chip), with room left for blocks scrolled away.
    static constexpr std::size_t kDefaultCacheLimit = std::size_t{96} << 20;

    explicit MapRenderer(const ChipPictures& pictures) : pictures_(pictures) {}

    // Forgets every chip: the map draws black until the next update.
    void setMapSize(int width, int height);
    int mapWidth() const { return width_; }
    int mapHeight() const { return height_; }

    // Reads every drawn source's chips for the map size and forgets the blocks whose pictures
    // they change.
    void update(const std::vector<ChipSource*>& sources);

    // Brings `frame` (RGB32) up to the map area whose top-left corner shows tile (viewX, viewY)
    // at `phase`, black outside the map's picture, and answers the part of it that changed. The
    // whole frame is drawn when its size, the origin or the chips changed since the last call, or
    // after forgetFrame; otherwise only the animated chips' squares, when the phase moved on.
    QRegion drawMap(QImage& frame, int viewX, int viewY, int phase);
    // Draws `area` of the frame anew from the map's picture, as drawMap does (to take a marker
    // away); the area is cut to the frame.
    void drawArea(QImage& frame, int viewX, int viewY, const QRect& area, int phase);
    // Something else drew into the frame: the next drawMap draws all of it.
    void forgetFrame() { framed_ = false; }
    // Draws cell `code` of the map chip sheet over tile (x, y).
    void drawMarker(QImage& frame, int viewX, int viewY, int x, int y, int code) const;

    std::size_t cachedBytes() const { return cachedBytes_; }
    void setCacheLimit(std::size_t bytes) { cacheLimit_ = bytes; }
    // Blocks drawn since the last call (for measurements).
    int takeBlocksDrawn();

private:
    // One source's chips, already reduced to what is drawn: chip -1 for nothing, attributes
    // held where a larger one would only reach further beyond the picture's edge.
    struct ChipGrid {
        std::vector<std::int32_t> chips;
        std::vector<std::int32_t> attributes;
        int maxAttribute = 0;
    };
    enum class BlockState { Unknown, Still, Animated };
    struct Block {
        BlockState state = BlockState::Unknown;
        QImage pictures[kPhases];
        std::uint64_t lastShown[kPhases] = {};
        // Where animated chips show, in picture pixels (empty for a still block).
        QRegion moving;
    };

    std::size_t cell(int x, int y, int layer) const {
        return (static_cast<std::size_t>(layer) * static_cast<std::size_t>(height_) +
                static_cast<std::size_t>(y)) *
                   static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }
    int pictureWidth() const { return (width_ + 1) * kTile; }
    int pictureHeight() const { return (height_ + 1) * kTile; }
    int blocksAcross() const { return (pictureWidth() + kBlockPixels - 1) / kBlockPixels; }
    int blocksDown() const { return (pictureHeight() + kBlockPixels - 1) / kBlockPixels; }

    ChipGrid readSource(const ChipSource& source) const;
    void forgetChipArea(int x, int y, int attribute);
    void forgetBlock(Block& block);
    void forgetAll();
    const QImage& blockPicture(int bx, int by, int phase);
    // Draws the block into `picture` and answers where animated chips reach into it.
    QRegion drawBlock(QImage& picture, int bx, int by, int phase) const;
    void drawGrid(QImage& picture, const ChipGrid& grid, int left, int top, int phase,
                  QRegion& moving) const;
    // The frame's top-left corner in picture pixels.
    static QPoint frameOrigin(int viewX, int viewY) {
        return QPoint((viewX + 1) * kTile, (viewY + 1) * kTile);
    }
    // The map's picture in picture pixels (empty without a map).
    QRect pictureRect() const {
        return blocks_.empty() ? QRect() : QRect(0, 0, pictureWidth(), pictureHeight());
    }
    // Copies `part` (picture pixels) of block (bx, by), cut to the block and the frame, into the
    // frame; answers where it went in the frame.
    static QRect copyBlockPart(QImage& frame, QPoint origin, int bx, int by, const QImage& picture,
                               const QRect& part);
    // Brings the visible blocks' moving squares to `phase`.
    QRegion drawMoving(QImage& frame, QPoint origin, int phase);
    void keepWithinLimit();

    const ChipPictures& pictures_;
    int width_ = 0;
    int height_ = 0;
    std::vector<ChipGrid> grids_;
    std::vector<Block> blocks_;
    std::size_t cachedBytes_ = 0;
    std::size_t cacheLimit_ = kDefaultCacheLimit;
    std::uint64_t frameCount_ = 0;
    // What the frame last handed to drawMap shows.
    bool framed_ = false;
    QSize framedSize_;
    QPoint framedOrigin_;
    int framedPhase_ = 0;
    int blocksDrawn_ = 0;
};

}  // namespace vellmora
