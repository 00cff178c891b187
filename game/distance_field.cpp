#include "game/distance_field.h"

#include <utility>

namespace vellmora {

DistanceField::DistanceField(int width, int height, std::vector<float> distances)
    : width_(width), height_(height), distances_(std::move(distances)) {
    // A field always covers its whole map; a short vector would make at() read past it.
    distances_.resize(static_cast<std::size_t>(width_ > 0 ? width_ : 0) *
                          static_cast<std::size_t>(height_ > 0 ? height_ : 0),
                      -1.0f);
}

float DistanceField::at(int x, int y) const {
    if (!contains(x, y)) {
        return -1.0f;
    }
    return distances_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                      static_cast<std::size_t>(x)];
}

int DistanceField::distanceAt(int x, int y) const {
    const float d = at(x, y);
    // Any negative distance means "not reachable"; truncation of -1.0f gives -1 as well.
    return d < 0.0f ? -1 : static_cast<int>(d);
}

}  // namespace vellmora
