#include "game/route_graph.h"

#include <algorithm>
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
// of the tile entered, the float sums stay exact. A step that would end beyond `limit` is not
// taken: costs are never negative, so no shortest path to a tile within the limit passes beyond
// it, and every distance up to the limit is the same as without one.
DistanceField RouteGraph::searchWith(const std::vector<std::int32_t>& costs, int x, int y,
                                     int limit, SearchScratch& scratch) const {
    const std::size_t count = costs.size();
    if (!contains(x, y) || count == 0) {
        return DistanceField(width_, height_, limit, 0, 0, 0, 0, {});
    }
    if (scratch.distances.size() != count) {
        scratch.distances.assign(count, -1.0f);
        scratch.queued.assign(count, 0);
        // Each tile is in the queue at most once, so a ring of `count` slots never overflows.
        scratch.ring.resize(count);
    }
    std::vector<float>& distances = scratch.distances;
    std::vector<std::uint32_t>& touched = scratch.touched;
    touched.clear();
    const double farthest = static_cast<double>(limit);
    std::size_t head = 0;
    std::size_t size = 0;
    auto push = [&](std::size_t tile) {
        scratch.ring[(head + size) % count] = static_cast<std::uint32_t>(tile);
        ++size;
        scratch.queued[tile] = 1;
    };

    distances[index(x, y)] = 0.0f;
    touched.push_back(static_cast<std::uint32_t>(index(x, y)));
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
            const std::int32_t c = costs[to];
            if (c < 0) {
                return;
            }
            const float candidate = base + static_cast<float>(c);
            if (static_cast<double>(candidate) > farthest) {
                return;
            }
            if (distances[to] >= 0.0f) {
                if (!(candidate < distances[to])) {
                    return;
                }
            } else {
                touched.push_back(static_cast<std::uint32_t>(to));
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

    std::size_t left = w;
    std::size_t right = 0;
    std::size_t top = h;
    std::size_t bottom = 0;
    for (const std::uint32_t tile : touched) {
        left = std::min<std::size_t>(left, tile % w);
        right = std::max<std::size_t>(right, tile % w);
        top = std::min<std::size_t>(top, tile / w);
        bottom = std::max<std::size_t>(bottom, tile / w);
    }
    const std::size_t windowWidth = right - left + 1;
    const std::size_t windowHeight = bottom - top + 1;
    std::vector<std::int32_t> window(windowWidth * windowHeight, -1);
    for (const std::uint32_t tile : touched) {
        const std::size_t at = (tile / w - top) * windowWidth + (tile % w - left);
        window[at] = static_cast<std::int32_t>(distances[tile]);
        distances[tile] = -1.0f;
    }
    return DistanceField(width_, height_, limit, static_cast<int>(left), static_cast<int>(top),
                         static_cast<int>(windowWidth), static_cast<int>(windowHeight),
                         std::move(window));
}

DistanceField RouteGraph::search(int x, int y, int limit) const {
    SearchScratch scratch;
    return searchWith(costs_, x, y, limit, scratch);
}

void RouteGraph::computeDistanceFields() {
    fieldCosts_ = costs_;
    fields_.clear();
    fields_.resize(costs_.size());
    fieldBytes_ = 0;
    fieldsReady_ = true;
}

bool RouteGraph::hasField(int x, int y) const {
    return fieldsReady_ && contains(x, y) && fieldCosts_[index(x, y)] >= 0;
}

const DistanceField* RouteGraph::field(int x, int y, int limit) const {
    if (!hasField(x, y)) {
        return nullptr;
    }
    std::unique_ptr<DistanceField>& cached = fields_[index(x, y)];
    if (cached == nullptr || cached->limit() < limit) {
        if (cached != nullptr) {
            fieldBytes_ -= cached->bytes();
        }
        cached = std::make_unique<DistanceField>(searchWith(fieldCosts_, x, y, limit, scratch_));
        fieldBytes_ += cached->bytes();
    }
    return cached.get();
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
    fieldCosts_.clear();
    fieldBytes_ = 0;
    fieldsReady_ = false;
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
