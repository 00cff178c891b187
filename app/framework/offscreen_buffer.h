// A drawing surface in memory the size of a region, owned by a window.
#pragma once

#include <QImage>

class QWidget;

namespace vellmora {

class OffscreenBuffer {
public:
    // (Re)makes the surface at width × height, all black, for `owner` or the stored owner.
    // 0, or -1 when neither gives a window (the old surface is kept).
    int create(QWidget* owner, int width, int height);
    void release() { image_ = QImage(); }

    QImage& image() { return image_; }
    const QImage& image() const { return image_; }
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    QWidget* owner() const { return owner_; }

private:
    QWidget* owner_ = nullptr;
    QImage image_;
};

}  // namespace vellmora
