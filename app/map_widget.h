// The widget that shows the map view's frames. It lives on the GUI thread; the view's worker
// tells it of each finished frame by a queued call; it then copies and repaints only what
// changed.
// Mouse events pass through to the parent, which runs the mouse modes.
#pragma once

#include <QImage>
#include <QWidget>

namespace vellmora {

class MapView;

class MapWidget : public QWidget {
public:
    MapWidget(MapView* view, QWidget* parent);
    ~MapWidget() override;

    // Brings its copy of the frame up to the view's newest and repaints what changed (the
    // view's queued notice).
    void takeFrame();
    const QImage& shownFrame() const { return frame_; }
    // Called by the view when it goes away first.
    void forgetView() { view_ = nullptr; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    MapView* view_;
    QImage frame_;
};

}  // namespace vellmora
