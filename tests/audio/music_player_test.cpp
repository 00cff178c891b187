#include "audio/music_player.h"

#include <gtest/gtest.h>

#include <QObject>

#include "audio_fixture.h"
#include "data/result_codes.h"
#include "support/temp_dir.h"

namespace vellmora::audio {
namespace {

using test::TempDir;

class MusicPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!AudioDevice().midiAvailable()) {
            GTEST_SKIP() << "no MIDI decoder (FluidSynth and a soundfont are needed)";
        }
    }

    TempDir dir_;
    std::string piece_ = dir_.write("music/short.mid", test::shortMidi());
    std::string other_ = dir_.write("music/other.mid", test::shortMidi(96));
    QObject window_;
};

TEST_F(MusicPlayerTest, OpeningTheSamePathFindsTheOpenEntry) {
    MusicPlayer player;
    player.attach(&window_);
    const int first = player.open(piece_);
    ASSERT_GE(first, 0);
    EXPECT_EQ(player.open(piece_), first);
    EXPECT_EQ(player.openCount(), 1);
    const int second = player.open(other_);
    EXPECT_NE(second, first);
    EXPECT_EQ(player.openCount(), 2);
}

TEST_F(MusicPlayerTest, UnreadablePiecesAreNotOpenedAndBadIndexesNotPlayed) {
    MusicPlayer player;
    player.attach(&window_);
    EXPECT_EQ(player.open(dir_.file("music/missing.mid")), kRefused);
    EXPECT_EQ(player.open(dir_.file("music")), kRefused);
    EXPECT_EQ(player.openCount(), 0);
    for (int index : {-1, 0, 5}) {
        EXPECT_EQ(player.play(index, true), kRefused);
    }
    EXPECT_EQ(player.current(), -1);
    EXPECT_EQ(player.stop(), kRefused);
}

TEST_F(MusicPlayerTest, ChoosingThePlayingPieceAgainRestartsItWithoutReopening) {
    MusicPlayer player;
    player.attach(&window_);
    const int index = player.open(piece_);
    ASSERT_EQ(player.play(index, true), kOk);
    EXPECT_EQ(player.stop(), kOk);
    EXPECT_EQ(player.current(), index);  // a stop keeps the current entry
    EXPECT_FALSE(player.playing());
    EXPECT_EQ(player.open(piece_), index);
    ASSERT_EQ(player.play(index, true), kOk);
    EXPECT_TRUE(player.playing());
    EXPECT_EQ(player.openCount(), 1);
    EXPECT_EQ(player.finishedCount(), 0);  // neither stop nor restart counts as an end
}

TEST_F(MusicPlayerTest, ALoopedPiecePlaysOnPastItsEndWithoutWaitingForAnEndReport) {
    MusicPlayer player;
    player.attach(&window_);
    const int index = player.open(piece_);
    ASSERT_EQ(player.play(index, true), kOk);
    EXPECT_EQ(player.repeatEntry(), index);
    // Many times the piece's quarter second, with the event loop running: the mixer starts it
    // again by itself, so it never stops and no end is reported.
    test::processEventsUntil([] { return false; }, 2000);
    EXPECT_TRUE(player.playing());
    EXPECT_EQ(player.current(), index);
    EXPECT_EQ(player.finishedCount(), 0);
}

TEST_F(MusicPlayerTest, WithoutANotificationReceiverAPiecePlaysOnce) {
    MusicPlayer player;
    player.attach(nullptr);
    const int index = player.open(piece_);
    ASSERT_EQ(player.play(index, true), kOk);
    EXPECT_EQ(player.repeatEntry(), -1);
    ASSERT_TRUE(test::processEventsUntil([&] { return !player.playing(); }, 10000));
    test::processEventsUntil([] { return false; }, 300);
    EXPECT_FALSE(player.playing());
    EXPECT_EQ(player.finishedCount(), 0);
}

TEST_F(MusicPlayerTest, APieceNotRepeatedEndsAndClearsTheCurrentEntry) {
    MusicPlayer player;
    player.attach(&window_);
    const int index = player.open(piece_);
    ASSERT_EQ(player.play(index, false), kOk);
    ASSERT_TRUE(test::processEventsUntil([&] { return player.finishedCount() == 1; }, 10000));
    EXPECT_EQ(player.current(), -1);
    test::processEventsUntil([] { return false; }, 300);
    EXPECT_FALSE(player.playing());
}

TEST_F(MusicPlayerTest, AStopBeforeTheEndReportIsHandledIgnoresTheReport) {
    MusicPlayer player;
    player.attach(&window_);
    const int index = player.open(piece_);
    ASSERT_EQ(player.play(index, false), kOk);
    // Let the piece end without handling the queued report, then stop.
    for (int waited = 0; player.playing() && waited < 10000; waited += 20) {
        QThread::msleep(20);
    }
    QThread::msleep(100);
    player.stop();
    test::processEventsUntil([] { return false; }, 300);
    EXPECT_EQ(player.finishedCount(), 0);
    EXPECT_FALSE(player.playing());
}

TEST_F(MusicPlayerTest, AttachClosesEverythingAndCloseAllFreesTheEntries) {
    MusicPlayer player;
    player.attach(&window_);
    ASSERT_EQ(player.play(player.open(piece_), true), kOk);
    player.attach(&window_);
    EXPECT_EQ(player.openCount(), 0);
    EXPECT_EQ(player.current(), -1);
    EXPECT_EQ(player.repeatEntry(), -1);
    EXPECT_FALSE(player.playing());
    const int index = player.open(other_);
    EXPECT_EQ(index, 0);
    player.closeAll();
    EXPECT_EQ(player.openCount(), 0);
    EXPECT_EQ(player.play(index, false), kRefused);
}

}  // namespace
}  // namespace vellmora::audio
