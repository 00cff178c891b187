// Background music: MIDI pieces played through the mixer, restarted when they end.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include <QPointer>

#include "audio/audio_device.h"

class QObject;
struct _Mix_Music;

namespace vellmora::audio {

// Opens pieces into a list of entries (an entry is reused when the same path is opened again)
// and plays one at a time. A piece played with repeat loops inside the mixer: it starts again
// at the end of its last track, without the silence that waiting for the synthesiser's tail to
// die away would leave. The end of a piece played once is reported from the mixer's thread to
// the receiver's thread with a queued call, which runs onNotify() there.
//
// The mixer has one music stream and one end-of-music hook for the whole process, so only one
// MusicPlayer should exist at a time. Without a sound device (or MIDI decoder) open() answers
// -1, so nothing is ever played.
class MusicPlayer {
public:
    MusicPlayer();
    ~MusicPlayer();
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    // Remembers the object on whose thread end-of-piece notifications run (null: none; pieces
    // then play once), closes every entry and forgets what was playing and repeating.
    void attach(QObject* receiver);
    // The index of the entry holding path: an existing entry with the same path, else a newly
    // loaded one (in the first free place, or at the end). -1 when the file cannot be loaded.
    [[nodiscard]] int open(const std::string& path);
    // Stops what is playing and plays the entry from its beginning. With repeat and a receiver
    // the entry becomes the one to repeat, otherwise nothing repeats. -1 when the index is out
    // of range or the entry is closed (nothing changes), or the mixer refuses to play.
    [[nodiscard]] int play(int index, bool repeat);
    // Stops the piece playing; current() keeps its value. -1 when nothing was playing.
    int stop();
    // A piece reached its end: starts the repeat entry again (the mixer's loop ended, which it
    // does only on a decoding error), or clears current() when there is none. Runs by itself
    // through the queued call; callable directly as well.
    void onNotify();
    // Stops playing and closes every entry.
    void closeAll();

    // Music volume, 0 to 100 (clamped); applies at once.
    void setVolume(int percent);
    int volume() const { return volume_; }

    int current() const { return current_; }
    int repeatEntry() const { return repeat_; }
    // Entries holding a piece (closed places not counted).
    int openCount() const;
    const std::string& path(int index) const;
    // True while the mixer is playing a piece.
    bool playing() const;
    // How many times a piece has been reported as played to its end.
    int finishedCount() const { return finished_; }

private:
    struct MusicDeleter {
        void operator()(_Mix_Music* music) const;
    };
    struct Entry {
        std::string path;
        std::unique_ptr<_Mix_Music, MusicDeleter> music;
    };

    static void musicFinishedHook();
    void postFinished();
    void finishedOnReceiverThread(int serial);
    void halt();

    AudioDevice device_;
    std::vector<Entry> entries_;
    QPointer<QObject> receiver_;
    // Lives on the receiver's thread; queued calls die with it.
    std::unique_ptr<QObject> notifier_;
    int repeat_ = -1;
    int current_ = -1;
    int volume_ = 100;
    int finished_ = 0;
    // Bumped on every start and stop, so an end report of an earlier start is ignored.
    std::atomic<int> serial_{0};
    // Set while this player halts the music itself: the mixer's hook then is no end report.
    std::atomic<bool> halting_{false};
};

}  // namespace vellmora::audio
