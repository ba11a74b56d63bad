#include <gtest/gtest.h>

#include <string>

#include "app/link_app.h"

namespace {

// A command line and everything it leaves in the program: complete or not,
// the parent window, the notification message, the function ID and the path.
struct CommandLine {
    const char* name;
    std::string text;
    int complete;
    plat::WindowHandle parent;
    std::uint32_t message;
    std::int16_t functionId;
    std::string path;
};

const std::string kLongPath = "C:\\" + std::string(300, 'a') + ".xml";

const CommandLine kLines[] = {
    {"EmptyLineKeepsEveryInitialValue", "", 0, plat::kNoWindow, 0, 1, ""},
    {"ThreeCommasWithEmptyPathAreComplete", "4660,32803,7,", 1, 4660, 32803, 7, ""},
    {"MissingCommaKeepsTheFieldsReadSoFar", "4660,32803,7", 0, 4660, 32803, 1, ""},
    {"MissingCommaAfterTheHandleKeepsNone", "4660", 0, plat::kNoWindow, 0, 1, ""},
    {"FourthFieldIsTakenWholeWithItsCommas", "1,2,3,C:\\out,put\\a,b.xml", 1, 1, 2, 3,
     "C:\\out,put\\a,b.xml"},
    // The function ID keeps its low sixteen bits as a signed number.
    {"FunctionIdOf65543Is7", "1,2,65543,x", 1, 1, 2, 7, "x"},              // 2^16 + 7
    {"FunctionIdOf32769IsNegative", "1,2,32769,x", 1, 1, 2, -32767, "x"},  // 2^15 + 1
    {"FunctionIdOfMinusOne", "1,2,-1,x", 1, 1, 2, -1, "x"},
    {"FunctionIdOf65535IsMinusOne", "1,2,65535,x", 1, 1, 2, -1, "x"},
    {"FunctionIdOf32767", "1,2,32767,x", 1, 1, 2, 32767, "x"},
    // Saturates at 2^31 - 1 like the C runtime: the low bits all set.
    {"FunctionIdPast32BitsSaturates", "1,2,99999999999,x", 1, 1, 2, -1, "x"},
    // Numbers are read as the C runtime reads them: "-0x10" ends at the x.
    {"NumbersAreReadAsTheCRuntimeReadsThem", "  \t+77abc,-0x10, 12 34,p", 1, 77, 0, 12, "p"},
    {"LettersAreZero", "a,b,c,d", 1, plat::kNoWindow, 0, 0, "d"},
    {"NegativeHandleKeepsItsThirtyTwoBitPattern", "-5,1,1,", 1, 0xFFFFFFFBu, 1, 1, ""},
    // Longer than the 259 bytes a fixed buffer would hold.
    {"LongLineIsReadWhole", "100,200,3," + kLongPath, 1, 100, 200, 3, kLongPath},
    {"LongLeadingBlanksAreSkipped", std::string(400, ' ') + "100,200,3,p", 1, 100, 200, 3, "p"},
};

class ParseCommandLine : public ::testing::TestWithParam<CommandLine> {};

TEST_P(ParseCommandLine, Fields) {
    const CommandLine& c = GetParam();
    ClLinkApp app;
    EXPECT_EQ(app.ParseCommandLine(c.text), c.complete);
    EXPECT_EQ(app.m_hParentWnd, c.parent);
    EXPECT_EQ(app.m_nNotifyMsg, c.message);
    EXPECT_EQ(app.m_nFunctionID, c.functionId);
    EXPECT_EQ(app.m_strOutputPath, c.path);
}

INSTANTIATE_TEST_SUITE_P(Lines, ParseCommandLine, ::testing::ValuesIn(kLines),
                         [](const ::testing::TestParamInfo<CommandLine>& row) { return row.param.name; });

}  // namespace
