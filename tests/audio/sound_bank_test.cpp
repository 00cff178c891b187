#include "audio/sound_bank.h"

#include <gtest/gtest.h>

#include "audio_fixture.h"
#include "data/result_codes.h"
#include "support/temp_dir.h"

namespace vellmora::audio {
namespace {

using test::TempDir;

class SoundBankTest : public ::testing::Test {
protected:
    TempDir dir_;
    std::string wave_ = dir_.write("sound/clap.wav", test::shortWave());
};

TEST_F(SoundBankTest, LoadsAndPlaysAWaveFromMemory) {
    SoundBank bank;
    ASSERT_EQ(bank.loadSound(kClap, wave_), kOk);
    EXPECT_TRUE(bank.filled(kClap));
    EXPECT_EQ(bank.path(kClap), wave_);
    EXPECT_EQ(bank.playSound(kClap), kOk);
    // A second effect cuts off the first and is accepted at once.
    ASSERT_EQ(bank.loadSound(kBeep, wave_), kOk);
    EXPECT_EQ(bank.playSound(kBeep), kOk);
}

TEST_F(SoundBankTest, MissingFileLeavesTheSlotEmptyAndPlayingItIsRefused) {
    SoundBank bank;
    EXPECT_EQ(bank.loadSound(kBuild, dir_.file("sound/build.wav")), kRefused);
    EXPECT_FALSE(bank.filled(kBuild));
    EXPECT_EQ(bank.playSound(kBuild), kRefused);
    // The slot can still be filled later.
    EXPECT_EQ(bank.loadSound(kBuild, wave_), kOk);
}

TEST_F(SoundBankTest, RefusesSlotsOutOfRangeAndAFilledSlot) {
    SoundBank bank;
    for (int slot : {-1, static_cast<int>(kEffectSlotCount), 1000}) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(bank.loadSound(slot, wave_), kRefused);
        EXPECT_EQ(bank.playSound(slot), kRefused);
    }
    ASSERT_EQ(bank.loadSound(kRemove, wave_), kOk);
    EXPECT_EQ(bank.loadSound(kRemove, wave_), kRefused);
    EXPECT_EQ(bank.path(kRemove), wave_);
}

TEST_F(SoundBankTest, EmptyOrUndecodableFilesLoadButPlaySilently) {
    SoundBank bank;
    ASSERT_EQ(bank.loadSound(0, dir_.write("empty.wav", "")), kOk);
    ASSERT_EQ(bank.loadSound(1, dir_.write("text.wav", "not a wave at all")), kOk);
    EXPECT_EQ(bank.playSound(0), kOk);
    EXPECT_EQ(bank.playSound(1), kOk);
}

TEST_F(SoundBankTest, ClearEmptiesEverySlot) {
    SoundBank bank;
    ASSERT_EQ(bank.loadSound(kClap, wave_), kOk);
    ASSERT_EQ(bank.playSound(kClap), kOk);
    bank.clear();
    EXPECT_FALSE(bank.filled(kClap));
    EXPECT_EQ(bank.playSound(kClap), kRefused);
    EXPECT_EQ(bank.loadSound(kClap, wave_), kOk);
}

TEST_F(SoundBankTest, VolumeIsClampedToPercent) {
    SoundBank bank;
    bank.setVolume(150);
    EXPECT_EQ(bank.volume(), 100);
    bank.setVolume(-5);
    EXPECT_EQ(bank.volume(), 0);
}

}  // namespace
}  // namespace vellmora::audio
