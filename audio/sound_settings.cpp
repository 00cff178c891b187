#include "audio/sound_settings.h"

#include <QAction>
#include <QMenu>
#include <algorithm>
#include <charconv>

#include "audio/music_list.h"
#include "audio/music_player.h"
#include "data/settings.h"
#include "data/text_encoding.h"

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

bool isMusicCommand(int id, const MusicList& list) {
    return id == kMusicOffCommand || list.indexOfCommand(id) >= 0;
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

void checkMusicItem(QMenu* bgmMenu, int commandId) {
    if (bgmMenu == nullptr) {
        return;
    }
    for (QAction* action : bgmMenu->actions()) {
        bool isNumber = false;
        const int id = action->data().toInt(&isNumber);
        if (!isNumber) {
            continue;
        }
        if (id == commandId) {
            action->setCheckable(true);
            action->setChecked(true);
        } else if (action->isCheckable()) {
            action->setChecked(false);
        }
    }
}

bool chooseMusic(int commandId, MusicPlayer& player, const MusicList& list, QMenu* bgmMenu,
                 Settings& settings) {
    if (!isMusicCommand(commandId, list)) {
        return false;
    }
    player.stop();
    if (commandId == kMusicOffCommand) {
        checkMusicItem(bgmMenu, kMusicOffCommand);
        settings.set(kSoundSection, kMusicKey, kMusicOff);
        return true;
    }
    const int index = list.indexOfCommand(commandId);
    const int entry = player.open(list.path(index));
    if (entry >= 0) {
        (void)player.play(entry, true);
    }
    checkMusicItem(bgmMenu, commandId);
    settings.set(kSoundSection, kMusicKey, utf8ToCp932(list.baseName(index)));
    return true;
}

int restoreMusic(MusicPlayer& player, const MusicList& list, QMenu* bgmMenu, Settings& settings) {
    const std::string* stored = settings.get(kSoundSection, kMusicKey);
    const int commandId = stored != nullptr ? list.menuIndexOf(cp932ToUtf8(*stored)) : -1;
    const int chosen = commandId >= 0 ? commandId : kMusicOffCommand;
    chooseMusic(chosen, player, list, bgmMenu, settings);
    return chosen;
}

}  // namespace vellmora::audio
