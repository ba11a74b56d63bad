// The support information file: values by key, line ends, end marks, the
// 30,000-byte image and the missing and unreadable file.
#include "report/support_info.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"
#include "report_test_util.h"

#ifndef _WIN32
#include "platform/portable/file_faults.h"
#include "platform/portable/headless_ui.h"
#endif

namespace {

// The keys "[=製品名=]" and "[=製品ﾊﾞｰｼﾞｮﾝ=]" as the system's files hold them.
const std::string kName = "[=\x90\xBB\x95i\x96\xBC=]";
const std::string kVersion = "[=\x90\xBB\x95i\xCA\xDE\xB0\xBC\xDE\xAE\xDD=]";
// The part of the file that is searched.
constexpr std::size_t kImageSize = 30000;

class SupportInfoTest : public ::testing::Test {
protected:
    SupportInfoTest() { dir.MakeCurrent(); }
    void Put(const std::string& bytes) { ASSERT_TRUE(dir.Write("SUPPORT.INF", bytes)); }
    support::ScratchFolder dir;
};

TEST_F(SupportInfoTest, NameAndVersionLinesGiveTheirValuesWithoutLineEnds) {
    Put(kName + "会計ソフト 22\r\n" + kVersion + "22.03.01\r\n[=会社名=]見本\r\n");
    ClSupportInfo info;
    EXPECT_STREQ("会計ソフト 22", info.GetProductName());
    EXPECT_STREQ("22.03.01", info.GetProductVersion());
    // A second round finds the loaded image.
    EXPECT_EQ(1, info.Load());
    EXPECT_STREQ("会計ソフト 22", info.GetProductName());
}

TEST_F(SupportInfoTest, TheDemoFileHasBothValues) {
    const std::string source = support::PlatformPath(REPORT_SOURCE_DIR "/sample/demo/SUPPORT.INF");
    std::string bytes;
    ASSERT_TRUE(plat::ReadWholeFile(source, bytes)) << source;
    Put(bytes);
    ClSupportInfo info;
    EXPECT_STREQ("Dorvik会計22 スタンダード", info.GetProductName());
    EXPECT_STREQ("22.03.01", info.GetProductVersion());
}

TEST_F(SupportInfoTest, KeyFollowedByLineEndGivesEmptyText) {
    Put(kName + "\r\n" + kVersion + "\r\n");
    ClSupportInfo info;
    EXPECT_STREQ("", info.GetProductName());
    EXPECT_STREQ("", info.GetProductVersion());
}

TEST_F(SupportInfoTest, ValueEndsAtEndOfFileMark) {
    Put(kName + "Name\r\n" + kVersion + "22.03.05\x1A" + "garbage");
    ClSupportInfo info;
    EXPECT_STREQ("Name", info.GetProductName());
    EXPECT_STREQ("22.03.05", info.GetProductVersion());
}

TEST_F(SupportInfoTest, ValueOnUnterminatedLastLineEndsWithTheContent) {
    // The image behind the file's last byte is 0xFF fill; it must not join in.
    Put(kName + "Name\r\n" + kVersion + "22.03.07");
    ClSupportInfo info;
    EXPECT_STREQ("22.03.07", info.GetProductVersion());
    EXPECT_STREQ("Name", info.GetProductName());
}

TEST_F(SupportInfoTest, ValuesRunningToTheEndStayValidTogether) {
    // Both keys on the unterminated last line: each value runs to the end of
    // the content, and the first one asked for is read after the second.
    struct Case {
        std::string bytes;
        const char* name;
        const char* version;
    };
    const Case cases[] = {
        {kName + "Dorvik会計22 スタンダード" + kVersion + "22.03.07",
         "Dorvik会計22 スタンダード[=製品ﾊﾞｰｼﾞｮﾝ=]22.03.07", "22.03.07"},
        {"[=X=]a\r\n" + kVersion + "22.03.07 " + kName + "Dorvik会計22 スタンダード",
         "Dorvik会計22 スタンダード", "22.03.07 [=製品名=]Dorvik会計22 スタンダード"},
    };
    for (const Case& c : cases) {
        Put(c.bytes);
        ClSupportInfo info;
        const char* name = info.GetProductName();
        const char* version = info.GetProductVersion();
        EXPECT_STREQ(c.name, name);
        EXPECT_STREQ(c.version, version);
        EXPECT_EQ(name, info.GetProductName());
    }
}

TEST_F(SupportInfoTest, KeyAtTheVeryEndGivesEmptyText) {
    Put("[=X=]a\r\n" + kVersion);
    ClSupportInfo info;
    EXPECT_STREQ("", info.GetProductVersion());
}

TEST_F(SupportInfoTest, EveryLineEndGivesTheSameValues) {
    // The same particulars saved with each line end: the values stop at it,
    // and the private lines that follow never join them.
    struct Case {
        const char* what;
        std::string end;
    };
    const Case cases[] = {{"CR LF", "\r\n"}, {"LF", "\n"}, {"CR", "\r"}, {"end mark", "\x1A"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Put(kName + "会計 22" + c.end + kVersion + "22.03.01" + c.end + "[=ｼﾘｱﾙ番号=]1234-5678" + c.end +
            "[=会社名=]見本商事" + c.end + "[=電話番号=]03-0000-0000" + c.end);
        ClSupportInfo info;
        EXPECT_STREQ("\x89\xEF\x8C\x76 22", info.GetProductName());
        EXPECT_STREQ("22.03.01", info.GetProductVersion());
    }
}

TEST_F(SupportInfoTest, EarlierOccurrenceOfTheKeyBytesWins) {
    // Not bound to line starts: the key's bytes inside a free-text line count.
    Put("[=現象=]画面に" + kName + "早い者\r\n" + kName + "本物\r\n");
    ClSupportInfo info;
    EXPECT_STREQ("早い者", info.GetProductName());
}

TEST_F(SupportInfoTest, SearchTakesNoNoticeOfDoubleByteCharacters) {
    // After 0x81 the key's "[" is the second byte of a double-byte character
    // (0x81 0x5B); the plain byte search finds the key all the same.
    Put("\x81" + kName + "X\r\n");
    ClSupportInfo info;
    EXPECT_STREQ("X", info.GetProductName());
}

TEST_F(SupportInfoTest, MissingFileOrKeysGiveEmptyTextWithoutMessage) {
#ifndef _WIN32
    plat::headless::HeadlessUi::Get().Reset();
#endif
    {
        ClSupportInfo info;
        EXPECT_EQ(0, info.Load());  // the file did not open
        EXPECT_EQ(1, info.Load());  // the image is there
        EXPECT_STREQ("", info.GetProductName());
        EXPECT_STREQ("", info.GetProductVersion());
    }
    Put("[=会社名=]見本\r\n[=製品=]x\r\n");
    ClSupportInfo info;
    EXPECT_STREQ("", info.GetProductName());
    EXPECT_STREQ("", info.GetProductVersion());
#ifndef _WIN32
    EXPECT_TRUE(plat::headless::HeadlessUi::Get().MessageBoxes().empty());
#endif
}

TEST_F(SupportInfoTest, OnlyTheFirst30000BytesAreSearched) {
    // A value that runs to the end of the image ends there.
    {
        std::string bytes(kImageSize - kName.size() - 2, ' ');
        bytes += kName + "AB" + "CD\r\n";
        Put(bytes);
        ClSupportInfo info;
        EXPECT_STREQ("AB", info.GetProductName());
    }
    // A key whose last byte would lie past the image is not found.
    {
        std::string bytes(kImageSize - kName.size() + 1, ' ');
        bytes += kName + "late\r\n";
        Put(bytes);
        ClSupportInfo info;
        EXPECT_STREQ("", info.GetProductName());
    }
    // A key ending on the image's last byte is found, with the empty value.
    {
        std::string bytes(kImageSize - kName.size(), ' ');
        bytes += kName + "after";
        Put(bytes);
        ClSupportInfo info;
        EXPECT_STREQ("", info.GetProductName());
        EXPECT_STREQ("", info.GetProductVersion());
    }
}

#ifndef _WIN32
// A file that is there but fails to open or to read gives empty texts, as a
// missing one does, and tells the user nothing; the same object does not
// try again, a new one reads the file.
TEST_F(SupportInfoTest, UnreadableFileGivesEmptyTextWithoutAMessage) {
    namespace pp = plat::portable;
    Put(kName + "Name\r\n" + kVersion + "1\r\n");
    auto& ui = plat::headless::HeadlessUi::Get();
    ui.Reset();
    for (const pp::FileOp op : {pp::FileOp::kOpen, pp::FileOp::kRead}) {
        SCOPED_TRACE(pp::FileOpName(op));
        pp::ResetFileFaults();
        pp::FailFileOp(op, 1);
        ClSupportInfo info;
        EXPECT_STREQ("", info.GetProductName());
        EXPECT_STREQ("", info.GetProductVersion());
        EXPECT_TRUE(pp::FileFaultInjected());
        EXPECT_EQ(1, pp::FileOpCount(pp::FileOp::kOpen));
    }
    pp::ResetFileFaults();
    EXPECT_TRUE(ui.MessageBoxes().empty());
    ClSupportInfo info;
    EXPECT_STREQ("Name", info.GetProductName());
}
#endif

}  // namespace
