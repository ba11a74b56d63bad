// The report document: whole documents byte for byte, balances at their
// bounds, escaping, the support-file values and fall-backs, the company
// name, the temporary file and its replacement of the destination, write
// failures in every section, lists out of the host's order, and progress.
#include "report/report_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/process.h"
#include "report/xml_writer.h"
#include "report_test_util.h"
#include "tests/support/recording_progress.h"

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <ctime>

#include "platform/headless_windows/file_faults.h"
#endif

namespace {

using rt::Entry;

const std::string kTail = "\t</DATA>\r\n</REPORT>\r\n";

// The lines of an account group, its sub-account groups inside, composed here.
std::string Group(const std::string& count, const std::string& code, const std::string& name,
                  const std::string& balance, const std::string& subs = "") {
    return "\t\t<KANJYOKAMOKU Count=\"" + count + "\">\r\n\t\t\t<KANJYOKAMOKU_CODE>" + code +
           "</KANJYOKAMOKU_CODE>\r\n\t\t\t<KANJYOKAMOKU_NAME>" + name +
           "</KANJYOKAMOKU_NAME>\r\n\t\t\t<KANJYOKAMOKU_ZANDAKA>" + balance + "</KANJYOKAMOKU_ZANDAKA>\r\n" +
           subs + "\t\t</KANJYOKAMOKU>\r\n";
}
std::string SubGroup(const std::string& count, const std::string& code, const std::string& name,
                     const std::string& balance) {
    return "\t\t\t<HOJYOKAMOKU Count=\"" + count + "\">\r\n\t\t\t\t<HOJYOKAMOKU_CODE>" + code +
           "</HOJYOKAMOKU_CODE>\r\n\t\t\t\t<HOJYOKAMOKU_NAME>" + name +
           "</HOJYOKAMOKU_NAME>\r\n\t\t\t\t<HOJYOKAMOKU_ZANDAKA>" + balance +
           "</HOJYOKAMOKU_ZANDAKA>\r\n\t\t\t</HOJYOKAMOKU>\r\n";
}

// The progress of a write of the standard list at base 500: a pulse after the
// REPORT start tag and one for each of the six elements of SYSTEM; at the end
// of a section its overall step, then a pulse; a pulse for each of the three
// elements of BASIC and for each of the five entries.
const std::vector<std::string> kStandardProgress = {
    "Pulse x7", "Advance 500 600", "Pulse x4", "Advance 600 700", "Pulse x6", "Advance 700 1000", "Pulse x1"};

class ReportWriterTest : public ::testing::Test {
protected:
    ReportWriterTest() {
        dir.MakeCurrent();
        writer.m_pProgress = &progress;
        writer.m_pBalanceList = &list;
        writer.SetProgressBase(500);
    }
#ifndef _WIN32
    ~ReportWriterTest() override {
        plat::headless::ResetFileFaults();
    }
#endif

    void Add(std::int32_t code, const std::string& name, std::uint8_t flag, std::int64_t zandaka) {
        list.push_back(Entry(code, name, flag, zandaka));
    }

