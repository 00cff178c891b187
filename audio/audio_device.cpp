#include "audio/audio_device.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace vellmora::audio {
namespace {

constexpr int kFrequency = 44100;
constexpr int kChannels = 2;
constexpr int kChunkSamples = 1024;

struct DeviceState {
    int users = 0;
    bool open = false;
    bool midi = false;
    bool reported = false;  // the "no sound" line is written once per process
};

DeviceState& state() {
    static DeviceState device;
    return device;
}

bool fileExists(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return false;
    }
    std::fclose(file);
    return true;
}

void reportSilence(const char* what) {
    DeviceState& device = state();
    if (device.reported) {
        return;
    }
    device.reported = true;
    std::fprintf(stderr, "vellmora: no sound (%s: %s); playing silently\n", what, SDL_GetError());
}

void openDevice() {
    DeviceState& device = state();
    // The audio subsystem brings SDL's event queue, whose SIGINT and SIGTERM handlers would only
    // queue an event nobody reads; the window handles those signals itself.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        reportSilence("audio");
        return;
    }
    const char* soundFont = soundFontPath();
    if (soundFont[0] != '\0') {
        Mix_SetSoundFonts(soundFont);
    }
    Mix_Init(MIX_INIT_MID);
    if (Mix_OpenAudio(kFrequency, AUDIO_S16SYS, kChannels, kChunkSamples) != 0) {
        reportSilence("mixer");
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    device.open = true;
    device.midi = Mix_HasMusicDecoder("MIDI") == SDL_TRUE;
}

void closeDevice() {
    DeviceState& device = state();
    if (device.open) {
        Mix_HookMusicFinished(nullptr);
        Mix_HaltMusic();
        Mix_HaltChannel(-1);
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    device.open = false;
    device.midi = false;
}

}  // namespace

const char* soundFontPath() {
    const char* fromEnvironment = std::getenv("SDL_SOUNDFONTS");
    if (fromEnvironment != nullptr && fromEnvironment[0] != '\0') {
        return fromEnvironment;
    }
    static const char* const kCandidates[] = {
        "/usr/share/sounds/sf2/FluidR3_GM.sf2",
        "/usr/share/sounds/sf2/default-GM.sf2",
        "/usr/share/soundfonts/default.sf2",
    };
    for (const char* candidate : kCandidates) {
        if (fileExists(candidate)) {
            return candidate;
        }
    }
    return "";
}

AudioDevice::AudioDevice() {
    DeviceState& device = state();
    if (device.users++ == 0) {
        openDevice();
    }
}

AudioDevice::~AudioDevice() {
    DeviceState& device = state();
    if (--device.users == 0) {
        closeDevice();
    }
}

bool AudioDevice::available() const {
    return state().open;
}

bool AudioDevice::midiAvailable() const {
    return state().midi;
}

}  // namespace vellmora::audio
