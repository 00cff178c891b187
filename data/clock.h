// The one place the program reads the time. Tests and the headless simulator install a fixed
// clock; the default is the system clock.
#pragma once

#include <cstdint>

namespace vellmora {

struct LocalDateTime {
    int year = 1970;  // full year, e.g. 2026
    int month = 1;    // 1 to 12
    int day = 1;      // 1 to 31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

enum class TimeZone { Local, Utc };

// The calendar date and time of a moment given in seconds since the epoch (all fields keep their
// defaults when the moment cannot be converted).
LocalDateTime dateTimeOf(std::int64_t seconds, TimeZone zone);

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t secondsSinceEpoch() const = 0;
    virtual LocalDateTime localNow() const = 0;
};

class SystemClock final : public Clock {
public:
    std::int64_t secondsSinceEpoch() const override;
    LocalDateTime localNow() const override;
};

class FixedClock final : public Clock {
public:
    FixedClock(std::int64_t seconds, const LocalDateTime& local)
        : seconds_(seconds), local_(local) {}
    std::int64_t secondsSinceEpoch() const override { return seconds_; }
    LocalDateTime localNow() const override { return local_; }
    void set(std::int64_t seconds, const LocalDateTime& local) {
        seconds_ = seconds;
        local_ = local;
    }

private:
    std::int64_t seconds_;
    LocalDateTime local_;
};

// The clock in use.
const Clock& currentClock();
// Installs a clock (not owned; it must outlive its use). nullptr restores the system clock.
void installClock(const Clock* clock);

// Installs a clock for the lifetime of this object and restores the previous one after.
class ScopedClock {
public:
    explicit ScopedClock(const Clock& clock);
    ~ScopedClock();
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

private:
    const Clock* previous_;
};

}  // namespace vellmora
