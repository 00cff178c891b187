#include "dialogs/volume_dialog.h"

#include <QFormLayout>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace vellmora {

VolumeDialog::VolumeDialog(int musicPercent, int effectsPercent, ApplyVolumes apply,
                           QWidget* parent)
    : Dialog(parent),
      apply_(std::move(apply)),
      music_(std::clamp(musicPercent, 0, 100)),
      effects_(std::clamp(effectsPercent, 0, 100)) {
    setObjectName("volume");
    setWindowTitle(QStringLiteral("音量"));
}

bool VolumeDialog::onInitDialog() {
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("BGM"), addSlider(QStringLiteral("BGM"), kMusicSlider, music_));
    form->addRow(QStringLiteral("効果音"),
                 addSlider(QStringLiteral("効果音"), kEffectsSlider, effects_));
    layout->addLayout(form);

    addButtonRow(layout, QStringLiteral("OK"), kIdOk, QStringLiteral("キャンセル"));
    return true;
}

QSlider* VolumeDialog::addSlider(const QString& label, int id, int percent) {
    auto* slider = new QSlider(Qt::Horizontal, this);
    slider->setAccessibleName(label);
    slider->setRange(0, 100);
    slider->setSingleStep(5);
    slider->setPageStep(10);
    slider->setMinimumWidth(200);
    slider->setValue(percent);
    // Bound after the starting value is set, so showing the dialog applies nothing.
    bindSlider(slider, id);
    return slider;
}

bool VolumeDialog::onCommand(int id, int) {
    if (id == kIdCancel) {
        return endDialog(kIdCancel);
    }
    return closeOnOk(id);
}

bool VolumeDialog::onClose() {
    return endDialog(kIdCancel);
}

bool VolumeDialog::onHScroll(int id, int position) {
    if (id == kMusicSlider) {
        music_ = position;
    } else if (id == kEffectsSlider) {
        effects_ = position;
    } else {
        return false;
    }
    if (apply_) {
        apply_(music_, effects_);
    }
    return true;
}

int runVolumeDialog(QWidget* parent, int& musicPercent, int& effectsPercent,
                    const ApplyVolumes& apply) {
    VolumeDialog dialog(musicPercent, effectsPercent, apply);
    if (dialog.doModal(parent) != 0) {
        if (apply) {
            apply(musicPercent, effectsPercent);
        }
        return -1;
    }
    musicPercent = dialog.musicVolume();
    effectsPercent = dialog.effectsVolume();
    return 0;
}

}  // namespace vellmora
