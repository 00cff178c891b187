// Shortest walking distances from one source tile to every tile of the map.
#pragma once

#include <vector>

namespace vellmora {

class DistanceField {
public:
    // `distances` holds width * height values row by row; -1.0f marks a tile that cannot be
    // reached.
    DistanceField(int width, int height, std::vector<float> distances);

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // -1.0f for a tile that cannot be reached or lies outside the map; 0 at the source.
    float at(int x, int y) const;
    // The distance truncated toward zero, as every reader of distances uses it; -1 when the tile
    // cannot be reached or lies outside the map.
    int distanceAt(int x, int y) const;

    const std::vector<float>& values() const { return distances_; }

private:
    int width_;
    int height_;
    std::vector<float> distances_;
};

}  // namespace vellmora
