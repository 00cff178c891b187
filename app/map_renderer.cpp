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
}

void MapRenderer::forgetAll() {
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
    const bool animated = drawBlock(picture, bx, by, phase);
    ++blocksDrawn_;
    const int keptSlot = animated ? phase : 0;
    if (!animated) {
        forgetBlock(block);
    }
    block.state = animated ? BlockState::Animated : BlockState::Still;
    cachedBytes_ += static_cast<std::size_t>(picture.sizeInBytes());
    block.pictures[keptSlot] = std::move(picture);
    block.lastShown[keptSlot] = frameCount_;
    return block.pictures[keptSlot];
}

bool MapRenderer::drawBlock(QImage& picture, int bx, int by, int phase) const {
    bool animated = false;
    for (const ChipGrid& grid : grids_) {
        drawGrid(picture, grid, bx * kBlockPixels, by * kBlockPixels, phase, animated);
    }
    return animated;
}

void MapRenderer::drawGrid(QImage& picture, const ChipGrid& grid, int left, int top, int phase,
                           bool& animated) const {
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
                    animated = animated || !motionChip.isNull();
                    copyMasked(picture, dx, dy, motionChip, (m % kSheetColumns - a) * kTile,
                               (m / kSheetColumns - a + phase) * kTile, side, side);
                }
            }
        }
    }
}

void MapRenderer::drawMap(QImage& frame, int viewX, int viewY, int phase) {
    ++frameCount_;
    if (frame.isNull()) {
        return;
    }
    if (blocks_.empty()) {
        frame.fill(kBlack);
        return;
    }
    // The frame's top-left corner in picture pixels.
    const int originX = (viewX + 1) * kTile;
    const int originY = (viewY + 1) * kTile;
    const int left = std::max(0, originX);
    const int top = std::max(0, originY);
    const int right = std::min(pictureWidth(), originX + frame.width());
    const int bottom = std::min(pictureHeight(), originY + frame.height());
    if (left >= right || top >= bottom) {
        frame.fill(kBlack);
        return;
    }
    // Black around the part of the picture that the blocks cover.
    const int w = frame.width();
    const int h = frame.height();
    fillRect(frame, 0, 0, w, top - originY, kBlack);
    fillRect(frame, 0, bottom - originY, w, h, kBlack);
    fillRect(frame, 0, 0, left - originX, h, kBlack);
    fillRect(frame, right - originX, 0, w, h, kBlack);
    const int bx0 = left / kBlockPixels;
    const int by0 = top / kBlockPixels;
    const int bx1 = (right - 1) / kBlockPixels;
    const int by1 = (bottom - 1) / kBlockPixels;
    for (int by = by0; by <= by1; ++by) {
        for (int bx = bx0; bx <= bx1; ++bx) {
            const QImage& picture = blockPicture(bx, by, phase);
            copyOpaque(frame, bx * kBlockPixels - originX, by * kBlockPixels - originY, picture, 0,
                       0, picture.width(), picture.height());
        }
    }
    keepWithinLimit();
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
