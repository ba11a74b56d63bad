// The program-level check reads the system's ini reader under Wine and the
// headless double's natively, on the same cases.
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

// -1 a bad environment, 0 fits, 1 the tax-form application is older, 2 this
// program is older.
struct VerdictCase {
    const char* ini;  // nullptr: no ini file at all
    int verdict;
};

class VerdictTest : public ProgramLevelTest, public ::testing::WithParamInterface<VerdictCase> {};

TEST_P(VerdictTest, IniDecides) {
    EXPECT_EQ(VerdictWith(GetParam().ini), GetParam().verdict);
}

INSTANTIATE_TEST_SUITE_P(
    Ini, VerdictTest,
    ::testing::Values(VerdictCase{nullptr, -1}, VerdictCase{"[Other]\r\nZQ13_U=2\r\n", 1},
                      VerdictCase{"[ProgramLevel]\r\nZQ13=2\r\n", 1}, VerdictCase{"", 1},
                      VerdictCase{"[ProgramLevel]\r\nZQ13_U=\r\n", -1},
                      VerdictCase{"[ProgramLevel]\r\nZQ13_U=2\r\n", 0},
                      VerdictCase{"[ProgramLevel]\r\nZQ13_U=02\r\n", 0},
                      VerdictCase{"[programlevel]\r\nzq13_u=2\r\n", 0},  // names are not case-sensitive
                      VerdictCase{"[ProgramLevel]\r\nZQ13_U=3\r\n", 2},
                      VerdictCase{"[ProgramLevel]\r\nZQ13_U=1\r\n", 1},
                      VerdictCase{"[ProgramLevel]\r\nZQ13_U=abc\r\n", 1},  // no digits reads as 0
                      VerdictCase{"[ProgramLevel]\r\nZQ13_U=2x\r\n", 0}));

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
