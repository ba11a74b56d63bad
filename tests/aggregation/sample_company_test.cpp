// The sample company of sample/hostdata (data set 1, 1 April 2025 to 31 March
// 2026, period setting 1), aggregated end to end: the find-info from the
// dialog's months, the host walk, the balances. The expected balances were
// worked out by hand from totals-1.csv (amounts in yen there).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "agg_support.h"
#include "conditions/find_info.h"

namespace aggtest {
namespace {

class SampleCompany : public AggregationFixture {
protected:
    void SetUp() override {
        m_model = support::SampleModel();
        Connect();
        auto* setData = dynamic_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(ClDataMgr::kSetData, 1));
        ASSERT_NE(nullptr, setData);
        ASSERT_NE(nullptr, setData->GetSelectedInfo());
        m_dataInfo = *setData->GetSelectedInfo();
        ASSERT_EQ(20250401, m_dataInfo.PeriodStart());
        ASSERT_EQ(1, m_dataInfo.PeriodSetting());
    }
    std::int32_t Run(int fromMonth, int toMonth, int taxIncluded) {
        StFINDINFO find;
        BuildMonthFindInfo(find, m_dataInfo, fromMonth, toMonth);
        return AggregationFixture::Run(find, taxIncluded);
    }
};

// Closing balances in ten-thousandths of a yen: April to March, and July to
// September (fiscal months 4..6; the sixth month with period setting 1 takes
// the mid-year month, entry 14, not the year-end one, entry 13).
struct Expected {
    std::int32_t code;
    std::int64_t fullYear;
    std::int64_t julyToSeptember;
};
const Expected kBalances[] = {
    // 111 現金, debit nature: opening 350,000
    //   debit  543,548.5 + 572,159.5 + 600,770.5 + 570,741.5 + 526,432.5 + 583,643.5
    //        + 595,094.5 + 572,225.5 + 686,636.5 + 515,047.5 + 532,218.5 + 629,469.5 = 6,927,988
    //   credit 542,562.5 + 571,925 + 610,287.5 + 560,200 + 525,562.5 + 582,925
    //        + 594,287.5 + 572,200 + 686,562.5 + 514,925 + 531,287.5 + 629,200     = 6,921,925
    //   350,000 + 6,927,988 - 6,921,925 = 356,063
    // July to September: brought forward (350,000 + 543,548.5 + 572,159.5 + 600,770.5)
    //   - (542,562.5 + 571,925 + 610,287.5) = 2,066,478.5 - 1,724,775 = 341,703.5
    //   debit  Jul..Sep 570,741.5 + 526,432.5 + 583,643.5 = 1,680,817.5
    //   credit Jul..Sep 560,200 + 525,562.5 + 582,925     = 1,668,687.5
    //   341,703.5 + 1,680,817.5 - 1,668,687.5 = 353,833.5
    {1110000, 356063 * kYen, 3538335000LL},
    // 131/3 ゆうちょ銀行: 480,000 + 500,000 (Aug) + 18 (Sep) + 18 (Mar) = 980,036; to September 980,018
    {1310003, 980036 * kYen, 980018 * kYen},
    // 151 商品: 2,400,000 + year-end 320,000 = 2,720,000; no adjustment month to September
    {1510000, 2720000 * kYen, 2400000 * kYen},
    // 241 減価償却累計額, credit nature: 3,900,000 + year-end 460,000 (the mid-year
    // 450,000 is outside a range ending in March); to September 3,900,000 + mid-year 450,000
    {2410000, 4360000 * kYen, 4350000 * kYen},
    // 311 買掛金, credit nature: opening 2,290,000
    //   credit Apr..Mar 3,553,000 + 3,740,000 + 3,927,000 + 3,665,200 + 3,440,800 + 3,814,800
    //                 + 3,889,600 + 3,740,000 + 4,488,000 + 3,366,000 + 3,478,200 + 4,114,000 = 45,216,600
    //   debit  Apr..Mar 2,290,000 + (the same months shifted by one, without March's 4,114,000)
    //                 = 2,290,000 + 41,102,600 = 43,392,600
    //   2,290,000 + 45,216,600 - 43,392,600 = 4,114,000
    // July to September: brought forward (2,290,000 + 3,553,000 + 3,740,000 + 3,927,000)
    //   - (2,290,000 + 3,553,000 + 3,740,000) = 3,927,000;
    //   credit 3,665,200 + 3,440,800 + 3,814,800 = 10,920,800,
    //   debit  3,927,000 + 3,665,200 + 3,440,800 = 11,033,000: 3,814,800
    {3110000, 4114000 * kYen, 3814800 * kYen},
    // 331 未払法人税等, credit nature: 450,000 - 450,000 (paid in May) + year-end 485,000;
    // to September mid-year 210,000
    {3310000, 485000 * kYen, 210000 * kYen},
    // 751 減価償却費: year-end 460,000 only; to September mid-year 450,000
    {7510000, 460000 * kYen, 450000 * kYen},
    // 521 受取利息, credit nature: 18 + 18; to September September's 18
    {5210000, 36 * kYen, 18 * kYen},
};

TEST_F(SampleCompany, FullYearTaxExclusive) {
    // April to March: fiscal months 1..12 and the year-end month (entry 13).
    ASSERT_EQ(1, Run(4, 3, 0));

    // 69 totals; dropped: 141/9 and 199 (first marker), 299 (second marker),
    // 891 (bit 27), 991 (bit 28), 981 (master class 2).
    const std::vector<std::int32_t> codes = Codes();
    EXPECT_EQ(63u, codes.size());
    for (std::int32_t dropped : {1410009, 1990000, 2990000, 8910000, 9910000, 9810000}) {
        EXPECT_EQ(0, std::count(codes.begin(), codes.end(), dropped)) << dropped;
    }
    // Walk order kept: the account, its sub-accounts, its closing row.
    ASSERT_LE(6u, codes.size());
    EXPECT_EQ((std::vector<std::int32_t>{1110000, 1210000, 1210001, 1210002, 1210000, 1310000}),
              std::vector<std::int32_t>(codes.begin(), codes.begin() + 6));
    EXPECT_EQ(0, std::memcmp(m_list.front()->szName, "\x8C\xBB\x8B\xE0\0", 5));  // "現金"
    EXPECT_EQ(1, (*std::next(m_list.begin()))->cHojyoFlg);

    for (const Expected& e : kBalances) EXPECT_EQ(e.fullYear, Balance(e.code)) << e.code;
    // 721 旅費交通費: (56,875 + 61,750 + 66,625 + 52,000) x 3 = 711,750
    EXPECT_EQ(711750 * kYen, Balance(7210000));
}

TEST_F(SampleCompany, FullYearTaxInclusive) {
    ASSERT_EQ(1, Run(4, 3, 1));
    // 721 旅費交通費 with tax: (62,562.5 + 67,925 + 73,287.5 + 57,200) x 3 = 782,925
    EXPECT_EQ(782925 * kYen, Balance(7210000));
    // 111 現金 carries the same amounts in both modes.
    EXPECT_EQ(356063 * kYen, Balance(1110000));
}

TEST_F(SampleCompany, JulyToSeptember) {
    ASSERT_EQ(1, Run(7, 9, 0));
    EXPECT_EQ(63u, m_list.size());
    for (const Expected& e : kBalances) EXPECT_EQ(e.julyToSeptember, Balance(e.code)) << e.code;
}

}  // namespace
}  // namespace aggtest
