#include "conditions/find_info.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/host_models.h"
#include "tests/support/standin_fixture.h"

namespace {

using namespace support;  // the periods and their host models

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

class FindInfo : public support::StandInTest {
protected:
    // The record built over fill bytes for the period and the months.
    Block Build(const Period& p, std::int32_t setting, int from, int to, std::uint8_t fill = 0) {
        StDATAINFO data;
        data.SetI32(StDATAINFO::kOffPeriodStart, p.start);
        data.SetI32(StDATAINFO::kOffPeriodEnd, p.end);
        data.SetI32(StDATAINFO::kOffPeriodSetting, setting);
        StFINDINFO record;
        std::memset(record.Data(), fill, StFINDINFO::kSize);
        BuildMonthFindInfo(record, data, from, to);
        Block b{};
        std::memcpy(b.data(), record.Data(), b.size());
        return b;
    }
    void ExpectBlock(const Block& expected, const Block& actual) {
        EXPECT_EQ(Hex(expected.data(), expected.size()), Hex(actual.data(), actual.size()));
    }
};

struct Case {
    const char* name;
    Period period;
    std::int32_t setting;  // 1: the sixth month takes the mid-year adjustments
    int from;
    int to;
    // The items' month values: at least the first, at most the last, then the
    // extra months, each equal; joined with "and", then "or".
    std::vector<std::uint8_t> months;
    bool noCalculator = false;
};

// The year end is 18, the mid-year adjustment 15.
const Case kCases[] = {
    {"calendar year to December takes the year end", kJanDec, 0, 1, 12, {1, 12, 18}},
    {"wrapping year to March is index twelve", kAprMar, 0, 4, 3, {1, 12, 18}},
    {"wrapping year to March, setting one", kAprMar, 1, 4, 3, {1, 12, 18}},
    {"sixth fiscal month, setting one: mid-year", kAprMar, 1, 4, 9, {1, 6, 15}},
    {"sixth calendar month, setting one: mid-year", kJanDec, 1, 1, 6, {1, 6, 15}},
    {"sixth fiscal month, setting zero: plain", kAprMar, 0, 4, 9, {1, 6}},
    {"sixth fiscal month, setting two: plain", kAprMar, 2, 4, 9, {1, 6}},
    {"December inside the year", kAprMar, 1, 4, 12, {1, 9}},
    {"January inside the year", kAprMar, 1, 4, 1, {1, 10}},
    {"seventh month inside the year", kAprMar, 1, 4, 10, {1, 7}},
    {"from June, the third fiscal month", kAprMar, 1, 6, 9, {3, 6, 15}},
    {"from January of the next calendar year", kAprMar, 0, 1, 3, {10, 12, 18}},
    {"short first year", kAugDec, 0, 8, 12, {1, 5, 18}},
    {"six-month period takes both extra months", kOctMar, 1, 10, 3, {1, 6, 15, 18}},
    {"six-month period, setting zero: year end only", kOctMar, 0, 10, 3, {1, 6, 18}},
    {"only the low sixteen bits of the months count", kAprMar, 0, 0x10004, 0x70003, {1, 12, 18}},
    // First and last month 0: from 4 gives index 5, to 3 gives index 4; 3 is
    // not the last month 0, so no extra item.
    {"without the period calculator the first month is zero", kAprMar, 1, 4, 3, {5, 4}, true},
};

TEST_F(FindInfo, MonthItemsForEachPeriodAndRange) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        Connect(PeriodsModel({c.period}, c.noCalculator));
        Block e{};
        for (std::size_t i = 0; i < c.months.size(); ++i) {
            const std::uint8_t compare = i == 0 ? 4 : i == 1 ? 6 : 1;
            const std::uint8_t link = i == 0 ? 1 : i + 1 < c.months.size() ? 2 : 0;
            PutItem(e, static_cast<int>(i), compare, c.months[i], link);
        }
        ExpectBlock(e, Build(c.period, c.setting, c.from, c.to));
    }
}

TEST_F(FindInfo, ItemsAreWrittenWholeAndOthersLeftAlone) {
    Connect(PeriodsModel({kAprMar}));
    Block e{};
    PutItem(e, 0, 4, 1, 1);
    PutItem(e, 1, 6, 9, 0);
    for (std::size_t i = 68; i < 136; ++i) e[i] = 0xEE;
    ExpectBlock(e, Build(kAprMar, 0, 4, 12, 0xEE));
}

}  // namespace
