#include "dialogs/volume_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

namespace vellmora {

VolumeDialog::VolumeDialog(int musicPercent, int effectsPercent, ApplyVolumes apply,
                           QWidget* parent)
    : QDialog(parent), apply_(std::move(apply)) {
    setWindowTitle(QStringLiteral("音量"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    music_ = addSlider(QStringLiteral("BGM"), kMusicSliderName, musicPercent);
    effects_ = addSlider(QStringLiteral("効果音"), kEffectsSliderName, effectsPercent);
    form->addRow(QStringLiteral("BGM"), music_);
    form->addRow(QStringLiteral("効果音"), effects_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Connected last, so setting the starting values applies nothing.
    connect(music_, &QSlider::valueChanged, this, [this] { applyNow(); });
    connect(effects_, &QSlider::valueChanged, this, [this] { applyNow(); });
}

int VolumeDialog::musicVolume() const {
    return music_->value();
}

int VolumeDialog::effectsVolume() const {
    return effects_->value();
}

QSlider* VolumeDialog::addSlider(const QString& label, const char* name, int percent) {
    auto* slider = new QSlider(Qt::Horizontal, this);
    slider->setObjectName(QLatin1String(name));
    slider->setAccessibleName(label);
    slider->setRange(0, 100);
    slider->setSingleStep(5);
    slider->setPageStep(10);
    slider->setMinimumWidth(200);
    slider->setValue(std::clamp(percent, 0, 100));
    return slider;
}

void VolumeDialog::applyNow() {
    if (apply_) {
        apply_(musicVolume(), effectsVolume());
    }
}

int runVolumeDialog(QWidget* parent, int& musicPercent, int& effectsPercent,
                    const ApplyVolumes& apply) {
    VolumeDialog dialog(musicPercent, effectsPercent, apply, parent);
    if (dialog.exec() != QDialog::Accepted) {
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
