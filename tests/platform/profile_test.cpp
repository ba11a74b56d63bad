// The headless double's ini reader against the system's observable
// behaviour: the shared table (also run against the system under Wine) and a
// few more cases of its own.
#include "platform/profile.h"

#include <string>

#include "profile_cases.h"
#include "test_support.h"

namespace {

using platform_test::PlatformTest;
using profile_cases::ProfileCase;

const ProfileCase kMoreCases[] = {
    {"EqualsInValue", "[ProgramLevel]\r\nZQ13_U=a=b\r\n", "a=b"},
    {"OnlyComment", "[ProgramLevel]\r\n;ZQ13_U=3\r\n", "1"},
    {"DefaultCutToFour", nullptr, "123", "123456", 4},
    {"DefaultTrailingBlanks", nullptr, "1", "1  "},
    {"KeyWithoutEquals", "[ProgramLevel]\r\nZQ13_U\r\n", "1"},
    {"SecondSectionOfTheSameName", "[ProgramLevel]\r\nA=1\r\n[ProgramLevel]\r\nZQ13_U=2\r\n", "2"},
    // Shift_JIS bytes pass unchanged: "表" (0x95 0x5C) as section, key and value.
    {"ShiftJisNames", "[\x95\x5C]\r\n\x95\x5C=\x88\xEA\x95\x5C\r\n", "\x88\xEA\x95\x5C", "1", 16, "\x95\x5C",
     "\x95\x5C"},
    // A 0x5D (']') that is the second byte of a double-byte character (0x81
    // 0x5D, "‐") after the closing bracket is not taken for it.
    {"SecondByte5DAfterSectionName", "[A]\x81\x5D\r\nK=2\r\n", "2", "1", 16, "A", "K"},
};

class ProfileTest : public PlatformTest, public ::testing::WithParamInterface<ProfileCase> {};

TEST_P(ProfileTest, MatchesThePlatform) {
    const ProfileCase& c = GetParam();
    if (c.content != nullptr) {
        ASSERT_TRUE(WritePosixFile(Root() + "/KolvarenDef.ini", c.content));
    }
    EXPECT_EQ(plat::ReadProfileString(c.section, c.key, c.def, c.bufferSize, "C:\\KolvarenDef.ini"),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(Shared, ProfileTest, ::testing::ValuesIn(profile_cases::kCases),
                         profile_cases::CaseName);
INSTANTIATE_TEST_SUITE_P(Headless, ProfileTest, ::testing::ValuesIn(kMoreCases), profile_cases::CaseName);

using ProfileReaderTest = PlatformTest;

TEST_F(ProfileReaderTest, CutNeverLeavesHalfACharacter) {
    // "一覧表" is six bytes; a buffer of 4 holds one character and a half.
    ASSERT_TRUE(WritePosixFile(Root() + "/a.ini", "[S]\r\nK=\x88\xEA\x97\x97\x95\x5C\r\n"));
    EXPECT_EQ(plat::ReadProfileString("S", "K", "", 4, "C:\\a.ini"), "\x88\xEA");
    EXPECT_EQ(plat::ReadProfileString("S", "K", "", 5, "C:\\a.ini"), "\x88\xEA\x97\x97");
    EXPECT_EQ(plat::ReadProfileString("S", "K", "", 0, "C:\\a.ini"), "");
}

TEST_F(ProfileReaderTest, RelativePathAndUnmappedDrive) {
    ASSERT_TRUE(WritePosixFile(Root() + "/KolvarenDef.ini", "[ProgramLevel]\nZQ13_U=2\n"));
    EXPECT_EQ(plat::ReadProfileString("ProgramLevel", "ZQ13_U", "1", 16, "C:\\KolvarenDef.ini"), "2");
    EXPECT_EQ(plat::ReadProfileString("ProgramLevel", "ZQ13_U", "1", 16, "G:\\KolvarenDef.ini"), "1");
}

}  // namespace
