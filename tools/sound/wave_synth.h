// Short sound effects synthesised from a text description.
//
// A description holds one setting or layer a line ("#" starts a comment):
//   rate 44100            samples a second (44100 or 22050)
//   length 1.2            seconds (at most kLongestEffect)
//   fade 0.006            seconds of fade-in and fade-out at the two ends
//   fadeout 0.5           seconds of fade-out at the end, when it differs from the fade-in
//   tone  key=value ...   a sine with overtones: start dur freq to attack decay gain
//                         partials=1,0.5,... (amplitudes of harmonics 1, 2, ...) ratio (the
//                         spacing of the overtones, 1 = harmonic; 2.76 gives a bell)
//   noise key=value ...   band-passed white noise: start dur low high attack decay gain seed
//   claps key=value ...   many short noise bursts, random in time and strength: start end
//                         count low high decay gain seed swell (seconds to full density) fadeout
//                         (seconds of thinning out at the end)
// Times are seconds, frequencies Hz; "to" sweeps the frequency exponentially; "decay" is the
// time for the sound to fall to a third.
//
// Every effect is levelled to the same loudness, kEffectLoudness, so that none stands out from
// the others or from the music, and the tips of peaks that then come within kEffectHeadroomDb of
// full scale are pressed down by a smooth limiter (they could clip over the music). An effect
// that needs more than 6 dB of limiting is refused: soften its sharpest attack instead.
#pragma once

#include <string>
#include <vector>

namespace vellmora::sounds {

// Integrated loudness of every effect, in LUFS. Chosen against the music: at the default
// volumes (70 % each) the pieces play at -23 to -24 LUFS, and an effect stands about 1 LU above
// them.
inline constexpr double kEffectLoudness = -19.5;
// The loudest sample stays at least this far below full scale: the music peaks no higher at
// 100 %, so the two together stay below full scale.
inline constexpr double kEffectHeadroomDb = 6.5;
inline constexpr double kLongestEffect = 4.0;

struct WaveSound {
    int rate = 44100;
    std::vector<float> samples;  // mono, levelled to kEffectLoudness
};

// The loudness (LUFS, EBU R 128, the mono channel heard on both speakers) of a mono sound: the
// gated integrated loudness, or for a sound shorter than the 0.4 s blocks of that measure the
// loudness over its whole length. -inf for silence.
double effectLoudness(const std::vector<float>& samples, int rate);

// Renders the description file. False with a message in error on a bad line.
bool renderEffect(const std::string& descriptionPath, WaveSound& out, std::string& error);

// Writes 16-bit PCM mono RIFF WAVE. False when the file cannot be written.
bool writeWave(const std::string& path, const WaveSound& sound);

}  // namespace vellmora::sounds
