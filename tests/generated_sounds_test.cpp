// The sound effects and music pieces that the build writes into the program folder.
#include <ebur128.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "tools/sound/wave_synth.h"

namespace vellmora {
namespace {

std::filesystem::path programDir() {
    const char* dir = std::getenv("VELLMORA_PROGRAM_DIR");
    return dir != nullptr ? std::filesystem::path(dir) : std::filesystem::path();
}

std::uint32_t le(const std::string& b, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(b.at(at + i));
    }
    return value;
}

std::uint32_t be(const std::string& b, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        value = (value << 8) | static_cast<unsigned char>(b.at(at + i));
    }
    return value;
}

struct Wave {
    int rate = 0;
    std::vector<std::int16_t> samples;
};

// A mono or stereo 16-bit PCM RIFF WAVE; false when it is anything else.
bool parseWave(const std::string& b, Wave& out) {
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0) {
        return false;
    }
    bool format = false;
    for (std::size_t at = 12; at + 8 <= b.size();) {
        const std::string id = b.substr(at, 4);
        const std::uint32_t size = le(b, at + 4, 4);
        if (size > b.size() - at - 8) {
            return false;
        }
        if (id == "fmt " && size >= 16) {
            format = le(b, at + 8, 2) == 1 && le(b, at + 10, 2) == 1 && le(b, at + 22, 2) == 16;
            out.rate = static_cast<int>(le(b, at + 12, 4));
        } else if (id == "data" && format) {
            for (std::size_t i = 0; i + 1 < size; i += 2) {
                out.samples.push_back(static_cast<std::int16_t>(le(b, at + 8 + i, 2)));
            }
            return true;
        }
        at += 8 + size + (size & 1);
    }
    return false;
}

Wave readEffect(const char* name) {
    Wave wave;
    const auto path = programDir() / "sound" / (std::string(name) + ".wav");
    if (!parseWave(test::TempDir::readFile(path.string()), wave)) {
        ADD_FAILURE() << path << " is no 16-bit PCM wave";
    }
    return wave;
}

double seconds(const Wave& wave) {
    return static_cast<double>(wave.samples.size()) / wave.rate;
}

// EBU R 128 loudness of a mono wave heard on two speakers: integrated, or over the whole sound
// when it is shorter than the meter's 0.4 s blocks.
double loudness(const Wave& wave) {
    const auto lengthMs = static_cast<unsigned long>(seconds(wave) * 1000.0);
    const bool shortSound = lengthMs < 400;
    ebur128_state* state = ebur128_init(1, static_cast<unsigned long>(wave.rate),
                                        shortSound ? EBUR128_MODE_M : EBUR128_MODE_I);
    ebur128_set_channel(state, 0, EBUR128_DUAL_MONO);
    ebur128_add_frames_short(state, wave.samples.data(), wave.samples.size());
    double result = 0;
    if (shortSound) {
        ebur128_loudness_window(state, lengthMs, &result);
    } else {
        ebur128_loudness_global(state, &result);
    }
    ebur128_destroy(&state);
    return result;
}

double rms(const Wave& wave, std::size_t from, std::size_t to) {
    double energy = 0;
    for (std::size_t i = from; i < to; ++i) {
        energy += static_cast<double>(wave.samples[i]) * wave.samples[i];
    }
    return std::sqrt(energy / std::max<std::size_t>(to - from, 1)) / 32768.0;
}

double decibels(double ratio) {
    return 20.0 * std::log10(ratio);
}

TEST(GeneratedSoundsTest, EffectsAreCleanWavesOfOneLoudnessWithHeadroom) {
    ASSERT_FALSE(programDir().empty()) << "VELLMORA_PROGRAM_DIR is not set";
    for (const char* name : {"clap", "build", "remove", "beep"}) {
        SCOPED_TRACE(name);
        const Wave wave = readEffect(name);
        ASSERT_FALSE(wave.samples.empty());
        EXPECT_TRUE(wave.rate == 44100 || wave.rate == 22050) << wave.rate;
        EXPECT_GT(seconds(wave), 0.1);
        EXPECT_LE(seconds(wave), sounds::kLongestEffect);
        EXPECT_NEAR(loudness(wave), sounds::kEffectLoudness, 0.5);
        int peak = 0;
        for (std::int16_t s : wave.samples) {
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        }
        // Room left for the music it plays over; a sample's rounding is allowed for.
        EXPECT_LE(decibels(peak / 32768.0), -sounds::kEffectHeadroomDb + 0.01);
        EXPECT_GT(rms(wave, 0, wave.samples.size()), 0.02) << "nearly silent";
        // Faded at both ends, so starting and stopping make no click.
        EXPECT_LT(std::abs(wave.samples.front()), 200);
        EXPECT_LT(std::abs(wave.samples.back()), 200);
    }
}

