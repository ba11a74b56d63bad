#pragma once
// A monotonic clock for pacing what reaches the screen. The portable backend
// lets tests set the time (platform/portable/drive_table.h: SetClockMicros).
#include <cstdint>

namespace plat {

// Microseconds since an arbitrary start; never goes back.
std::uint64_t MonotonicMicros();

}  // namespace plat
