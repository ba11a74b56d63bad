// Character boundaries in code page 932, on both backends' lead-byte test.
#include "platform/mbcs.h"

#include <gtest/gtest.h>

namespace {

TEST(Mbcs, LeadBytesOfCodePage932) {
    EXPECT_FALSE(plat::IsLeadByte(0x5C));
    EXPECT_FALSE(plat::IsLeadByte(0x80));
    EXPECT_TRUE(plat::IsLeadByte(0x81));
    EXPECT_TRUE(plat::IsLeadByte(0x9F));
    EXPECT_FALSE(plat::IsLeadByte(0xA0));
    EXPECT_FALSE(plat::IsLeadByte(0xDF));  // half-width katakana are single bytes
    EXPECT_TRUE(plat::IsLeadByte(0xE0));
    EXPECT_TRUE(plat::IsLeadByte(0xFC));
    EXPECT_FALSE(plat::IsLeadByte(0xFD));
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
    EXPECT_FALSE(plat::EndsWithBackslashChar("C:\\\x95\x5C"));
    EXPECT_TRUE(plat::EndsWithBackslashChar("C:\\\x95\x5C\\"));
    EXPECT_TRUE(plat::EndsWithBackslashChar("\\"));
    EXPECT_FALSE(plat::EndsWithBackslashChar(""));
    EXPECT_FALSE(plat::EndsWithBackslashChar("C:\\a"));
}

TEST(Mbcs, FolderPartStepsOverSecondBytes) {
    EXPECT_EQ(plat::FolderPartLength("C:\\out\\\x95\x5C.xml"), 7u);  // C:\out\ then 表.xml
    EXPECT_EQ(plat::FolderPartLength("C:\\\x95\x5C\\a.xml"), 6u);
    EXPECT_EQ(plat::FolderPartLength("C:a.xml"), 2u);
    EXPECT_EQ(plat::FolderPartLength("a.xml"), 0u);
    EXPECT_EQ(plat::FolderPartLength("/tmp/a.xml"), 5u);
}

}  // namespace
