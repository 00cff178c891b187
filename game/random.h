// The process-wide random generator: linear congruential, state = state * 214013 + 2531011
// (32-bit wrap), result (state / 65536) mod 32768.
#pragma once

#include <cstdint>

namespace vellmora {

inline constexpr int kRandomMax = 32767;

// A generator value; the process-wide one is reached through the functions in `rng`.
class Lcg {
public:
    explicit Lcg(std::uint32_t seed = 1) : state_(seed) {}
    void seed(std::uint32_t seed) { state_ = seed; }
    int next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }
    std::uint32_t state() const { return state_; }

private:
    std::uint32_t state_;
};

namespace rng {
void seed(std::uint32_t seed);
// 0 to 32767.
int next();
// next() * (1 / 32767): 0.0 to 1.0 inclusive.
double nextUnit();
// True when p > nextUnit() (one draw).
bool chance(double p);
// Seeds with the current clock's seconds since 1970 (through currentClock()).
void reseedFromClock();
// For saving and restoring the sequence (golden runs, tests).
std::uint32_t state();
void setState(std::uint32_t state);
}  // namespace rng

}  // namespace vellmora
