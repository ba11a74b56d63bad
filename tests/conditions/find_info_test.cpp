#include "conditions/find_info.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "period_fixture.h"

namespace {

using Block = std::array<std::uint8_t, 136>;

// One 34-byte month item, placed byte by byte: field code 17 (bytes 0..3),
// comparison (6..7), value type 2 (10..11), value (18..19), link (30..31).
void PutItem(Block& b, int item, std::uint8_t compare, std::uint8_t value, std::uint8_t link) {
    const std::size_t base = static_cast<std::size_t>(item) * 34;
    b[base + 0] = 0x11;
    b[base + 6] = compare;
    b[base + 10] = 0x02;
    b[base + 18] = value;
    b[base + 30] = link;
}

std::string Hex(const std::uint8_t* p, std::size_t n) {
    static const char digits[] = "0123456789abcdef";
    std::string s;
    for (std::size_t i = 0; i < n; ++i) {
        if (i % 34 == 0 && i != 0) s += '|';
        s += digits[p[i] >> 4];
        s += digits[p[i] & 15];
    }
    return s;
}

class FindInfo : public PeriodFixture {
protected:
    Block Build(const PeriodSpec& p, std::int32_t setting, int from, int to) {
        StDATAINFO data;
        data.SetI32(StDATAINFO::kOffPeriodStart, p.start);
        data.SetI32(StDATAINFO::kOffPeriodEnd, p.end);
        data.SetI32(StDATAINFO::kOffPeriodSetting, setting);
        StFINDINFO record;
        BuildMonthFindInfo(record, data, from, to);
        Block b{};
        std::memcpy(b.data(), record.Data(), b.size());
        return b;
    }
    void ExpectBlock(const Block& expected, const Block& actual) {
        EXPECT_EQ(Hex(expected.data(), expected.size()), Hex(actual.data(), actual.size()));
    }
};

TEST_F(FindInfo, CalendarYearToDecemberTakesYearEnd) {
    Connect({kJanDec});
    Block e{};
    PutItem(e, 0, 4, 1, 1);
    PutItem(e, 1, 6, 12, 2);
    PutItem(e, 2, 1, 18, 0);
    ExpectBlock(e, Build(kJanDec, 0, 1, 12));
}

TEST_F(FindInfo, WrappingYearToMarchIsIndexTwelve) {
    Connect({kAprMar});
    Block e{};
    PutItem(e, 0, 4, 1, 1);
    PutItem(e, 1, 6, 12, 2);
    PutItem(e, 2, 1, 18, 0);
    ExpectBlock(e, Build(kAprMar, 0, 4, 3));
    ExpectBlock(e, Build(kAprMar, 1, 4, 3));
}

TEST_F(FindInfo, SixthFiscalMonthTakesMidYearOnlyWithSettingOne) {
    Connect({kAprMar, kJanDec});
    Block withMid{};
    PutItem(withMid, 0, 4, 1, 1);
    PutItem(withMid, 1, 6, 6, 2);
    PutItem(withMid, 2, 1, 15, 0);
    ExpectBlock(withMid, Build(kAprMar, 1, 4, 9));
    ExpectBlock(withMid, Build(kJanDec, 1, 1, 6));

    Block plain{};
    PutItem(plain, 0, 4, 1, 1);
    PutItem(plain, 1, 6, 6, 0);
    ExpectBlock(plain, Build(kAprMar, 0, 4, 9));
    ExpectBlock(plain, Build(kAprMar, 2, 4, 9));
}

TEST_F(FindInfo, MonthsInsideTheYearHaveNoExtraItems) {
    Connect({kAprMar});
    Block dec{};
    PutItem(dec, 0, 4, 1, 1);
    PutItem(dec, 1, 6, 9, 0);
    ExpectBlock(dec, Build(kAprMar, 1, 4, 12));
    Block jan{};
    PutItem(jan, 0, 4, 1, 1);
    PutItem(jan, 1, 6, 10, 0);
    ExpectBlock(jan, Build(kAprMar, 1, 4, 1));
    Block seventh{};
    PutItem(seventh, 0, 4, 1, 1);
    PutItem(seventh, 1, 6, 7, 0);
    ExpectBlock(seventh, Build(kAprMar, 1, 4, 10));
}

TEST_F(FindInfo, FromMonthAfterAndBeforeTheFirstMonth) {
    Connect({kAprMar});
    Block later{};
    PutItem(later, 0, 4, 3, 1);  // June is the third fiscal month
    PutItem(later, 1, 6, 6, 2);
    PutItem(later, 2, 1, 15, 0);
    ExpectBlock(later, Build(kAprMar, 1, 6, 9));
    Block nextYear{};
    PutItem(nextYear, 0, 4, 10, 1);  // January of the next calendar year
    PutItem(nextYear, 1, 6, 12, 2);
    PutItem(nextYear, 2, 1, 18, 0);
    ExpectBlock(nextYear, Build(kAprMar, 0, 1, 3));
}

TEST_F(FindInfo, ShortFirstYear) {
    Connect({kAugDec});
    Block e{};
    PutItem(e, 0, 4, 1, 1);
    PutItem(e, 1, 6, 5, 2);
    PutItem(e, 2, 1, 18, 0);
    ExpectBlock(e, Build(kAugDec, 0, 8, 12));
}

TEST_F(FindInfo, SixMonthPeriodTakesBothExtraMonths) {
    Connect({kOctMar});
    // Written out whole: >= 1 and, <= 6 or, = 15 or, = 18.
    // clang-format off
    const Block e = {
        0x11, 0, 0, 0, 0, 0, 4, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 1,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0,
        0x11, 0, 0, 0, 0, 0, 6, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 6,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0,
        0x11, 0, 0, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 15, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0,
        0x11, 0, 0, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 18, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    };
    // clang-format on
    ExpectBlock(e, Build(kOctMar, 1, 10, 3));

    Block noMid{};
    PutItem(noMid, 0, 4, 1, 1);
    PutItem(noMid, 1, 6, 6, 2);
    PutItem(noMid, 2, 1, 18, 0);
    ExpectBlock(noMid, Build(kOctMar, 0, 10, 3));
}

TEST_F(FindInfo, OnlyTheLowSixteenBitsOfTheMonthsCount) {
    Connect({kAprMar});
    Block e{};
    PutItem(e, 0, 4, 1, 1);
    PutItem(e, 1, 6, 12, 2);
    PutItem(e, 2, 1, 18, 0);
    ExpectBlock(e, Build(kAprMar, 0, 0x10004, 0x70003));
}

TEST_F(FindInfo, WithoutThePeriodCalculatorTheFirstMonthIsZero) {
    Connect({kAprMar}, true);
    // S = 0 and L = 0: from 4 gives index 5, to 3 gives index 4; 3 is not
    // the last month 0, so no extra item.
    Block e{};
    PutItem(e, 0, 4, 5, 1);
    PutItem(e, 1, 6, 4, 0);
    ExpectBlock(e, Build(kAprMar, 1, 4, 3));
}

TEST_F(FindInfo, ItemsAreWrittenWholeAndOthersLeftAlone) {
    Connect({kAprMar});
    StDATAINFO data;
    data.SetI32(StDATAINFO::kOffPeriodStart, kAprMar.start);
    data.SetI32(StDATAINFO::kOffPeriodEnd, kAprMar.end);
    StFINDINFO record;
    std::memset(record.Data(), 0xEE, StFINDINFO::kSize);
    BuildMonthFindInfo(record, data, 4, 12);
    Block actual{};
    std::memcpy(actual.data(), record.Data(), actual.size());
    Block e{};
    PutItem(e, 0, 4, 1, 1);
    PutItem(e, 1, 6, 9, 0);
    for (std::size_t i = 68; i < 136; ++i) e[i] = 0xEE;
    ExpectBlock(e, actual);
}

}  // namespace
