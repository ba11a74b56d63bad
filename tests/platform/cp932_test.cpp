// Code page 932 and UTF-16 at the platform's boundary, one table for both
// backends: under Wine the system's conversion, natively glibc's iconv.
#include "platform/cp932.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>

#include "platform/mbcs.h"

namespace {

// The codes that are a second code of a character, which writes as its first
// one: the codes first..last, counted over the second bytes 0x40 to 0x7E and
// 0x80 to 0xFC, write as the same count of codes from canonical on.
struct DuplicateRun {
    unsigned first;
    unsigned last;
    unsigned canonical;
};
constexpr DuplicateRun kDuplicates[] = {
    {0x8790, 0x8790, 0x81E0}, {0x8791, 0x8791, 0x81DF}, {0x8792, 0x8792, 0x81E7}, {0x8795, 0x8795, 0x81E3},
    {0x8796, 0x8796, 0x81DB}, {0x8797, 0x8797, 0x81DA}, {0x879A, 0x879A, 0x81E6}, {0x879B, 0x879B, 0x81BF},
    {0x879C, 0x879C, 0x81BE}, {0xED40, 0xEEEC, 0xFA5C}, {0xEEEF, 0xEEF8, 0xFA40}, {0xEEF9, 0xEEF9, 0x81CA},
    {0xEEFA, 0xEEFC, 0xFA55}, {0xFA4A, 0xFA53, 0x8754}, {0xFA54, 0xFA54, 0x81CA}, {0xFA58, 0xFA58, 0x878A},
    {0xFA59, 0xFA59, 0x8782}, {0xFA5A, 0xFA5A, 0x8784}, {0xFA5B, 0xFA5B, 0x81E6},
};
constexpr int kSingleByteCharacters = 192;  // 0x00 to 0x80, 0xA1 to 0xDF
constexpr int kDoubleByteCodes = 9604;
constexpr int kSecondCodes = 398;
constexpr int kCharacters = kSingleByteCharacters + kDoubleByteCodes - kSecondCodes;

// Texts that read and write as each other, byte for byte.
struct Both {
    std::string_view bytes;
    std::u16string_view text;
};
constexpr Both kBoth[] = {
    {"", u""},
    {{"a\0b", 3}, {u"a\0b", 3}},
    {"\x5C\x7E", u"\\~"},  // not the yen sign and the overline
    {"\x80", u"\x0080"},
    {"\xA1\xDF", u"\xFF61\xFF9F"},
    {"\x81\x5C\x81\x5F\x81\x60\x81\x61\x81\x7C", u"\x2015\xFF3C\xFF5E\x2225\xFF0D"},
    {"C:\\\x8F\x6F\x97\xCD\\\x95\x5C.xml", u"C:\\\x51FA\x529B\\\x8868.xml"},  // C:\出力\表.xml
    {"\x87\x82\xFA\x40\xFC\x4B", u"\x2116\x2170\x9ED1"},
    {"\xF0\x40\xF9\xFC", u"\xE000\xE757"},  // the user-defined area
};

// Bytes that are no code page 932 text, and the characters of them it reads.
struct NotCp932 {
    std::string_view bytes;
    std::string_view readable;
};
constexpr NotCp932 kNotCp932[] = {
    {"\x81", ""},      {"A\x81", "A"},
    {"\x81\x20", " "}, {"\x81\x7F", "\x7F"},
    {"\x85\x40", ""},  {"\xEB\x40" "B", "B"},
    {"\xFC\xFC", ""},  {"\xA0", ""},
    {"\xFD", ""},      {"\x95\x5C\xFF", "\x95\x5C"},
};

// Texts with a character that has no code of its own, and how a user's text
// with them reads.
struct NoCode {
    std::u16string_view text;
    std::string_view marked;
};
constexpr NoCode kNoCode[] = {
    {u"\x00E9", "?"},
    {u"\x00A5", "?"},  // no best fit to 0x5C
    {u"\x00AC\x2014\x2016\x2212\x301C", "?????"},
    {u"\xF8F0", "?"},
    {u"C:\\\x00E9\\\x8868.xml", "C:\\?\\\x95\x5C.xml"},
    {u"a\xD800", "a?"},  // lone surrogates
    {u"\xDC00z", "?z"},
    {u"\xD83D\xDE00!", "?!"},  // one mark for a character outside the BMP
};

unsigned NextCode(unsigned code) {
    const unsigned second = (code & 0xFF) == 0x7E ? 0x80 : (code & 0xFF) + 1;
    return second > 0xFC ? (code & 0xFF00) + 0x100 + 0x40 : (code & 0xFF00) + second;
}

std::string Bytes(unsigned code) {
    return code < 0x100 ? std::string(1, static_cast<char>(code))
                        : std::string{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

TEST(Cp932, EveryCodeReadsAsOneCharacterAndWritesAsItsFirstCode) {
    std::map<std::string, std::string> canonical;
    for (const DuplicateRun& run : kDuplicates) {
        for (unsigned code = run.first, to = run.canonical; code <= run.last;
             code = NextCode(code), to = NextCode(to))
            canonical[Bytes(code)] = Bytes(to);
    }
    ASSERT_EQ(canonical.size(), static_cast<std::size_t>(kSecondCodes));
    int singles = 0;
    int doubles = 0;
    int seconds = 0;
    for (unsigned code = 0; code <= 0xFFFF; ++code) {
        if (code >= 0x100 && !plat::IsCp932LeadByte(static_cast<unsigned char>(code >> 8))) continue;
        const std::string bytes = Bytes(code);
        std::u16string text;
        if (!plat::Cp932ToUtf16(bytes, text)) continue;
        ++(code < 0x100 ? singles : doubles);
        ASSERT_EQ(text.size(), 1u) << std::hex << code;
        const auto second = canonical.find(bytes);
        seconds += second != canonical.end();
        std::string back;
        EXPECT_TRUE(plat::Utf16ToCp932(text, back)) << std::hex << code;
        EXPECT_EQ(back, second != canonical.end() ? second->second : bytes) << std::hex << code;
    }
    EXPECT_EQ(singles, kSingleByteCharacters);
    EXPECT_EQ(doubles, kDoubleByteCodes);
    EXPECT_EQ(seconds, kSecondCodes);
}

// Every UTF-16 unit that writes does so as the character it reads as (the
// boundary refuses the rest): as many as there are characters.
TEST(Cp932, AsManyUnitsWriteAsThereAreCharacters) {
    int written = 0;
    for (unsigned unit = 0; unit <= 0xFFFF; ++unit) {
        std::string bytes;
        written += plat::Utf16ToCp932(std::u16string(1, static_cast<char16_t>(unit)), bytes);
    }
    EXPECT_EQ(written, kCharacters);
}

TEST(Cp932, TextsBothWays) {
    for (const Both& c : kBoth) {
        std::u16string text = u"unchanged";
        EXPECT_TRUE(plat::Cp932ToUtf16(c.bytes, text));
        EXPECT_EQ(text, c.text);
        std::string bytes = "unchanged";
        EXPECT_TRUE(plat::Utf16ToCp932(c.text, bytes));
        EXPECT_EQ(bytes, c.bytes);
        EXPECT_EQ(plat::Utf16ToCp932Marked(c.text), c.bytes);
        EXPECT_EQ(plat::KeepReadable(c.bytes), c.bytes);
    }
}

TEST(Cp932, RefusedBothWays) {
    for (const NotCp932& c : kNotCp932) {
        std::u16string text = u"unchanged";
        EXPECT_FALSE(plat::Cp932ToUtf16(c.bytes, text)) << c.bytes;
        EXPECT_EQ(text, u"unchanged");
        EXPECT_EQ(plat::KeepReadable(c.bytes), c.readable) << c.bytes;
    }
    for (const NoCode& c : kNoCode) {
        std::string bytes = "unchanged";
        EXPECT_FALSE(plat::Utf16ToCp932(c.text, bytes)) << c.marked;
        EXPECT_EQ(bytes, "unchanged");
        EXPECT_EQ(plat::Utf16ToCp932Marked(c.text), c.marked);
    }
}

}  // namespace
