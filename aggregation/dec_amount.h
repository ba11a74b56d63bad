#pragma once
// Exact fixed-point amounts in ten-thousandths of the currency unit.
#include <cstdint>

// Raised by the checked addition when a sum reaches 10^14 currency units, and
// by any operation whose exact result no longer fits the 64-bit scaled form.
struct ClDecOverflow {};

class ClDecAmount {
public:
    // Magnitude bound of the checked addition, in ten-thousandths (10^14 units).
    static constexpr std::int64_t kCheckedBound = 1000000000000000000LL;
    static constexpr std::int64_t kScale = 10000;

    ClDecAmount() = default;
    explicit ClDecAmount(std::int64_t scaled) { SetScaled(scaled); }
    ClDecAmount(const ClDecAmount&) = default;
    ClDecAmount& operator=(const ClDecAmount&) = default;
    virtual ~ClDecAmount() = default;

    // sign * (whole * 10000 + fraction)
    std::int64_t Scaled() const;
    std::uint64_t Whole() const { return m_ullWhole; }
    std::int32_t Fraction() const { return m_lFraction; }
    std::int16_t Sign() const { return m_nSign; }

    // Exact sum; throws ClDecOverflow when its magnitude is 10^18 or more.
    ClDecAmount CheckedAdd(const ClDecAmount& other) const;
    // Exact difference, no bound test.
    ClDecAmount operator-(const ClDecAmount& other) const;
    // Exact sum, no bound test.
    ClDecAmount& operator+=(const ClDecAmount& other);

private:
    void SetScaled(std::int64_t scaled);

    std::uint64_t m_ullWhole = 0;  // magnitude in whole units
    std::int32_t m_lFraction = 0;  // 0 .. 9999
    std::int16_t m_nSign = 1;      // +1 or -1; zero is +1
};
