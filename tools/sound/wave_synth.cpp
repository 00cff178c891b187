#include "tools/sound/wave_synth.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <numbers>
#include <random>
#include <sstream>

namespace vellmora::sounds {
namespace {

using Params = std::map<std::string, std::string>;

// Second-order filter (audio cookbook low and high pass).
class Biquad {
public:
    static Biquad lowPass(double cutoff, double rate) { return make(cutoff, rate, false); }
    static Biquad highPass(double cutoff, double rate) { return make(cutoff, rate, true); }

    double process(double x) {
        const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
        x2_ = x1_;
        x1_ = x;
        y2_ = y1_;
        y1_ = y;
        return y;
    }

private:
    static Biquad make(double cutoff, double rate, bool high) {
        const double w = 2.0 * std::numbers::pi * std::clamp(cutoff, 10.0, rate * 0.45) / rate;
        // Q = 1/sqrt(2): flat, no resonance at the cutoff.
        const double alpha = std::sin(w) * std::numbers::sqrt2 / 2.0;
        const double c = std::cos(w);
        const double a0 = 1.0 + alpha;
        Biquad f;
        if (high) {
            f.b0_ = (1.0 + c) / 2.0 / a0;
            f.b1_ = -(1.0 + c) / a0;
        } else {
            f.b0_ = (1.0 - c) / 2.0 / a0;
            f.b1_ = (1.0 - c) / a0;
        }
        f.b2_ = f.b0_;
        f.a1_ = -2.0 * c / a0;
        f.a2_ = (1.0 - alpha) / a0;
        return f;
    }

    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Rises linearly over attack, then falls to a third every decay seconds.
double envelope(double t, double attack, double decay) {
    if (t < 0.0) {
        return 0.0;
    }
    if (attack > 0.0 && t < attack) {
        return t / attack;
    }
    return decay > 0.0 ? std::exp(-(t - attack) * std::log(3.0) / decay) : 1.0;
}

bool number(const Params& params, const std::string& key, double fallback, double& out,
            std::string& error) {
    const auto it = params.find(key);
    if (it == params.end()) {
        out = fallback;
        return true;
    }
    std::istringstream in(it->second);
    if (!(in >> out) || !in.eof()) {
        error = "bad number for " + key + ": " + it->second;
        return false;
    }
    return true;
}

std::size_t sampleAt(double seconds, const WaveSound& sound) {
    return static_cast<std::size_t>(std::max(0.0, seconds) * sound.rate);
}

bool addTone(const Params& p, WaveSound& sound, std::string& error) {
    double start, dur, freq, to, attack, decay, gain, ratio;
    if (!number(p, "start", 0, start, error) || !number(p, "dur", 0.5, dur, error) ||
        !number(p, "freq", 440, freq, error) || !number(p, "to", freq, to, error) ||
        !number(p, "attack", 0.005, attack, error) || !number(p, "decay", 0.2, decay, error) ||
        !number(p, "gain", 1, gain, error) || !number(p, "ratio", 1, ratio, error)) {
        return false;
    }
    std::vector<double> partials{1.0};
    if (const auto it = p.find("partials"); it != p.end()) {
        partials.clear();
        std::istringstream in(it->second);
        std::string item;
        while (std::getline(in, item, ',')) {
            partials.push_back(std::atof(item.c_str()));
        }
    }
    const std::size_t first = sampleAt(start, sound);
    const std::size_t last = std::min(sound.samples.size(), sampleAt(start + dur, sound));
    std::vector<double> phase(partials.size(), 0.0);
    for (std::size_t i = first; i < last; ++i) {
        const double t = static_cast<double>(i - first) / sound.rate;
        const double f = freq * std::pow(to / freq, t / dur);
        double value = 0.0;
        for (std::size_t k = 0; k < partials.size(); ++k) {
            const double partialFreq = f * (1.0 + k * ratio);
            if (partialFreq < sound.rate / 2.0) {
                phase[k] += 2.0 * std::numbers::pi * partialFreq / sound.rate;
                // Higher partials die away sooner, as struck things do.
                value += partials[k] * std::sin(phase[k]) * envelope(t, attack, decay / (1.0 + k));
            }
        }
        // A short release keeps the layer's end free of clicks.
        const double release = std::min(1.0, (dur - t) / 0.004);
        sound.samples[i] += static_cast<float>(gain * value * release);
    }
    return true;
}

void addBurst(WaveSound& sound, std::mt19937& random, double start, double dur, double low,
              double high, double attack, double decay, double gain) {
    Biquad lowCut = Biquad::highPass(low, sound.rate);
    Biquad lowCut2 = Biquad::highPass(low, sound.rate);
    Biquad highCut = Biquad::lowPass(high, sound.rate);
    Biquad highCut2 = Biquad::lowPass(high, sound.rate);
    std::uniform_real_distribution<double> white(-1.0, 1.0);
    const std::size_t first = sampleAt(start, sound);
    const std::size_t last = std::min(sound.samples.size(), sampleAt(start + dur, sound));
    for (std::size_t i = first; i < last; ++i) {
        const double t = static_cast<double>(i - first) / sound.rate;
        const double filtered =
            highCut2.process(highCut.process(lowCut2.process(lowCut.process(white(random)))));
        const double release = std::min(1.0, (dur - t) / 0.004);
        sound.samples[i] +=
            static_cast<float>(gain * filtered * envelope(t, attack, decay) * release);
    }
}

bool addNoise(const Params& p, WaveSound& sound, std::string& error) {
    double start, dur, low, high, attack, decay, gain, seed;
    if (!number(p, "start", 0, start, error) || !number(p, "dur", 0.5, dur, error) ||
        !number(p, "low", 100, low, error) || !number(p, "high", 8000, high, error) ||
        !number(p, "attack", 0.002, attack, error) || !number(p, "decay", 0.2, decay, error) ||
        !number(p, "gain", 1, gain, error) || !number(p, "seed", 1, seed, error)) {
        return false;
    }
    std::mt19937 random(static_cast<std::uint32_t>(seed));
    addBurst(sound, random, start, dur, low, high, attack, decay, gain);
    return true;
}

bool addClaps(const Params& p, WaveSound& sound, std::string& error) {
    double start, end, count, low, high, decay, gain, seed, swell, fadeout;
    if (!number(p, "start", 0, start, error) || !number(p, "end", 1, end, error) ||
        !number(p, "count", 50, count, error) || !number(p, "low", 600, low, error) ||
        !number(p, "high", 4000, high, error) || !number(p, "decay", 0.012, decay, error) ||
        !number(p, "gain", 1, gain, error) || !number(p, "seed", 1, seed, error) ||
        !number(p, "swell", 0.1, swell, error) || !number(p, "fadeout", 0.3, fadeout, error)) {
        return false;
    }
    std::mt19937 random(static_cast<std::uint32_t>(seed));
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < static_cast<int>(count); ++i) {
        const double at = start + unit(random) * (end - start);
        // Fewer and softer claps while the applause swells up and while it dies away.
        const double in = swell > 0 ? std::min(1.0, (at - start) / swell) : 1.0;
        const double out = fadeout > 0 ? std::min(1.0, (end - at) / fadeout) : 1.0;
        const double strength = std::min(in, out);
        if (unit(random) > 0.35 + 0.65 * strength) {
            continue;
        }
        // Each pair of hands has its own colour.
        const double colour = 0.7 + 0.6 * unit(random);
        addBurst(sound, random, at, decay * 6.0, low * colour, high * colour, 0.0008,
                 decay * (0.7 + 0.6 * unit(random)), gain * strength * (0.4 + 0.6 * unit(random)));
    }
    return true;
}

// Lowers the gain smoothly around every sample above the ceiling: the gain falls along a 2 ms
// ramp before such a peak and rises back along a 60 ms ramp after it, so only the tips of the
// sharpest attacks are pressed down, without a click. Answers the deepest cut as a factor.
float limitPeaks(std::vector<float>& samples, int rate, float ceiling) {
    const std::size_t count = samples.size();
    if (count == 0) {
        return 1.0f;
    }
    std::vector<float> gain(count, 1.0f);
    for (std::size_t i = 0; i < count; ++i) {
        const float level = std::abs(samples[i]);
        if (level > ceiling) {
            gain[i] = ceiling / level;
        }
    }
    const float attackStep = 1.0f / (0.002f * rate);
    const float releaseStep = 1.0f / (0.060f * rate);
    for (std::size_t i = count - 1; i-- > 0;) {
        gain[i] = std::min(gain[i], gain[i + 1] + attackStep);
    }
    float deepest = 1.0f;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) {
            gain[i] = std::min(gain[i], gain[i - 1] + releaseStep);
        }
        deepest = std::min(deepest, gain[i]);
        samples[i] *= gain[i];
    }
    return deepest;
}