    // The list of the usual host order: account A with two sub-accounts and
    // its closing row, then account B without sub-accounts.
    void AddStandardList() {
        Add(1110000, "現金", 1, 12345678901234);
        Add(1110001, "小口現金", 0, 500000);
        Add(1110002, "表&ポ<表>", 0, -2500000);
        Add(1110000, "現金", 1, 12345678901234);
        Add(1120000, "当座預金", 0, 9999);
    }
    // Spelled out: the other documents' groups are composed by Group and SubGroup.
    static std::string StandardData() {
        return "\t\t<KANJYOKAMOKU Count=\"   1\">\r\n"
               "\t\t\t<KANJYOKAMOKU_CODE>111</KANJYOKAMOKU_CODE>\r\n"
               "\t\t\t<KANJYOKAMOKU_NAME>現金</KANJYOKAMOKU_NAME>\r\n"
               "\t\t\t<KANJYOKAMOKU_ZANDAKA>1234567890</KANJYOKAMOKU_ZANDAKA>\r\n"
               "\t\t\t<HOJYOKAMOKU Count=\"   1\">\r\n"
               "\t\t\t\t<HOJYOKAMOKU_CODE>1</HOJYOKAMOKU_CODE>\r\n"
               "\t\t\t\t<HOJYOKAMOKU_NAME>小口現金</HOJYOKAMOKU_NAME>\r\n"
               "\t\t\t\t<HOJYOKAMOKU_ZANDAKA>50</HOJYOKAMOKU_ZANDAKA>\r\n"
               "\t\t\t</HOJYOKAMOKU>\r\n"
               "\t\t\t<HOJYOKAMOKU Count=\"   2\">\r\n"
               "\t\t\t\t<HOJYOKAMOKU_CODE>2</HOJYOKAMOKU_CODE>\r\n"
               "\t\t\t\t<HOJYOKAMOKU_NAME>表&amp;ポ&lt;表&gt;</HOJYOKAMOKU_NAME>\r\n"
               "\t\t\t\t<HOJYOKAMOKU_ZANDAKA>-250</HOJYOKAMOKU_ZANDAKA>\r\n"
               "\t\t\t</HOJYOKAMOKU>\r\n"
               "\t\t</KANJYOKAMOKU>\r\n"
               "\t\t<KANJYOKAMOKU Count=\"   2\">\r\n"
               "\t\t\t<KANJYOKAMOKU_CODE>112</KANJYOKAMOKU_CODE>\r\n"
               "\t\t\t<KANJYOKAMOKU_NAME>当座預金</KANJYOKAMOKU_NAME>\r\n"
               "\t\t\t<KANJYOKAMOKU_ZANDAKA></KANJYOKAMOKU_ZANDAKA>\r\n"
               "\t\t</KANJYOKAMOKU>\r\n";
    }
    static std::string StandardBasic() {
        return rt::Basic("ＡＢＣ商事", "20220401", "20230331");
    }

    // Writes the report to name in the scratch folder; the document's bytes.
    std::string Write(int& result, const std::string& name = "out.xml", std::int16_t functionId = 1) {
        result = writer.Write(dir.Path(name), functionId, info);
        return dir.Read(name);
    }
    // Writes, expects success, and has the file checked with the schema.
    std::string WriteValid(const std::string& name = "out.xml", std::int16_t functionId = 1) {
        int result = -1;
        std::string bytes = Write(result, name, functionId);
        EXPECT_EQ(1, result);
        rt::CheckWithSchemaAtExit(dir, name);
        return bytes;
    }
    // The whole document around the groups data, by default for the default setting.
    static std::string Document(const std::string& data, const std::string& head = rt::Head(),
                                const std::string& basic = StandardBasic()) {
        return head + basic + "\t<DATA>\r\n" + data + kTail;
    }

