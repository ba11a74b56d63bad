#include "platform/clock.h"

#include <windows.h>

namespace plat {

std::uint64_t MonotonicMicros() {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        return ::QueryPerformanceFrequency(&f) ? f.QuadPart : 1;
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    // Split so that the product cannot overflow for any uptime.
    const auto ticks = static_cast<std::uint64_t>(now.QuadPart);
    const auto freq = static_cast<std::uint64_t>(frequency);
    return ticks / freq * 1000000u + ticks % freq * 1000000u / freq;
}

void SleepMillis(std::uint32_t ms) {
    ::Sleep(ms);
}

}  // namespace plat