// Brings the sound to kEffectLoudness with its peaks below the ceiling. The limiter lowers the
// loudness a little, so levelling and limiting take turns until both hold.
bool levelEffect(WaveSound& sound, const std::string& descriptionPath, std::string& error) {
    constexpr double kDeepestCutDb = 6.0;
    constexpr double kLoudnessTolerance = 0.1;
    const auto ceiling = static_cast<float>(std::pow(10.0, -kEffectHeadroomDb / 20.0));
    float deepest = 1.0f;
    for (int round = 0; round < 8; ++round) {
        const double loudness = effectLoudness(sound.samples, sound.rate);
        if (!std::isfinite(loudness)) {
            error = descriptionPath + ": the description makes no sound";
            return false;
        }
        if (round > 0 && std::abs(loudness - kEffectLoudness) < kLoudnessTolerance) {
            break;
        }
        const auto gain = static_cast<float>(std::pow(10.0, (kEffectLoudness - loudness) / 20.0));
        for (float& s : sound.samples) {
            s *= gain;
        }
        // A hair below the ceiling, so that the next levelling may lift it slightly.
        deepest = std::min(deepest, limitPeaks(sound.samples, sound.rate, ceiling * 0.97f));
    }
    const double cutDb = -20.0 * std::log10(deepest);
    if (cutDb > kDeepestCutDb) {
        char text[160];
        std::snprintf(text, sizeof text,
                      ": its peaks stand so far above its loudness that %.1f dB would be cut "
                      "(at most %.1f)",
                      cutDb, kDeepestCutDb);
        error = descriptionPath + text;
        return false;
    }
    return true;
}

