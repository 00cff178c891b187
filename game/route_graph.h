// The walking graph of the town: one node per tile; stepping onto a tile costs that tile's move
// cost. Every walking distance the market uses comes from the distance fields made here.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "data/map_chunk.h"
#include "game/distance_field.h"

namespace vellmora {

class RouteGraph {
public:
    static constexpr int kNotWalkable = -1;

    // Every tile starts not walkable, with no edges and no distance field.
    RouteGraph(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // The cost of stepping onto the tile; -1 when it cannot be walked or lies outside the map.
    int cost(int x, int y) const;
    bool walkable(int x, int y) const { return cost(x, y) >= 0; }
    // Records the cost of stepping onto the tile from any of its four neighbours. Any negative
    // cost makes the tile not walkable (stored as -1): nothing can step onto it any more. Outside
    // the map nothing happens. Distance fields already made are not changed.
    void setCost(int x, int y, int cost);

    // One shortest-path search from the tile (first-in-first-out label correcting). A source
    // outside the map gives a field in which every tile is unreachable.
    DistanceField search(int x, int y) const;

    // Makes the distance field of every walkable tile, dropping any made before.
    void computeDistanceFields();
    // Null for a tile that is not walkable, lies outside the map, or has no field made yet.
    const DistanceField* field(int x, int y) const;
    bool hasDistanceFields() const { return !fields_.empty(); }

    // The route chunk: width, height, then one signed byte of cost per tile, row by row.
    // loadChunk refuses (kRefused, graph unchanged) a chunk whose size differs from this graph's
    // or whose data is too short.
    [[nodiscard]] int loadChunk(const MapChunk& chunk);
    // Refuses (kRefused) when a cost does not fit into a signed byte.
    [[nodiscard]] int writeChunk(MapChunk& out) const;

private:
    // Buffers reused by one search after another.
    struct SearchScratch {
        std::vector<std::uint32_t> ring;
        std::vector<std::uint8_t> queued;
    };
    void searchInto(int x, int y, SearchScratch& scratch, std::vector<float>& distances) const;

    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_;
    int height_;
    std::vector<std::int32_t> costs_;
    std::vector<std::unique_ptr<DistanceField>> fields_;
};

}  // namespace vellmora
