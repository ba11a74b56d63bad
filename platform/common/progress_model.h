#pragma once
// The platform progress bar's rules for ranges, positions and steps, as pure
// arithmetic: the headless bar follows them, and the Windows backend uses
// them for the state it holds while a bar's changes are deferred.
namespace plat::progress {

struct BarState {
    int lower = 0;
    int upper = 100;
    int pos = 0;
    int step = 10;
};

// The position stays inside the range: below the lower bound it takes the
// lower, above the upper the upper (in that order, so a reversed range ends
// on its upper bound, as the platform's control does).
inline void CoercePos(BarState& bar) {
    if (bar.pos < bar.lower) bar.pos = bar.lower;
    if (bar.pos > bar.upper) bar.pos = bar.upper;
}

// Advances by the step. Out of range the real control wraps by the modulo
// of its range: 0..5 stepped by 1 from 5 goes to 1, not to 0.
inline void StepIt(BarState& bar) {
    const long long lower = bar.lower;
    const long long span = static_cast<long long>(bar.upper) - lower;
    long long next = static_cast<long long>(bar.pos) + bar.step;
    if (span > 0 && (next > bar.upper || next < lower)) {
        next = lower + (((next - lower) % span) + span) % span;
    } else if (span <= 0) {
        next = lower;
    }
    bar.pos = static_cast<int>(next);
}

}  // namespace plat::progress