    support::ScratchFolder dir;
    support::RecordingProgress progress;
    ClBalanceList list;
    ClReportWriter writer;
    StDATAINFO info = rt::DataInfo("ABC商事", 20220401, 20230331);
};

// ---------------------------------------------------------------------------
// Whole documents

TEST_F(ReportWriterTest, EmptyListGivesDataStartTagDirectlyFollowedByEndTag) {
    // The declaration byte for byte, no byte order mark, nothing after the end.
    EXPECT_EQ("\x3C\x3Fxml version=\x22\x31.0\x22 encoding=\x22Shift_JIS\x22\x3F\x3E\x0D\x0A" +
                  Document("").substr(44),
              WriteValid());
}

TEST_F(ReportWriterTest, AccountWithSubAccountsAndClosingRowThenPlainAccount) {
    AddStandardList();
    const std::string bytes = WriteValid();
    EXPECT_EQ(Document(StandardData()), bytes);
}

TEST_F(ReportWriterTest, AccountWithoutFlagHasNoSubAccountGroup) {
    Add(50000, "売掛金", 0, 10000);
    const std::string bytes = WriteValid();
    EXPECT_EQ(Document(Group("   1", "5", "売掛金", "1")), bytes);
}

TEST_F(ReportWriterTest, SubAccountAsLastEntryClosesItsGroupBeforeData) {
    Add(20000, "預金", 1, 30000);
    Add(20003, "普通", 0, 40000);
    const std::string bytes = WriteValid();
    EXPECT_EQ(Document(Group("   1", "2", "預金", "3", SubGroup("   1", "3", "普通", "4"))), bytes);
}

TEST_F(ReportWriterTest, CountIsRightAlignedInFourCharacters) {
    std::string data;
    const char* counts[] = {"   1", "   2", "   3", "   4", "   5", "   6",
                            "   7", "   8", "   9", "  10", "  11", "  12"};
    for (int i = 1; i <= 12; ++i) {
        Add(i * 10000, "科目" + std::to_string(i), 0, i * 10000LL);
        data += Group(counts[i - 1], std::to_string(i), "科目" + std::to_string(i), std::to_string(i));
    }
    // Sub-account groups count from 1 in each account, padded alike.
    Add(990000, "諸口", 1, 0);
    std::string subs;
    for (int s = 1; s <= 11; ++s) {
        Add(990000 + s, "口" + std::to_string(s), 0, -s * 10000LL);
        const std::string n = std::to_string(s);
        subs += SubGroup((s < 10 ? "   " : "  ") + n, n, "口" + n, "-" + n);
    }
    Add(990000, "諸口", 1, 0);
    Add(1000000, "次", 1, 0);
    Add(1000001, "次の一", 0, 0);
    Add(1000000, "次", 1, 0);
    data += Group("  13", "99", "諸口", "", subs) +
            Group("  14", "100", "次", "", SubGroup("   1", "1", "次の一", ""));
    EXPECT_EQ(Document(data), WriteValid());
}

TEST_F(ReportWriterTest, CountsOfFourAndFiveDigitsAreWrittenInFull) {
    std::string data;
    for (int i = 1; i <= 10000; ++i) {
        Add(i * 10000, "K", 0, 0);
        const std::string n = std::to_string(i);
        data += Group(std::string(n.size() < 4 ? 4 - n.size() : 0, ' ') + n, n, "K", "");
    }
    // Not EXPECT_EQ: its line diff of two 50,000-line texts takes gigabytes.
    const std::string expected = Document(data), written = WriteValid();
    const auto at = std::mismatch(expected.begin(), expected.end(), written.begin(), written.end()).first;
    const auto from = static_cast<std::size_t>(at - expected.begin());
    EXPECT_EQ(expected.substr(from, 120), written.substr(from, 120)) << "from byte " << from;
}

// ---------------------------------------------------------------------------
// Balances

TEST_F(ReportWriterTest, BalancesAreWholeUnitsWithinTwelveCharacters) {
    struct Case {
        std::int64_t zandaka;
        const char* text;
    };
    const Case cases[] = {
        {0, ""},
        {9999, ""},
        {-9999, ""},
        {10000, "1"},
        {-10000, "-1"},
        {19999, "1"},  // truncated toward zero
        {-19999, "-1"},
        {999999999999LL * 10000, "999999999999"},
        {999999999999LL * 10000 + 9999, "999999999999"},
        {1000000000000LL * 10000, ""},
        {-99999999999LL * 10000, "-99999999999"},
        {-99999999999LL * 10000 - 9999, "-99999999999"},
        {-100000000000LL * 10000, ""},
        {std::numeric_limits<std::int64_t>::max(), ""},
        {std::numeric_limits<std::int64_t>::min(), ""},
    };
    std::string data;
    int count = 1;
    for (const Case& c : cases) {
        // Each balance on an account and on a sub-account of it.
        Add(count * 10000, "A", 1, c.zandaka);
        Add(count * 10000 + 1, "S", 0, c.zandaka);
        Add(count * 10000, "A", 1, c.zandaka);
        const std::string n = count < 10 ? "   " + std::to_string(count) : "  " + std::to_string(count);
        data += Group(n, std::to_string(count), "A", c.text, SubGroup("   1", "1", "S", c.text));
        ++count;
    }
    EXPECT_EQ(Document(data), WriteValid());
}

// ---------------------------------------------------------------------------
// Texts: names, function ID, dates, company name, support file

TEST_F(ReportWriterTest, NamesAreEscapedNextToDoubleByteCharacters) {
    Add(10000, "表&ポ<表>", 1, 0);
    Add(10001, "ポ\"表'ポ", 0, 0);
    Add(10000, "表&ポ<表>", 1, 0);
    EXPECT_EQ(Document(Group("   1", "1", "\x95\x5C&amp;\x83\x7C&lt;\x95\x5C&gt;", "",
                             SubGroup("   1", "1", "\x83\x7C&quot;\x95\x5C&apos;\x83\x7C", ""))),
              WriteValid());
}

TEST_F(ReportWriterTest, NamesOfSixteenBytesAreWrittenWhole) {
    Add(10000, "ABCDEFGHIJKLMNOP", 0, 0);
    Add(20000, "一二三四五六七八", 0, 0);
    EXPECT_EQ(
        Document(Group("   1", "1", "ABCDEFGHIJKLMNOP", "") + Group("   2", "2", "一二三四五六七八", "")),
        WriteValid());
}

TEST_F(ReportWriterTest, FunctionIdIsWrittenAsSignedDecimal) {
    for (const std::int16_t id :
         {std::int16_t{1}, std::int16_t{-1}, std::int16_t{32767}, std::int16_t{-32768}}) {
        const std::string bytes = WriteValid("out.xml", id);
        EXPECT_EQ(Document("", rt::Head(std::to_string(id))), bytes);
    }
}

TEST_F(ReportWriterTest, PeriodDaysAreWrittenAsStored) {
    info = rt::DataInfo("ABC商事", 20211001, 20220930);
    EXPECT_EQ(Document("", rt::Head(), rt::Basic("ＡＢＣ商事", "20211001", "20220930")), WriteValid());
    // Not dates at all: written all the same.
    info = rt::DataInfo("ABC商事", 0, -1);
    EXPECT_EQ(Document("", rt::Head(), rt::Basic("ＡＢＣ商事", "0", "-1")), WriteValid());
}

TEST_F(ReportWriterTest, CompanyNameIsFullWidthAndAtMost32Bytes) {
    info = rt::DataInfo("あいうえおかきくけこさしすせそたちつてと", 20220401, 20230331);
    EXPECT_EQ(Document("", rt::Head(), rt::Basic("あいうえおかきくけこさしすせそた", "20220401", "20230331")),
              WriteValid());
    info = rt::DataInfo("\\表表表表表表表表表表表表表表表表", 20220401, 20230331);
    EXPECT_EQ(Document("", rt::Head(), rt::Basic("\\表表表表表表表表表表表表表表表", "20220401", "20230331")),
              WriteValid());
    info = rt::DataInfo("", 20220401, 20230331);
    EXPECT_EQ(Document("", rt::Head(), rt::Basic("", "20220401", "20230331")), WriteValid());
}

TEST_F(ReportWriterTest, ProductNameAndVersionComeFromTheSupportFile) {
    ASSERT_TRUE(dir.Write("SUPPORT.INF",
                          "[=会社名=]見本\r\n[=製品名=]会計 <Pro> & 表\r\n[=製品ﾊﾞｰｼﾞｮﾝ=]22.03.01\r\n"));
    const std::string bytes = WriteValid();
    EXPECT_EQ(Document("", rt::Head("1", "会計 &lt;Pro&gt; &amp; 表", "22.03.01")), bytes);
}

TEST_F(ReportWriterTest, ControlBytesFromOutsideAreLeftOutOfTheReport) {
    // Support values, the company name, account and sub-account names: none
    // of their control bytes reaches the file, which a strict parser reads.
    ASSERT_TRUE(dir.Write("SUPPORT.INF", "[=製品名=]会計\x01 22\r\n[=製品ﾊﾞｰｼﾞｮﾝ=]22.03\x1B.01\r\n"));
    info = rt::DataInfo("ABC\x02商事", 20220401, 20230331);
    Add(10000, "現\x03金", 1, 10000);
    Add(10001, "\x1F小口", 0, 20000);
    Add(10000, "現\x03金", 1, 10000);
    const std::string bytes = WriteValid();
    EXPECT_EQ(
        Document(Group("   1", "1", "\x8C\xBB\x8B\xE0", "1", SubGroup("   1", "1", "\x8F\xAC\x8C\xFB", "2")),
                 rt::Head("1", "\x89\xEF\x8C\x76 22", "22.03.01"),
                 rt::Basic("\x82\x60\x82\x61\x82\x62\x8F\xA4\x8E\x96", "20220401", "20230331")),
        bytes);
}

TEST_F(ReportWriterTest, EmptyOrMissingSupportValuesFallBack) {
    // Missing file.
    EXPECT_EQ(Document("", rt::Head("1", "KR9", "22.03.0X")), WriteValid());
    // Keys with empty values.
    ASSERT_TRUE(dir.Write("SUPPORT.INF", "[=製品名=]\r\n[=製品ﾊﾞｰｼﾞｮﾝ=]\r\n"));
    EXPECT_EQ(Document("", rt::Head("1", "KR9", "22.03.0X")), WriteValid());
    // Only the version present.
    ASSERT_TRUE(dir.Write("SUPPORT.INF", "[=製品ﾊﾞｰｼﾞｮﾝ=]9.9\x1A"));
    EXPECT_EQ(Document("", rt::Head("1", "KR9", "9.9")), WriteValid());
}

TEST_F(ReportWriterTest, OverlongSupportValuesAreCutTo255BytesOnACharacterBoundary) {
    std::string name = "A";
    for (int i = 0; i < 200; ++i) name += "表";
    std::string version;
    for (int i = 0; i < 200; ++i) version += "表";
    ASSERT_TRUE(dir.Write("SUPPORT.INF", "[=製品名=]" + name + "\r\n[=製品ﾊﾞｰｼﾞｮﾝ=]" + version));
    EXPECT_EQ(Document("", rt::Head("1", name.substr(0, 255), version.substr(0, 254))), WriteValid());
}

// ---------------------------------------------------------------------------
// Destination and temporary file

// What lies beside the destination before a successful write, and whether
// it stays: the report replaces the destination and leaves nothing else. The
// temporary file carries this process's ID ("<pid>"): a folder at its first
// name is passed by, a file at the next one was left by this ID's ended
// process; names of other processes or programs are never taken.
struct Placed {
    std::string name;
    std::optional<std::string> content;  // none: a folder
    bool stays;
};
struct BesideCase {
    std::string destination;
    std::vector<Placed> before;
};

class ReportBesideTest : public ReportWriterTest, public ::testing::WithParamInterface<BesideCase> {};

TEST_P(ReportBesideTest, ReportReplacesTheDestinationAlone) {
    std::vector<Placed> before = GetParam().before;
    int staying = 1;
    for (Placed& p : before) {
        const std::size_t pid = p.name.find("<pid>");
        if (pid != std::string::npos) p.name.replace(pid, 5, std::to_string(plat::CurrentProcessId()));
        if (p.content) {
            ASSERT_TRUE(dir.Write(p.name, *p.content));
        } else {
            dir.MakeDir(p.name);
        }
        staying += p.stays ? 1 : 0;
    }
    AddStandardList();
    EXPECT_EQ(Document(StandardData()), WriteValid(GetParam().destination));
    for (const Placed& p : before) {
        if (!p.stays) continue;
        EXPECT_EQ(p.content.value_or("(folder)"),
                  plat::IsDirectory(dir.Path(p.name)) ? "(folder)" : dir.Read(p.name))
            << p.name;
    }
    EXPECT_EQ(staying, dir.EntryCount());
}

INSTANTIATE_TEST_SUITE_P(Destination, ReportBesideTest,
                         ::testing::Values(BesideCase{"out.xml",
                                                      {{"out.xml.<pid>.tmp", std::nullopt, true},
                                                       {"out.xml.<pid>-1.tmp", "crashed", false}}},
                                           BesideCase{"out.xml",
                                                      {{"~out.xml.tmp", "someone else's", true},
                                                       {"out.xml.1.tmp", "another run's, under way", true}}},
                                           BesideCase{"out.xml",
                                                      {{"out.xml", std::string(100000, 'o'), false}}},
                                           BesideCase{"表ソ.xml", {}}));

// The longest destination the dialog accepts, 260 bytes, with a short name:
// no temporary name beside it fits the system's path limit, and it is written.
TEST_F(ReportWriterTest, LongestDestinationIsWritten) {
    const std::string name =
        dir.MakeDir(std::string(260 - dir.Path().size() - 6, 'd')).substr(dir.Path().size()) + "a.xml";
    ASSERT_EQ(260u, dir.Path(name).size());
    AddStandardList();
    int result = -1;
    EXPECT_EQ(Document(StandardData()), Write(result, name));
    EXPECT_EQ(1, result);
}

#ifndef _WIN32
TEST_F(ReportWriterTest, LeftoverOfTheDestinationGoesOnceTenMinutesOld) {
    ASSERT_TRUE(dir.Write("out.xml.1.tmp", "crashed"));
    const timespec when = {std::time(nullptr) - 600, 0}, times[2] = {when, when};
    ASSERT_EQ(0, utimensat(AT_FDCWD, dir.HostPath("out.xml.1.tmp").c_str(), times, 0));
    WriteValid();
    EXPECT_EQ(1, dir.EntryCount());
}

TEST_F(ReportWriterTest, FailedCloseIsAFailedWrite) {
    const std::string earlier = "<REPORT>earlier</REPORT>\r\n";
    AddStandardList();
    for (const bool withEarlier : {true, false}) {
        SCOPED_TRACE(withEarlier ? "earlier report" : "no earlier report");
        if (withEarlier) {
            ASSERT_TRUE(dir.Write("out.xml", earlier));
        }
        plat::headless::ResetFileFaults();
        plat::headless::FailFileOp(plat::headless::FileOp::kClose, 1);
        int result = -1;
        const std::string bytes = Write(result);
        const bool injected = plat::headless::FileFaultInjected();
        plat::headless::ResetFileFaults();
        EXPECT_TRUE(injected);
        EXPECT_EQ(0, result);
        EXPECT_EQ(withEarlier ? earlier : "(none)", bytes);
        EXPECT_EQ(withEarlier ? 1 : 0, dir.EntryCount());
        if (withEarlier) {
            ASSERT_TRUE(plat::DeleteFileAt(dir.Path("out.xml")));
        }
    }
}
#endif

TEST_F(ReportWriterTest, UncreatableDestinationFailsWithoutLeavingAnything) {
    AddStandardList();
    int result = -1;
    Write(result, "no-such-folder\\out.xml");
    EXPECT_EQ(0, result);
    EXPECT_EQ(0, dir.EntryCount());
    // Only the pulse after the REPORT start tag; SYSTEM failed at its start.
    EXPECT_EQ(std::vector<std::string>{"Pulse x1"}, progress.Calls());
}

// ---------------------------------------------------------------------------
// Write failures: the destination is left as it was, nothing else is left.
// The failures are injected through the headless double: native only.

#ifndef _WIN32
class ReportFailureTest : public ReportWriterTest {
protected:
    std::string Full() const { return Document(StandardData()); }
    // Offset of the start of the line that holds marker.
    std::size_t LineOf(const std::string& marker) const {
        const std::string full = Full();
        const std::size_t at = full.find(marker);
        EXPECT_NE(std::string::npos, at) << marker;
        const std::size_t start = full.rfind('\n', at);
        return start == std::string::npos ? 0 : start + 1;
    }
    struct Point {
        const char* marker;  // the line that fails
        int pulses;          // the pulses before the failure
    };
    static std::vector<Point> Points() {
        return {
            {"<?xml", 1},  // declaration: not examined; SYSTEM fails
            {"<REPORT>", 1},
            {"\t<SYSTEM>", 1},
            {"<GYOUMUPREFIX>", 1},
            {"<CONNECTEDPROGRAMVER>", 4},
            {"<PROGRAMVER>", 6},
            {"\t</SYSTEM>", 7},
            {"\t<BASIC>", 8},
            {"<KOMONSAKINAME>", 8},
            {"<JIGYOUNENDOTO>", 10},
            {"\t</BASIC>", 11},
            {"\t<DATA>", 12},
            {"<KANJYOKAMOKU_NAME>現金", 13},
            {"<HOJYOKAMOKU Count=\"   2\">", 15},
            // The group of A closes when its closing row comes up.
            {"\t\t</KANJYOKAMOKU>\r\n\t\t<KANJYOKAMOKU Count=\"   2\">", 16},
            {"<KANJYOKAMOKU_ZANDAKA></KANJYOKAMOKU_ZANDAKA>", 17},
            {"\t</DATA>", 17},
            // Everything but the last line: still a failure.
            {"</REPORT>", 18},
        };
    }
    // The standard progress of a write that stopped after its n-th pulse.
    static std::vector<std::string> ProgressUpTo(long n) {
        std::vector<std::string> calls;
        for (const std::string& call : kStandardProgress) {
            if (n == 0) break;
            if (call.rfind("Pulse x", 0) != 0) {
                calls.push_back(call);
                continue;
            }
            const long run = std::min(n, std::stol(call.substr(7)));
            calls.push_back("Pulse x" + std::to_string(run));
            n -= run;
        }
        return calls;
    }
    void ExpectFailureAt(const Point& point, bool earlierReport, bool osLimit);
};

void ReportFailureTest::ExpectFailureAt(const Point& point, bool earlierReport, bool osLimit) {
    SCOPED_TRACE(std::string("failing line: ") + point.marker + (earlierReport ? ", earlier report" : "") +
                 (osLimit ? ", file size limit" : ", writer limit"));
    const std::string earlier =
        "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<REPORT>earlier</REPORT>\r\n";
    if (earlierReport) {
        ASSERT_TRUE(dir.Write("out.xml", earlier));
    } else if (plat::PathExists(dir.Path("out.xml"))) {
        ASSERT_TRUE(plat::DeleteFileAt(dir.Path("out.xml")));
    }
    ASSERT_EQ(0, dir.EntryCount() - (earlierReport ? 1 : 0));
    progress.Reset();
    const auto limit = static_cast<long long>(LineOf(point.marker));

    int result = -1;
    if (osLimit) {
#ifndef _WIN32
        // The system refuses to let the file grow past the limit (EFBIG).
        struct rlimit old {};
        ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &old));
        struct rlimit small = old;
        small.rlim_cur = static_cast<rlim_t>(limit);
        auto previous = signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &small));
        result = writer.Write(dir.Path("out.xml"), 1, info);
        setrlimit(RLIMIT_FSIZE, &old);
        signal(SIGXFSZ, previous);
