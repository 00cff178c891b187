// Two sliders for the music and effect volumes, applied while they move.
#pragma once

#include <functional>

#include "app/framework/dialog.h"

class QSlider;
class QWidget;

namespace vellmora {

// Called with the music and effect volumes (0 to 100) whenever a slider moves.
using ApplyVolumes = std::function<void(int musicPercent, int effectsPercent)>;

class VolumeDialog : public Dialog {
public:
    static constexpr int kMusicSlider = 1001;
    static constexpr int kEffectsSlider = 1002;

    // OK ends the dialog with 0; Cancel, Escape and the close box with kIdCancel.
    VolumeDialog(int musicPercent, int effectsPercent, ApplyVolumes apply,
                 QWidget* parent = nullptr);

    int musicVolume() const { return music_; }
    int effectsVolume() const { return effects_; }

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code) override;
    bool onClose() override;
    bool onHScroll(int id, int position) override;

private:
    QSlider* addSlider(const QString& label, int id, int percent);

    ApplyVolumes apply_;
    int music_;
    int effects_;
};

// Shows the dialog modally over `parent`. OK: answers 0 and leaves the chosen values in
// musicPercent and effectsPercent. Cancel or closing: applies the starting values again and
// answers -1, the two values unchanged.
int runVolumeDialog(QWidget* parent, int& musicPercent, int& effectsPercent,
                    const ApplyVolumes& apply);

}  // namespace vellmora
