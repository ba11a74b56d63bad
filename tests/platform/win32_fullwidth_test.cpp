// The full-width table against the system's own mapping under Wine with the
// Japanese locale: both must give the same bytes.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/headless_windows/fullwidth_table.h"
#include "platform/locale_map.h"
#include "platform/mbcs.h"

namespace {

// The system's mapping, called directly (not through the platform layer).
std::string SystemFullWidth(const std::string& text) {
    if (text.empty()) return text;  // the system refuses an empty source
    const LCID locale = GetSystemDefaultLCID();
    const int size = static_cast<int>(text.size());
    const int needed = LCMapStringA(locale, LCMAP_FULLWIDTH, text.data(), size, nullptr, 0);
    if (needed <= 0) return "<failed>";
    std::vector<char> out(static_cast<std::size_t>(needed));
    const int got = LCMapStringA(locale, LCMAP_FULLWIDTH, text.data(), size, out.data(), needed);
    return std::string(out.data(), static_cast<std::size_t>(got));
}

std::string Hex(const std::string& bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        out += kDigits[c >> 4];
        out += kDigits[c & 15];
        out += ' ';
    }
    return out;
}

// The system's mapping is the reference only under the Japanese locale.
class Win32FullWidth : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(GetACP(), 932u) << "needs Wine with a Japanese locale (scripts/wine-session.sh)";
        ASSERT_EQ(PRIMARYLANGID(LANGIDFROMLCID(GetSystemDefaultLCID())), LANG_JAPANESE);
    }
};

TEST_F(Win32FullWidth, EverySingleByteCharacterAsTheSystemMapsIt) {
    for (int c = 0x01; c < 0x100; ++c) {
        if (plat::IsCp932LeadByte(static_cast<unsigned char>(c))) continue;  // alone, not a character
        const std::string text(1, static_cast<char>(c));
        EXPECT_EQ(Hex(plat::headless::FullWidthByTable(text)), Hex(SystemFullWidth(text))) << "byte " << c;
    }
}

TEST_F(Win32FullWidth, EveryKanaWithEveryMarkAsTheSystemMapsIt) {
    for (int kana = 0xA1; kana <= 0xDF; ++kana) {
        for (int mark = 0xDE; mark <= 0xDF; ++mark) {
            const std::string text{static_cast<char>(kana), static_cast<char>(mark)};
            EXPECT_EQ(Hex(plat::headless::FullWidthByTable(text)), Hex(SystemFullWidth(text)))
                << "kana " << kana << " mark " << mark;
        }
    }
}

TEST_F(Win32FullWidth, EveryDoubleByteCharacterAsTheSystemMapsIt) {
    int checked = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!plat::IsCp932LeadByte(static_cast<unsigned char>(lead))) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string text{static_cast<char>(lead), static_cast<char>(trail)};
            WCHAR wide[4];
            if (MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, text.data(), 2, wide, 4) != 1) continue;
            ++checked;
            EXPECT_EQ(Hex(plat::headless::FullWidthByTable(text)), Hex(SystemFullWidth(text)));
        }
    }
    EXPECT_GT(checked, 9000);  // the whole assigned double-byte range was seen
}

TEST_F(Win32FullWidth, CompanyNamesGiveTheSameBytes) {
    const char* const kNames[] = {
        "ABC商事株式会社",
        "株式会社ｻﾝﾌﾟﾙ",
        "ｶﾌﾞｼｷｶﾞｲｼｬ ﾃﾞﾝｷｺｳｷﾞｮｳ",
        "(株)山田製作所",
        "有限会社 田中&佐藤",
        "Tokyo Trading Co., Ltd.",
        "ﾊﾟｼﾌｨｯｸ･ｺﾝｻﾙﾀﾝﾄ",
        "ｳﾞｨｰﾅｽ薬局",
        "ヴィーナス薬局",
        "髙橋建設",
        "第1工業",
        "ＡＢＣ全角",
        "No.1 ﾃｸﾉﾛｼﾞｰ",
        "医療法人社団 健康会",
        "㈱日本システム",
        "ｱｲｳｴｵ-123",
        "O'Brien \"Co\"",
        "ソフト表示 能力開発",
        "100%ｼｮｯﾌﾟ [ﾏﾙｲ]",
        "ﾎﾟｰﾄ@ｻﾎﾟｰﾄ+ﾃﾞｰﾀ",
        "ＩＢＭ拡張：纊褜",
        "C:\\Data~1",
        "",
    };
    for (const char* name : kNames) {
        EXPECT_EQ(Hex(plat::headless::FullWidthByTable(name)), Hex(SystemFullWidth(name))) << name;
        EXPECT_EQ(Hex(plat::MapToFullWidth(name)), Hex(plat::headless::FullWidthByTable(name))) << name;
    }
}

TEST_F(Win32FullWidth, KnownMappings) {
    // Letters, blank, composed kana and the kept yen sign, byte for byte.
    EXPECT_EQ(plat::MapToFullWidth("ABC"), "\x82\x60\x82\x61\x82\x62");
    EXPECT_EQ(plat::MapToFullWidth("a 1"), "\x82\x81\x81\x40\x82\x50");
    EXPECT_EQ(plat::MapToFullWidth("ｶﾞﾊﾟｳﾞ"), "ガパヴ");
    EXPECT_EQ(plat::MapToFullWidth("\\~\"'"), "\x5C\x81\x60\xFA\x57\xFA\x56");
    // A voiced mark standing alone becomes the combining mark, which code
    // page 932 lacks (Windows 7 and later do the same; older versions gave
    // 0x814A).
    EXPECT_EQ(plat::MapToFullWidth("ﾞ"), "?");
    EXPECT_EQ(plat::MapToFullWidth("ﾏﾞ"), "マ?");
    // A double-byte character whose trail byte is 0x5C is not split.
    EXPECT_EQ(plat::MapToFullWidth("ソ\\"), "\x83\x5C\x5C");
}

TEST_F(Win32FullWidth, LoneLeadByteAtTheEnd) {
    // The table keeps a cut-off lead byte as it is; the system reads it as
    // an invalid character and writes the middle dot (0x8145) for it.
    EXPECT_EQ(plat::headless::FullWidthByTable("A\x81"), "\x82\x60\x81");
    EXPECT_EQ(SystemFullWidth("A\x81"), "\x82\x60\x81\x45");
}

TEST_F(Win32FullWidth, LongTextIsMappedWhole) {
    std::string text;
    for (int i = 0; i < 20000; ++i) text += "Aｶﾞ漢 ";
    const std::string mapped = plat::MapToFullWidth(text);
    EXPECT_EQ(mapped.size(), 20000u * 8u);
    EXPECT_EQ(mapped, plat::headless::FullWidthByTable(text));
}

TEST_F(Win32FullWidth, EmptyTextStaysEmpty) {
    EXPECT_EQ(plat::MapToFullWidth(""), "");
    EXPECT_EQ(plat::headless::FullWidthByTable(""), "");
}

}  // namespace
