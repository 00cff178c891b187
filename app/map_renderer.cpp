#include "app/map_renderer.h"

#include <algorithm>

#include "app/chip_pictures.h"
#include "app/pixel_copy.h"
#include "game/chip_source.h"

namespace vellmora {

namespace {

constexpr int kSheetColumns = 16;
constexpr int kMotionBase = 256;
constexpr int kCodeLimit = 512;
constexpr QRgb kBlack = 0xFF000000u;

}  // namespace

void MapRenderer::setMapSize(int width, int height) {
    width_ = std::clamp(width, 0, kMaxMapTiles);
    height_ = std::clamp(height, 0, kMaxMapTiles);
    grids_.clear();
    forgetAll();
}

MapRenderer::ChipGrid MapRenderer::readSource(const ChipSource& source) const {
    ChipGrid grid;
    const std::size_t cells = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) *
                              static_cast<std::size_t>(kLayers);
    grid.chips.assign(cells, ChipSource::kNoChip);
    grid.attributes.assign(cells, 0);
    // A chip this large already reaches past the margin above and left of the map; more
    // extent would only be cut off, and the source cell under each pixel does not depend on it.
    const int reachLimit = std::max(width_, height_) + 1;
    for (int z = 0; z < kLayers; ++z) {
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                const int chip = source.chip(x, y, z);
                if (chip < 0 || chip >= kCodeLimit) {
                    continue;
                }
                const int attribute = source.attribute(x, y, z);
                if (attribute < 0) {
                    continue;  // no extent: nothing to draw
                }
                const std::size_t at = cell(x, y, z);
                grid.chips[at] = chip;
                grid.attributes[at] = std::min(attribute, reachLimit);
                grid.maxAttribute = std::max(grid.maxAttribute, grid.attributes[at]);
            }
        }
    }
    return grid;
}

void MapRenderer::update(const std::vector<ChipSource*>& sources) {
    std::vector<ChipGrid> grids;
    for (const ChipSource* source : sources) {
        if (source != nullptr && source->kind() == ChipSource::kDrawnKind) {
            grids.push_back(readSource(*source));
        }
    }
    if (grids.size() != grids_.size()) {
        forgetAll();
    } else {
        for (std::size_t g = 0; g < grids.size(); ++g) {
            const ChipGrid& before = grids_[g];
            const ChipGrid& after = grids[g];
            for (int z = 0; z < kLayers; ++z) {
                for (int y = 0; y < height_; ++y) {
                    for (int x = 0; x < width_; ++x) {
                        const std::size_t at = cell(x, y, z);
                        if (before.chips[at] == after.chips[at] &&
                            before.attributes[at] == after.attributes[at]) {
                            continue;
                        }
                        if (before.chips[at] >= 0) {
                            forgetChipArea(x, y, before.attributes[at]);
                        }
                        if (after.chips[at] >= 0) {
                            forgetChipArea(x, y, after.attributes[at]);
                        }
                    }
                }
            }
        }
    }
    grids_ = std::move(grids);
    framed_ = false;
}

void MapRenderer::forgetChipArea(int x, int y, int attribute) {
    // The chip's square in picture pixels, cut to the picture.
    const int left = std::max(0, (x - attribute + 1) * kTile);
    const int top = std::max(0, (y - attribute + 1) * kTile);
    const int right = std::min(pictureWidth(), (x + 2) * kTile);
    const int bottom = std::min(pictureHeight(), (y + 2) * kTile);
    if (left >= right || top >= bottom) {
        return;
    }
    for (int by = top / kBlockPixels; by <= (bottom - 1) / kBlockPixels; ++by) {
        for (int bx = left / kBlockPixels; bx <= (right - 1) / kBlockPixels; ++bx) {
            forgetBlock(blocks_[static_cast<std::size_t>(by * blocksAcross() + bx)]);
        }
    }
}

void MapRenderer::forgetBlock(Block& block) {
    for (QImage& picture : block.pictures) {
        if (!picture.isNull()) {
            cachedBytes_ -= static_cast<std::size_t>(picture.sizeInBytes());
            picture = QImage();
        }
    }
    block.state = BlockState::Unknown;
    block.moving = QRegion();
}

void MapRenderer::forgetAll() {
    framed_ = false;
    blocks_.clear();
    cachedBytes_ = 0;
    if (width_ > 0 && height_ > 0) {
        blocks_.resize(static_cast<std::size_t>(blocksAcross()) *
                       static_cast<std::size_t>(blocksDown()));
    }
}

