// Two sliders for the music and effect volumes, applied while they move.
#pragma once

#include <functional>

#include <QDialog>

class QSlider;
class QWidget;

namespace vellmora {

// Called with the music and effect volumes (0 to 100) whenever a slider moves.
using ApplyVolumes = std::function<void(int musicPercent, int effectsPercent)>;

class VolumeDialog : public QDialog {
public:
    VolumeDialog(int musicPercent, int effectsPercent, ApplyVolumes apply,
                 QWidget* parent = nullptr);

    int musicVolume() const;
    int effectsVolume() const;

    // Object names of the two sliders.
    static constexpr const char* kMusicSliderName = "musicVolume";
    static constexpr const char* kEffectsSliderName = "effectsVolume";

private:
    QSlider* addSlider(const QString& label, const char* name, int percent);
    void applyNow();

    ApplyVolumes apply_;
    QSlider* music_ = nullptr;
    QSlider* effects_ = nullptr;
};

// Shows the dialog modally. OK: answers 0 and leaves the chosen values in musicPercent and
// effectsPercent. Cancel or closing: applies the starting values again and answers -1, the two
// values unchanged.
int runVolumeDialog(QWidget* parent, int& musicPercent, int& effectsPercent,
                    const ApplyVolumes& apply);

}  // namespace vellmora
