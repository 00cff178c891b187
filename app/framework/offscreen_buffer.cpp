#include "app/framework/offscreen_buffer.h"

#include <algorithm>

namespace vellmora {

int OffscreenBuffer::create(QWidget* owner, int width, int height) {
    QWidget* window = owner != nullptr ? owner : owner_;
    if (window == nullptr) {
        return -1;
    }
    owner_ = window;
    image_ = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image_.fill(Qt::black);
    return 0;
}

}  // namespace vellmora
