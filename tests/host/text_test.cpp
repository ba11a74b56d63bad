// Exact amounts, integers and the Shift_JIS text rules of the data folder.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "host/host_text.h"
#include "tools/hostdata/host_format.h"

namespace text = host::text;

namespace {

std::int64_t Amount(const std::string& s) {
    std::int64_t v = 12345;  // must be overwritten
    EXPECT_TRUE(text::ParseAmount(s, v)) << s;
    return v;
}

bool Rejected(const std::string& s) {
    std::int64_t v = 777;
    const bool ok = text::ParseAmount(s, v);
    EXPECT_EQ(v, 777) << "a rejected amount must leave the output alone: " << s;
    return !ok;
}

TEST(HostAmount, ParsesYenIntoTenThousandthsExactly) {
    EXPECT_EQ(Amount("1.5"), 15000);
    EXPECT_EQ(Amount("-0.0001"), -1);
    EXPECT_EQ(Amount("0"), 0);
    EXPECT_EQ(Amount("-0"), 0);
    EXPECT_EQ(Amount("+12"), 120000);
    EXPECT_EQ(Amount("0.1"), 1000);
    EXPECT_EQ(Amount("123456.7891"), 1234567891);
    EXPECT_EQ(Amount("00012.50"), 125000);
    EXPECT_EQ(Amount("922337203685477.5807"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(Amount("-922337203685477.5808"), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(Amount("99999999999999.9999"), 999999999999999999LL);
}

TEST(HostAmount, RejectsWhatIsNotExact) {
    for (const char* s : {"922337203685477.5808", "-922337203685477.5809", "922337203685478",
                          "99999999999999999999999", "1.00001", "0.12345", "", "-", ".", "1.", ".5", "1e5",
                          "1,000", "1.2.3", "--1", " 1", "0x10", "\x82\x50" /* a full-width digit */}) {
        EXPECT_TRUE(Rejected(s));
    }
}

TEST(HostAmount, FormatReadsBackToTheSameValue) {
    EXPECT_EQ(hostdata::FormatAmount(15000), "1.5");
    EXPECT_EQ(hostdata::FormatAmount(-1), "-0.0001");
    EXPECT_EQ(hostdata::FormatAmount(0), "0");
    EXPECT_EQ(hostdata::FormatAmount(10000), "1");
    EXPECT_EQ(hostdata::FormatAmount(1234567891), "123456.7891");
    EXPECT_EQ(hostdata::FormatAmount(std::numeric_limits<std::int64_t>::min()), "-922337203685477.5808");
    const std::int64_t samples[] = {
        1,      -5000,  99990000, 123,   -123456789012LL,      std::numeric_limits<std::int64_t>::max(),
        -10000, 500000, 7,        -9999, 4611686018427387904LL};
    for (std::int64_t v : samples) {
        std::int64_t back = 0;
        ASSERT_TRUE(text::ParseAmount(hostdata::FormatAmount(v), back)) << v;
        EXPECT_EQ(back, v);
    }
}

TEST(HostInteger, DecimalHexAndRanges) {
    std::int64_t v = 0;
    EXPECT_TRUE(text::ParseInteger("-42", -100, 100, false, v));
    EXPECT_EQ(v, -42);
    EXPECT_TRUE(text::ParseInteger("0x18000000", 0, 0xFFFFFFFFLL, true, v));
    EXPECT_EQ(v, 0x18000000);
    EXPECT_TRUE(text::ParseInteger("0XfFfFfFfF", 0, 0xFFFFFFFFLL, true, v));
    EXPECT_EQ(v, 0xFFFFFFFFLL);
    EXPECT_FALSE(text::ParseInteger("0x100000000", 0, 0xFFFFFFFFLL, true, v));
    EXPECT_FALSE(text::ParseInteger("0x10", 0, 100, false, v));
    EXPECT_FALSE(text::ParseInteger("0x", 0, 100, true, v));
    EXPECT_FALSE(text::ParseInteger("0x1G", 0, 100, true, v));
    EXPECT_FALSE(text::ParseInteger("101", -100, 100, false, v));
    EXPECT_FALSE(text::ParseInteger("", -100, 100, false, v));
    EXPECT_FALSE(text::ParseInteger("1.0", -100, 100, false, v));
    EXPECT_FALSE(text::ParseInteger("9223372036854775808", std::numeric_limits<std::int64_t>::min(),
                                    std::numeric_limits<std::int64_t>::max(), false, v));
    EXPECT_TRUE(text::ParseInteger("-9223372036854775808", std::numeric_limits<std::int64_t>::min(),
                                   std::numeric_limits<std::int64_t>::max(), false, v));
    EXPECT_EQ(v, std::numeric_limits<std::int64_t>::min());
}

TEST(HostDate, CalendarRules) {
    for (std::int32_t date : {20250401, 20240229, 20000229}) EXPECT_TRUE(text::IsValidDate(date)) << date;
    for (std::int32_t date : {21000229, 20250229, 20250431, 20251301, 20250100, 0, -20250401})
        EXPECT_FALSE(text::IsValidDate(date)) << date;
}

TEST(HostSjis, CheckCutAndBackslash) {
    EXPECT_EQ(text::CheckSjis("\x8A\x94\x8E\xAE\x89\xEF\x8E\xD0\xD0\xC4\xDE\xD8"), nullptr);  // 株式会社ﾐﾄﾞﾘ
    EXPECT_NE(text::CheckSjis("abc\x82"), nullptr);       // lead byte at the end
    EXPECT_NE(text::CheckSjis("\x82\x20"), nullptr);      // lead byte before a blank
    EXPECT_NE(text::CheckSjis("a\tb"), nullptr);          // control byte
    EXPECT_EQ(text::CheckSjis("\xA0\x80\xFD"), nullptr);  // undefined single bytes pass as they are

    EXPECT_EQ(text::JoinPath("C:\\data", "host.ini"), "C:\\data\\host.ini");
    EXPECT_EQ(text::JoinPath("C:\\data\\", "host.ini"), "C:\\data\\host.ini");
    EXPECT_EQ(text::JoinPath("C:\\\x95\x5C", "a.csv"), "C:\\\x95\x5C\\a.csv");
    EXPECT_EQ(text::JoinPath("/tmp/x", "a.csv"), "/tmp/x/a.csv");
    EXPECT_EQ(text::JoinPath("/tmp/x/", "a.csv"), "/tmp/x/a.csv");
}

TEST(HostSjis, TokenReplacedOnlyAtCharacterBoundaries) {
    EXPECT_EQ(text::ReplaceToken("xTOKyTOK", "TOK", "<>"), "x<>y<>");
    EXPECT_EQ(text::ReplaceToken("TOKTOK", "TOK", ""), "");
    // 0x83 0x54 is one double-byte character: its 'T' does not start a token.
    EXPECT_EQ(text::ReplaceToken("\x83TOK", "TOK", "!"), "\x83TOK");
    EXPECT_EQ(text::ReplaceToken("\x83\x54TOK", "TOK", "!"), "\x83\x54!");
    EXPECT_EQ(text::ReplaceToken("abc", "", "!"), "abc");
}

TEST(HostCsv, FieldsQuotesAndLines) {
    std::vector<std::string> f;
    std::string reason;
    ASSERT_TRUE(text::SplitCsvLine(" 1 , two,\t3\t,", f, reason));
    EXPECT_EQ(f, (std::vector<std::string>{"1", "two", "3", ""}));
    ASSERT_TRUE(text::SplitCsvLine("\" a,b \" , \"say \"\"hi\"\"\"", f, reason));
    EXPECT_EQ(f, (std::vector<std::string>{" a,b ", "say \"hi\""}));
    ASSERT_TRUE(text::SplitCsvLine("", f, reason));
    EXPECT_EQ(f, (std::vector<std::string>{""}));
    EXPECT_FALSE(text::SplitCsvLine("\"open", f, reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_FALSE(text::SplitCsvLine("\"a\"b", f, reason));
    EXPECT_FALSE(text::SplitCsvLine("a\"b", f, reason));

    for (const std::string s : {"plain", " lead", "trail ", "a,b", "q\"q", "#x", "", "\x95\x5C"}) {
        ASSERT_TRUE(text::SplitCsvLine(hostdata::QuoteCsvField(s) + ",z", f, reason)) << s;
        ASSERT_EQ(f.size(), 2u);
        EXPECT_EQ(f[0], s);
    }

    const auto lines = text::SplitLines("a\r\nb\nc\rd\r\n\r\ne");
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "a");
    EXPECT_EQ(lines[3], "d");
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], "e");
    EXPECT_TRUE(text::SplitLines("").empty());
    EXPECT_EQ(text::SplitLines("x\r\n").size(), 1u);
}

}  // namespace