Params parseParams(std::istringstream& in) {
    Params params;
    std::string item;
    while (in >> item) {
        const auto equals = item.find('=');
        if (equals != std::string::npos) {
            params[item.substr(0, equals)] = item.substr(equals + 1);
        } else {
            params[item] = "";
        }
    }
    return params;
}

}  // namespace

bool renderEffect(const std::string& descriptionPath, WaveSound& out, std::string& error) {
    std::ifstream file(descriptionPath);
    if (!file) {
        error = "cannot read " + descriptionPath;
        return false;
    }
    WaveSound sound;
    double length = 1.0, fade = 0.005, fadeOut = -1.0;
    std::string line;
    int lineNumber = 0;
    while (std::getline(file, line)) {
        ++lineNumber;
        line = line.substr(0, line.find('#'));
        std::istringstream in(line);
        std::string word;
        if (!(in >> word)) {
            continue;
        }
        bool ok = true;
        if (!sound.samples.empty() && (word == "rate" || word == "length")) {
            ok = false;
            error = "rate and length come before the layers";
        } else if (word == "rate" || word == "length" || word == "fade" || word == "fadeout") {
            double value = 0;
            ok = static_cast<bool>(in >> value);
            if (word == "rate") {
                sound.rate = static_cast<int>(value);
                ok = ok && (sound.rate == 44100 || sound.rate == 22050);
            } else if (word == "length") {
                length = value;
                ok = ok && value > 0 && value <= kLongestEffect;
            } else if (word == "fade") {
                fade = value;
                ok = ok && value >= 0;
            } else {
                fadeOut = value;
                ok = ok && value >= 0;
            }
        } else if (word == "tone" || word == "noise" || word == "claps") {
            if (sound.samples.empty()) {
                sound.samples.assign(static_cast<std::size_t>(length * sound.rate), 0.0f);
            }
            const Params params = parseParams(in);
            ok = word == "tone"    ? addTone(params, sound, error)
                 : word == "noise" ? addNoise(params, sound, error)
                                   : addClaps(params, sound, error);
        } else {
            ok = false;
            error = "unknown word " + word;
        }
        if (!ok) {
            error = descriptionPath + ":" + std::to_string(lineNumber) + ": bad line" +
                    (error.empty() ? "" : " (" + error + ")");
            return false;
        }
    }
    const std::size_t half = sound.samples.size() / 2;
    const std::size_t fadeInSamples = std::min(half, sampleAt(fade, sound));
    const std::size_t fadeOutSamples =
        std::min(half, sampleAt(fadeOut < 0 ? fade : fadeOut, sound));
    for (std::size_t i = 0; i < fadeInSamples; ++i) {
        sound.samples[i] *= static_cast<float>(i) / fadeInSamples;
    }
    for (std::size_t i = 0; i < fadeOutSamples; ++i) {
        sound.samples[sound.samples.size() - 1 - i] *= static_cast<float>(i) / fadeOutSamples;
    }
    if (!levelEffect(sound, descriptionPath, error)) {
        return false;
    }
    out = std::move(sound);
    return true;
}

