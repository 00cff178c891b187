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

    // One shortest-path search from the tile (first-in-first-out label correcting) over the
    // current costs, keeping the distances up to `limit`. A source outside the map gives a field
    // in which every tile is unreachable.
    DistanceField search(int x, int y, int limit = DistanceField::kNoLimit) const;

    // Gives every walkable tile its distance field over the costs as they are now, dropping any
    // made before; later cost changes do not reach these fields. Each field is searched when it
    // is first asked for and then kept, so a town pays only for the tiles and the distances the
    // game reads.
    void computeDistanceFields();
    // The field of the tile with every distance up to `limit` (the same values as an unlimited
    // search; farther tiles may read as unreachable). Null for a tile that is not walkable, lies
    // outside the map, or before computeDistanceFields. The pointer stays valid until the same
    // tile is asked for with a greater limit, or the fields are made anew. Not thread safe: the
    // first request for a field fills the cache.
    const DistanceField* field(int x, int y, int limit = DistanceField::kNoLimit) const;
    // Whether field(x, y) would give a field, without searching.
    bool hasField(int x, int y) const;
    bool hasDistanceFields() const { return fieldsReady_; }
    // Bytes held by the fields searched so far.
    std::size_t fieldBytes() const { return fieldBytes_; }

    // The route chunk: width, height, then one signed byte of cost per tile, row by row.
    // loadChunk refuses (kRefused, graph unchanged) a chunk whose size differs from this graph's
    // or whose data is too short.
    [[nodiscard]] int loadChunk(const MapChunk& chunk);
    // Refuses (kRefused) when a cost does not fit into a signed byte.
    [[nodiscard]] int writeChunk(MapChunk& out) const;

private:
    // Buffers reused by one search after another; between searches every distance is -1 and no
    // tile is queued, so a search only resets the tiles it touched.
    struct SearchScratch {
        std::vector<std::uint32_t> ring;
        std::vector<std::uint8_t> queued;
        std::vector<float> distances;
        std::vector<std::uint32_t> touched;
    };
    DistanceField searchWith(const std::vector<std::int32_t>& costs, int x, int y, int limit,
                             SearchScratch& scratch) const;

    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_;
    int height_;
    std::vector<std::int32_t> costs_;
    // The costs the fields are searched over, fixed by computeDistanceFields.
    std::vector<std::int32_t> fieldCosts_;
    bool fieldsReady_ = false;
    mutable std::vector<std::unique_ptr<DistanceField>> fields_;
    mutable SearchScratch scratch_;
    mutable std::size_t fieldBytes_ = 0;
};

}  // namespace vellmora
