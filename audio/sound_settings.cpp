#include "audio/sound_settings.h"

#include <algorithm>
#include <charconv>

#include "data/settings.h"

namespace vellmora::audio {
namespace {

bool equalsIgnoringAsciiCase(const std::string& text, const char* word) {
    std::size_t i = 0;
    for (; i < text.size() && word[i] != '\0'; ++i) {
        const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
        if (lower(static_cast<unsigned char>(text[i])) !=
            lower(static_cast<unsigned char>(word[i]))) {
            return false;
        }
    }
    return i == text.size() && word[i] == '\0';
}

}  // namespace

bool effectsEnabled(const Settings& settings) {
    const std::string* value = settings.get(kSoundSection, kEffectsKey);
    return value != nullptr && equalsIgnoringAsciiCase(*value, "on");
}

void storeEffectsEnabled(Settings& settings, bool on) {
    settings.set(kSoundSection, kEffectsKey, on ? "on" : "off");
}

int storedVolume(const Settings& settings, const char* key) {
    const std::string* value = settings.get(kSoundSection, key);
    if (value == nullptr || value->empty()) {
        return kDefaultVolume;
    }
    int percent = 0;
    const char* end = value->data() + value->size();
    const auto [stop, error] = std::from_chars(value->data(), end, percent);
    if (error != std::errc() || stop != end || percent < 0 || percent > 100) {
        return kDefaultVolume;
    }
    return percent;
}

void storeVolume(Settings& settings, const char* key, int percent) {
    settings.set(kSoundSection, key, std::to_string(std::clamp(percent, 0, 100)));
}

}  // namespace vellmora::audio