TEST(GeneratedSoundsTest, TheRefusalBeepIsShortAndDiesAway) {
    const Wave wave = readEffect("beep");
    ASSERT_FALSE(wave.samples.empty());
    EXPECT_LT(seconds(wave), 0.25);
    const std::size_t quarter = wave.samples.size() / 4;
    EXPECT_LT(decibels(rms(wave, 3 * quarter, wave.samples.size()) / rms(wave, 0, quarter)), -12.0)
        << "a steady tone, not a decaying one";
}

TEST(GeneratedSoundsTest, TheApplauseLastsThreeToFourSecondsWithoutHoles) {
    const Wave wave = readEffect("clap");
    ASSERT_FALSE(wave.samples.empty());
    EXPECT_GE(seconds(wave), 3.0);
    EXPECT_LE(seconds(wave), 4.0);
    // No 20 ms stretch falls far below the 200 ms around it, up to the last 0.3 s of dying away.
    const std::size_t window = static_cast<std::size_t>(wave.rate) / 50;
    std::vector<double> energy;
    for (std::size_t at = 0; at + window <= wave.samples.size(); at += window) {
        const double level = rms(wave, at, at + window);
        energy.push_back(level * level + 1e-12);
    }
    const std::size_t neighbours = 5;
    const std::size_t last = energy.size() - std::min(energy.size(), std::size_t{15});
    for (std::size_t k = 1; k < last; ++k) {
        double around = 0;
        int count = 0;
        for (std::size_t j = k >= neighbours ? k - neighbours : 0;
             j <= std::min(energy.size() - 1, k + neighbours); ++j) {
            if (j != k) {
                around += energy[j];
                ++count;
            }
        }
        EXPECT_LT(10.0 * std::log10(around / count / energy[k]), 15.0)
            << "a hole at " << static_cast<double>(k * window) / wave.rate << " s";
    }
}

TEST(GeneratedSoundsTest, TheDemolitionHasItsWeightAbove60Hz) {
    const Wave wave = readEffect("remove");
    ASSERT_FALSE(wave.samples.empty());
    // The energy of the spectrum's bins up to 60 Hz, against the whole (Parseval).
    const double count = static_cast<double>(wave.samples.size());
    double total = 0;
    for (std::int16_t s : wave.samples) {
        total += static_cast<double>(s) * s;
    }
    double low = 0;
    const int lastBin = static_cast<int>(60.0 * count / wave.rate);
    for (int bin = 0; bin <= lastBin; ++bin) {
        double re = 0;
        double im = 0;
        const double step = 2.0 * 3.14159265358979323846 * bin / count;
        for (std::size_t n = 0; n < wave.samples.size(); ++n) {
            re += wave.samples[n] * std::cos(step * static_cast<double>(n));
            im -= wave.samples[n] * std::sin(step * static_cast<double>(n));
        }
        low += (bin == 0 ? 1.0 : 2.0) * (re * re + im * im) / count;
    }
    EXPECT_LT(low / total, 0.005);
}

struct Midi {
    double seconds = 0;
    double lastNoteEnd = 0;  // seconds
    int noteOns = 0;
    std::map<int, int> notesByChannel;
};

std::uint32_t variableLength(const std::string& b, std::size_t& at, std::size_t end) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4 && at < end; ++i) {
        const auto c = static_cast<unsigned char>(b[at++]);
        value = (value << 7) | (c & 0x7F);
        if ((c & 0x80) == 0) {
            return value;
        }
    }
    throw std::runtime_error("bad length");
}

