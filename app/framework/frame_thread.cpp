#include "app/framework/frame_thread.h"

namespace vellmora {

FrameThread::~FrameThread() {
    stop();
}

int FrameThread::start(int framesPerSecond) {
    if (framesPerSecond < 1) {
        return -1;
    }
    stop();
    rate_ = framesPerSecond;
    msPerFrame_ = 1000u / static_cast<std::uint32_t>(framesPerSecond);
    startTime_ = Clock::now();
    frame_ = 0;
    lastFrameMs_ = 0;
    drewOnce_ = false;
    {
        std::lock_guard<std::mutex> guard(wakeMutex_);
        stopRequested_ = false;
    }
    running_ = true;
    try {
        thread_ = std::thread([this] { frameLoop(); });
    } catch (...) {
        running_ = false;
        return -1;
    }
    return 0;
}

void FrameThread::stop() {
    if (!running_) {
        return;
    }
    {
        std::lock_guard<std::mutex> guard(wakeMutex_);
        stopRequested_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
    running_ = false;
    frame_ = 0;
    lastFrameMs_ = 0;
    drewOnce_ = false;
}

std::uint32_t FrameThread::millisecondsSince(Clock::time_point start) const {
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    return static_cast<std::uint32_t>(elapsed.count());
}

// The frame target is rate × elapsed / 1000. A frame that comes due is drawn with the number of
// frames it is behind (onFrame skips drawing then, so a slow frame lets the loop catch up). Between
// frames the worker sleeps until the next one is due instead of polling the clock.
void FrameThread::frameLoop() {
    const auto rate = static_cast<std::uint64_t>(rate_);
    for (;;) {
        const std::uint32_t now = millisecondsSince(startTime_);
        const auto target = static_cast<std::uint32_t>(rate * now / 1000u);
        if (frame_ > target) {
            // First millisecond at which the target reaches the frame number.
            const std::uint64_t dueMs =
                (static_cast<std::uint64_t>(frame_) * 1000u + rate - 1) / rate;
            std::unique_lock<std::mutex> guard(wakeMutex_);
            wake_.wait_until(guard, startTime_ + std::chrono::milliseconds(dueMs),
                             [this] { return stopRequested_; });
            if (stopRequested_) {
                return;
            }
            continue;
        }
        {
            std::lock_guard<std::mutex> guard(wakeMutex_);
            if (stopRequested_) {
                return;
            }
        }
        const std::uint32_t sinceLast = drewOnce_ ? now - lastFrameMs_ : 0;
        const std::uint32_t framesBehind = target - frame_;
        {
            std::lock_guard<std::recursive_mutex> frameGuard(mutex_);
            onFrame(now, sinceLast, framesBehind);
        }
        lastFrameMs_ = now;
        drewOnce_ = true;
        ++frame_;
    }
}

int FrameThread::onFrame(std::uint32_t elapsedMs, std::uint32_t sinceLastMs,
                         std::uint32_t framesBehind) {
    int all = 1;
    for (FrameThread* child : children_) {
        if (child->onFrame(elapsedMs, sinceLastMs, framesBehind) == 0) {
            all = 0;
        }
    }
    return all;
}

}  // namespace vellmora
