// The support information file: values by key, line ends, end marks, the
// 30,000-byte image and the missing and unreadable file.
#include "report/support_info.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"
#include "report_test_util.h"

#ifndef _WIN32
#include "platform/headless_windows/file_faults.h"
#include "platform/headless_windows/headless_ui.h"
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

TEST_F(SupportInfoTest, TheDemoFileHasBothValues) {
    const std::string source = support::PlatformPath(REPORT_SOURCE_DIR "/sample/demo/SUPPORT.INF");
    std::string bytes;
    ASSERT_TRUE(plat::ReadWholeFile(source, bytes)) << source;
    Put(bytes);
    ClSupportInfo info;
    EXPECT_STREQ("Dorvik会計22 スタンダード", info.GetProductName());
    EXPECT_STREQ("22.03.01", info.GetProductVersion());
}

// A file's bytes and the two values read from it, the name first unless
// versionFirst. The values stay valid together, and a second round finds the
// loaded image.
struct Values {
    const char* what;
    std::string bytes;
    const char* name;
    const char* version;
    bool versionFirst = false;
};
// The same particulars saved with a line end.
std::string Particulars(const std::string& end) {
    return kName + "会計 22" + end + kVersion + "22.03.01" + end + "[=ｼﾘｱﾙ番号=]1234-5678" + end +
           "[=会社名=]見本商事" + end + "[=電話番号=]03-0000-0000" + end;
}
const std::string kPad(kImageSize - kName.size(), ' ');  // a key after it ends on the image's last byte
const Values kValues[] = {
    {"LinesGiveTheirValuesWithoutLineEnds",
     kName + "会計ソフト 22\r\n" + kVersion + "22.03.01\r\n[=会社名=]見本\r\n", "会計ソフト 22", "22.03.01"},
    {"KeyFollowedByLineEndGivesEmptyText", kName + "\r\n" + kVersion + "\r\n", "", ""},
    {"ValueEndsAtEndOfFileMark", kName + "Name\r\n" + kVersion + "22.03.05\x1A" + "garbage", "Name",
     "22.03.05"},
    // The image behind the file's last byte is 0xFF fill; it must not join in.
    {"ValueOnUnterminatedLastLineEndsWithTheContent", kName + "Name\r\n" + kVersion + "22.03.07", "Name",
     "22.03.07", true},
    // Both keys on the unterminated last line: each value runs to the end of
    // the content, and the first one asked for is read after the second.
    {"NameRunningToTheEnd", kName + "Dorvik会計22 スタンダード" + kVersion + "22.03.07",
     "Dorvik会計22 スタンダード[=製品ﾊﾞｰｼﾞｮﾝ=]22.03.07", "22.03.07"},
    {"VersionRunningToTheEnd", "[=X=]a\r\n" + kVersion + "22.03.07 " + kName + "Dorvik会計22 スタンダード",
     "Dorvik会計22 スタンダード", "22.03.07 [=製品名=]Dorvik会計22 スタンダード"},
    {"KeyAtTheVeryEndGivesEmptyText", "[=X=]a\r\n" + kVersion, "", ""},
    // The same particulars saved with each line end: the values stop at it,
    // and the private lines that follow never join them.
    {"CrLf", Particulars("\r\n"), "\x89\xEF\x8C\x76 22", "22.03.01"},
    {"Lf", Particulars("\n"), "\x89\xEF\x8C\x76 22", "22.03.01"},
    {"Cr", Particulars("\r"), "\x89\xEF\x8C\x76 22", "22.03.01"},
    {"EndMark", Particulars("\x1A"), "\x89\xEF\x8C\x76 22", "22.03.01"},
    // Not bound to line starts: the key's bytes inside a free-text line count.
    {"EarlierOccurrenceOfTheKeyBytesWins", "[=現象=]画面に" + kName + "早い者\r\n" + kName + "本物\r\n",
     "早い者", ""},
    // After 0x81 the key's "[" is the second byte of a double-byte character
    // (0x81 0x5B); the plain byte search finds the key all the same.
    {"SearchTakesNoNoticeOfDoubleByteCharacters", "\x81" + kName + "X\r\n", "X", ""},
    // Only the first 30,000 bytes are searched.
    {"ValueRunningToTheEndOfTheImageEndsThere", kPad.substr(2) + kName + "AB" + "CD\r\n", "AB", ""},
    {"KeyPastTheImageIsNotFound", kPad + " " + kName + "late\r\n", "", ""},
    {"KeyEndingOnTheImagesLastByteHasAnEmptyValue", kPad + kName + "after", "", ""},
};

class SupportInfoValues : public SupportInfoTest, public ::testing::WithParamInterface<Values> {};

TEST_P(SupportInfoValues, AreRead) {
    const Values& c = GetParam();
    Put(c.bytes);
    ClSupportInfo info;
    const char* first = c.versionFirst ? info.GetProductVersion() : info.GetProductName();
    const char* second = c.versionFirst ? info.GetProductName() : info.GetProductVersion();
    EXPECT_STREQ(c.versionFirst ? c.version : c.name, first);
    EXPECT_STREQ(c.versionFirst ? c.name : c.version, second);
    EXPECT_EQ(first, c.versionFirst ? info.GetProductVersion() : info.GetProductName());
    EXPECT_EQ(1, info.Load());
    EXPECT_STREQ(c.name, info.GetProductName());
}

INSTANTIATE_TEST_SUITE_P(Files, SupportInfoValues, ::testing::ValuesIn(kValues),
                         [](const ::testing::TestParamInfo<Values>& row) { return row.param.what; });

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

#ifndef _WIN32
// A file that is there but fails to open or to read gives empty texts, as a
// missing one does, and tells the user nothing; the same object does not
// try again, a new one reads the file.
TEST_F(SupportInfoTest, UnreadableFileGivesEmptyTextWithoutAMessage) {
    namespace pp = plat::headless;
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