int MapRenderer::takeBlocksDrawn() {
    const int drawn = blocksDrawn_;
    blocksDrawn_ = 0;
    return drawn;
}

const QImage& MapRenderer::blockPicture(int bx, int by, int phase) {
    Block& block = blocks_[static_cast<std::size_t>(by * blocksAcross() + bx)];
    const int slot = block.state == BlockState::Still ? 0 : phase;
    if (block.state != BlockState::Unknown && !block.pictures[slot].isNull()) {
        block.lastShown[slot] = frameCount_;
        return block.pictures[slot];
    }
    const int left = bx * kBlockPixels;
    const int top = by * kBlockPixels;
    QImage picture(std::min(kBlockPixels, pictureWidth() - left),
                   std::min(kBlockPixels, pictureHeight() - top), QImage::Format_RGB32);
    picture.fill(kBlack);
    QRegion moving = drawBlock(picture, bx, by, phase);
    ++blocksDrawn_;
    const bool animated = !moving.isEmpty();
    const int keptSlot = animated ? phase : 0;
    if (!animated) {
        forgetBlock(block);
    }
    block.state = animated ? BlockState::Animated : BlockState::Still;
    block.moving = std::move(moving);
    cachedBytes_ += static_cast<std::size_t>(picture.sizeInBytes());
    block.pictures[keptSlot] = std::move(picture);
    block.lastShown[keptSlot] = frameCount_;
    return block.pictures[keptSlot];
}

QRegion MapRenderer::drawBlock(QImage& picture, int bx, int by, int phase) const {
    QRegion moving;
    for (const ChipGrid& grid : grids_) {
        drawGrid(picture, grid, bx * kBlockPixels, by * kBlockPixels, phase, moving);
    }
    return moving;
}

void MapRenderer::drawGrid(QImage& picture, const ChipGrid& grid, int left, int top, int phase,
                           QRegion& moving) const {
    // Tiles whose chips can reach the block: from the block's own first tile (the picture's
    // tile 0 is map tile -1) to its last plus the largest extent.
    const int firstX = std::max(0, left / kTile - 1);
    const int firstY = std::max(0, top / kTile - 1);
    const int lastX =
        std::min(width_ - 1, (left + picture.width() - 1) / kTile - 1 + grid.maxAttribute);
    const int lastY =
        std::min(height_ - 1, (top + picture.height() - 1) / kTile - 1 + grid.maxAttribute);
    const QImage& mapChip = pictures_.mapChip;
    const QImage& motionChip = pictures_.motionChip;
    for (int y = firstY; y <= lastY; ++y) {
        for (int x = firstX; x <= lastX; ++x) {
            for (int z = 0; z < kLayers; ++z) {
                const std::size_t at = cell(x, y, z);
                const int chip = grid.chips[at];
                if (chip < 0) {
                    continue;
                }
                const int a = grid.attributes[at];
                const int side = (a + 1) * kTile;
                // The chip's bottom-right tile covers (x, y); it spreads `a` tiles up and left.
                const int dx = (x - a + 1) * kTile - left;
                const int dy = (y - a + 1) * kTile - top;
                if (dx >= picture.width() || dy >= picture.height() || dx + side <= 0 ||
                    dy + side <= 0) {
                    continue;
                }
                if (chip < kMotionBase) {
                    copyMasked(picture, dx, dy, mapChip, (chip % kSheetColumns - a) * kTile,
                               (chip / kSheetColumns - a) * kTile, side, side);
                } else {
                    const int m = chip - kMotionBase;
                    if (!motionChip.isNull()) {
                        moving += QRect(left + dx, top + dy, side, side) &
                                  QRect(left, top, picture.width(), picture.height());
                    }
                    copyMasked(picture, dx, dy, motionChip, (m % kSheetColumns - a) * kTile,
                               (m / kSheetColumns - a + phase) * kTile, side, side);
                }
            }
        }
    }
}

QRegion MapRenderer::drawMap(QImage& frame, int viewX, int viewY, int phase) {
    ++frameCount_;
    if (frame.isNull()) {
        return {};
    }
    const QPoint origin = frameOrigin(viewX, viewY);
    QRegion changed;
    if (framed_ && frame.size() == framedSize_ && origin == framedOrigin_) {
        changed = drawMoving(frame, origin, phase);
    } else {
        drawArea(frame, viewX, viewY, frame.rect(), phase);
        changed = frame.rect();
        framed_ = true;
        framedSize_ = frame.size();
        framedOrigin_ = origin;
    }
    framedPhase_ = phase;
    keepWithinLimit();
    return changed;
}

