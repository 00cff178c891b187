#include "tools/sound/wave_synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
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
    double length = 1.0, peak = 0.89, fade = 0.005;
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
        } else if (word == "rate" || word == "length" || word == "peak" || word == "fade") {
            double value = 0;
            ok = static_cast<bool>(in >> value);
            if (word == "rate") {
                sound.rate = static_cast<int>(value);
                ok = ok && (sound.rate == 44100 || sound.rate == 22050);
            } else if (word == "length") {
                length = value;
                ok = ok && value > 0 && value < 2.0;
            } else if (word == "peak") {
                peak = value;
                ok = ok && value > 0 && value <= 1.0;
            } else {
                fade = value;
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
    float loudest = 0.0f;
    for (float s : sound.samples) {
        loudest = std::max(loudest, std::abs(s));
    }
    if (loudest <= 0.0f) {
        error = descriptionPath + ": the description makes no sound";
        return false;
    }
    const std::size_t fadeSamples = std::min(sound.samples.size() / 2, sampleAt(fade, sound));
    for (std::size_t i = 0; i < sound.samples.size(); ++i) {
        float gain = static_cast<float>(peak) / loudest;
        if (i < fadeSamples) {
            gain *= static_cast<float>(i) / fadeSamples;
        }
        const std::size_t fromEnd = sound.samples.size() - 1 - i;
        if (fromEnd < fadeSamples) {
            gain *= static_cast<float>(fromEnd) / fadeSamples;
        }
        sound.samples[i] *= gain;
    }
    out = std::move(sound);
    return true;
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