#endif
    } else {
        // A full disk: the bytes before the failing line fit, nothing more.
        plat::headless::FailWritesBeyond(limit);
        result = writer.Write(dir.Path("out.xml"), 1, info);
        plat::headless::ResetFileFaults();
    }
    EXPECT_EQ(0, result);
    if (earlierReport) {
        EXPECT_EQ(earlier, dir.Read("out.xml"));
        EXPECT_EQ(1, dir.EntryCount());
    } else {
        EXPECT_FALSE(plat::PathExists(dir.Path("out.xml")));
        EXPECT_EQ(0, dir.EntryCount());
    }
    EXPECT_EQ(ProgressUpTo(point.pulses), progress.Calls());
}

TEST_F(ReportFailureTest, FailureInAnySectionKeepsTheEarlierReport) {
    AddStandardList();
    for (const Point& point : Points()) ExpectFailureAt(point, true, false);
}

TEST_F(ReportFailureTest, FailureInAnySectionCreatesNoDestination) {
    AddStandardList();
    for (const Point& point : Points()) ExpectFailureAt(point, false, false);
}

TEST_F(ReportFailureTest, SystemFileSizeLimitFailsLikeAFullDisk) {
    AddStandardList();
    for (const Point& point : Points()) {
        ExpectFailureAt(point, true, true);
        ExpectFailureAt(point, false, true);
    }
}

