// The window's sound: the four effects, the background music and their volumes.
#include <QString>

#include "app/main_window.h"
#include "audio/music_player.h"
#include "audio/sound_bank.h"
#include "audio/sound_settings.h"
#include "data/program_folder.h"
#include "data/settings.h"
#include "dialogs/volume_dialog.h"

namespace vellmora {

void MainWindow::installAudio() {
    if (audio_.playEffect || audio_.playMusic || audio_.stopMusic) {
        return;  // a test listens instead
    }
    sounds_ = std::make_unique<audio::SoundBank>();
    const char* const effectFiles[] = {"sound/clap.wav", "sound/build.wav", "sound/remove.wav",
                                       "sound/beep.wav"};
    for (int slot = 0; slot < audio::kEffectSlotCount; ++slot) {
        // A missing file leaves its slot silent.
        (void)sounds_->loadSound(slot, joinPath(options_.programFolder, effectFiles[slot]));
    }
    music_ = std::make_unique<audio::MusicPlayer>();
    music_->attach(this);
    sounds_->setVolume(audio::storedVolume(*settings_, audio::kEffectsVolumeKey));
    music_->setVolume(audio::storedVolume(*settings_, audio::kMusicVolumeKey));

    audio_.playEffect = [this](int slot) { (void)sounds_->playSound(slot); };
    audio_.playMusic = [this](const std::string& path) {
        const int entry = music_->open(path);
        if (entry >= 0) {
            (void)music_->play(entry, true);
        }
    };
    audio_.stopMusic = [this] { (void)music_->stop(); };
}

void MainWindow::volumeCommand() {
    int musicPercent = audio::storedVolume(*settings_, audio::kMusicVolumeKey);
    int effectsPercent = audio::storedVolume(*settings_, audio::kEffectsVolumeKey);
    const auto apply = [this](int music, int effects) {
        if (music_ != nullptr) {
            music_->setVolume(music);
        }
        if (sounds_ != nullptr) {
            sounds_->setVolume(effects);
        }
    };
    if (runVolumeDialog(this, musicPercent, effectsPercent, apply) == 0) {
        audio::storeVolume(*settings_, audio::kMusicVolumeKey, musicPercent);
        audio::storeVolume(*settings_, audio::kEffectsVolumeKey, effectsPercent);
    }
}

}  // namespace vellmora
