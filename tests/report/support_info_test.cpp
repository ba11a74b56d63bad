// The support information file: values by key, line ends, end marks, the
// 30,000-byte image and the missing-file and no-memory cases.
#include "report/support_info.h"

#include <gtest/gtest.h>

#include <string>

#include "report_test_util.h"

#ifndef _WIN32
#include "platform/portable/headless_ui.h"
#endif

namespace {

const std::string kName = "[=製品名=]";
const std::string kVersion = "[=製品ﾊﾞｰｼﾞｮﾝ=]";

class SupportInfoTest : public ::testing::Test {
protected:
    void Put(const std::string& bytes) { ASSERT_TRUE(rt::WriteBytes(dir.Path("SUPPORT.INF"), bytes)); }
    rt::ScratchDir dir;
};

TEST_F(SupportInfoTest, KeysAreTheSystemsBytes) {
    EXPECT_EQ("[=\x90\xBB\x95i\x96\xBC=]", kName);
    EXPECT_EQ(10u, kName.size());
    EXPECT_EQ("[=\x90\xBB\x95i\xCA\xDE\xB0\xBC\xDE\xAE\xDD=]", kVersion);
    EXPECT_EQ(15u, kVersion.size());
}

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
    std::string source = REPORT_SOURCE_DIR "/sample/demo/SUPPORT.INF";
#ifdef _WIN32
    // Wine shows the build machine's root as drive Z:.
    for (char& c : source) c = c == '/' ? '\\' : c;
    source = "Z:" + source;
#endif
    const std::string bytes = rt::ReadBytes(source);
    ASSERT_FALSE(bytes.empty()) << source;
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

TEST_F(SupportInfoTest, KeyAtTheVeryEndGivesEmptyText) {
    Put("[=X=]a\r\n" + kVersion);
    ClSupportInfo info;
    EXPECT_STREQ("", info.GetProductVersion());
}

TEST_F(SupportInfoTest, LoneCrAndLfStayInTheValue) {
    Put(kName + "A\rB\nC\r\n");
    ClSupportInfo info;
    EXPECT_STREQ("A\rB\nC", info.GetProductName());
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
        std::string bytes(ClSupportInfo::kImageSize - kName.size() - 2, ' ');
        bytes += kName + "AB" + "CD\r\n";
        Put(bytes);
        ClSupportInfo info;
        EXPECT_STREQ("AB", info.GetProductName());
    }
    // A key whose last byte would lie past the image is not found.
    {
        std::string bytes(ClSupportInfo::kImageSize - kName.size() + 1, ' ');
        bytes += kName + "late\r\n";
        Put(bytes);
        ClSupportInfo info;
        EXPECT_STREQ("", info.GetProductName());
    }
    // A key ending on the image's last byte is found, with the empty value.
    {
        std::string bytes(ClSupportInfo::kImageSize - kName.size(), ' ');
        bytes += kName + "after";
        Put(bytes);
        ClSupportInfo info;
        EXPECT_STREQ("", info.GetProductName());
        EXPECT_STREQ("", info.GetProductVersion());
    }
}

TEST_F(SupportInfoTest, CrLfSplitOverTheImageEndIsNotALineEnd) {
    // The CR is the image's last byte; its LF lies outside. The CR stays.
    std::string bytes(ClSupportInfo::kImageSize - kName.size() - 2, ' ');
    bytes += kName + "Z\r\n";
    Put(bytes);
    ClSupportInfo info;
    EXPECT_STREQ("Z\r", info.GetProductName());
}

#ifndef _WIN32
// Without memory for the image the user is told, once per attempt.
TEST_F(SupportInfoTest, NoMemoryShowsTheMessageAndGivesEmptyText) {
    Put(kName + "Name\r\n" + kVersion + "1\r\n");
    auto& ui = plat::headless::HeadlessUi::Get();
    ui.Reset();
    ClSupportInfo::SimulateOutOfMemoryForTest(true);
    {
        ClSupportInfo info;
        EXPECT_STREQ("", info.GetProductName());
        EXPECT_STREQ("", info.GetProductVersion());
    }
    ClSupportInfo::SimulateOutOfMemoryForTest(false);
    ASSERT_EQ(2u, ui.MessageBoxes().size());
    for (const auto& box : ui.MessageBoxes()) {
        EXPECT_EQ("\xD2\xD3\xD8\x82\xAA\x95s\x91\xAB\x82\xB5\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81\x42",
                  box.text);
        EXPECT_EQ("ﾒﾓﾘが不足しています。", box.text);
        EXPECT_EQ("\x89\xC8\x96\xDA\x93\xE0\x96\xF3\x8F\x91", box.caption);
        EXPECT_EQ(plat::kMbOk | plat::kMbIconExclamation, box.style);
        EXPECT_EQ(plat::kNoWindow, box.owner);
    }
    // With memory again, the same object loads normally.
    ClSupportInfo info;
    EXPECT_STREQ("Name", info.GetProductName());
    EXPECT_EQ(2u, ui.MessageBoxes().size());
}
#endif

}  // namespace
