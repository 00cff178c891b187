// The sound effects and music pieces that the build writes into the program folder.
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

TEST(GeneratedSoundsTest, EffectsAreShortNormalisedCleanWaves) {
    ASSERT_FALSE(programDir().empty()) << "VELLMORA_PROGRAM_DIR is not set";
    for (const char* name : {"clap", "build", "remove", "beep"}) {
        SCOPED_TRACE(name);
        const auto path = programDir() / "sound" / (std::string(name) + ".wav");
        Wave wave;
        ASSERT_TRUE(parseWave(test::TempDir::readFile(path.string()), wave));
        EXPECT_TRUE(wave.rate == 44100 || wave.rate == 22050) << wave.rate;
        const double seconds = static_cast<double>(wave.samples.size()) / wave.rate;
        EXPECT_GT(seconds, 0.1);
        EXPECT_LT(seconds, 2.0);
        int peak = 0;
        double energy = 0;
        for (std::int16_t s : wave.samples) {
            peak = std::max(peak, std::abs(static_cast<int>(s)));
            energy += static_cast<double>(s) * s;
        }
        const double rms = std::sqrt(energy / wave.samples.size()) / 32768.0;
        EXPECT_GT(peak, 32768 / 2) << "not normalised";
        EXPECT_LT(peak, 32767) << "clipped";
        EXPECT_GT(rms, 0.02) << "nearly silent";
        // Faded at both ends, so starting and stopping make no click.
        EXPECT_LT(std::abs(wave.samples.front()), 200);
        EXPECT_LT(std::abs(wave.samples.back()), 200);
    }
}

struct Midi {
    double seconds = 0;
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
                    if (kind == 0x90 && static_cast<unsigned char>(b.at(at + 1)) > 0) {
                        ++out.noteOns;
                        ++out.notesByChannel[status & 0x0F];
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
    std::sort(tempos.begin(), tempos.end());
    double seconds = 0;
    for (std::size_t i = 0; i < tempos.size(); ++i) {
        const std::uint64_t from = std::min(tempos[i].first, lastTick);
        const std::uint64_t to =
            i + 1 < tempos.size() ? std::min(tempos[i + 1].first, lastTick) : lastTick;
        seconds += static_cast<double>(to - from) / division * tempos[i].second / 1e6;
    }
    out.seconds = seconds;
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
    }
    EXPECT_GE(pieces, 4);
}

}  // namespace
}  // namespace vellmora
