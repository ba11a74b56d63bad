// Closing balances: brought forward, the months of the range, the year-end
// and mid-year adjustment months, both natures and both tax modes.
#include <gtest/gtest.h>

#include <vector>

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
        const std::int64_t d = k == 0 ? 1000 : k == 13 ? 5000 : k == 14 ? 7000 : 100 * k;
        const std::int64_t c = d / 100;
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

// One run per row; the debit-nature account's closing balance in whole yen
// (each carries the extra ten-thousandth of month 4), and the credit-nature
// account's the same negated where the row checks it.
struct Case {
    const char* name;
    std::int32_t setting;  // the period setting: 1 counts the mid-year month with the sixth
    std::int16_t from;
    std::int16_t to;
    std::vector<std::int16_t> extras;
    int unlinkedItem;  // -1, or the item whose link is cut
    int taxIncluded;
    std::int64_t debitYen;
    bool checkCredit;
};

const Case kCases[] = {
    // F = 4, T = 9: brought forward (1000+100+200+300) - (10+1+2+3) = 1584;
    // months 4..9 debit 3900.0001, credit 39.
    {"brought forward and movements, tax-exclusive", 0, 4, 9, {}, -1, 0, 5445, true},
    // Brought forward 1644 - 28 = 1616; months debit 3966.0001, credit 57.
    {"brought forward and movements, tax-inclusive", 0, 4, 9, {}, -1, 1, 5525, true},
    {"any flag other than one is tax-exclusive", 0, 4, 9, {}, -1, 2, 5445, true},
    // 990 + (100+...+1200) - (1+...+12)
    {"from index one brings forward the opening balance alone", 0, 1, 12, {}, -1, 0, 8712, false},
    // 8712.0001 + 5000 - 50
    {"the year-end month counts once when the range takes it in", 0, 1, 12, {18}, -1, 0, 13662, true},
    {"the year-end item must be linked after item two", 0, 1, 12, {18}, 1, 0, 8712, false},
    {"the year end in the fourth item (T = 12: no mid-year month)", 0, 1, 12, {15, 18}, -1, 0, 13662, false},
    {"the year end in the fourth item needs the third item's link", 0, 1, 12, {15, 18}, 2, 0, 8712, false},
    // 990 + (100+...+600) - (1+...+6) + 7000 - 70
    {"mid-year month with setting one and the sixth month", 1, 1, 6, {15}, -1, 0, 9999, true},
    {"mid-year month follows the setting, not the item", 1, 1, 6, {}, -1, 0, 9999, false},
    {"mid-year item without setting one: not counted", 0, 1, 6, {15}, -1, 0, 3069, false},
    {"setting one, fifth month: not counted", 1, 1, 5, {}, -1, 0, 2475, false},
    {"setting one, seventh month: not counted", 1, 1, 7, {}, -1, 0, 3762, false},
    {"setting two, sixth month: not counted", 2, 1, 6, {}, -1, 0, 3069, false},
    // 9999.0001 + 5000 - 50
    {"both extra months in a six-month period", 1, 1, 6, {15, 18}, -1, 0, 14949, false},
    // Brought forward entries 0..6: (1000+100+...+600) - (10+1+...+6); no months.
    {"from after to adds no months", 0, 7, 3, {}, -1, 0, 3069, false},
    {"from after to still takes the year end", 0, 7, 3, {18}, -1, 0, 8019, false},
};

TEST_F(Balances, ClosingBalanceOfEachRange) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        m_list.clear();
        SetPeriodSetting(c.setting);
        StFINDINFO find = MonthFind(c.from, c.to, c.extras);
        if (c.unlinkedItem >= 0)
            find.SetI16(StFINDINFO::ItemOffset(c.unlinkedItem) + StFINDINFO::kOffLink, 0);
        ASSERT_EQ(1, Run(find, c.taxIncluded));
        EXPECT_EQ(c.debitYen * kYen + 1, Balance(kDebitAcct));
        if (c.checkCredit) {
            EXPECT_EQ(-(c.debitYen * kYen + 1), Balance(kCreditAcct));
        }
    }
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
