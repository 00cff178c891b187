// Small wave and MIDI files written by the audio tests themselves.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cstdint>
#include <functional>
#include <string>

namespace vellmora::test {

inline void appendLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

inline void appendBe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

// A mono 16-bit wave of a quiet square wave.
inline std::string shortWave(int frames = 2205) {
    std::string data;
    for (int i = 0; i < frames; ++i) {
        appendLe(data, static_cast<std::uint16_t>((i / 50) % 2 == 0 ? 3000 : -3000), 2);
    }
    std::string wave = "RIFF";
    appendLe(wave, static_cast<std::uint32_t>(36 + data.size()), 4);
    wave += "WAVEfmt ";
    appendLe(wave, 16, 4);
    appendLe(wave, 1, 2);      // PCM
    appendLe(wave, 1, 2);      // mono
    appendLe(wave, 22050, 4);  // rate
    appendLe(wave, 44100, 4);  // bytes per second
    appendLe(wave, 2, 2);      // block align
    appendLe(wave, 16, 2);     // bits
    wave += "data";
    appendLe(wave, static_cast<std::uint32_t>(data.size()), 4);
    return wave + data;
}

// A standard MIDI file of one piano note lasting noteTicks at 120 beats a minute and 96 ticks
// a beat (96 ticks = half a second).
inline std::string shortMidi(int noteTicks = 48) {
    std::string track;
    track += std::string("\x00\xC0\x00", 3);  // piano
    track += std::string("\x00\x90\x3C\x64", 4);
    track.push_back(static_cast<char>(noteTicks & 0x7F));  // delta below 128
    track += std::string("\x80\x3C\x40", 3);
    track += std::string("\x00\xFF\x2F\x00", 4);
    std::string midi = "MThd";
    appendBe(midi, 6, 4);
    appendBe(midi, 0, 2);
    appendBe(midi, 1, 2);
    appendBe(midi, 96, 2);
    midi += "MTrk";
    appendBe(midi, static_cast<std::uint32_t>(track.size()), 4);
    return midi + track;
}

// Runs the Qt event loop until done() holds or timeoutMs passes; answers done().
inline bool processEventsUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return done();
}

}  // namespace vellmora::test
