#pragma once
// A monotonic clock for pacing what reaches the screen and bounding waits.
// The headless double lets tests set the time (test_knobs.h: SetClockMicros);
// a sleep then moves the set time on instead of waiting.
#include <cstdint>

namespace plat {

// Microseconds since an arbitrary start; never goes back.
std::uint64_t MonotonicMicros();
// Gives up the processor for about ms milliseconds.
void SleepMillis(std::uint32_t ms);

// The moment a wait gives up, one for all the steps of an update.
struct Deadline {
    explicit Deadline(std::uint32_t millis) : endMicros(MonotonicMicros() + std::uint64_t{millis} * 1000u) {}
    std::uint64_t endMicros;
};

}  // namespace plat
