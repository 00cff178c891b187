// Short wave effects held in memory and played one at a time.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "audio/audio_device.h"

struct Mix_Chunk;

namespace vellmora::audio {

// Effect slots the main window fills at start-up.
enum EffectSlot : int { kClap = 0, kBuild = 1, kRemove = 2, kBeep = 3, kEffectSlotCount = 4 };

// Wave files larger than this are refused.
inline constexpr long kMaxSoundFileBytes = 16L * 1024L * 1024L;

// A fixed number of slots, each empty or holding one wave file read whole into memory. Playing
// is asynchronous: playSound returns at once, and a new effect stops the one playing.
// Without a sound device the slots still load and playing is a silent no-op.
class SoundBank {
public:
    explicit SoundBank(int slots = kEffectSlotCount);
    ~SoundBank();
    SoundBank(const SoundBank&) = delete;
    SoundBank& operator=(const SoundBank&) = delete;

    // Reads the whole file into the slot. 0, or -1 when the slot is out of range or already
    // filled, or the file cannot be read (the slot stays empty).
    [[nodiscard]] int loadSound(int slot, const std::string& path);
    // Stops any effect playing and starts this slot's. -1 for a slot out of range or empty;
    // 0 otherwise (also when the data is empty or not a playable wave, or there is no device:
    // then nothing sounds).
    [[nodiscard]] int playSound(int slot);
    // Stops playing and empties every slot.
    void clear();

    // Effect volume, 0 to 100 (clamped); applies at once and to later effects.
    void setVolume(int percent);
    int volume() const { return volume_; }

    int slotCount() const { return static_cast<int>(slots_.size()); }
    bool filled(int slot) const;
    // The path the slot was loaded from; empty for an empty slot or one out of range.
    const std::string& path(int slot) const;

private:
    struct ChunkDeleter {
        void operator()(Mix_Chunk* chunk) const;
    };
    struct Slot {
        bool filled = false;
        std::vector<unsigned char> data;
        std::string path;
        std::unique_ptr<Mix_Chunk, ChunkDeleter> chunk;  // null when undecodable or silent
    };

    bool inRange(int slot) const { return slot >= 0 && slot < slotCount(); }
    void stopPlaying();
    void empty(Slot& slot);

    AudioDevice device_;
    std::vector<Slot> slots_;
    int volume_ = 100;
};

}  // namespace vellmora::audio
