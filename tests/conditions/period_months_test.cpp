#include "conditions/period_months.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "tests/support/host_models.h"
#include "tests/support/standin_fixture.h"

namespace {

using namespace support;  // the periods and their host models

using PeriodMonths = support::StandInTest;

struct Months {
    std::int16_t first;
    std::int16_t last;
};

Months Get(std::int32_t start, std::int32_t end) {
    Months m{-7, -7};
    GetPeriodMonths(start, end, &m.first, &m.last);
    return m;
}

// The first month and the last (its calendar month, 100 added when the year
// wraps). Closing on the 20th: the year 21 March to 20 March starts with the
// accounting month that ends on 20 April.
TEST_F(PeriodMonths, FirstAndLastMonthWithTheWrapMark) {
    const struct {
        const char* name;
        Period period;
        Months expected;
    } cases[] = {
        {"calendar year", kJanDec, {1, 12}},
        {"April to March wraps", kAprMar, {4, 103}},
        {"short first year", kAugDec, {8, 12}},
        {"six months over the year end", kOctMar, {10, 103}},
        {"closing on the 20th moves only the first month", {20230321, 20240320, 20}, {4, 103}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Connect(PeriodsModel({c.period}));
        const Months m = Get(c.period.start, c.period.end);
        EXPECT_EQ(c.expected.first, m.first);
        EXPECT_EQ(c.expected.last, m.last);
    }
}

TEST_F(PeriodMonths, EitherOutputMayBeAbsent) {
    Connect(PeriodsModel({kAprMar}));
    std::int16_t first = -7;
    std::int16_t last = -7;
    GetPeriodMonths(kAprMar.start, kAprMar.end, &first, nullptr);
    EXPECT_EQ(4, first);
    GetPeriodMonths(kAprMar.start, kAprMar.end, nullptr, &last);
    EXPECT_EQ(103, last);
    GetPeriodMonths(kAprMar.start, kAprMar.end, nullptr, nullptr);
}

TEST_F(PeriodMonths, AsksThePeriodCalculatorInOrder) {
    Connect(PeriodsModel({kAprMar}));
    Get(kAprMar.start, kAprMar.end);
    const std::vector<std::string> expected = {
        "new ClAccPeriod", "SetPeriod",       "GetClosingDayByEndDate",
        "SetClosingDay",   "GetAMonthByDate", "delete ClAccPeriod",
    };
    EXPECT_EQ(expected, host::StandIn::Get().Calls());
}

TEST_F(PeriodMonths, FailedCreationWritesNothing) {
    Connect(PeriodsModel({kAprMar}, true));
    const Months m = Get(kAprMar.start, kAprMar.end);
    EXPECT_EQ(-7, m.first);
    EXPECT_EQ(-7, m.last);
    EXPECT_EQ(std::vector<std::string>{"new ClAccPeriod"}, host::StandIn::Get().Calls());
}

// The to months accepted with the from month.
std::set<int> AcceptedToMonths(const Period& p, std::int16_t from) {
    std::set<int> accepted;
    for (int to = -1; to <= 14; ++to) {
        if (IsValidMonthRange(from, static_cast<std::int16_t>(to), p.start, p.end)) accepted.insert(to);
    }
    return accepted;
}

TEST_F(PeriodMonths, ToMonthMustBeAMonthOfThePeriod) {
    Connect(PeriodsModel({kJanDec, kAprMar, kAugDec, kOctMar}));
    EXPECT_EQ((std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}), AcceptedToMonths(kJanDec, 1));
    EXPECT_EQ((std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}), AcceptedToMonths(kAprMar, 4));
    EXPECT_EQ((std::set<int>{8, 9, 10, 11, 12}), AcceptedToMonths(kAugDec, 8));
    EXPECT_EQ((std::set<int>{10, 11, 12, 1, 2, 3}), AcceptedToMonths(kOctMar, 10));
}

// Any from month: not wrapping, the to months from it to the last; wrapping,
// a from month in the later year needs a to month between it and the last
// month, one in the earlier year takes any month of the period.
TEST_F(PeriodMonths, FromMonthRules) {
    const struct {
        Period period;
        std::int16_t from;
        std::set<int> accepted;
    } cases[] = {
        {kAugDec, 7, {}},  // before the first month
        {kJanDec, 5, {5, 6, 7, 8, 9, 10, 11, 12}},
        {kJanDec, 6, {6, 7, 8, 9, 10, 11, 12}},
        {kAugDec, 9, {9, 10, 11, 12}},
        {kAprMar, 1, {1, 2, 3}},
        {kAprMar, 2, {2, 3}},
        {kAprMar, 6, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
        {kOctMar, 5, {}},  // outside a six-month period
        {kOctMar, 4, {}},
        {kOctMar, 11, {10, 11, 12, 1, 2, 3}},
    };
    for (const auto& c : cases) {
        Connect(PeriodsModel({c.period}));
        EXPECT_EQ(c.accepted, AcceptedToMonths(c.period, c.from)) << c.period.start << " from " << c.from;
    }
}

TEST_F(PeriodMonths, EveryRangeFailsWithoutThePeriodCalculator) {
    Connect(PeriodsModel({kJanDec, kAprMar}, true));
    EXPECT_TRUE(AcceptedToMonths(kJanDec, 1).empty());
    EXPECT_TRUE(AcceptedToMonths(kAprMar, 4).empty());
    EXPECT_TRUE(AcceptedToMonths(kAprMar, 0).empty());
}

}  // namespace
