#pragma once
// What the aggregation and the report writer know of the progress window:
// the two calls their work makes. The shell's window implements it, so the
// work needs no window to run (tests and benchmarks count the calls instead).
#include <cstdint>

class ClProgress {
public:
    // The overall scale in tenths of a percent: the aggregation fills it up
    // to kReportStart, the report from there to kScaleEnd.
    static constexpr std::int16_t kScaleEnd = 1000;
    static constexpr std::int16_t kReportStart = 500;

    virtual ~ClProgress() = default;
    // One overall step for each value from..to on the scale, both included.
    virtual void Advance(std::int16_t from, std::int16_t to) = 0;
    // One unit of work done.
    virtual void Pulse() = 0;
};
