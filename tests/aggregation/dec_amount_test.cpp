#include "aggregation/dec_amount.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

constexpr std::int64_t kJustBelow = 999999999999999999LL;  // 99,999,999,999,999.9999
constexpr std::int64_t kBound = 1000000000000000000LL;     // 100,000,000,000,000

// An amount's sign, whole yen and ten-thousandths.
void ExpectParts(const ClDecAmount& a, std::int16_t sign, std::uint64_t whole, std::int32_t fraction) {
    EXPECT_EQ(sign, a.Sign());
    EXPECT_EQ(whole, a.Whole());
    EXPECT_EQ(fraction, a.Fraction());
}

TEST(DecAmount, StoresNormalisedParts) {
    ExpectParts(ClDecAmount(123456789), 1, 12345, 6789);
    EXPECT_EQ(123456789, ClDecAmount(123456789).Scaled());
    ExpectParts(ClDecAmount(-10001), -1, 1, 1);
    EXPECT_EQ(-10001, ClDecAmount(-10001).Scaled());
    ExpectParts(ClDecAmount(-9999), -1, 0, 9999);
    const ClDecAmount zero;
    EXPECT_EQ(1, zero.Sign());
    EXPECT_EQ(0, zero.Scaled());
    // A result of zero carries the plus sign too.
    ExpectParts(ClDecAmount(-5) - ClDecAmount(-5), 1, 0, 0);
}

TEST(DecAmount, ExtremeScaledValuesRoundTrip) {
    const std::int64_t lo = std::numeric_limits<std::int64_t>::min();
    const std::int64_t hi = std::numeric_limits<std::int64_t>::max();
    EXPECT_EQ(lo, ClDecAmount(lo).Scaled());
    EXPECT_EQ(hi, ClDecAmount(hi).Scaled());
    ExpectParts(ClDecAmount(lo), -1, 922337203685477u, 5808);
    const ClDecAmount copy(ClDecAmount(-77));
    EXPECT_EQ(-77, copy.Scaled());
}

TEST(DecAmount, ArithmeticIsExact) {
    EXPECT_EQ(3, ClDecAmount(1).CheckedAdd(ClDecAmount(2)).Scaled());
    EXPECT_EQ(-1, ClDecAmount(1).CheckedAdd(ClDecAmount(-2)).Scaled());
    EXPECT_EQ(-3, (ClDecAmount(-1) - ClDecAmount(2)).Scaled());
    EXPECT_EQ(20001, (ClDecAmount(10000) - ClDecAmount(-10001)).Scaled());
    ClDecAmount acc(9999);
    acc += ClDecAmount(1);
    EXPECT_EQ(10000, acc.Scaled());
    ExpectParts(acc, 1, 1, 0);
    acc += ClDecAmount(-30000);
    EXPECT_EQ(-20000, acc.Scaled());
}

TEST(DecAmount, CheckedAdditionBound) {
    EXPECT_EQ(kJustBelow, ClDecAmount(kJustBelow - 1).CheckedAdd(ClDecAmount(1)).Scaled());
    EXPECT_EQ(-kJustBelow, ClDecAmount(-kJustBelow).CheckedAdd(ClDecAmount(0)).Scaled());
    EXPECT_THROW(ClDecAmount(kJustBelow).CheckedAdd(ClDecAmount(1)), ClDecOverflow);
    EXPECT_THROW(ClDecAmount(-kJustBelow).CheckedAdd(ClDecAmount(-1)), ClDecOverflow);
    EXPECT_THROW(ClDecAmount(kBound).CheckedAdd(ClDecAmount(0)), ClDecOverflow);
    EXPECT_THROW(ClDecAmount(std::numeric_limits<std::int64_t>::max()).CheckedAdd(ClDecAmount(1)),
                 ClDecOverflow);
    // Beyond the bound on the way, back inside at the end: passes.
    EXPECT_EQ(1, ClDecAmount(kBound * 2).CheckedAdd(ClDecAmount(-(kBound * 2 - 1))).Scaled());
}

TEST(DecAmount, SubtractionAndAccumulationHaveNoBound) {
    EXPECT_EQ(-2 * kBound, (ClDecAmount(-kBound) - ClDecAmount(kBound)).Scaled());
    ClDecAmount acc(kBound);
    acc += ClDecAmount(kBound);
    EXPECT_EQ(2 * kBound, acc.Scaled());
}

TEST(DecAmount, ResultsOutsideSixtyFourBitsRaise) {
    const std::int64_t hi = std::numeric_limits<std::int64_t>::max();
    const std::int64_t lo = std::numeric_limits<std::int64_t>::min();
    EXPECT_THROW(ClDecAmount(lo) - ClDecAmount(1), ClDecOverflow);
    ClDecAmount acc(hi);
    EXPECT_THROW(acc += ClDecAmount(1), ClDecOverflow);
    EXPECT_EQ(hi, acc.Scaled());  // unchanged
    EXPECT_EQ(lo, (ClDecAmount(lo + 1) - ClDecAmount(1)).Scaled());
}

}  // namespace
