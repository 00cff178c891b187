// The "sound" section of the settings file: effects on or off, the music piece and the volumes.
#pragma once

#include <string>

namespace vellmora {
class Settings;
}

namespace vellmora::audio {

inline constexpr char kSoundSection[] = "sound";
inline constexpr char kEffectsKey[] = "se";
inline constexpr char kMusicKey[] = "bgm";
inline constexpr char kMusicOff[] = "<off>";
inline constexpr char kMusicVolumeKey[] = "bgmvol";
inline constexpr char kEffectsVolumeKey[] = "sevol";
inline constexpr int kDefaultVolume = 70;

// "se" of "sound": on only when it reads "on" in any case of its letters.
bool effectsEnabled(const Settings& settings);
// Writes "se" as "on" or "off".
void storeEffectsEnabled(Settings& settings, bool on);

// A volume key of "sound" ("bgmvol" or "sevol"): its whole value read as an integer 0 to 100;
// kDefaultVolume when missing or not such a number.
int storedVolume(const Settings& settings, const char* key);
void storeVolume(Settings& settings, const char* key, int percent);

}  // namespace vellmora::audio
