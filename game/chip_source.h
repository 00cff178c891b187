// A grid of map pictures that a map view can draw. The core only describes chip codes; drawing
// and any registration with a view belong to the shell.
#pragma once

namespace vellmora {

class ChipSource {
public:
    // Kind of a source the view draws; other kinds are skipped.
    static constexpr int kDrawnKind = 2;
    static constexpr int kNoChip = -1;

    virtual ~ChipSource() = default;

    // Sources are drawn in ascending priority.
    virtual int priority() const { return 0; }
    virtual int kind() const = 0;
    virtual int width() const = 0;
    virtual int height() const = 0;
    // Chip code of display layer `layer` at the tile: -1 for nothing; 0-255 a still picture,
    // 256-511 an animated one.
    virtual int chip(int x, int y, int layer) const = 0;
    // The chip's extra extent in tiles up and to the left (0 for a one-tile chip).
    virtual int attribute(int x, int y, int layer) const = 0;

protected:
    ChipSource() = default;
    ChipSource(const ChipSource&) = default;
    ChipSource& operator=(const ChipSource&) = default;
};

}  // namespace vellmora
