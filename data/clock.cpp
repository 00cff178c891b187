#include "data/clock.h"

#include <ctime>

namespace vellmora {
namespace {

const Clock* installedClock = nullptr;

const SystemClock& systemClock() {
    static const SystemClock clock;
    return clock;
}

}  // namespace

std::int64_t SystemClock::secondsSinceEpoch() const {
    return static_cast<std::int64_t>(std::time(nullptr));
}

LocalDateTime dateTimeOf(std::int64_t seconds, TimeZone zone) {
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm parts{};
    LocalDateTime result;
    const std::tm* converted =
        zone == TimeZone::Local ? localtime_r(&time, &parts) : gmtime_r(&time, &parts);
    if (converted == nullptr) {
        return result;
    }
    result.year = parts.tm_year + 1900;
    result.month = parts.tm_mon + 1;
    result.day = parts.tm_mday;
    result.hour = parts.tm_hour;
    result.minute = parts.tm_min;
    result.second = parts.tm_sec;
    return result;
}

LocalDateTime SystemClock::localNow() const {
    return dateTimeOf(static_cast<std::int64_t>(std::time(nullptr)), TimeZone::Local);
}

const Clock& currentClock() {
    return installedClock != nullptr ? *installedClock : systemClock();
}

void installClock(const Clock* clock) {
    installedClock = clock;
}

ScopedClock::ScopedClock(const Clock& clock) : previous_(installedClock) {
    installedClock = &clock;
}

ScopedClock::~ScopedClock() {
    installedClock = previous_;
}

}  // namespace vellmora
