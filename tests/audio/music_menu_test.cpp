// The music folder listing, the "BGM(&M)" menu and the music choice stored in the settings.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QObject>

#include "audio/music_list.h"
#include "audio/music_player.h"
#include "audio/sound_settings.h"
#include "audio_fixture.h"
#include "data/result_codes.h"
#include "data/settings.h"
#include "data/text_encoding.h"
#include "support/temp_dir.h"

namespace vellmora::audio {
namespace {

using test::TempDir;

QStringList menuTexts(const QMenu& menu) {
    QStringList texts;
    for (const QAction* action : menu.actions()) {
        texts << action->text();
    }
    return texts;
}

// The data() id of the one checked action, or -1 when none or several are checked.
int checkedId(const QMenu& menu) {
    int id = -1;
    int checked = 0;
    for (const QAction* action : menu.actions()) {
        if (action->isChecked()) {
            id = action->data().toInt();
            ++checked;
        }
    }
    return checked == 1 ? id : -1;
}

class MusicMenuTest : public ::testing::Test {
protected:
    MusicMenuTest() {
        QAction* off = menu_.addAction(QStringLiteral("OFF(&O)"));
        off->setData(kMusicOffCommand);
        off->setCheckable(true);
    }

    std::string musicFolder() const { return dir_.file("music"); }
    void addPiece(const std::string& name) { dir_.write("music/" + name, test::shortMidi()); }

    TempDir dir_;
    QMenu menu_;
    MusicList list_;
    Settings settings_;
};

TEST_F(MusicMenuTest, NinePiecesGiveEightEntriesSortedByFileName) {
    for (const char* name :
         {"i.mid", "c.mid", "a.mid", "h.MID", "e.mid", "b.mid", "g.mid", "f.mid", "d.mid"}) {
        addPiece(name);
    }
    dir_.write("music/notes.txt", "not a piece");
    ASSERT_EQ(list_.buildMenu(&menu_, musicFolder()), kOk);
    EXPECT_EQ(menuTexts(menu_), (QStringList{"OFF(&O)", "a", "b", "c", "d", "e", "f", "g", "h"}));
    EXPECT_EQ(list_.count(), 8);
    EXPECT_EQ(list_.firstId(), kFirstMusicCommand);
    EXPECT_EQ(list_.lastId(), kLastMusicCommand);
    EXPECT_EQ(menu_.actions().back()->data().toInt(), kLastMusicCommand);
    EXPECT_EQ(list_.menuIndexOf("c"), kFirstMusicCommand + 2);
    EXPECT_EQ(list_.menuIndexOf("i"), -1);
    EXPECT_EQ(list_.indexOfCommand(kLastMusicCommand + 1), -1);
    EXPECT_EQ(list_.path(0), musicFolder() + "/a.mid");
}

TEST_F(MusicMenuTest, JapaneseAndAmpersandNamesShowAsWritten) {
    addPiece("朝の商店街.mid");
    addPiece("R&B.mid");
    ASSERT_EQ(list_.buildMenu(&menu_, musicFolder()), kOk);
    EXPECT_EQ(menuTexts(menu_), (QStringList{"OFF(&O)", "R&&B", "朝の商店街"}));
    EXPECT_EQ(list_.baseName(1), "朝の商店街");
}

TEST_F(MusicMenuTest, FolderWithoutPiecesGivesOnlyOffAndFallsBackToOff) {
    dir_.write("music/readme.txt", "no music here");
    EXPECT_EQ(list_.buildMenu(&menu_, musicFolder()), kRefused);
    EXPECT_EQ(list_.buildMenu(&menu_, dir_.file("no-such-folder")), kRefused);
    EXPECT_EQ(menuTexts(menu_), QStringList{"OFF(&O)"});
    MusicPlayer player;
    settings_.set(kSoundSection, kMusicKey, "a");
    EXPECT_EQ(restoreMusic(player, list_, &menu_, settings_), kMusicOffCommand);
    EXPECT_EQ(*settings_.get(kSoundSection, kMusicKey), kMusicOff);
    EXPECT_EQ(checkedId(menu_), kMusicOffCommand);
}

TEST_F(MusicMenuTest, IdRangeBelowFirstIdIsRefused) {
    addPiece("a.mid");
    EXPECT_EQ(list_.buildMenu(&menu_, musicFolder(), 10000, 9999), kRefused);
    EXPECT_EQ(list_.count(), 0);
    EXPECT_EQ(list_.buildMenu(&menu_, musicFolder(), 20000, 20000), kOk);
    EXPECT_EQ(list_.menuIndexOf("a"), 20000);
}

TEST_F(MusicMenuTest, StartUpChoosesTheStoredPieceByItsCp932Name) {
    addPiece("a.mid");
    addPiece("朝の商店街.mid");
    ASSERT_EQ(list_.buildMenu(&menu_, musicFolder()), kOk);
    settings_.set(kSoundSection, kMusicKey, utf8ToCp932("朝の商店街"));
    QObject window;
    MusicPlayer player;
    player.attach(&window);
    EXPECT_EQ(restoreMusic(player, list_, &menu_, settings_), kFirstMusicCommand + 1);
    EXPECT_EQ(checkedId(menu_), kFirstMusicCommand + 1);
    EXPECT_EQ(*settings_.get(kSoundSection, kMusicKey), utf8ToCp932("朝の商店街"));
}

TEST_F(MusicMenuTest, ChoosingAPieceTwiceKeepsOneEntryAndOffStops) {
    addPiece("a.mid");
    addPiece("b.mid");
    ASSERT_EQ(list_.buildMenu(&menu_, musicFolder()), kOk);
    QObject window;
    MusicPlayer player;
    player.attach(&window);
    const bool midi = AudioDevice().midiAvailable();

    ASSERT_TRUE(chooseMusic(kFirstMusicCommand + 1, player, list_, &menu_, settings_));
    EXPECT_EQ(checkedId(menu_), kFirstMusicCommand + 1);
    EXPECT_EQ(*settings_.get(kSoundSection, kMusicKey), "b");
    ASSERT_TRUE(chooseMusic(kFirstMusicCommand + 1, player, list_, &menu_, settings_));
    if (midi) {
        EXPECT_EQ(player.openCount(), 1);
        EXPECT_TRUE(player.playing());
    }

    ASSERT_TRUE(chooseMusic(kMusicOffCommand, player, list_, &menu_, settings_));
    EXPECT_EQ(checkedId(menu_), kMusicOffCommand);
    EXPECT_EQ(*settings_.get(kSoundSection, kMusicKey), kMusicOff);
    EXPECT_FALSE(player.playing());

    // Ids that are no music command are left to the caller.
    EXPECT_FALSE(chooseMusic(kFirstMusicCommand + 2, player, list_, &menu_, settings_));
    EXPECT_FALSE(chooseMusic(32835, player, list_, &menu_, settings_));
    EXPECT_EQ(checkedId(menu_), kMusicOffCommand);
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
