// A worker thread that calls onFrame at a fixed number of frames per second, under a lock that the
// GUI thread shares for every change a frame reads.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace vellmora {

class FrameThread {
public:
    FrameThread() = default;
    virtual ~FrameThread();
    FrameThread(const FrameThread&) = delete;
    FrameThread& operator=(const FrameThread&) = delete;

    // Restarts a running thread at the new rate (frame count and start time begin again).
    // 0, or -1 for a rate below 1 or when no thread could be started.
    int start(int framesPerSecond);
    // Waits for the worker to leave its loop. Must not be called while holding lock().
    void stop();
    bool running() const { return running_; }

    // The frame lock. Recursive, so a GUI-thread change made under the lock may draw a frame
    // itself; uncontended (and so free) while the thread is stopped.
    void lock() { mutex_.lock(); }
    void unlock() { mutex_.unlock(); }

    int framesPerSecond() const { return rate_; }
    std::uint32_t millisecondsPerFrame() const { return msPerFrame_; }
    std::uint32_t frameNumber() const { return frame_; }

    void addChild(FrameThread* child) { children_.push_back(child); }

protected:
    // Called on the worker under the lock. Non-zero when a frame was drawn. The default calls
    // every child and answers whether all of them drew.
    virtual int onFrame(std::uint32_t elapsedMs, std::uint32_t sinceLastMs,
                        std::uint32_t framesBehind);

private:
    using Clock = std::chrono::steady_clock;
    void frameLoop();
    std::uint32_t millisecondsSince(Clock::time_point start) const;

    std::vector<FrameThread*> children_;
    std::recursive_mutex mutex_;
    std::thread thread_;
    std::mutex wakeMutex_;
    std::condition_variable wake_;
    bool running_ = false;
    bool stopRequested_ = false;
    int rate_ = 1;
    std::uint32_t msPerFrame_ = 1000;
    Clock::time_point startTime_{};
    std::uint32_t lastFrameMs_ = 0;
    bool drewOnce_ = false;
    std::uint32_t frame_ = 0;
};

}  // namespace vellmora
