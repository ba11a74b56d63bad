// The company name in full width, cut to 32 bytes on a character boundary.
#include "report/full_width.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "report/report_writer.h"

namespace {

std::string Repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

TEST(FullWidthTest, LettersDigitsBlankAndKatakanaBecomeDoubleByte) {
    const std::string abc = report::ToFullWidth("ABC");
    EXPECT_EQ("\x82\x60\x82\x61\x82\x62", abc);
    EXPECT_EQ(6u, abc.size());
    EXPECT_STREQ("株式会社ＡＢＣ　１２３", report::ToFullWidth("株式会社ABC 123"));
    EXPECT_STREQ("アイウ", report::ToFullWidth("ｱｲｳ"));
    // A kana with its voiced mark is one character.
    EXPECT_STREQ("カブシキガイシャ", report::ToFullWidth("ｶﾌﾞｼｷｶﾞｲｼｬ"));
    EXPECT_STREQ("（有）ＡＢ＆Ｃ", report::ToFullWidth("(有)AB&C"));
}

TEST(FullWidthTest, LongTextsAreCutTo32Bytes) {
    // 20 double-byte characters: the first 16.
    const std::string twenty = "あいうえおかきくけこさしすせそたちつてと";
    ASSERT_EQ(40u, twenty.size());
    EXPECT_EQ(twenty.substr(0, 32), report::ToFullWidth(twenty.c_str()));
    // 17 letters: 16 full-width letters, the 17th cut away.
    EXPECT_STREQ("ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰ", report::ToFullWidth("ABCDEFGHIJKLMNOPQ"));
    EXPECT_EQ(32u, std::strlen(report::ToFullWidth("ABCDEFGHIJKLMNOPQ")));
    // Exactly 16 double-byte characters come back unchanged.
    const std::string sixteen = Repeat("表", 16);
    EXPECT_EQ(sixteen, report::ToFullWidth(sixteen.c_str()));
}

TEST(FullWidthTest, CutNeverSplitsACharacter) {
    // The yen sign has no full-width form here, so it stays one byte and the
    // 32nd byte is the first byte of the 16th kanji: 31 bytes remain.
    const std::string text = "\\" + Repeat("表", 16);
    const std::string result = report::ToFullWidth(text.c_str());
    EXPECT_EQ(31u, result.size());
    EXPECT_EQ("\\" + Repeat("表", 15), result);
    // Judged by walking from the start, not by the byte's value: 亜 ends in
    // 0x9F, which could be a first byte; as the 32nd byte it is a second one.
    ASSERT_EQ("\x88\x9F", std::string("亜"));
    EXPECT_EQ(Repeat("亜", 16), report::ToFullWidth((Repeat("亜", 16) + "A").c_str()));
}

// The same on both systems: the readable characters are kept and mapped.
TEST(FullWidthTest, UnreadableBytesAreDroppedNotTheName) {
    EXPECT_STREQ("ＡＢ", report::ToFullWidth("AB\x95"));  // 表 cut after its first byte
    EXPECT_STREQ("表表", report::ToFullWidth("表表\x95"));
    EXPECT_STREQ("Ａ　Ｂ", report::ToFullWidth("A\x81 B"));  // a lead byte before a blank
}

TEST(FullWidthTest, EmptyAndNullGiveEmptyText) {
    EXPECT_STREQ("", report::ToFullWidth(""));
    EXPECT_STREQ("", report::ToFullWidth(nullptr));
}

TEST(FullWidthTest, ResultIsOneClearedSharedBuffer) {
    const char* first = report::ToFullWidth("ABCDEFGHIJKLMNOPQRS");
    const char* second = report::ToFullWidth("A");
    EXPECT_EQ(first, second);
    EXPECT_STREQ("Ａ", second);
    // Nothing of the longer text is left behind the terminator.
    for (std::size_t i = 2; i < report::kFullWidthBufferSize; ++i) EXPECT_EQ('\0', second[i]) << i;
    // The report writer's operation is the same conversion.
    EXPECT_STREQ("ＸＹ", ClReportWriter::ToFullWidth("XY"));
}

}  // namespace
