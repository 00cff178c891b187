#include "game/route_graph.h"

#include <deque>
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
// whenever a strictly shorter distance is found for it. With edge weights that are the (whole
// number) cost of the tile entered, the float sums stay exact.
DistanceField RouteGraph::search(int x, int y) const {
    std::vector<float> distances(costs_.size(), -1.0f);
    if (!contains(x, y)) {
        return DistanceField(width_, height_, std::move(distances));
    }
    std::vector<bool> queued(costs_.size(), false);
    std::deque<std::size_t> queue;
    const std::size_t source = index(x, y);
    distances[source] = 0.0f;
    queue.push_back(source);
    queued[source] = true;

    const std::size_t w = static_cast<std::size_t>(width_);
    while (!queue.empty()) {
        const std::size_t from = queue.front();
        queue.pop_front();
        queued[from] = false;
        const std::size_t fx = from % w;
        const std::size_t fy = from / w;
        const std::size_t neighbours[4] = {
            fx > 0 ? from - 1 : from,
            fx + 1 < w ? from + 1 : from,
            fy > 0 ? from - w : from,
            fy + 1 < static_cast<std::size_t>(height_) ? from + w : from,
        };
        for (std::size_t to : neighbours) {
            if (to == from || costs_[to] < 0) {
                continue;
            }
            const float candidate = distances[from] + static_cast<float>(costs_[to]);
            if (distances[to] >= 0.0f && !(candidate < distances[to])) {
                continue;
            }
            distances[to] = candidate;
            if (!queued[to]) {
                queued[to] = true;
                queue.push_back(to);
            }
        }
    }
    return DistanceField(width_, height_, std::move(distances));
}

void RouteGraph::computeDistanceFields() {
    fields_.clear();
    fields_.resize(costs_.size());
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (costs_[index(x, y)] >= 0) {
                fields_[index(x, y)] = std::make_unique<DistanceField>(search(x, y));
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
