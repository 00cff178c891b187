// The town map's seven display layers: per tile and layer a chip code and an attribute.
// Layer 0 holds underlays, layer 1 the overlays of the display modes, layer 2 the pictures that
// an overlay replaces. In normal view layer 1 reads as nothing; otherwise layer 2 does.
#pragma once

#include <cstdint>
#include <vector>

#include "game/chip_source.h"

namespace vellmora {

class MapLayers final : public ChipSource {
public:
    static constexpr int kLayerCount = 7;
    static constexpr int kOverlayLayer = 1;
    static constexpr int kReplacedLayer = 2;

    // Every layer of every tile empty (chip -1, attribute 0); normal view on.
    MapLayers(int width, int height);

    int kind() const override { return kDrawnKind; }
    int width() const override { return width_; }
    int height() const override { return height_; }
    // -1 outside the map or the layers, and for the layer that the view flag hides.
    int chip(int x, int y, int layer) const override;
    // 0 outside the map or the layers.
    int attribute(int x, int y, int layer) const override;

    // The stored values, whatever the view flag says (-1 / 0 outside).
    int storedChip(int x, int y, int layer) const;

    bool normalView() const { return normalView_; }
    void setNormalView(bool normal) { normalView_ = normal; }

    // Both ignore a tile or layer outside the grid.
    void set(int x, int y, int layer, int chip, int attribute);
    void clear(int x, int y, int layer) { set(x, y, layer, kNoChip, 0); }

    bool contains(int x, int y, int layer) const {
        return x >= 0 && y >= 0 && x < width_ && y < height_ && layer >= 0 && layer < kLayerCount;
    }

private:
    std::size_t index(int x, int y, int layer) const {
        return (static_cast<std::size_t>(layer) * static_cast<std::size_t>(height_) +
                static_cast<std::size_t>(y)) *
                   static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_;
    int height_;
    bool normalView_ = true;
    std::vector<std::int32_t> chips_;
    std::vector<std::int32_t> attributes_;
};

}  // namespace vellmora
