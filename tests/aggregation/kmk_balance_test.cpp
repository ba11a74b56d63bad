// Closing balances: brought forward, the months of the range, the year-end
// and mid-year adjustment months, both natures and both tax modes.
#include <gtest/gtest.h>

#include "agg_support.h"

namespace aggtest {
namespace {

constexpr std::int32_t kDebitAcct = 1110000;
constexpr std::int32_t kCreditAcct = 2120000;

// The same amounts for a debit-nature and a credit-nature account (yen):
//   excl. tax debit:  opening 1000, month k 100*k (1..12), year-end 5000, mid-year 7000
//   excl. tax credit: opening 10,   month k k,             year-end 50,   mid-year 70
//   incl. tax: debit = excl. + 11, credit = excl. + 3, every entry
// Month 4 of the debit side carries one extra ten-thousandth.
host::AccountTotal Amounts(std::int32_t code, std::uint8_t nature) {
    host::AccountTotal t = Total(code, "Acct", nature);
    for (int k = 0; k < 15; ++k) {
        std::int64_t d = 100 * k;
        std::int64_t c = k;
        if (k == 0) {
            d = 1000;
            c = 10;
        } else if (k == 13) {
            d = 5000;
            c = 50;
        } else if (k == 14) {
            d = 7000;
            c = 70;
        }
        t.debitExcl[k] = d * kYen;
        t.creditExcl[k] = c * kYen;
        t.debitIncl[k] = (d + 11) * kYen;
        t.creditIncl[k] = (c + 3) * kYen;
    }
    t.debitExcl[4] += 1;
    t.debitIncl[4] += 1;
    return t;
}

class Balances : public AggregationFixture {
protected:
    Balances() {
        Add(Amounts(kDebitAcct, 1));
        Add(Amounts(kCreditAcct, 2));
    }
};

TEST_F(Balances, BroughtForwardAndMovementsTaxExclusive) {
    // F = 4, T = 9. Debit nature:
    //   brought forward (1000+100+200+300) - (10+1+2+3)   = 1584
    //   months 4..9 debit 400.0001+500+...+900 = 3900.0001, credit 4+...+9 = 39
    //   closing 1584 + 3900.0001 - 39 = 5445.0001
    // Credit nature: the same with the sides exchanged, -5445.0001.
    ASSERT_EQ(1, Run(MonthFind(4, 9), 0));
    EXPECT_EQ(5445 * kYen + 1, Balance(kDebitAcct));
    EXPECT_EQ(-(5445 * kYen + 1), Balance(kCreditAcct));
}

TEST_F(Balances, BroughtForwardAndMovementsTaxInclusive) {
    // Debit nature: brought forward 1644 - 28 = 1616; months debit 3966.0001,
    // credit 57; closing 1616 + 3966.0001 - 57 = 5525.0001.
    ASSERT_EQ(1, Run(MonthFind(4, 9), 1));
    EXPECT_EQ(5525 * kYen + 1, Balance(kDebitAcct));
    EXPECT_EQ(-(5525 * kYen + 1), Balance(kCreditAcct));
}

TEST_F(Balances, AnyFlagOtherThanOneIsTaxExclusive) {
    ASSERT_EQ(1, Run(MonthFind(4, 9), 2));
    EXPECT_EQ(5445 * kYen + 1, Balance(kDebitAcct));
}

TEST_F(Balances, FromIndexOneBringsForwardTheOpeningBalanceAlone) {
    // 990 + (100+...+1200) - (1+...+12) + 0.0001 = 990 + 7800.0001 - 78 = 8712.0001
    ASSERT_EQ(1, Run(MonthFind(1, 12), 0));
    EXPECT_EQ(8712 * kYen + 1, Balance(kDebitAcct));
}

TEST_F(Balances, YearEndMonthCountsOnceWhenTheRangeTakesItIn) {
    // 8712.0001 + 5000 - 50
    ASSERT_EQ(1, Run(MonthFind(1, 12, {18}), 0));
    EXPECT_EQ(13662 * kYen + 1, Balance(kDebitAcct));
    EXPECT_EQ(-(13662 * kYen + 1), Balance(kCreditAcct));
}

TEST_F(Balances, YearEndItemMustBeLinkedAfterItemTwo) {
    StFINDINFO unlinked = MonthFind(1, 12);
    SetMonthItem(unlinked, 2, 1, 18, 0);  // item 2's link stays 0
    ASSERT_EQ(1, Run(unlinked, 0));
    EXPECT_EQ(8712 * kYen + 1, Balance(kDebitAcct));
}

TEST_F(Balances, YearEndInTheFourthItemNeedsTheThirdItemsLink) {
    StFINDINFO linked = MonthFind(1, 12, {15, 18});  // T = 12, so no mid-year month
    ASSERT_EQ(1, Run(linked, 0));
    EXPECT_EQ(13662 * kYen + 1, Balance(kDebitAcct));

    m_list.clear();
    StFINDINFO broken = MonthFind(1, 12, {15, 18});
    broken.SetI16(StFINDINFO::ItemOffset(2) + StFINDINFO::kOffLink, 0);
    ASSERT_EQ(1, Run(broken, 0));
    EXPECT_EQ(8712 * kYen + 1, Balance(kDebitAcct));
}

TEST_F(Balances, MidYearMonthWithSettingOneAndSixthMonth) {
    SetPeriodSetting(1);
    // 990 + (100+...+600) - (1+...+6) + 7000 - 70 = 990 + 2100 - 21 + 6930 = 9999
    ASSERT_EQ(1, Run(MonthFind(1, 6, {15}), 0));
    EXPECT_EQ(9999 * kYen + 1, Balance(kDebitAcct));
    EXPECT_EQ(-(9999 * kYen + 1), Balance(kCreditAcct));
}

TEST_F(Balances, MidYearMonthFollowsTheSettingNotTheItem) {
    SetPeriodSetting(1);
    ASSERT_EQ(1, Run(MonthFind(1, 6), 0));
    EXPECT_EQ(9999 * kYen + 1, Balance(kDebitAcct));
}

TEST_F(Balances, MidYearMonthNotCountedOtherwise) {
    SetPeriodSetting(0);
    ASSERT_EQ(1, Run(MonthFind(1, 6, {15}), 0));
    EXPECT_EQ(3069 * kYen + 1, Balance(kDebitAcct));  // 990 + 2100.0001 - 21

    SetPeriodSetting(1);
    m_list.clear();
    ASSERT_EQ(1, Run(MonthFind(1, 5), 0));
    EXPECT_EQ(2475 * kYen + 1, Balance(kDebitAcct));  // 990 + 1500.0001 - 15
    m_list.clear();
    ASSERT_EQ(1, Run(MonthFind(1, 7), 0));
    EXPECT_EQ(3762 * kYen + 1, Balance(kDebitAcct));  // 990 + 2800.0001 - 28

    SetPeriodSetting(2);
    m_list.clear();
    ASSERT_EQ(1, Run(MonthFind(1, 6), 0));
    EXPECT_EQ(3069 * kYen + 1, Balance(kDebitAcct));
}

TEST_F(Balances, BothExtraMonthsInASixMonthPeriod) {
    SetPeriodSetting(1);
    // 9999.0001 + 5000 - 50
    ASSERT_EQ(1, Run(MonthFind(1, 6, {15, 18}), 0));
    EXPECT_EQ(14949 * kYen + 1, Balance(kDebitAcct));
}

TEST_F(Balances, FromAfterToAddsNoMonths) {
    // Brought forward entries 0..6: (1000+100+...+600) - (10+1+...+6)
    //   = 3100.0001 - 31 = 3069.0001; no months.
    ASSERT_EQ(1, Run(MonthFind(7, 3), 0));
    EXPECT_EQ(3069 * kYen + 1, Balance(kDebitAcct));
    m_list.clear();
    ASSERT_EQ(1, Run(MonthFind(7, 3, {18}), 0));
    EXPECT_EQ(8019 * kYen + 1, Balance(kDebitAcct));  // + 5000 - 50
}

TEST_F(Balances, BalanceOnTheOtherSideIsNegative) {
    m_model.totals[kDataNo].clear();
    m_model.masters[kDataNo].clear();
    host::AccountTotal debit = Total(kDebitAcct, "D", 1);
    debit.debitExcl[4] = 300 * kYen;
    debit.creditExcl[4] = 500 * kYen;
    host::AccountTotal credit = debit;
    credit.code = kCreditAcct;
    credit.nature = 0;
    host::AccountTotal zero = Total(3000000, "Z", 1);
    Add(debit);
    Add(credit);
    Add(zero);
    ASSERT_EQ(1, Run(MonthFind(4, 4), 0));
    EXPECT_EQ(-200 * kYen, Balance(kDebitAcct));
    EXPECT_EQ(200 * kYen, Balance(kCreditAcct));
    EXPECT_EQ(0, Balance(3000000));  // a zero balance keeps its entry
    EXPECT_EQ(3u, m_list.size());
}

}  // namespace
}  // namespace aggtest
