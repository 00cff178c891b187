#include "audio/sound_bank.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstdio>

#include "data/result_codes.h"

namespace vellmora::audio {
namespace {

// Every effect plays on this one mixer channel, so a new effect cuts off the previous one.
constexpr int kEffectChannel = 0;

// The whole file, or false when it cannot be opened, sized or read.
bool readWholeFile(const std::string& path, std::vector<unsigned char>& out) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(file) : -1;
    ok = ok && size >= 0 && size <= kMaxSoundFileBytes && std::fseek(file, 0, SEEK_SET) == 0;
    if (ok) {
        out.assign(static_cast<std::size_t>(size), 0);
        ok = size == 0 || std::fread(out.data(), 1, out.size(), file) == out.size();
    }
    std::fclose(file);
    return ok;
}

int mixerVolume(int percent) {
    return percent * MIX_MAX_VOLUME / 100;
}

}  // namespace

void SoundBank::ChunkDeleter::operator()(Mix_Chunk* chunk) const {
    Mix_FreeChunk(chunk);
}

SoundBank::SoundBank(int slots) : slots_(static_cast<std::size_t>(std::max(slots, 0))) {}

SoundBank::~SoundBank() {
    clear();
}

int SoundBank::loadSound(int slot, const std::string& path) {
    if (!inRange(slot) || slots_[slot].filled) {
        return kRefused;
    }
    Slot& target = slots_[slot];
    if (!readWholeFile(path, target.data)) {
        empty(target);
        return kRefused;
    }
    target.filled = true;
    target.path = path;
    if (device_.available() && !target.data.empty()) {
        SDL_RWops* stream =
            SDL_RWFromConstMem(target.data.data(), static_cast<int>(target.data.size()));
        // Mix_LoadWAV_RW closes the stream; a file it cannot decode leaves the chunk null.
        target.chunk.reset(stream != nullptr ? Mix_LoadWAV_RW(stream, 1) : nullptr);
    }
    return kOk;
}

int SoundBank::playSound(int slot) {
    if (!inRange(slot) || !slots_[slot].filled) {
        return kRefused;
    }
    const Slot& source = slots_[slot];
    if (!device_.available() || source.chunk == nullptr) {
        return kOk;
    }
    stopPlaying();
    Mix_Volume(kEffectChannel, mixerVolume(volume_));
    Mix_PlayChannel(kEffectChannel, source.chunk.get(), 0);
    return kOk;
}

void SoundBank::clear() {
    for (Slot& slot : slots_) {
        if (slot.filled) {
            empty(slot);
        }
    }
}

void SoundBank::setVolume(int percent) {
    volume_ = std::clamp(percent, 0, 100);
    if (device_.available()) {
        Mix_Volume(kEffectChannel, mixerVolume(volume_));
    }
}

bool SoundBank::filled(int slot) const {
    return inRange(slot) && slots_[slot].filled;
}

const std::string& SoundBank::path(int slot) const {
    static const std::string kNone;
    return inRange(slot) ? slots_[slot].path : kNone;
}

void SoundBank::stopPlaying() {
    if (device_.available()) {
        Mix_HaltChannel(kEffectChannel);
    }
}

void SoundBank::empty(Slot& slot) {
    stopPlaying();
    slot.chunk.reset();
    slot.data.clear();
    slot.data.shrink_to_fit();
    slot.path.clear();
    slot.filled = false;
}

}  // namespace vellmora::audio
