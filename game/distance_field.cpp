#include "game/distance_field.h"

#include <utility>

namespace vellmora {

DistanceField::DistanceField(int width, int height, std::vector<float> distances)
    : width_(width > 0 ? width : 0),
      height_(height > 0 ? height : 0),
      limit_(kNoLimit),
      windowWidth_(width_),
      windowHeight_(height_) {
    // A short vector reads as unreachable tiles rather than past its end.
    const std::size_t count =
        static_cast<std::size_t>(windowWidth_) * static_cast<std::size_t>(windowHeight_);
    distances_.assign(count, -1);
    for (std::size_t i = 0; i < count && i < distances.size(); ++i) {
        // Any negative distance means "not reachable"; truncation of -1.0f gives -1 as well.
        distances_[i] = distances[i] < 0.0f ? -1 : static_cast<std::int32_t>(distances[i]);
    }
}

DistanceField::DistanceField(int width, int height, int limit, int left, int top, int windowWidth,
                             int windowHeight, std::vector<std::int32_t> distances)
    : width_(width > 0 ? width : 0),
      height_(height > 0 ? height : 0),
      limit_(limit),
      left_(left),
      top_(top),
      windowWidth_(windowWidth > 0 ? windowWidth : 0),
      windowHeight_(windowHeight > 0 ? windowHeight : 0),
      distances_(std::move(distances)) {
    distances_.resize(
        static_cast<std::size_t>(windowWidth_) * static_cast<std::size_t>(windowHeight_), -1);
}

float DistanceField::at(int x, int y) const {
    const int d = distanceAt(x, y);
    return d < 0 ? -1.0f : static_cast<float>(d);
}

int DistanceField::distanceAt(int x, int y) const {
    const int column = x - left_;
    const int row = y - top_;
    if (!contains(x, y) || column < 0 || row < 0 || column >= windowWidth_ ||
        row >= windowHeight_) {
        return -1;
    }
    return distances_[static_cast<std::size_t>(row) * static_cast<std::size_t>(windowWidth_) +
                      static_cast<std::size_t>(column)];
}

}  // namespace vellmora
