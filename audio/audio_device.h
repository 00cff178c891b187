// The one SDL mixer device shared by the effect bank and the music player.
#pragma once

namespace vellmora::audio {

// Holds the process's mixer device open while at least one AudioDevice exists. The first one
// opens SDL audio and the mixer (and tells the mixer where the General MIDI soundfont is); the
// last one to go closes them. When no device can be opened, one line goes to standard error
// and available() stays false, so every play becomes a silent no-op.
//
// SDL's audio and mixer state is process-wide by nature, hence the shared count behind this
// handle. Use it from the GUI thread only.
class AudioDevice {
public:
    AudioDevice();
    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    // True when the mixer is open and sounds can be played.
    bool available() const;
    // True when MIDI music can be decoded (the mixer is open and a MIDI decoder was found).
    bool midiAvailable() const;
};

// The soundfont handed to the mixer for MIDI: $SDL_SOUNDFONTS when set, else the first General
// MIDI soundfont of the usual Debian packages that exists; empty when none is found.
const char* soundFontPath();

}  // namespace vellmora::audio
