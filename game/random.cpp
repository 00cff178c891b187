#include "game/random.h"

#include "data/clock.h"

namespace vellmora {
namespace {

Lcg& processGenerator() {
    static Lcg generator;
    return generator;
}

}  // namespace

namespace rng {

void seed(std::uint32_t value) {
    processGenerator().seed(value);
}

int next() {
    return processGenerator().next();
}

double nextUnit() {
    return next() * (1.0 / kRandomMax);
}

bool chance(double p) {
    return p > nextUnit();
}

void reseedFromClock() {
    seed(static_cast<std::uint32_t>(currentClock().secondsSinceEpoch()));
}

std::uint32_t state() {
    return processGenerator().state();
}

void setState(std::uint32_t value) {
    processGenerator().seed(value);
}

}  // namespace rng
}  // namespace vellmora
