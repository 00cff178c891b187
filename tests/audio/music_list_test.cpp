// The music folder listing and the "sound" section of the settings file.
#include <gtest/gtest.h>

#include "audio/music_list.h"
#include "audio/sound_settings.h"
#include "audio_fixture.h"
#include "data/result_codes.h"
#include "data/settings.h"
#include "support/temp_dir.h"

namespace vellmora::audio {
namespace {

constexpr int kFirstId = 10000;
constexpr int kLastId = 10007;

class MusicListTest : public ::testing::Test {
protected:
    std::string musicFolder() const { return dir_.file("music"); }
    void addPiece(const std::string& name) { dir_.write("music/" + name, test::shortMidi()); }
    std::vector<std::string> baseNames() const {
        std::vector<std::string> names;
        for (int i = 0; i < list_.count(); ++i) {
            names.push_back(list_.baseName(i));
        }
        return names;
    }

    test::TempDir dir_;
    MusicList list_;
};

TEST_F(MusicListTest, NinePiecesGiveEightSortedByFileName) {
    for (const char* name :
         {"i.mid", "c.mid", "a.mid", "h.MID", "e.mid", "b.mid", "g.mid", "f.mid", "d.mid"}) {
        addPiece(name);
    }
    dir_.write("music/notes.txt", "not a piece");
    ASSERT_EQ(list_.scan(musicFolder(), kFirstId, kLastId), kOk);
    EXPECT_EQ(baseNames(), (std::vector<std::string>{"a", "b", "c", "d", "e", "f", "g", "h"}));
    EXPECT_EQ(list_.firstId(), kFirstId);
    EXPECT_EQ(list_.lastId(), kLastId);
    EXPECT_EQ(list_.menuIndexOf("c"), kFirstId + 2);
    EXPECT_EQ(list_.menuIndexOf("i"), -1);
    EXPECT_EQ(list_.indexOfCommand(kLastId), 7);
    EXPECT_EQ(list_.indexOfCommand(kLastId + 1), -1);
    EXPECT_EQ(list_.indexOfCommand(kFirstId - 1), -1);
    EXPECT_EQ(list_.path(0), musicFolder() + "/a.mid");
}

TEST_F(MusicListTest, JapaneseNamesSortByTheirBytes) {
    addPiece("朝の商店街.mid");
    addPiece("R&B.mid");
    ASSERT_EQ(list_.scan(musicFolder(), kFirstId, kLastId), kOk);
    EXPECT_EQ(baseNames(), (std::vector<std::string>{"R&B", "朝の商店街"}));
    EXPECT_EQ(list_.menuIndexOf("朝の商店街"), kFirstId + 1);
}

TEST_F(MusicListTest, EmptyOrMissingFoldersAndBadIdRangesAreRefused) {
    dir_.write("music/readme.txt", "no music here");
    EXPECT_EQ(list_.scan(musicFolder(), kFirstId, kLastId), kRefused);
    EXPECT_EQ(list_.scan(dir_.file("no-such-folder"), kFirstId, kLastId), kRefused);
    EXPECT_TRUE(list_.empty());
    addPiece("a.mid");
    EXPECT_EQ(list_.scan(musicFolder(), 10000, 9999), kRefused);
    EXPECT_EQ(list_.count(), 0);
    EXPECT_EQ(list_.scan(musicFolder(), 20000, 20000), kOk);
    EXPECT_EQ(list_.menuIndexOf("a"), 20000);
}

TEST(SoundSettingsTest, EffectsAreOnOnlyForOnInAnyCase) {
    const struct {
        const char* value;
        bool on;
    } cases[] = {{"on", true},   {"ON", true}, {"oN", true}, {"off", false},
                 {"on ", false}, {"", false},  {"1", false}, {"onn", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        Settings settings;
        settings.set(kSoundSection, kEffectsKey, c.value);
        EXPECT_EQ(effectsEnabled(settings), c.on);
    }
    Settings empty;
    EXPECT_FALSE(effectsEnabled(empty));
    storeEffectsEnabled(empty, true);
    EXPECT_EQ(*empty.get(kSoundSection, kEffectsKey), "on");
}

TEST(SoundSettingsTest, VolumesReadAsPercentWithDefault) {
    const struct {
        const char* value;
        int percent;
    } cases[] = {{"0", 0},
                 {"100", 100},
                 {"35", 35},
                 {"101", kDefaultVolume},
                 {"-1", kDefaultVolume},
                 {"", kDefaultVolume},
                 {"50%", kDefaultVolume},
                 {" 50", kDefaultVolume},
                 {"99999999999", kDefaultVolume}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        Settings settings;
        settings.set(kSoundSection, kMusicVolumeKey, c.value);
        EXPECT_EQ(storedVolume(settings, kMusicVolumeKey), c.percent);
    }
    Settings settings;
    EXPECT_EQ(storedVolume(settings, kEffectsVolumeKey), kDefaultVolume);
    storeVolume(settings, kEffectsVolumeKey, 140);
    EXPECT_EQ(*settings.get(kSoundSection, kEffectsVolumeKey), "100");
}

}  // namespace
}  // namespace vellmora::audio
