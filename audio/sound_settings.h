// The "sound" section of the settings file, and the music choice that the main window makes
// for the commands of the "BGM(&M)" menu.
#pragma once

#include <string>

class QMenu;

namespace vellmora {
class Settings;
}

namespace vellmora::audio {

class MusicList;
class MusicPlayer;

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

// Checks the action of bgmMenu whose QAction::data() is commandId and unchecks the other
// music actions ("OFF(&O)" and the pieces).
void checkMusicItem(QMenu* bgmMenu, int commandId);

// The music choice for a command id: "OFF(&O)" stops the music, checks "OFF" and stores
// "<off>"; a piece's id stops, opens the piece (an open piece is found again, not reloaded),
// plays it repeated, checks it and stores its base name under "bgm". Answers true when the id
// was one of these (handled), false for any other id. A piece that cannot be opened or played
// is still checked and stored (it stays silent), as with no sound device.
bool chooseMusic(int commandId, MusicPlayer& player, const MusicList& list, QMenu* bgmMenu,
                 Settings& settings);

// Start-up: the piece stored under "bgm" when the list has it (chosen as above), else stops,
// checks "OFF" and stores "<off>". Answers the command id chosen.
int restoreMusic(MusicPlayer& player, const MusicList& list, QMenu* bgmMenu, Settings& settings);

}  // namespace vellmora::audio
