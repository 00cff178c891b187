#include "game/route_graph.h"

#include <limits>

#include "data/result_codes.h"

namespace vellmora {

RouteGraph::RouteGraph(int width, int height)
    : width_(width > 0 ? width : 0),
      height_(height > 0 ? height : 0),
      costs_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), kNotWalkable) {}

int RouteGraph::cost(int x, int y) const {
    return contains(x, y) ? costs_[index(x, y)] : kNotWalkable;
}

void RouteGraph::setCost(int x, int y, int cost) {
    if (!contains(x, y)) {
        return;
    }
    costs_[index(x, y)] = cost < 0 ? kNotWalkable : cost;
}

// Label correcting with a FIFO queue: a tile is queued when first reached and queued again
// whenever a strictly shorter distance is found for it (a tile already waiting in the queue is
// not added twice, which changes no result). With edge weights that are the (whole number) cost
// of the tile entered, the float sums stay exact.
void RouteGraph::searchInto(int x, int y, SearchScratch& scratch,
                            std::vector<float>& distances) const {
    const std::size_t count = costs_.size();
    distances.assign(count, -1.0f);
    if (!contains(x, y)) {
        return;
    }
    // Each tile is in the queue at most once, so a ring of `count` slots never overflows.
    scratch.ring.resize(count);
    scratch.queued.assign(count, 0);
    std::size_t head = 0;
    std::size_t size = 0;
    auto push = [&](std::size_t tile) {
        scratch.ring[(head + size) % count] = static_cast<std::uint32_t>(tile);
        ++size;
        scratch.queued[tile] = 1;
    };

    distances[index(x, y)] = 0.0f;
    push(index(x, y));
    const std::size_t w = static_cast<std::size_t>(width_);
    const std::size_t h = static_cast<std::size_t>(height_);
    while (size > 0) {
        const std::size_t from = scratch.ring[head];
        head = head + 1 == count ? 0 : head + 1;
        --size;
        scratch.queued[from] = 0;
        const std::size_t fx = from % w;
        const std::size_t fy = from / w;
        const float base = distances[from];
        auto relax = [&](std::size_t to) {
            const std::int32_t c = costs_[to];
            if (c < 0) {
                return;
            }
            const float candidate = base + static_cast<float>(c);
            if (distances[to] >= 0.0f && !(candidate < distances[to])) {
                return;
            }
            distances[to] = candidate;
            if (scratch.queued[to] == 0) {
                push(to);
            }
        };
        if (fx > 0) {
            relax(from - 1);
        }
        if (fx + 1 < w) {
            relax(from + 1);
        }
        if (fy > 0) {
            relax(from - w);
        }
        if (fy + 1 < h) {
            relax(from + w);
        }
    }
}

DistanceField RouteGraph::search(int x, int y) const {
    SearchScratch scratch;
    std::vector<float> distances;
    searchInto(x, y, scratch, distances);
    return DistanceField(width_, height_, std::move(distances));
}

void RouteGraph::computeDistanceFields() {
    fields_.clear();
    fields_.resize(costs_.size());
    SearchScratch scratch;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (costs_[index(x, y)] >= 0) {
                std::vector<float> distances;
                searchInto(x, y, scratch, distances);
                fields_[index(x, y)] =
                    std::make_unique<DistanceField>(width_, height_, std::move(distances));
            }
        }
    }
}

const DistanceField* RouteGraph::field(int x, int y) const {
    if (!contains(x, y) || fields_.empty()) {
        return nullptr;
    }
    return fields_[index(x, y)].get();
}

int RouteGraph::loadChunk(const MapChunk& chunk) {
    std::int32_t width = 0;
    std::int32_t height = 0;
    if (!chunk.readInt32(0, width) || !chunk.readInt32(4, height) || width != width_ ||
        height != height_) {
        return kRefused;
    }
    const std::size_t tiles = costs_.size();
    if (chunk.data().size() - 8 < tiles) {
        return kRefused;
    }
    std::vector<std::int32_t> costs(tiles);
    for (std::size_t i = 0; i < tiles; ++i) {
        const std::int8_t value = static_cast<std::int8_t>(chunk.data()[8 + i]);
        costs[i] = value < 0 ? kNotWalkable : value;
    }
    costs_ = std::move(costs);
    fields_.clear();
    return kOk;
}

int RouteGraph::writeChunk(MapChunk& out) const {
    MapChunk chunk;
    chunk.appendInt32(width_);
    chunk.appendInt32(height_);
    for (std::int32_t c : costs_) {
        if (c > std::numeric_limits<std::int8_t>::max()) {
            return kRefused;
        }
        chunk.appendInt8(static_cast<std::int8_t>(c));
    }
    out = std::move(chunk);
    return kOk;
}

}  // namespace vellmora
