// Character boundaries in code page 932, from one literal
// table of lead bytes.
#include "platform/mbcs.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// Code page 932's lead bytes, written out here rather than taken from the
// product; every other byte stands alone (ASCII, half-width katakana) or
// only ever trails.
struct LeadRange {
    const char* name;
    int first;
    int last;
};
const LeadRange kLeadRanges[] = {
    {"below the half-width katakana", 0x81, 0x9F},
    {"above the half-width katakana", 0xE0, 0xFC},
};

TEST(Mbcs, LeadBytesOfCodePage932) {
    for (int c = 0; c < 256; ++c) {
        const char* range = "none";
        for (const LeadRange& r : kLeadRanges) {
            if (c >= r.first && c <= r.last) range = r.name;
        }
        EXPECT_EQ(plat::IsCp932LeadByte(static_cast<unsigned char>(c)), std::string(range) != "none")
            << "byte " << c << ", lead range: " << range;
    }
}

// Characters found from the start: in "\x95\x95\\" the second 0x95 is a
// second byte, so the backslash after it stands alone; a lead byte at the
// end is a character of its own.
TEST(Mbcs, CharAtStepsFromTheStart) {
    const std::string text = "a\x95\x5C\\\x95\x95\\\x95";
    std::vector<std::string> chars;
    for (std::size_t i = 0; i < text.size(); i += plat::CharAt(text, i).size()) {
        chars.emplace_back(plat::CharAt(text, i));
    }
    EXPECT_EQ(chars, (std::vector<std::string>{"a", "\x95\x5C", "\\", "\x95\x95", "\\", "\x95"}));
}

TEST(Mbcs, CutNeverSplitsADoubleByteCharacter) {
    // 表 is 0x95 0x5C.
    EXPECT_EQ(plat::CutOnCharBoundary("ab\x95\x5C", 3), "ab");
    EXPECT_EQ(plat::CutOnCharBoundary("ab\x95\x5C", 4), "ab\x95\x5C");
    EXPECT_EQ(plat::CutOnCharBoundary("ab\x95\x5C", 9), "ab\x95\x5C");
    EXPECT_EQ(plat::CutOnCharBoundary("abc", 0), "");
    EXPECT_EQ(plat::CutOnCharBoundary("\xB1\xB2\xB3", 2), "\xB1\xB2");  // ｱｲｳ
    // A lead byte without its second byte is half a character.
    EXPECT_EQ(plat::CutOnCharBoundary("ab\x95", 9), "ab");
    EXPECT_EQ(plat::CharBoundaryLength("\x95\x5C\x95\x5C", 3), 2u);
}

TEST(Mbcs, BackslashMustBeACharacterOfItsOwn) {
    for (const auto& [text, ends] :
         {std::pair{"C:\\\x95\x5C", false}, std::pair{"C:\\\x95\x5C\\", true}, std::pair{"\\", true},
          std::pair{"", false}, std::pair{"C:\\a", false}}) {
        EXPECT_EQ(plat::EndsWithBackslashChar(text), ends) << text;
    }
}

// The folder part ends after the last separator that is a character of its
// own; a colon counts only as the drive's.
TEST(Mbcs, FolderPartStepsOverSecondBytes) {
    const std::pair<const char*, std::size_t> kPaths[] = {
        {"C:\\out\\\x95\x5C.xml", 7},  // C:\out\ then 表.xml
        {"C:\\\x95\x5C\\a.xml", 6},   {"C:a.xml", 2},      {"a.xml", 0},    {"/tmp/a.xml", 5},
        {"C:\\a\\b:c.xml", 5},        {"dir:x\\f.xml", 6}, {"ab:c.xml", 0},
    };
    for (const auto& [path, length] : kPaths) EXPECT_EQ(plat::FolderPartLength(path), length) << path;
}

}  // namespace
