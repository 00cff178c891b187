// The volume dialog: sliders applied while they move, OK keeping and Cancel or closing undoing.
#include "dialogs/volume_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QSlider>
#include <functional>
#include <utility>
#include <vector>

#include "support/dialog_support.h"

namespace vellmora {
namespace {

using Volumes = std::pair<int, int>;

QSlider* slider(const Dialog& dialog, int id) {
    return dialog.control<QSlider>(id);
}

TEST(VolumeDialogTest, SliderMovesApplyAtOnceAndStartingValuesAreClamped) {
    std::vector<Volumes> applied;
    VolumeDialog dialog(70, 40, [&](int music, int effects) {
        applied.push_back({music, effects});
    });
    ASSERT_TRUE(dialog.prepare());
    ASSERT_NE(slider(dialog, VolumeDialog::kMusicSlider), nullptr);
    EXPECT_TRUE(applied.empty());  // showing the starting values applies nothing
    slider(dialog, VolumeDialog::kMusicSlider)->setValue(20);
    slider(dialog, VolumeDialog::kEffectsSlider)->setValue(90);
    EXPECT_EQ(applied, (std::vector<Volumes>{{20, 40}, {20, 90}}));

    VolumeDialog clamped(-10, 300, nullptr);
    ASSERT_TRUE(clamped.prepare());
    EXPECT_EQ(slider(clamped, VolumeDialog::kMusicSlider)->value(), 0);
    EXPECT_EQ(slider(clamped, VolumeDialog::kEffectsSlider)->value(), 100);
}

TEST(VolumeDialogTest, OkKeepsTheNewValuesAndEveryOtherEndPutsTheStartingOnesBack) {
    struct Case {
        const char* how;
        std::function<void(Dialog&)> end;
        int result;
        Volumes kept;
    };
    const std::vector<Case> cases = {
        {"OK", [](Dialog& d) { test::click(d, kIdOk); }, 0, {10, 30}},
        {"Cancel", [](Dialog& d) { test::click(d, kIdCancel); }, -1, {70, 30}},
        {"close box", [](Dialog& d) { d.close(); }, -1, {70, 30}},
        {"Escape",
         [](Dialog& d) {
             QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
             QApplication::sendEvent(&d, &escape);
         },
         -1,
         {70, 30}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        test::ShowHookScope hook([&](Dialog& dialog) {
            slider(dialog, VolumeDialog::kMusicSlider)->setValue(10);
            c.end(dialog);
        });
        int music = 70;
        int effects = 30;
        Volumes last{-1, -1};
        EXPECT_EQ(runVolumeDialog(nullptr, music, effects,
                                  [&](int m, int e) {
                                      last = {m, e};
                                  }),
                  c.result);
        EXPECT_EQ(Volumes(music, effects), c.kept);
        EXPECT_EQ(last, c.kept);  // what is heard afterwards
    }
}

}  // namespace
}  // namespace vellmora
