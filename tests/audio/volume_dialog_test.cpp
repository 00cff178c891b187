#include "dialogs/volume_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QSlider>
#include <QTimer>
#include <utility>
#include <vector>

namespace vellmora {
namespace {

QSlider* slider(const VolumeDialog& dialog, const char* name) {
    return dialog.findChild<QSlider*>(QLatin1String(name));
}

TEST(VolumeDialogTest, SliderMovesApplyAtOnce) {
    std::vector<std::pair<int, int>> applied;
    VolumeDialog dialog(70, 40, [&](int music, int effects) {
        applied.push_back({music, effects});
    });
    ASSERT_NE(slider(dialog, VolumeDialog::kMusicSliderName), nullptr);
    EXPECT_TRUE(applied.empty());  // showing the starting values applies nothing
    slider(dialog, VolumeDialog::kMusicSliderName)->setValue(20);
    slider(dialog, VolumeDialog::kEffectsSliderName)->setValue(90);
    EXPECT_EQ(applied, (std::vector<std::pair<int, int>>{{20, 40}, {20, 90}}));
}

TEST(VolumeDialogTest, StartingValuesAreClampedToPercent) {
    VolumeDialog dialog(-10, 300, nullptr);
    EXPECT_EQ(dialog.musicVolume(), 0);
    EXPECT_EQ(dialog.effectsVolume(), 100);
}

// Moves the music slider of the open dialog, then accepts or rejects it.
void answerDialog(bool accept) {
    QTimer::singleShot(0, [accept] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QSlider*>(QLatin1String(VolumeDialog::kMusicSliderName))->setValue(10);
        accept ? dialog->accept() : dialog->reject();
    });
}

TEST(VolumeDialogTest, OkKeepsTheNewValues) {
    int music = 70;
    int effects = 70;
    std::pair<int, int> last{-1, -1};
    answerDialog(true);
    EXPECT_EQ(runVolumeDialog(nullptr, music, effects, [&](int m, int e) { last = {m, e}; }), 0);
    EXPECT_EQ(music, 10);
    EXPECT_EQ(effects, 70);
    EXPECT_EQ(last, (std::pair<int, int>{10, 70}));
}

TEST(VolumeDialogTest, CancelPutsTheStartingValuesBack) {
    int music = 70;
    int effects = 30;
    std::pair<int, int> last{-1, -1};
    answerDialog(false);
    EXPECT_EQ(runVolumeDialog(nullptr, music, effects, [&](int m, int e) { last = {m, e}; }), -1);
    EXPECT_EQ(music, 70);
    EXPECT_EQ(effects, 30);
    EXPECT_EQ(last, (std::pair<int, int>{70, 30}));
}

}  // namespace
}  // namespace vellmora
