// Headless double: the monotonic clock, which tests can set.
#include "platform/clock.h"

#include <chrono>
#include <optional>
#include <thread>

#include "platform/headless_windows/test_knobs.h"

namespace plat {
namespace {

std::optional<std::uint64_t>& SetTime() {
    static std::optional<std::uint64_t> time;
    return time;
}

}  // namespace

namespace headless {

void SetClockMicros(std::optional<std::uint64_t> micros) {
    SetTime() = micros;
}

}  // namespace headless

std::uint64_t MonotonicMicros() {
    if (SetTime()) return *SetTime();
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(since).count());
}

void SleepMillis(std::uint32_t ms) {
    if (SetTime()) {
        *SetTime() += std::uint64_t{ms} * 1000u;
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace plat
