// ClDecAmount: exact sums and differences of fixed-point amounts, and the bound check.
#include "aggregation/dec_amount.h"

void ClDecAmount::SetScaled(std::int64_t scaled) {
    // The magnitude of INT64_MIN only fits the unsigned type.
    const std::uint64_t magnitude =
        scaled < 0 ? 0u - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
    m_nSign = scaled < 0 ? -1 : 1;
    m_ullWhole = magnitude / kScale;
    m_lFraction = static_cast<std::int32_t>(magnitude % kScale);
}

std::int64_t ClDecAmount::Scaled() const {
    const std::uint64_t magnitude = m_ullWhole * kScale + static_cast<std::uint64_t>(m_lFraction);
    // Every stored amount came from a 64-bit scaled value, so the conversion
    // back is exact, also for the most negative one.
    return m_nSign < 0 ? static_cast<std::int64_t>(0u - magnitude) : static_cast<std::int64_t>(magnitude);
}

ClDecAmount ClDecAmount::CheckedAdd(const ClDecAmount& other) const {
    std::int64_t sum = 0;
    // A sum that leaves the 64-bit range is far past the bound as well.
    if (__builtin_add_overflow(Scaled(), other.Scaled(), &sum)) throw ClDecOverflow();
    if (sum >= kCheckedBound || sum <= -kCheckedBound) throw ClDecOverflow();
    return ClDecAmount(sum);
}

ClDecAmount ClDecAmount::operator-(const ClDecAmount& other) const {
    std::int64_t diff = 0;
    // Not representable exactly: refuse rather than wrap to a wrong amount.
    if (__builtin_sub_overflow(Scaled(), other.Scaled(), &diff)) throw ClDecOverflow();
    return ClDecAmount(diff);
}

ClDecAmount& ClDecAmount::operator+=(const ClDecAmount& other) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(Scaled(), other.Scaled(), &sum)) throw ClDecOverflow();
    SetScaled(sum);
    return *this;
}
