// Shortest walking distances from one source tile, kept up to a limit: a field holds the
// rectangle of the map that its search reached within the limit, and reads every tile outside
// that rectangle, or farther than the limit, as unreachable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace vellmora {

class DistanceField {
public:
    // A limit no distance can exceed: the field holds every reachable tile.
    static constexpr int kNoLimit = std::numeric_limits<int>::max();

    // A field over the whole map; `distances` holds width * height values row by row, -1.0f
    // marking a tile that cannot be reached.
    DistanceField(int width, int height, std::vector<float> distances);
    // A field over the window (left, top, windowWidth x windowHeight) of a width x height map;
    // `distances` holds the window's values row by row, -1 for a tile not reached. The caller
    // keeps every value at or below `limit`.
    DistanceField(int width, int height, int limit, int left, int top, int windowWidth,
                  int windowHeight, std::vector<std::int32_t> distances);

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    // Distances above this were not kept: such tiles read as unreachable.
    int limit() const { return limit_; }

    // -1.0f for a tile that cannot be reached (within the limit) or lies outside the map; 0 at
    // the source.
    float at(int x, int y) const;
    // The distance truncated toward zero, as every reader of distances uses it; -1 when the tile
    // cannot be reached (within the limit) or lies outside the map.
    int distanceAt(int x, int y) const;

    // Calls visit(x, y, d) for every tile whose distance d is known and at most `maxDistance`
    // (which should not exceed the limit), rows from the top, columns from the left.
    template <typename Visit>
    void forTilesWithin(int maxDistance, Visit visit) const {
        for (int row = 0; row < windowHeight_; ++row) {
            const std::int32_t* line =
                &distances_[static_cast<std::size_t>(row) * static_cast<std::size_t>(windowWidth_)];
            for (int column = 0; column < windowWidth_; ++column) {
                const std::int32_t d = line[column];
                if (d >= 0 && d <= maxDistance) {
                    visit(left_ + column, top_ + row, static_cast<int>(d));
                }
            }
        }
    }

    // Bytes held by the field, for memory accounting.
    std::size_t bytes() const {
        return sizeof(*this) + distances_.capacity() * sizeof(std::int32_t);
    }

private:
    int width_;
    int height_;
    int limit_;
    int left_ = 0;
    int top_ = 0;
    int windowWidth_ = 0;
    int windowHeight_ = 0;
    // Whole-number distances: every walking cost is a whole number.
    std::vector<std::int32_t> distances_;
};

}  // namespace vellmora
