#include <gtest/gtest.h>

#include <QPushButton>
#include <QVBoxLayout>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "app/framework/dialog.h"
#include "app/framework/frame_thread.h"
#include "app/framework/money_text.h"
#include "app/framework/window.h"
#include "resources/string_table.h"

namespace vellmora {
namespace {

class CountingThread : public FrameThread {
public:
    std::atomic<int> frames{0};
    std::vector<std::uint32_t> behind;
    int slowFrame = -1;

protected:
    int onFrame(std::uint32_t, std::uint32_t, std::uint32_t framesBehind) override {
        behind.push_back(framesBehind);
        if (frames++ == slowFrame) {
            std::this_thread::sleep_for(std::chrono::milliseconds(350));
        }
        return framesBehind == 0 ? 1 : 0;
    }
};

TEST(FrameThreadTest, RestartsAtANewRateAndStops) {
    CountingThread thread;
    EXPECT_EQ(thread.start(0), -1);
    ASSERT_EQ(thread.start(1), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_EQ(thread.start(100), 0);
    EXPECT_EQ(thread.framesPerSecond(), 100);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    thread.stop();
    EXPECT_FALSE(thread.running());
    EXPECT_GE(thread.frames.load(), 5);
    EXPECT_EQ(thread.frameNumber(), 0u);
}

TEST(FrameThreadTest, ASlowFrameIsFollowedByFramesThatAreBehind) {
    CountingThread thread;
    thread.slowFrame = 1;
    ASSERT_EQ(thread.start(10), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    thread.stop();
    // 350 ms at 100 ms a frame: the two frames after the slow one come at once, behind by 2
    // and then 1 (more on a loaded machine), and the loop is back on time after them.
    ASSERT_GE(thread.behind.size(), 5u);
    EXPECT_EQ(thread.behind[1], 0u);
    EXPECT_GE(thread.behind[2], 2u);
    EXPECT_LT(thread.behind[3], thread.behind[2]);
    EXPECT_EQ(thread.behind.back(), 0u);
}

class ButtonDialog : public Dialog {
public:
    int initCalls = 0;

protected:
    bool onInitDialog() override {
        ++initCalls;
        auto* layout = new QVBoxLayout(this);
        auto* ok = new QPushButton("OK", this);
        bindCommand(ok, kIdClose);
        auto* seven = new QPushButton("7", this);
        bindCommand(seven, 7);
        layout->addWidget(ok);
        layout->addWidget(seven);
        return true;
    }
    bool onCommand(int id, int) override {
        if (id == 7) {
            return endDialog(7);
        }
        return closeOn128(id);
    }
};

TEST(DialogTest, DoModalAnswersWhatEndDialogReceived) {
    Dialog::setShowHook([](Dialog& dialog) { dialog.control<QPushButton>(7)->click(); });
    ButtonDialog dialog;
    EXPECT_EQ(dialog.doModal(nullptr), 7);
    EXPECT_EQ(dialog.initCalls, 1);

    Dialog::setShowHook([](Dialog& dialog) { dialog.close(); });
    ButtonDialog closed;
    EXPECT_EQ(closed.doModal(nullptr), 0);
    Dialog::setShowHook(nullptr);
}

// Its onClose closes the window for good only when allowed to.
class ClosingWindow : public Window {
public:
    explicit ClosingWindow(bool allow) : allow_(allow) {}
    void onClose() override {
        ++closeCalls;
        if (allow_) {
            closeWindow();
        }
    }
    int closeCalls = 0;

private:
    bool allow_;
};

TEST(WindowTest, AClosePassesThroughOnCloseWhichDecides) {
    // As the close button, the session's quit or QApplication::quit close it: from outside.
    ClosingWindow agrees(true);
    agrees.show();
    EXPECT_TRUE(agrees.close());
    EXPECT_EQ(agrees.closeCalls, 1);
    EXPECT_FALSE(agrees.isVisible());

    ClosingWindow refuses(false);
    refuses.show();
    EXPECT_FALSE(refuses.close());
    EXPECT_EQ(refuses.closeCalls, 1);
    EXPECT_TRUE(refuses.isVisible());
}

TEST(TextTest, StringsAndMoney) {
    EXPECT_EQ(loadString(103), QStringLiteral("Vellmora"));
    EXPECT_TRUE(loadString(999).isEmpty());
    EXPECT_EQ(formatString(128, 1, 1), QStringLiteral("1年 1月"));
    EXPECT_EQ(formatString(145, "空き地"), QStringLiteral("建物[空き地]"));
    EXPECT_EQ(moneyText(1234567), QStringLiteral("1,234,567"));
    EXPECT_EQ(moneyText(-12000), QStringLiteral("-12,000"));
    EXPECT_EQ(moneyText(999), QStringLiteral("999"));
}

}  // namespace
}  // namespace vellmora
