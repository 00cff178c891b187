#include "audio/music_player.h"

#include <SDL_mixer.h>

#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <algorithm>
#include <mutex>

#include "data/result_codes.h"

namespace vellmora::audio {
namespace {

// The player whose end reports the mixer's hook delivers, and the lock that guards it and that
// player's notifier against the hook running on the mixer's thread. Never held while calling
// into the mixer, which may run the hook.
MusicPlayer* hookedPlayer = nullptr;
std::mutex hookMutex;

// The synthesiser's output peaks within 2 dB of full scale; at 100 % the music is kept 5 dB
// lower, at most -6.5 dBFS, so that an effect played over it (peaks at most -6.5 dBFS too)
// cannot clip.
constexpr int kFullMusicVolume = MIX_MAX_VOLUME * 9 / 16;

int mixerVolume(int percent) {
    return percent * kFullMusicVolume / 100;
}

}  // namespace

void MusicPlayer::MusicDeleter::operator()(_Mix_Music* music) const {
    Mix_FreeMusic(music);
}

MusicPlayer::MusicPlayer() {
    if (device_.available()) {
        {
            std::lock_guard<std::mutex> lock(hookMutex);
            hookedPlayer = this;
        }
        Mix_HookMusicFinished(&MusicPlayer::musicFinishedHook);
    }
}

MusicPlayer::~MusicPlayer() {
    closeAll();
    bool hooked = false;
    {
        std::lock_guard<std::mutex> lock(hookMutex);
        hooked = hookedPlayer == this;
    }
    if (hooked) {
        // Waits for a hook that is running; none runs afterwards.
        Mix_HookMusicFinished(nullptr);
        std::lock_guard<std::mutex> lock(hookMutex);
        hookedPlayer = nullptr;
    }
}

void MusicPlayer::attach(QObject* receiver) {
    closeAll();
    std::unique_ptr<QObject> notifier;
    if (receiver != nullptr) {
        notifier = std::make_unique<QObject>();
        notifier->moveToThread(receiver->thread());
    }
    {
        std::lock_guard<std::mutex> lock(hookMutex);
        receiver_ = receiver;
        notifier_.swap(notifier);
    }
    repeat_ = -1;
    current_ = -1;
}

int MusicPlayer::open(const std::string& path) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].music != nullptr && entries_[i].path == path) {
            return static_cast<int>(i);
        }
    }
    if (!device_.available()) {
        return kRefused;
    }
    std::unique_ptr<_Mix_Music, MusicDeleter> music(Mix_LoadMUS(path.c_str()));
    if (music == nullptr) {
        return kRefused;
    }
    auto freePlace = std::find_if(entries_.begin(), entries_.end(),
                                  [](const Entry& entry) { return entry.music == nullptr; });
    if (freePlace == entries_.end()) {
        freePlace = entries_.insert(entries_.end(), Entry{});
    }
    freePlace->path = path;
    freePlace->music = std::move(music);
    return static_cast<int>(freePlace - entries_.begin());
}

int MusicPlayer::play(int index, bool repeat) {
    if (index < 0 || index >= static_cast<int>(entries_.size()) ||
        entries_[index].music == nullptr) {
        return kRefused;
    }
    repeat_ = repeat && receiver_ != nullptr ? index : -1;
    halt();
    ++serial_;
    Mix_VolumeMusic(mixerVolume(volume_));
    // A repeated piece loops inside the synthesiser's sequencer, which starts it again at the
    // end of its last track, without waiting for the notes to die away; the end is then
    // reported only for a piece that plays once.
    const int loops = repeat_ >= 0 ? -1 : 1;
    if (Mix_PlayMusic(entries_[index].music.get(), loops) != 0) {
        current_ = -1;
        return kRefused;
    }
    current_ = index;
    return kOk;
}

int MusicPlayer::stop() {
    if (current_ < 0) {
        return kRefused;
    }
    ++serial_;
    halt();
    return kOk;
}

void MusicPlayer::onNotify() {
    ++finished_;
    if (repeat_ >= 0) {
        if (play(repeat_, true) != kOk) {
            current_ = -1;
        }
    } else {
        current_ = -1;
    }
}

void MusicPlayer::closeAll() {
    ++serial_;
    halt();
    entries_.clear();
    repeat_ = -1;
    current_ = -1;
}

void MusicPlayer::setVolume(int percent) {
    volume_ = std::clamp(percent, 0, 100);
    if (device_.available()) {
        Mix_VolumeMusic(mixerVolume(volume_));
    }
}

int MusicPlayer::openCount() const {
    return static_cast<int>(std::count_if(entries_.begin(), entries_.end(), [](const Entry& entry) {
        return entry.music != nullptr;
    }));
}

const std::string& MusicPlayer::path(int index) const {
    static const std::string kNone;
    if (index < 0 || index >= static_cast<int>(entries_.size())) {
        return kNone;
    }
    return entries_[index].path;
}

bool MusicPlayer::playing() const {
    return device_.available() && Mix_PlayingMusic() != 0;
}

void MusicPlayer::musicFinishedHook() {
    // Runs on the mixer's thread (or inside Mix_HaltMusic) with the mixer locked.
    std::lock_guard<std::mutex> lock(hookMutex);
    if (hookedPlayer != nullptr && !hookedPlayer->halting_) {
        hookedPlayer->postFinished();
    }
}

void MusicPlayer::postFinished() {
    if (notifier_ == nullptr) {
        return;
    }
    const int serial = serial_;
    QMetaObject::invokeMethod(
        notifier_.get(), [this, serial] { finishedOnReceiverThread(serial); },
        Qt::QueuedConnection);
}

void MusicPlayer::finishedOnReceiverThread(int serial) {
    // A stop or a new start since the piece ended makes this report stale.
    if (serial == serial_ && receiver_ != nullptr) {
        onNotify();
    }
}

void MusicPlayer::halt() {
    if (!device_.available()) {
        return;
    }
    halting_ = true;
    Mix_HaltMusic();
    halting_ = false;
}

}  // namespace vellmora::audio