// A standard MIDI file with ticks-per-beat timing; its length from its tempo changes (taken
// from the first track, as format 1 keeps them) and the longest track. False when malformed.
bool parseMidi(const std::string& b, Midi& out) {
    if (b.size() < 14 || b.compare(0, 4, "MThd") != 0 || be(b, 4, 4) != 6) {
        return false;
    }
    const std::uint32_t tracks = be(b, 10, 2);
    const std::uint32_t division = be(b, 12, 2);
    if (tracks == 0 || division == 0 || (division & 0x8000) != 0) {
        return false;
    }
    std::vector<std::pair<std::uint64_t, std::uint32_t>> tempos{{0, 500000}};
    std::uint64_t lastTick = 0;
    std::uint64_t lastNoteEndTick = 0;
    std::size_t at = 14;
    try {
        for (std::uint32_t t = 0; t < tracks; ++t) {
            if (at + 8 > b.size() || b.compare(at, 4, "MTrk") != 0) {
                return false;
            }
            const std::size_t end = at + 8 + be(b, at + 4, 4);
            if (end > b.size()) {
                return false;
            }
            at += 8;
            std::uint64_t tick = 0;
            int status = 0;
            bool ended = false;
            while (at < end && !ended) {
                tick += variableLength(b, at, end);
                int byte = static_cast<unsigned char>(b.at(at));
                if (byte & 0x80) {
                    status = byte;
                    ++at;
                }
                if (status == 0xFF) {
                    const int type = static_cast<unsigned char>(b.at(at++));
                    const std::uint32_t length = variableLength(b, at, end);
                    if (type == 0x51 && length == 3) {
                        tempos.push_back({tick, be(b, at, 3)});
                    }
                    ended = type == 0x2F;
                    at += length;
                } else if (status == 0xF0 || status == 0xF7) {
                    at += variableLength(b, at, end);
                } else {
                    const int kind = status & 0xF0;
                    const int dataBytes = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
                    const bool sounding = static_cast<unsigned char>(b.at(at + 1)) > 0;
                    if (kind == 0x90 && sounding) {
                        ++out.noteOns;
                        ++out.notesByChannel[status & 0x0F];
                    } else if (kind == 0x80 || kind == 0x90) {
                        lastNoteEndTick = std::max(lastNoteEndTick, tick);
                    }
                    at += dataBytes;
                }
            }
            if (!ended || at != end) {
                return false;
            }
            lastTick = std::max(lastTick, tick);
        }
    } catch (const std::exception&) {
        return false;
    }
    // By tick only: the file's tempo at tick 0 follows, and so replaces, the default one.
    std::stable_sort(tempos.begin(), tempos.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    const auto secondsAt = [&](std::uint64_t tick) {
        double seconds = 0;
        for (std::size_t i = 0; i < tempos.size(); ++i) {
            const std::uint64_t from = std::min(tempos[i].first, tick);
            const std::uint64_t to =
                i + 1 < tempos.size() ? std::min(tempos[i + 1].first, tick) : tick;
            seconds += static_cast<double>(to - from) / division * tempos[i].second / 1e6;
        }
        return seconds;
    };
    out.seconds = secondsAt(lastTick);
    out.lastNoteEnd = secondsAt(lastNoteEndTick);
    return true;
}

TEST(GeneratedSoundsTest, AtLeastFourPiecesOfOneToThreeMinutesWithDrumsAndBass) {
    ASSERT_FALSE(programDir().empty()) << "VELLMORA_PROGRAM_DIR is not set";
    int pieces = 0;
    for (const auto& entry : std::filesystem::directory_iterator(programDir() / "music")) {
        if (entry.path().extension() != ".mid") {
            continue;
        }
        ++pieces;
        SCOPED_TRACE(entry.path().filename().string());
        Midi midi;
        ASSERT_TRUE(parseMidi(test::TempDir::readFile(entry.path().string()), midi));
        EXPECT_GE(midi.seconds, 60.0);
        EXPECT_LE(midi.seconds, 180.0);
        // Notes on several channels, the drums among them.
        EXPECT_GE(midi.notesByChannel.size(), 4u);
        EXPECT_GT(midi.notesByChannel[9], 0);
        EXPECT_GT(midi.noteOns, 200);
        // A piece loops at the end of its tracks: they end with its last note.
        EXPECT_LT(midi.seconds - midi.lastNoteEnd, 0.1);
    }
    EXPECT_GE(pieces, 4);
}

}  // namespace
}  // namespace vellmora
