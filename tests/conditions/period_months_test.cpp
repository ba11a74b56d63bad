#include "conditions/period_months.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "period_fixture.h"

namespace {

using PeriodMonths = PeriodFixture;

struct Months {
    std::int16_t first;
    std::int16_t last;
};

Months Get(std::int32_t start, std::int32_t end) {
    Months m{-7, -7};
    GetPeriodMonths(start, end, &m.first, &m.last);
    return m;
}

TEST_F(PeriodMonths, MonthEndClosingGivesCalendarMonthsAndWrapMark) {
    Connect({kJanDec, kAprMar, kAugDec, kOctMar});
    const Months janDec = Get(kJanDec.start, kJanDec.end);
    EXPECT_EQ(1, janDec.first);
    EXPECT_EQ(12, janDec.last);
    const Months aprMar = Get(kAprMar.start, kAprMar.end);
    EXPECT_EQ(4, aprMar.first);
    EXPECT_EQ(103, aprMar.last);
    const Months augDec = Get(kAugDec.start, kAugDec.end);
    EXPECT_EQ(8, augDec.first);
    EXPECT_EQ(12, augDec.last);
    const Months octMar = Get(kOctMar.start, kOctMar.end);
    EXPECT_EQ(10, octMar.first);
    EXPECT_EQ(103, octMar.last);
}

TEST_F(PeriodMonths, EitherOutputMayBeAbsent) {
    Connect({kAprMar});
    std::int16_t first = -7;
    std::int16_t last = -7;
    GetPeriodMonths(kAprMar.start, kAprMar.end, &first, nullptr);
    EXPECT_EQ(4, first);
    GetPeriodMonths(kAprMar.start, kAprMar.end, nullptr, &last);
    EXPECT_EQ(103, last);
    GetPeriodMonths(kAprMar.start, kAprMar.end, nullptr, nullptr);
}

TEST_F(PeriodMonths, AsksThePeriodCalculatorInOrder) {
    Connect({kAprMar});
    Get(kAprMar.start, kAprMar.end);
    const std::vector<std::string> expected = {
        "new ClAccPeriod", "SetPeriod",       "GetClosingDayByEndDate",
        "SetClosingDay",   "GetAMonthByDate", "delete ClAccPeriod",
    };
    EXPECT_EQ(expected, host::StandIn::Get().Calls());
}

// Closing on the 20th: the year 21 March to 20 March starts with the
// accounting month that ends on 20 April.
TEST_F(PeriodMonths, ClosingDayOtherThanMonthEndMovesOnlyTheFirstMonth) {
    const PeriodSpec closing20{20230321, 20240320, 20};
    Connect({closing20});
    const Months m = Get(closing20.start, closing20.end);
    EXPECT_EQ(4, m.first);
    EXPECT_EQ(103, m.last);  // the calendar month of the end date, wrapped
}

TEST_F(PeriodMonths, FailedCreationWritesNothing) {
    Connect({kAprMar}, true);
    const Months m = Get(kAprMar.start, kAprMar.end);
    EXPECT_EQ(-7, m.first);
    EXPECT_EQ(-7, m.last);
    EXPECT_EQ(std::vector<std::string>{"new ClAccPeriod"}, host::StandIn::Get().Calls());
}

// F is the period's first month, as the dialog always sets it.
std::set<int> AcceptedToMonths(const PeriodSpec& p, std::int16_t from) {
    std::set<int> accepted;
    for (int to = -1; to <= 14; ++to) {
        if (IsValidMonthRange(from, static_cast<std::int16_t>(to), p.start, p.end)) accepted.insert(to);
    }
    return accepted;
}

TEST_F(PeriodMonths, ToMonthMustBeAMonthOfThePeriod) {
    Connect({kJanDec, kAprMar, kAugDec, kOctMar});
    EXPECT_EQ((std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}), AcceptedToMonths(kJanDec, 1));
    EXPECT_EQ((std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}), AcceptedToMonths(kAprMar, 4));
    EXPECT_EQ((std::set<int>{8, 9, 10, 11, 12}), AcceptedToMonths(kAugDec, 8));
    EXPECT_EQ((std::set<int>{10, 11, 12, 1, 2, 3}), AcceptedToMonths(kOctMar, 10));
}

TEST_F(PeriodMonths, FromMonthRules) {
    Connect({kJanDec, kAprMar, kAugDec});
    // Not wrapping: from before the first month, or after the to month.
    EXPECT_FALSE(IsValidMonthRange(7, 9, kAugDec.start, kAugDec.end));
    EXPECT_FALSE(IsValidMonthRange(6, 5, kJanDec.start, kJanDec.end));
    EXPECT_TRUE(IsValidMonthRange(5, 5, kJanDec.start, kJanDec.end));
    EXPECT_TRUE(IsValidMonthRange(9, 12, kAugDec.start, kAugDec.end));
    // Wrapping: a from month in the later year needs a to month between it
    // and the last month.
    EXPECT_TRUE(IsValidMonthRange(1, 3, kAprMar.start, kAprMar.end));
    EXPECT_TRUE(IsValidMonthRange(2, 2, kAprMar.start, kAprMar.end));
    EXPECT_FALSE(IsValidMonthRange(2, 1, kAprMar.start, kAprMar.end));
    EXPECT_FALSE(IsValidMonthRange(2, 5, kAprMar.start, kAprMar.end));
    EXPECT_TRUE(IsValidMonthRange(6, 2, kAprMar.start, kAprMar.end));
}

TEST_F(PeriodMonths, FromMonthOutsideAWrappingPeriod) {
    const PeriodSpec octMar = kOctMar;
    Connect({octMar});
    EXPECT_FALSE(IsValidMonthRange(5, 12, octMar.start, octMar.end));
    EXPECT_FALSE(IsValidMonthRange(4, 3, octMar.start, octMar.end));
    EXPECT_TRUE(IsValidMonthRange(11, 2, octMar.start, octMar.end));
}

TEST_F(PeriodMonths, EveryRangeFailsWithoutThePeriodCalculator) {
    Connect({kJanDec, kAprMar}, true);
    EXPECT_TRUE(AcceptedToMonths(kJanDec, 1).empty());
    EXPECT_TRUE(AcceptedToMonths(kAprMar, 4).empty());
    EXPECT_TRUE(AcceptedToMonths(kAprMar, 0).empty());
}

}  // namespace
