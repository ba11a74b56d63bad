// The program-level check reads the real GetPrivateProfileStringA under Wine
// and the headless double's reader natively, on the same cases.
#include "app/program_level.h"

#include <gtest/gtest.h>

#include <string>

#include "app/link_app.h"
#include "platform/process.h"
#include "tests/support/scratch_folder.h"

namespace {

class ProgramLevelTest : public ::testing::Test {
protected:
    void SetUp() override { m_savedDir = plat::GetCurrentDir(); }
    void TearDown() override { plat::SetCurrentDir(m_savedDir); }

    // Verdict with the ini file's content in the current directory (none
    // when content is nullptr).
    int VerdictWith(const char* content) {
        if (content) m_folder.Write("KolvarenDef.ini", content);
        EXPECT_TRUE(plat::SetCurrentDir(m_folder.Path()));
        return ReadProgramLevelVerdict();
    }

    support::ScratchFolder m_folder;
    std::string m_savedDir;
};

TEST_F(ProgramLevelTest, NoIniFileIsABadEnvironment) {
    EXPECT_EQ(VerdictWith(nullptr), -1);
}

TEST_F(ProgramLevelTest, MissingSectionOrKeyMeansLevelOne) {
    EXPECT_EQ(VerdictWith("[Other]\r\nZQ13_U=2\r\n"), 1);
    EXPECT_EQ(VerdictWith("[ProgramLevel]\r\nZQ13=2\r\n"), 1);
    EXPECT_EQ(VerdictWith(""), 1);
}

TEST_F(ProgramLevelTest, EmptyValueIsABadEnvironment) {
    EXPECT_EQ(VerdictWith("[ProgramLevel]\r\nZQ13_U=\r\n"), -1);
}

TEST_F(ProgramLevelTest, LevelDecidesWhichSideToUpdate) {
    EXPECT_EQ(VerdictWith("[ProgramLevel]\r\nZQ13_U=2\r\n"), 0);
    EXPECT_EQ(VerdictWith("[ProgramLevel]\r\nZQ13_U=02\r\n"), 0);
    EXPECT_EQ(VerdictWith("[programlevel]\r\nzq13_u=2\r\n"), 0);  // names are not case-sensitive
    EXPECT_EQ(VerdictWith("[ProgramLevel]\r\nZQ13_U=3\r\n"), 2);
    EXPECT_EQ(VerdictWith("[ProgramLevel]\r\nZQ13_U=1\r\n"), 1);
    EXPECT_EQ(VerdictWith("[ProgramLevel]\r\nZQ13_U=abc\r\n"), 1);  // no digits reads as 0
    EXPECT_EQ(VerdictWith("[ProgramLevel]\r\nZQ13_U=2x\r\n"), 0);
}

TEST_F(ProgramLevelTest, FolderEndingInDoubleByteCharacterWithBackslashByte) {
    // 表 is 0x95 0x5C: its second byte must not be taken for the separator.
    const std::string folder = m_folder.MakeDir("\x95\x5C");
    m_folder.Write("\x95\x5C\\KolvarenDef.ini", "[ProgramLevel]\r\nZQ13_U=2\r\n");
    // Without its final separator, as the system reports a current directory.
    ASSERT_TRUE(plat::SetCurrentDir(folder.substr(0, folder.size() - 1)));
    EXPECT_EQ(ReadProgramLevelVerdict(), 0);
}

TEST_F(ProgramLevelTest, DeepDoubleByteFolderIsReadWhole) {
    // Five folders of 30 double-byte characters: past 260 bytes, well inside
    // the system's limit in characters.
    std::string name;
    for (int i = 0; i < 10; ++i) name += "会計表";
    std::string relative;
    for (int i = 0; i < 5; ++i) {
        relative += name;
        m_folder.MakeDir(relative);
        relative += '\\';
    }
    m_folder.Write(relative + "KolvarenDef.ini", "[ProgramLevel]\r\nZQ13_U=3\r\n");
    ASSERT_TRUE(plat::SetCurrentDir(m_folder.Path() + relative));
    ASSERT_GT(plat::GetCurrentDir().size(), 300u);
    EXPECT_EQ(ReadProgramLevelVerdict(), 2);
}

}  // namespace