QRegion MapRenderer::drawMoving(QImage& frame, QPoint origin, int phase) {
    const QRect shown = QRect(origin, frame.size()) & pictureRect();
    QRegion changed;
    if (shown.isEmpty()) {
        return changed;
    }
    for (int by = shown.top() / kBlockPixels; by <= shown.bottom() / kBlockPixels; ++by) {
        for (int bx = shown.left() / kBlockPixels; bx <= shown.right() / kBlockPixels; ++bx) {
            Block& block = blocks_[static_cast<std::size_t>(by * blocksAcross() + bx)];
            const bool known = block.state != BlockState::Unknown;
            if (known && (block.state == BlockState::Still || phase == framedPhase_)) {
                // The frame shows it already; keep its picture as one on screen.
                const int slot = block.state == BlockState::Still ? 0 : phase;
                if (!block.pictures[slot].isNull()) {
                    block.lastShown[slot] = frameCount_;
                }
                continue;
            }
            const QImage& picture = blockPicture(bx, by, phase);
            // A block drawn anew from nothing is copied whole; a known one only where it moves.
            const QRegion parts =
                known ? block.moving
                      : QRegion(QRect(QPoint(bx, by) * kBlockPixels, picture.size()));
            for (const QRect& part : parts) {
                changed += copyBlockPart(frame, origin, bx, by, picture, part);
            }
        }
    }
    return changed;
}

void MapRenderer::drawArea(QImage& frame, int viewX, int viewY, const QRect& area, int phase) {
    const QPoint origin = frameOrigin(viewX, viewY);
    const QRect target = area & frame.rect();
    if (target.isEmpty()) {
        return;
    }
    // Black around the part of the picture that the blocks cover.
    const QRect covered = pictureRect().translated(-origin) & target;
    for (const QRect& part : QRegion(target) - QRegion(covered)) {
        fillRect(frame, part.x(), part.y(), part.width(), part.height(), kBlack);
    }
    if (covered.isEmpty()) {
        return;
    }
    const QRect inPicture = covered.translated(origin);
    for (int by = inPicture.top() / kBlockPixels; by <= inPicture.bottom() / kBlockPixels; ++by) {
        for (int bx = inPicture.left() / kBlockPixels; bx <= inPicture.right() / kBlockPixels;
             ++bx) {
            copyBlockPart(frame, origin, bx, by, blockPicture(bx, by, phase), inPicture);
        }
    }
}

QRect MapRenderer::copyBlockPart(QImage& frame, QPoint origin, int bx, int by,
                                 const QImage& picture, const QRect& part) {
    const QPoint blockOrigin = QPoint(bx, by) * kBlockPixels;
    const QRect inFrame =
        (QRect(blockOrigin, picture.size()) & part).translated(-origin) & frame.rect();
    if (inFrame.isEmpty()) {
        return {};
    }
    const QPoint from = inFrame.topLeft() + origin - blockOrigin;
    copyOpaque(frame, inFrame.x(), inFrame.y(), picture, from.x(), from.y(), inFrame.width(),
               inFrame.height());
    return inFrame;
}

void MapRenderer::keepWithinLimit() {
    while (cachedBytes_ > cacheLimit_) {
        Block* oldest = nullptr;
        int oldestSlot = 0;
        for (Block& block : blocks_) {
            for (int slot = 0; slot < kPhases; ++slot) {
                // Pictures shown in this frame stay, even beyond the limit.
                if (!block.pictures[slot].isNull() && block.lastShown[slot] != frameCount_ &&
                    (oldest == nullptr || block.lastShown[slot] < oldest->lastShown[oldestSlot])) {
                    oldest = &block;
                    oldestSlot = slot;
                }
            }
        }
        if (oldest == nullptr) {
            return;
        }
        cachedBytes_ -= static_cast<std::size_t>(oldest->pictures[oldestSlot].sizeInBytes());
        oldest->pictures[oldestSlot] = QImage();
        if (oldest->state == BlockState::Still) {
            oldest->state = BlockState::Unknown;
        }
    }
}

void MapRenderer::drawMarker(QImage& frame, int viewX, int viewY, int x, int y, int code) const {
    const QImage& sheet = pictures_.mapChip;
    if (code < 0 || sheet.isNull()) {
        return;
    }
    const long long sourceY = static_cast<long long>(code / kSheetColumns) * kTile;
    if (sourceY >= sheet.height()) {
        return;
    }
    copyMasked(frame, (x - viewX) * kTile, (y - viewY) * kTile, sheet, code % kSheetColumns * kTile,
               static_cast<int>(sourceY), kTile, kTile);
}

}  // namespace vellmora