double effectLoudness(const std::vector<float>& samples, int rate) {
    if (samples.empty()) {
        return -HUGE_VAL;
    }
    constexpr unsigned long kBlockMs = 400;  // libebur128's momentary window
    const auto lengthMs = static_cast<unsigned long>(1000.0 * samples.size() / rate);
    const bool shortSound = lengthMs < kBlockMs;
    ebur128_state* state = ebur128_init(1, static_cast<unsigned long>(rate),
                                        shortSound ? EBUR128_MODE_M : EBUR128_MODE_I);
    if (state == nullptr) {
        return -HUGE_VAL;
    }
    ebur128_set_channel(state, 0, EBUR128_DUAL_MONO);
    double loudness = -HUGE_VAL;
    // The momentary measure keeps the last 0.4 s, which hold a short sound whole.
    bool ok = ebur128_add_frames_float(state, samples.data(), samples.size()) == EBUR128_SUCCESS;
    if (ok && shortSound) {
        ok = ebur128_loudness_window(state, std::max(lengthMs, 1UL), &loudness) == EBUR128_SUCCESS;
    } else if (ok) {
        ok = ebur128_loudness_global(state, &loudness) == EBUR128_SUCCESS;
    }
    ebur128_destroy(&state);
    return ok ? loudness : -HUGE_VAL;
}

namespace {

void putLe(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

}  // namespace

bool writeWave(const std::string& path, const WaveSound& sound) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    const auto dataBytes = static_cast<std::uint32_t>(sound.samples.size() * 2);
    out.write("RIFF", 4);
    putLe(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    putLe(out, 16, 4);
    putLe(out, 1, 2);  // PCM
    putLe(out, 1, 2);  // mono
    putLe(out, static_cast<std::uint32_t>(sound.rate), 4);
    putLe(out, static_cast<std::uint32_t>(sound.rate * 2), 4);
    putLe(out, 2, 2);
    putLe(out, 16, 2);
    out.write("data", 4);
    putLe(out, dataBytes, 4);
    for (float s : sound.samples) {
        const long value = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
        putLe(out, static_cast<std::uint32_t>(static_cast<std::int16_t>(value)), 2);
    }
    return static_cast<bool>(out);
}

}  // namespace vellmora::sounds
