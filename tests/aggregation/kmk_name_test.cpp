#include "aggregation/kmk_name.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The 17 bytes of szName after copying the text from a source of size bytes
// (by default 57, the host record's name field).
std::string Copy(const std::string& text, std::size_t size = 57) {
    std::vector<std::uint8_t> src(size);
    std::memcpy(src.data(), text.data(), text.size() < size ? text.size() : size);
    char dest[17];
    std::memset(dest, 0x55, sizeof dest);
    CopyKmkName(dest, src.data(), size);
    return std::string(dest, sizeof dest);
}

std::string Padded(const std::string& kept) {
    return kept + std::string(17 - kept.size(), '\0');
}

TEST(KmkName, SingleByteNames) {
    EXPECT_EQ(Padded(""), Copy(""));
    EXPECT_EQ(Padded("Cash"), Copy("Cash"));
    EXPECT_EQ(Padded("ABCDEFGHIJKLMNOP"), Copy("ABCDEFGHIJKLMNOP"));   // 16: all kept
    EXPECT_EQ(Padded("ABCDEFGHIJKLMNOP"), Copy("ABCDEFGHIJKLMNOPQ"));  // 17: first 16
    EXPECT_EQ(Padded("ABCDEFGHIJKLMNOP"), Copy(std::string(56, 'A').replace(0, 16, "ABCDEFGHIJKLMNOP")));
    // Half-width katakana are single bytes.
    EXPECT_EQ(Padded("\xB6\xDD\xBC\xDE\xAE\xB3"), Copy("\xB6\xDD\xBC\xDE\xAE\xB3"));
}

TEST(KmkName, DoubleByteCharactersStayWhole) {
    // "現金預金" (8 bytes)
    EXPECT_EQ(Padded("\x8C\xBB\x8B\xE0\x97\x61\x8B\xE0"), Copy("\x8C\xBB\x8B\xE0\x97\x61\x8B\xE0"));
    // Eight double-byte characters, 16 bytes: all kept.
    const std::string eight = "\x95\x81\x92\xCA\x97\x61\x8B\xE0\x81\x69\x96\x7B\x93\x58\x81\x6A";
    EXPECT_EQ(Padded(eight), Copy(eight));
    EXPECT_EQ(Padded(eight), Copy(eight + "X"));
    // Lead byte at the 16th position: the name ends after 15 bytes.
    EXPECT_EQ(Padded("A" + eight.substr(0, 14)), Copy("A" + eight));
    EXPECT_EQ(Padded("ABCDEFGHIJKLMNO"), Copy("ABCDEFGHIJKLMNO\x8C\xBB"));
    // A trail byte of 0x5C ("表" = 0x95 0x5C) is part of its character.
    EXPECT_EQ(Padded("\x95\x5C\x95\x5C"), Copy("\x95\x5C\x95\x5C"));
    EXPECT_EQ(Padded("ABCDEFGHIJKLMN\x95\x5C"), Copy("ABCDEFGHIJKLMN\x95\x5C"));
}

TEST(KmkName, LeadByteBeforeTheTerminatorIsDropped) {
    EXPECT_EQ(Padded("AB"), Copy("AB\x8C"));
    EXPECT_EQ(Padded("\x8C\xBB"), Copy("\x8C\xBB\x8B"));
    EXPECT_EQ(Padded(""), Copy("\x81"));
}

TEST(KmkName, SourceShorterThanSixteenBytes) {
    EXPECT_EQ(Padded("WXYZ"), Copy("WXYZ\x8C", 5));  // no terminator, lead byte last
}

}  // namespace