TEST_F(ReportFailureTest, WithoutFailureTheSameListIsWrittenWhole) {
    // The budget set to the document's exact size lets it through.
    AddStandardList();
    plat::headless::FailWritesBeyond(static_cast<long long>(Full().size()));
    int result = -1;
    const std::string bytes = Write(result);
    plat::headless::ResetFileFaults();
    EXPECT_EQ(1, result);
    EXPECT_EQ(Full(), bytes);
}
#endif

// ---------------------------------------------------------------------------
// Lists out of the host's order stay balanced

TEST_F(ReportWriterTest, ListsOutOfTheHostsOrderStayBalanced) {
    struct Row {
        std::int32_t code;
        const char* name;
        std::uint8_t flag;
        std::int64_t zandaka;
    };
    struct Case {
        const char* what;
        std::vector<Row> rows;
        std::string data;
    };
    const Case cases[] = {
        {"flagged account followed by another account: closed, the other written",
         {{10000, "甲", 1, 10000}, {20000, "乙", 0, 20000}},
         Group("   1", "1", "甲", "1") + Group("   2", "2", "乙", "2")},
        {"flagged account followed by its own row only: no sub-accounts",
         {{10000, "甲", 1, 10000}, {10000, "甲", 1, 10000}, {20000, "乙", 0, 20000}},
         Group("   1", "1", "甲", "1") + Group("   2", "2", "乙", "2")},
        {"flagged account ending the list: closed",
         {{20000, "乙", 0, 20000}, {10000, "甲", 1, 10000}},
         Group("   1", "2", "乙", "2") + Group("   2", "1", "甲", "1")},
        {"sub-accounts without a group of their account: left out",
         {{10001, "迷子", 0, 10000},  // before any account
          {20000, "乙", 0, 20000},
          {20001, "乙の一", 0, 10000},  // its account has no flag
          {30000, "丙", 1, 30000},
          {30001, "丙の一", 0, 10000},
          {40001, "丁の一", 0, 10000},  // another account's: closes 丙
          {30000, "丙", 1, 30000},      // 丙's closing row, still taken as such
          {30002, "丙の二", 0, 10000},  // after the closing row
          {50000, "戊", 0, 50000}},
         Group("   1", "2", "乙", "2") + Group("   2", "3", "丙", "3", SubGroup("   1", "1", "丙の一", "1")) +
             Group("   3", "5", "戊", "5")},
        {"flagged account without closing row before the next flagged account",
         {{10000, "甲", 1, 0},
          {10001, "甲一", 0, 0},
          {20000, "乙", 1, 0},  // not 甲's closing row: a new group
          {20001, "乙一", 0, 0},
          {20000, "乙", 1, 0}},
         Group("   1", "1", "甲", "", SubGroup("   1", "1", "甲一", "")) +
             Group("   2", "2", "乙", "", SubGroup("   1", "1", "乙一", ""))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        list.clear();
        progress.Reset();
        for (const Row& row : c.rows) Add(row.code, row.name, row.flag, row.zandaka);
        EXPECT_EQ(Document(c.data), WriteValid());
        // Every entry has its pulse, written or left out.
        EXPECT_EQ(13 + static_cast<int>(c.rows.size()), progress.Pulses());
    }
}

// ---------------------------------------------------------------------------
// Progress

TEST_F(ReportWriterTest, ProgressRunsFromTheBaseTo1000) {
    AddStandardList();
    WriteValid();
    EXPECT_EQ(kStandardProgress, progress.Calls());
}

TEST_F(ReportWriterTest, ProgressFollowsAnotherBase) {
    writer.SetProgressBase(0);
    WriteValid();
    const std::vector<std::string> expected = {"Pulse x7", "Advance 0 100",    "Pulse x4", "Advance 100 200",
                                               "Pulse x1", "Advance 200 1000", "Pulse x1"};
    EXPECT_EQ(expected, progress.Calls());
}

TEST_F(ReportWriterTest, OnePulsePerEntry) {
    for (int i = 1; i <= 100; ++i) Add(i * 10000, "K", 0, i);
    WriteValid();
    EXPECT_EQ(13 + 100, progress.Pulses());
    EXPECT_EQ("Advance 700 1000", progress.Calls()[progress.Calls().size() - 2]);
}

TEST_F(ReportWriterTest, WorksWithoutProgressWindowAndWithoutList) {
    writer.m_pProgress = nullptr;
    writer.m_pBalanceList = nullptr;
    int result = -1;
    EXPECT_EQ(Document(""), Write(result));
    EXPECT_EQ(1, result);
    EXPECT_TRUE(progress.Calls().empty());
}

}  // namespace
