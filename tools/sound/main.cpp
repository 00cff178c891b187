// vellmora-sounds: writes the game's sound effects and music from their readable sources.
//   vellmora-sounds wave DESCRIPTION OUT.wav
//   vellmora-sounds midi SCORE OUT.mid
#include <cstdio>
#include <fstream>
#include <string>

#include "tools/sound/midi_render.h"
#include "tools/sound/score.h"
#include "tools/sound/wave_synth.h"

namespace {

constexpr double kShortestPiece = 60.0;
constexpr double kLongestPiece = 180.0;

int writeEffect(const std::string& source, const std::string& target) {
    vellmora::sounds::WaveSound sound;
    std::string error;
    if (!vellmora::sounds::renderEffect(source, sound, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    if (!vellmora::sounds::writeWave(target, sound)) {
        std::fprintf(stderr, "cannot write %s\n", target.c_str());
        return 1;
    }
    return 0;
}

int writePiece(const std::string& source, const std::string& target) {
    vellmora::sounds::Score score;
    std::string error;
    if (!vellmora::sounds::readScore(source, score, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const double seconds = vellmora::sounds::scoreSeconds(score);
    if (seconds < kShortestPiece || seconds > kLongestPiece) {
        std::fprintf(stderr, "%s: the form lasts %.1f s, not between %.0f and %.0f\n",
                     source.c_str(), seconds, kShortestPiece, kLongestPiece);
        return 1;
    }
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    const std::string bytes = vellmora::sounds::renderMidi(score);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", target.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: vellmora-sounds wave|midi SOURCE TARGET\n");
        return 2;
    }
    const std::string mode = argv[1];
    if (mode == "wave") {
        return writeEffect(argv[2], argv[3]);
    }
    if (mode == "midi") {
        return writePiece(argv[2], argv[3]);
    }
    std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
    return 2;
}
