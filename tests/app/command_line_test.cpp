#include <gtest/gtest.h>

#include <string>

#include "app/link_app.h"

namespace {

TEST(ParseCommandLine, EmptyLineKeepsEveryInitialValue) {
    ClLinkApp app;
    EXPECT_EQ(app.ParseCommandLine(""), 0);
    EXPECT_EQ(app.m_hParentWnd, plat::kNoWindow);
    EXPECT_EQ(app.m_nNotifyMsg, 0u);
    EXPECT_EQ(app.m_nFunctionID, 1);
    EXPECT_TRUE(app.m_strOutputPath.empty());
}

TEST(ParseCommandLine, ThreeCommasWithEmptyPathAreComplete) {
    ClLinkApp app;
    EXPECT_EQ(app.ParseCommandLine("4660,32803,7,"), 1);
    EXPECT_EQ(app.m_hParentWnd, plat::WindowHandle{4660});
    EXPECT_EQ(app.m_nNotifyMsg, 32803u);
    EXPECT_EQ(app.m_nFunctionID, 7);
    EXPECT_TRUE(app.m_strOutputPath.empty());
}

TEST(ParseCommandLine, MissingCommaKeepsTheFieldsReadSoFar) {
    ClLinkApp app;
    EXPECT_EQ(app.ParseCommandLine("4660,32803,7"), 0);
    EXPECT_EQ(app.m_hParentWnd, plat::WindowHandle{4660});
    EXPECT_EQ(app.m_nNotifyMsg, 32803u);
    EXPECT_EQ(app.m_nFunctionID, 1);

    ClLinkApp single;
    EXPECT_EQ(single.ParseCommandLine("4660"), 0);
    EXPECT_EQ(single.m_hParentWnd, plat::kNoWindow);
}

TEST(ParseCommandLine, FourthFieldIsTakenWholeWithItsCommas) {
    ClLinkApp app;
    EXPECT_EQ(app.ParseCommandLine("1,2,3,C:\\out,put\\a,b.xml"), 1);
    EXPECT_EQ(app.m_strOutputPath, "C:\\out,put\\a,b.xml");
}

TEST(ParseCommandLine, FunctionIdKeepsItsLowSixteenBitsAsSigned) {
    struct Case {
        const char* field;
        std::int16_t expected;
    };
    const Case cases[] = {
        {"65543", 7},       // 2^16 + 7
        {"32769", -32767},  // 2^15 + 1
        {"-1", -1},        {"65535", -1},
        {"32767", 32767},  {"99999999999", -1},  // saturates at 2^31 - 1 like the C runtime, low bits all set
    };
    for (const Case& c : cases) {
        ClLinkApp app;
        EXPECT_EQ(app.ParseCommandLine(std::string("1,2,") + c.field + ",x"), 1);
        EXPECT_EQ(app.m_nFunctionID, c.expected) << c.field;
    }
}

TEST(ParseCommandLine, NumbersAreReadAsTheCRuntimeReadsThem) {
    ClLinkApp app;
    EXPECT_EQ(app.ParseCommandLine("  \t+77abc,-0x10, 12 34,p"), 1);
    EXPECT_EQ(app.m_hParentWnd, plat::WindowHandle{77});
    EXPECT_EQ(app.m_nNotifyMsg, 0u);  // "-0x10": digits end at the x
    EXPECT_EQ(app.m_nFunctionID, 12);

    ClLinkApp letters;
    EXPECT_EQ(letters.ParseCommandLine("a,b,c,d"), 1);
    EXPECT_EQ(letters.m_hParentWnd, plat::kNoWindow);
    EXPECT_EQ(letters.m_nNotifyMsg, 0u);
    EXPECT_EQ(letters.m_nFunctionID, 0);
    EXPECT_EQ(letters.m_strOutputPath, "d");
}

TEST(ParseCommandLine, NegativeHandleKeepsItsThirtyTwoBitPattern) {
    ClLinkApp app;
    EXPECT_EQ(app.ParseCommandLine("-5,1,1,"), 1);
    EXPECT_EQ(app.m_hParentWnd, plat::WindowHandle{0xFFFFFFFBu});
}

TEST(ParseCommandLine, LongLineIsReadWhole) {
    // Longer than the 259 bytes a fixed buffer would hold: the parent must
    // still be found and the whole path kept.
    const std::string path = "C:\\" + std::string(300, 'a') + ".xml";
    ClLinkApp app;
    EXPECT_EQ(app.ParseCommandLine("100,200,3," + path), 1);
    EXPECT_EQ(app.m_hParentWnd, plat::WindowHandle{100});
    EXPECT_EQ(app.m_strOutputPath, path);

    ClLinkApp padded;
    EXPECT_EQ(padded.ParseCommandLine(std::string(400, ' ') + "100,200,3,p"), 1);
    EXPECT_EQ(padded.m_hParentWnd, plat::WindowHandle{100});
}

}  // namespace
