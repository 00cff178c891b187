// Short sound effects synthesised from a text description.
//
// A description holds one setting or layer a line ("#" starts a comment):
//   rate 44100            samples a second (44100 or 22050)
//   length 1.2            seconds
//   peak 0.89             the loudest sample after normalising, as a fraction of full scale
//   fade 0.006            seconds of fade-in and fade-out at the two ends
//   tone  key=value ...   a sine with overtones: start dur freq to attack decay gain
//                         partials=1,0.5,... (amplitudes of harmonics 1, 2, ...) ratio (the
//                         spacing of the overtones, 1 = harmonic; 2.76 gives a bell)
//   noise key=value ...   band-passed white noise: start dur low high attack decay gain seed
//   claps key=value ...   many short noise bursts, random in time and strength: start end
//                         count low high decay gain seed swell (seconds to full density) fadeout
//                         (seconds of thinning out at the end)
// Times are seconds, frequencies Hz; "to" sweeps the frequency exponentially; "decay" is the
// time for the sound to fall to a third.
#pragma once

#include <string>
#include <vector>

namespace vellmora::sounds {

struct WaveSound {
    int rate = 44100;
    std::vector<float> samples;  // mono, normalised to the description's peak
};

// Renders the description file. False with a message in error on a bad line.
bool renderEffect(const std::string& descriptionPath, WaveSound& out, std::string& error);

// Writes 16-bit PCM mono RIFF WAVE. False when the file cannot be written.
bool writeWave(const std::string& path, const WaveSound& sound);

}  // namespace vellmora::sounds
