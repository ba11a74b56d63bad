// The host data folder: the sample, exact parsing, malformed data named by
// file, line and field, and inputs that must never crash the loader.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "host/acc_connect.h"
#include "host/folder_reader.h"
#include "host/host_loader.h"
#include "host/host_text.h"
#include "host/records.h"
#include "host/stand_in.h"
#include "platform/files.h"
#include "platform/process.h"
#include "tests/support/host_models.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/standin_fixture.h"
#include "tools/hostdata/host_format.h"
#include "tools/hostdata/synthetic.h"

#ifndef _WIN32
#include "platform/headless_windows/drive_table.h"
#include "platform/headless_windows/test_knobs.h"
#endif

// A minimal valid data folder, line by line as the malformed-data tests
// change it.
namespace host_test {

using support::SampleFolder;

// Sixty amount cells dx0..ci14 holding yen, yen + 1, ..., yen + 59.
std::string AmountCells(long long yen) {
    std::string s;
    for (int i = 0; i < 60; ++i) s += (i > 0 ? "," : "") + std::to_string(yen + i);
    return s;
}

// The files (name, lines) of the folder, each line ended by lineEnd.
struct FolderFiles {
    std::vector<std::pair<std::string, std::vector<std::string>>> files;
    std::string lineEnd = "\r\n";
    std::vector<std::string>& Lines(const std::string& name) {
        for (auto& f : files) {
            if (f.first == name) return f.second;
        }
        return files.emplace_back(name, std::vector<std::string>{}).second;
    }
    // Each file's name and bytes.
    std::vector<std::pair<std::string, std::string>> Contents() const {
        std::vector<std::pair<std::string, std::string>> contents;
        for (const auto& [name, lines] : files) {
            contents.emplace_back(name, "");
            for (const std::string& line : lines) contents.back().second += line + lineEnd;
        }
        return contents;
    }
    bool WriteTo(const support::ScratchFolder& folder) const {
        for (const auto& [name, content] : Contents()) {
            if (!folder.Write(name, content)) return false;
        }
        return true;
    }
};

FolderFiles MinimalFolder() {
    FolderFiles f;
    f.Lines("host.ini") = {"[Session]",      "User=u1",   "InitiateResult=0", "[Folders]",
                           "Output=C:\\out", "Settings=", "[Product]",        "TaxFormName=Prod"};
    f.Lines("users.csv") = {"user,selected1,selected2", "u1,1,1"};
    f.Lines("datasets.csv") = {
        "dataNo,id,company,periodStart,periodEnd,periodSetting,dataKind,taxIncluded,closingDay",
        "1,ID1,Co,20250401,20260331,1,0,0,0"};
    f.Lines("accounts-1.csv") = {"account,sub,class", "100,0,0", "100,1,0", "200,0,1"};
    std::string header = "account,sub,name,nature,hojyo,exclude1,exclude2,attributes";
    for (const char* p : {"dx", "di", "cx", "ci"}) {
        for (int e = 0; e < 15; ++e) header += std::string(",") + p + std::to_string(e);
    }
    // Line numbers: 1 header, 2 own row, 3 sub row, 4 closing row, 5 single account.
    f.Lines("totals-1.csv") = {
        header, "100,0,Cash,1,1,0,0,0," + AmountCells(1000), "100,1,Sub,1,0,0,0,0," + AmountCells(1000),
        "100,0,Cash,1,0,0,0,0," + AmountCells(1000), "200,0,Sales,2,0,0,0,0x08000000," + AmountCells(5)};
    return f;
}

}  // namespace host_test

namespace {

using host_test::FolderFiles;
using support::ScratchFolder;

const host::AccountTotal* FindTotal(const host::HostModel& m, std::int32_t dataNo, std::int32_t code) {
    for (const host::AccountTotal& t : m.totals.at(dataNo)) {
        if (t.code == code) return &t;
    }
    return nullptr;
}

std::int8_t MasterClass(const host::HostModel& m, std::int32_t dataNo, std::int32_t code) {
    for (const host::AccountMasterEntry& e : m.masters.at(dataNo)) {
        if (e.code == code) return e.kmkClass;
    }
    return -1;
}

// The order the walk promises: account row; with the hojyo marker, sub-account
// rows of that account and a closing row with the account's code.
::testing::AssertionResult WalkOrderHolds(const std::vector<host::AccountTotal>& rows) {
    std::size_t i = 0;
    while (i < rows.size()) {
        const host::AccountTotal& own = rows[i];
        if (own.code % 10000 != 0) return ::testing::AssertionFailure() << "sub-account first at row " << i;
        ++i;
        if (own.hojyoFlg == 0) continue;
        std::size_t subs = 0;
        while (i < rows.size() && rows[i].code % 10000 != 0) {
            if (rows[i].code / 10000 != own.code / 10000) {
                return ::testing::AssertionFailure() << "foreign sub-account at row " << i;
            }
            ++subs;
            ++i;
        }
        if (subs == 0 || i >= rows.size() || rows[i].code != own.code) {
            return ::testing::AssertionFailure() << "group of " << own.code << " not closed at row " << i;
        }
        ++i;
    }
    return ::testing::AssertionSuccess();
}

// Every field the data folder holds, per record.
auto Fields(const host::UserEntry& u) {
    return std::tie(u.id, u.selectedNo1, u.selectedNo2);
}
auto Fields(const host::DataSetEntry& x) {
    return std::tie(x.dataNo, x.idText, x.companyName, x.periodStart, x.periodEnd, x.periodSetting,
                    x.dataKind, x.taxIncludedDefault, x.closingDay);
}
auto Fields(const host::AccountMasterEntry& m) {
    return std::tie(m.code, m.kmkClass);
}
auto Fields(const host::AccountTotal& x) {
    return std::tie(x.code, x.name, x.nature, x.hojyoFlg, x.exclude1, x.exclude2, x.attributes, x.debitExcl,
                    x.debitIncl, x.creditExcl, x.creditIncl);
}
template <typename T>
bool Same(const std::vector<T>& a, const std::vector<T>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const T& x, const T& y) { return Fields(x) == Fields(y); });
}
template <typename T>
bool Same(const std::map<std::int32_t, std::vector<T>>& a, const std::map<std::int32_t, std::vector<T>>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.first == y.first && Same(x.second, y.second);
    });
}

::testing::AssertionResult SameModel(const host::HostModel& a, const host::HostModel& b) {
    if (std::tie(a.currentUser, a.initiateResult, a.expSysLinkResult, a.appFolder[0], a.appFolder[1],
                 a.taxFormProductName) != std::tie(b.currentUser, b.initiateResult, b.expSysLinkResult,
                                                   b.appFolder[0], b.appFolder[1], b.taxFormProductName)) {
        return ::testing::AssertionFailure() << "session or folders differ";
    }
    if (!Same(a.users, b.users)) return ::testing::AssertionFailure() << "users differ";
    if (!Same(a.dataSets, b.dataSets)) return ::testing::AssertionFailure() << "data sets differ";
    if (!Same(a.masters, b.masters)) return ::testing::AssertionFailure() << "masters differ";
    if (!Same(a.totals, b.totals)) return ::testing::AssertionFailure() << "totals differ";
    return ::testing::AssertionSuccess();
}

class HostLoader : public support::StandInTest {
protected:
    HostLoader() : StandInTest(true) {}
};

TEST_F(HostLoader, SampleFolderLoads) {
    const host::HostModel m = support::SampleModel();
    EXPECT_EQ(m.currentUser, "yamada");
    EXPECT_EQ(m.initiateResult, 0);
    EXPECT_EQ(m.expSysLinkResult, 0);
    EXPECT_EQ(m.appFolder[0], "C:\\users\\Public\\Documents\\");
    EXPECT_EQ(m.appFolder[1], "C:\\users\\Public\\Documents\\LinkHost\\Settings\\");
    // "Kolvaren 申告書作成システム": 申 ends in 0x5C.
    EXPECT_EQ(m.taxFormProductName,
              "Kolvaren \x90\x5C\x8D\x90\x8F\x91\x8D\xEC\x90\xAC\x83\x56\x83\x58\x83\x65\x83\x80");

    ASSERT_EQ(m.users.size(), 4u);
    EXPECT_EQ(m.users[0].id, "yamada");
    EXPECT_EQ(m.users[0].selectedNo2, 1);
    EXPECT_EQ(m.users[1].id, "\x94\x5C\x93\x6F");  // 能登
    EXPECT_EQ(m.users[1].selectedNo2, 2);

    ASSERT_EQ(m.dataSets.size(), 4u);
    const host::DataSetEntry& d1 = m.dataSets[0];
    EXPECT_EQ(d1.dataNo, 1);
    EXPECT_EQ(d1.idText, "MIDORI-2025");
    EXPECT_EQ(d1.companyName,
              "\x8A\x94\x8E\xAE\x89\xEF\x8E\xD0\xD0\xC4\xDE\xD8\x8F\xA4\x89\xEF");  // 株式会社ﾐﾄﾞﾘ商会
    EXPECT_EQ(d1.periodStart, 20250401);
    EXPECT_EQ(d1.periodEnd, 20260331);
    EXPECT_EQ(d1.periodSetting, 1);
    EXPECT_EQ(d1.dataKind, 0);
    EXPECT_FALSE(d1.taxIncludedDefault);
    EXPECT_EQ(d1.closingDay, 0);
    EXPECT_EQ(m.dataSets[1].periodStart, 20250101);
    EXPECT_EQ(m.dataSets[1].periodEnd, 20251231);
    EXPECT_TRUE(m.dataSets[1].taxIncludedDefault);
    EXPECT_EQ(m.dataSets[2].dataKind, StDATAINFO::kDataKindPastResults);
    EXPECT_EQ(m.dataSets[3].closingDay, 20);
    EXPECT_EQ(m.dataSets[3].periodStart, 20250321);

    // The company's chart: 69 records in walk order.
    const auto& rows = m.totals.at(1);
    ASSERT_EQ(rows.size(), 69u);
    for (const auto& [no, t] : m.totals) EXPECT_TRUE(WalkOrderHolds(t)) << "data set " << no;
    EXPECT_EQ(rows[0].code, 1110000);
    EXPECT_EQ(rows[0].name, "\x8C\xBB\x8B\xE0");  // 現金
    EXPECT_EQ(rows[0].nature, 1);
    EXPECT_EQ(rows[0].debitExcl[0], 350000LL * 10000);
    EXPECT_EQ(rows[0].debitExcl[1], 5435485000LL);  // 543548.5 yen
    const host::AccountTotal* bank = FindTotal(m, 1, 1210001);
    ASSERT_NE(bank, nullptr);
    EXPECT_EQ(bank->debitExcl[2], 27170000000LL);  // 2717000 yen

    // The records the aggregation must drop, and why.
    std::set<std::int32_t> dropped;
    for (const host::AccountTotal& t : rows) {
        const std::int8_t cls = MasterClass(m, 1, t.code);
        if (t.exclude1 != 0 || t.exclude2 != 0 || (t.attributes & StKAMOKUSUMINFO::kAttrExcludeMask) != 0 ||
            (cls != 0 && cls != 1)) {
            dropped.insert(t.code);
        }
    }
    EXPECT_EQ(dropped, (std::set<std::int32_t>{1410009, 1990000, 2990000, 8910000, 9810000, 9910000}));
    EXPECT_EQ(FindTotal(m, 1, 1990000)->exclude1, 1);
    EXPECT_EQ(FindTotal(m, 1, 2990000)->exclude2, 1);
    EXPECT_EQ(FindTotal(m, 1, 8910000)->attributes, 0x08000000u);
    EXPECT_EQ(FindTotal(m, 1, 9910000)->attributes, 0x10000000u);
    EXPECT_EQ(MasterClass(m, 1, 9810000), 2);
    // Bits next to the mask do not drop a record.
    EXPECT_EQ(FindTotal(m, 1, 5110000)->attributes, 0x04000000u);
    EXPECT_EQ(FindTotal(m, 1, 6110000)->attributes, 0x20000000u);

    // Double entry holds in both views: debits equal credits over the rows
    // that are not group totals.
    for (const auto& [no, t] : m.totals) {
        std::int64_t dx = 0, cx = 0, di = 0, ci = 0;
        for (std::size_t i = 0; i < t.size(); ++i) {
            const bool groupTotal =
                t[i].code % 10000 == 0 &&
                (t[i].hojyoFlg != 0 || (i > 0 && t[i - 1].code / 10000 == t[i].code / 10000));
            if (groupTotal) continue;
            for (int e = 0; e < 15; ++e) {
                dx += t[i].debitExcl[e];
                cx += t[i].creditExcl[e];
                di += t[i].debitIncl[e];
                ci += t[i].creditIncl[e];
            }
        }
        EXPECT_EQ(dx, cx) << "data set " << no;
        EXPECT_EQ(di, ci) << "data set " << no;
    }
}

TEST_F(HostLoader, FormattedModelsReadBackUnchanged) {
    host::HostModel sample = support::SampleModel();
    host::LoadError err;
    host::HostModel synthetic = hostdata::MakeSyntheticModel(750);
    synthetic.faults.failMoveNextAt = 3;
    synthetic.faults.reportedCount = 40000;
    synthetic.initiateResult = 7;
    synthetic.dataSets[0].companyName = " lead, \"quoted\" \x95\x5C";
    for (const host::HostModel* model : {&sample, &synthetic}) {
        ScratchFolder folder;
        for (const auto& [name, content] : hostdata::FormatHostModel(*model))
            ASSERT_TRUE(folder.Write(name, content));
        host::HostModel back;
        ASSERT_TRUE(host::LoadHostModel(folder.Path(), back, err)) << err.ToText();
        EXPECT_TRUE(SameModel(*model, back));
        EXPECT_EQ(back.faults.failMoveNextAt, model->faults.failMoveNextAt);
        EXPECT_EQ(back.faults.reportedCount, model->faults.reportedCount);
    }
}

TEST_F(HostLoader, SyntheticModelHasTheSizeAndOrderAskedFor) {
    for (std::size_t n : {0u, 1u, 2u, 3u, 5u, 100u, 20000u}) {
        const host::HostModel m = hostdata::MakeSyntheticModel(n);
        ASSERT_EQ(m.totals.at(1).size(), n);
        EXPECT_TRUE(WalkOrderHolds(m.totals.at(1))) << n;
        std::set<std::int32_t> master;
        for (const auto& e : m.masters.at(1)) master.insert(e.code);
        for (const auto& t : m.totals.at(1)) ASSERT_EQ(master.count(t.code), 1u) << t.code;
    }
    // Deterministic, and with records the filters drop.
    const host::HostModel a = hostdata::MakeSyntheticModel(2000);
    const host::HostModel b = hostdata::MakeSyntheticModel(2000);
    EXPECT_TRUE(SameModel(a, b));
    int excluded = 0;
    int groups = 0;
    for (const auto& t : a.totals.at(1)) {
        excluded +=
            t.exclude1 != 0 || t.exclude2 != 0 || (t.attributes & StKAMOKUSUMINFO::kAttrExcludeMask) != 0;
        groups += t.hojyoFlg != 0;
    }
    EXPECT_GT(excluded, 0);
    EXPECT_GT(groups, 0);
}

struct MalformedCase {
    const char* what;
    const char* file;               // the file changed
    int line;                       // its line replaced (1-based), 0 to replace the whole file
    std::string text;               // the new line or content; "\x01" deletes the file
    const char* field;              // the field the message must name
    const char* message = nullptr;  // checked when given
    const char* atFile = nullptr;   // the file named, when not the one changed
    int atLine = -1;                // the line named, when not the one changed
};
void PrintTo(const MalformedCase& c, std::ostream* os) {
    *os << c.what;
}

std::vector<MalformedCase> MalformedCases() {
    const std::string amounts = host_test::AmountCells(1);
    const std::string cells59 = amounts.substr(0, amounts.rfind(','));
    std::string fiveDecimals = amounts;
    fiveDecimals.replace(fiveDecimals.find("4,"), 1, "4.00001");  // dx3 holds 4
    std::string brokenAmount = amounts;
    brokenAmount.replace(brokenAmount.find("4,"), 1, "4\x82");
    const char* const kBroken = "全角文字が途中で切れています";
    const char* const kTotals = "totals-1.csv";
    const char* const kSets = "datasets.csv";
    const std::vector<std::string> minimal = host_test::MinimalFolder().Lines(kTotals);
    const std::string cut = minimal[0] + "\r\n" + minimal[1] + "\r\n" + minimal[2];  // no closing row
    return {
        {"AmountEndingInABrokenDoubleByteCharacter", kTotals, 3, "100,1,Sub,1,0,0,0,0," + brokenAmount, "dx3",
         kBroken},
        {"IntegerEndingInABrokenDoubleByteCharacter", "users.csv", 2, "u1,1,1\x82", "selected2", kBroken},
        {"DateEndingInABrokenDoubleByteCharacter", kSets, 2, "1,ID1,Co,20250401\x82,20260331,1,0,0,0",
         "periodStart", kBroken},
        {"AmountWithFiveDecimals", kTotals, 3, "100,1,Sub,1,0,0,0,0," + fiveDecimals, "dx3"},
        {"AmountPast64Bits", kTotals, 3, "100,1,Sub,1,0,0,0,0,922337203685477.5808" + amounts.substr(1),
         "dx0"},
        {"AmountNotANumber", kTotals, 5, "200,0,Sales,2,0,0,0,0," + cells59 + ",abc", "ci14"},
        {"ColumnMissing", kTotals, 5, "200,0,Sales,2,0,0,0,0," + cells59, ""},
        {"ColumnTooMany", kTotals, 5, "200,0,Sales,2,0,0,0,0," + amounts + ",1", ""},
        {"CodeNotInTheMaster", kTotals, 5, "300,0,X,2,0,0,0,0," + amounts, "account"},
        {"SubAccountWithoutItsAccount", kTotals, 2, "# no own row", "account",
         "補助科目の前に、その科目の行がありません", nullptr, 3},
        {"SubAccountUnderAnotherAccount", kTotals, 2, "200,0,Sales,2,1,0,0,0," + amounts, "account",
         "補助科目の前に、その科目の行がありません", nullptr, 3},
        {"SubAccountsEndTheFile", kTotals, 0, cut, "account",
         "ファイルの終わりに科目 100 の締めの行がありません", nullptr, 3},
        {"GroupNotClosed", kTotals, 4, "200,0,Sales,2,0,0,0,0," + amounts, "account"},
        {"MarkerSetWithoutSubAccounts", kTotals, 5, "200,0,Sales,2,1,0,0,0," + amounts, "hojyo"},
        {"SubAccountsWithoutTheMarker", kTotals, 2, "100,0,Cash,1,0,0,0,0," + amounts, "hojyo"},
        {"DuplicateAccount", kTotals, 5, "100,0,Cash,1,0,0,0,0," + amounts, "account"},
        {"NameTooLong", kTotals, 5, "200,0," + std::string(57, 'n') + ",2,0,0,0,0," + amounts, "name"},
        {"NameWithABrokenDoubleByteCharacter", kTotals, 5, "200,0,ab\x82,2,0,0,0,0," + amounts, "name"},
        {"AttributesPast32Bits", kTotals, 5, "200,0,S,2,0,0,0,0x100000000," + amounts, "attributes"},
        {"NaturePastAByte", kTotals, 5, "200,0,S,256,0,0,0,0," + amounts, "nature"},
        {"UnclosedQuote", kTotals, 5, "200,0,\"S,2,0,0,0,0," + amounts, ""},
        {"WrongHeader", kTotals, 1, "account,sub,nom", ""},
        {"RenamedColumn", "accounts-1.csv", 1, "account,sub,klass", "class"},
        {"DuplicateMasterCode", "accounts-1.csv", 3, "100,0,0", "sub"},
        {"ClassPastAByte", "accounts-1.csv", 4, "200,0,200", "class"},
        {"AccountCode0", "accounts-1.csv", 4, "0,0,1", "account"},
        {"SubAccountCode10000", "accounts-1.csv", 4, "200,10000,1", "sub"},
        {"NoSuchDay", kSets, 2, "1,ID1,Co,20250231,20260331,1,0,0,0", "periodStart"},
        {"EndBeforeStart", kSets, 2, "1,ID1,Co,20250401,20240331,1,0,0,0", "periodEnd"},
        {"ClosingDay29", kSets, 2, "1,ID1,Co,20250401,20260331,1,0,0,29", "closingDay"},
        {"IDOf16Bytes", kSets, 2, "1,ID34567890123456,Co,20250401,20260331,1,0,0,0", "id"},
        {"DataKindPast16Bits", kSets, 2, "1,ID1,Co,20250401,20260331,1,40000,0,0", "dataKind"},
        {"DataNumber0", kSets, 2, "0,ID1,Co,20250401,20260331,1,0,0,0", "dataNo"},
        {"DataSetWithoutItsFiles", kSets, 2, "2,ID2,Co,20250401,20260331,1,0,0,0", "", nullptr,
         "accounts-2.csv", 0},
        {"DuplicateUser", "users.csv", 2, "u1,1,1\r\nu1,2,2", "user", nullptr, nullptr, 3},
        {"UserIDOf65Bytes", "users.csv", 2, std::string(65, 'u') + ",1,1", "user"},
        {"SelectionNumberNotANumber", "users.csv", 2, "u1,1,x", "selected2"},
        {"EmptyFile", "users.csv", 0, "", ""},
        {"MissingFile", "users.csv", 0, "\x01", ""},
        {"SavedAsUTF8", "users.csv", 0, "\xEF\xBB\xBFuser,selected1,selected2\r\n", "", nullptr, nullptr, 1},
        {"NULByte", "users.csv", 2, std::string("u1,1,1\0", 7), ""},
        {"UnknownKey", "host.ini", 3, "Foo=1", "Foo"},
        {"FolderOf260Bytes", "host.ini", 5, "Output=C:\\" + std::string(256, 'f'), "Output"},
        {"ResultNotANumber", "host.ini", 3, "InitiateResult=zero", "InitiateResult"},
        {"DuplicateKey", "host.ini", 3, "User=u2", "User"},
        {"UnknownSection", "host.ini", 4, "[Folder]", "[Folder]"},
        {"UserMissing", "host.ini", 2, "; no user", "User", nullptr, nullptr, 0},
        {"KeyBeforeAnySection", "host.ini", 1, "User=u1", "User"},
        {"FaultFlagNot0Or1", "host.ini", 8, "[Faults]\r\nFailRuleCreate=2", "FailRuleCreate", nullptr,
         nullptr, 9},
        {"MissingHostIni", "host.ini", 0, "\x01", ""},
    };
}

TEST_F(HostLoader, MinimalFolderLoads) {
    ScratchFolder folder;
    ASSERT_TRUE(host_test::MinimalFolder().WriteTo(folder));
    host::HostModel m;
    host::LoadError err;
    ASSERT_TRUE(host::LoadHostModel(folder.Path(), m, err)) << err.ToText();
    ASSERT_EQ(m.totals.at(1).size(), 4u);
    EXPECT_EQ(m.totals.at(1)[3].attributes, 0x08000000u);
    EXPECT_EQ(m.totals.at(1)[3].creditIncl[14], 64LL * 10000);
    EXPECT_EQ(m.appFolder[0], "C:\\out\\");  // the backslash the folder text needs
    EXPECT_EQ(m.appFolder[1], "");
}

// The minimal folder with one file or line changed: the load fails, names the
// place and leaves the model alone.
class MalformedData : public HostLoader, public ::testing::WithParamInterface<MalformedCase> {};

TEST_P(MalformedData, IsNamedByFileLineAndField) {
    const MalformedCase& c = GetParam();
    FolderFiles files = host_test::MinimalFolder();
    ScratchFolder folder;
    ASSERT_TRUE(files.WriteTo(folder));
    if (c.text == "\x01") {
        ASSERT_TRUE(plat::DeleteFileAt(folder.Path(c.file)));
    } else if (c.line == 0) {
        ASSERT_TRUE(folder.Write(c.file, c.text));
    } else {
        std::vector<std::string>& lines = files.Lines(c.file);
        ASSERT_LE(static_cast<std::size_t>(c.line), lines.size());
        lines[static_cast<std::size_t>(c.line - 1)] = c.text;
        ASSERT_TRUE(files.WriteTo(folder));
    }
    host::HostModel m;
    m.currentUser = "untouched";
    host::LoadError err;
    EXPECT_FALSE(host::LoadHostModel(folder.Path(), m, err));
    EXPECT_EQ(err.file, c.atFile != nullptr ? c.atFile : c.file);
    EXPECT_EQ(err.line, c.atLine >= 0 ? c.atLine : c.line);
    EXPECT_EQ(err.field, c.field);
    EXPECT_FALSE(err.message.empty());
    if (c.message != nullptr) {
        EXPECT_EQ(err.message, c.message);
    }
    EXPECT_EQ(m.currentUser, "untouched") << "a failed load leaves the model alone";
}

INSTANTIATE_TEST_SUITE_P(Loader, MalformedData, ::testing::ValuesIn(MalformedCases()),
                         [](const ::testing::TestParamInfo<MalformedCase>& row) { return row.param.what; });

TEST_F(HostLoader, LfAndCrLineEndsLoadLikeCrLf) {
    // A hand-edited folder may come back from any editor: LF and CR-only
    // line ends load the same model and count lines alike.
    host::HostModel reference;
    host::LoadError err;
    {
        ScratchFolder folder;
        ASSERT_TRUE(host_test::MinimalFolder().WriteTo(folder));
        ASSERT_TRUE(host::LoadHostModel(folder.Path(), reference, err)) << err.ToText();
    }
    for (const char* end : {"\n", "\r"}) {
        SCOPED_TRACE(end[0] == '\n' ? "LF" : "CR");
        FolderFiles files = host_test::MinimalFolder();
        files.lineEnd = end;
        ScratchFolder folder;
        ASSERT_TRUE(files.WriteTo(folder));
        host::HostModel m;
        ASSERT_TRUE(host::LoadHostModel(folder.Path(), m, err)) << err.ToText();
        EXPECT_TRUE(SameModel(reference, m));
        files.Lines("totals-1.csv")[4] = "200,0,S,256,0,0,0,0," + host_test::AmountCells(1);
        ASSERT_TRUE(files.WriteTo(folder));
        EXPECT_FALSE(host::LoadHostModel(folder.Path(), m, err));
        EXPECT_EQ(err.file, "totals-1.csv");
        EXPECT_EQ(err.line, 5);
        EXPECT_EQ(err.field, "nature");
    }
}

TEST_F(HostLoader, ErrorTextIsOneLineNamingTheFileLineAndField) {
    host::LoadError err;
    err.file = "totals-1.csv";
    err.line = 12;
    err.field = "dx3";
    err.message = "bad\r\nthing";
    // "ホストデータを読み込めません: totals-1.csv 12行目 「dx3」: bad  thing"
    EXPECT_EQ(err.ToText(),
              "\x83\x7A\x83\x58\x83\x67\x83\x66\x81\x5B\x83\x5E\x82\xF0\x93\xC7\x82\xDD\x8D\x9E\x82\xDF\x82"
              "\xDC\x82\xB9"
              "\x82\xF1: totals-1.csv 12\x8D\x73\x96\xDA \x81\x75"
              "dx3\x81\x76: bad  thing");
    err.line = 0;
    err.field.clear();
    const std::string text = err.ToText();
    const std::string tail = "totals-1.csv: bad  thing";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

TEST_F(HostLoader, NeverCrashesOnDamagedFiles) {
    const FolderFiles base = host_test::MinimalFolder();
    const auto originals = base.Contents();
    std::string sampleTotals;
    ASSERT_TRUE(
        plat::ReadWholeFile(host::text::JoinPath(host_test::SampleFolder(), "totals-1.csv"), sampleTotals));

    ScratchFolder folder;
    ASSERT_TRUE(base.WriteTo(folder));
    std::mt19937 rng(12345u);
    int failures = 0;
    const int rounds = 300;
    for (int round = 0; round < rounds; ++round) {
        const auto& [name, original] = originals[rng() % originals.size()];
        std::string content = original;
        switch (rng() % 7) {
            case 0:  // truncated anywhere
                content.resize(rng() % (content.size() + 1));
                break;
            case 1:  // bytes of 0x80 and above, lead bytes among them
                for (int k = 0; k < 4; ++k)
                    content[rng() % content.size()] = static_cast<char>(0x80 + rng() % 0x80);
                break;
            case 2:  // separators and quotes in random places
                for (int k = 0; k < 3; ++k) content.insert(rng() % content.size(), 1, ",\"\r\n#"[rng() % 5]);
                break;
            case 3:  // huge numbers
                content.insert(rng() % content.size(), "99999999999999999999999999.99999");
                break;
            case 4:  // a line dropped
            {
                const std::size_t at = content.find("\r\n", rng() % content.size());
                if (at != std::string::npos) content.erase(0, at + 2);
                break;
            }
            case 5:  // control bytes
                content[rng() % content.size()] = static_cast<char>(rng() % 0x20);
                break;
            default:  // the sample's large totals in place of the small ones
                if (name == "totals-1.csv") content = sampleTotals.substr(0, rng() % sampleTotals.size());
                break;
        }
        ASSERT_TRUE(folder.Write(name, content));
        host::HostModel m;
        host::LoadError err;
        if (!host::LoadHostModel(folder.Path(), m, err)) {
            ++failures;
            EXPECT_FALSE(err.file.empty()) << err.ToText();
            EXPECT_FALSE(err.message.empty());
            EXPECT_EQ(err.ToText().find_first_of("\r\n"), std::string::npos);
        } else {
            for (const auto& [no, rows] : m.totals) EXPECT_TRUE(WalkOrderHolds(rows));
        }
        ASSERT_TRUE(folder.Write(name, original));
    }
    EXPECT_GT(failures, rounds / 2);
}

// A folder it cannot load: refused, with one box each naming the folder, or
// the file, line and field, captioned with the title and owned by the owner.
TEST_F(HostLoader, InitiateRefusesAFolderItCannotLoad) {
    ClAccConnect* connect = ClAccConnect::Inst();
    // A folder that is not there, and one that cannot be named ('?' in place
    // of a character without a code page 932 form), before any title is set.
    for (const char* missing : {"C:\\missing", "C:\\D?mo"}) {
        host::StandIn::Get().UseFolder(missing);
        EXPECT_EQ(connect->Initiate(), -1);
    }
    ScratchFolder folder;
    FolderFiles files = host_test::MinimalFolder();
    files.Lines("accounts-1.csv")[2] = "100,1,x";
    ASSERT_TRUE(files.WriteTo(folder));
    host::StandIn::Get().UseFolder(folder.Path());
    connect->m_pszTitle = "科目内訳書";
    connect->m_hOwnerWnd = 0x1234;
    EXPECT_EQ(connect->Initiate(), -1);
    const std::string refused = "ホストデータを読み込めません: ";
    const unsigned style = plat::kMbOk | plat::kMbIconExclamation;
    EXPECT_EQ(
        Messages(),
        (std::vector<std::string>{
            support::Box(0, style, "", refused + "データフォルダがありません: C:\\missing"),
            support::Box(0, style, "", refused + "データフォルダの名前に使えない文字があります: C:\\D?mo"),
            support::Box(
                0x1234, style, "科目内訳書",
                refused + "accounts-1.csv 3行目 「class」: 整数 -128 から 127 ではありません: \"x\"")}));
}

// A folder that loads, at every Initiate: the answer is the data's.
TEST_F(HostLoader, InitiateAnswersWhatTheDataSays) {
    ScratchFolder folder;
    FolderFiles files = host_test::MinimalFolder();
    files.Lines("host.ini")[2] = "InitiateResult=3";
    ASSERT_TRUE(files.WriteTo(folder));
    host::StandIn::Get().UseFolder(folder.Path());
    EXPECT_EQ(ClAccConnect::Inst()->Initiate(), 3);
    files.Lines("host.ini")[2] = "InitiateResult=0";
    ASSERT_TRUE(files.WriteTo(folder));
    EXPECT_EQ(ClAccConnect::Inst()->Initiate(), 0);
    EXPECT_EQ(host::StandIn::Get().Model().currentUser, "u1");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(HostLoader, RunningOutOfMemoryRefusesWithTheFolderNamed) {
    ScratchFolder folder;
    ASSERT_TRUE(host_test::MinimalFolder().WriteTo(folder));
    host::StandIn::Get().UseFolder(folder.Path());
    ClAccConnect::Inst()->m_pszTitle = "T";
    host::FailRowStorageAt(9);  // the last row of totals-1.csv
    EXPECT_EQ(ClAccConnect::Inst()->Initiate(), -1);
    host::FailRowStorageAt(0);
    EXPECT_TRUE(host::StandIn::Get().Model().users.empty()) << "nothing of the folder kept";
    EXPECT_EQ(Messages(), (std::vector<std::string>{support::Box(
                              0, plat::kMbOk | plat::kMbIconExclamation, "T",
                              "ホストデータを読み込めません: メモリが足りません: " + folder.Path())}));
}

void SetEnv(const char* name, const char* value) {
#ifdef _WIN32
    _putenv_s(name, value);
#else
    if (*value == '\0') {
        unsetenv(name);
    } else {
        setenv(name, value, 1);
    }
#endif
}

TEST_F(HostLoader, DefaultFolderFromTheEnvironmentOrBesideTheProgram) {
    const std::string saved = plat::GetEnvVar(host::kDataFolderEnvVar);
    SetEnv(host::kDataFolderEnvVar, "D:\\somewhere\\data");
    EXPECT_EQ(host::DefaultDataFolder(), "D:\\somewhere\\data");
    SetEnv(host::kDataFolderEnvVar, "");
#ifdef _WIN32
    const std::string module = plat::GetModuleFilePath();
    const std::string folder = host::DefaultDataFolder();
    EXPECT_EQ(folder, module.substr(0, module.rfind('\\') + 1) + "hostdata");
#else
    // 表 is 0x95 0x5C: its second byte is not the folder's end.
    plat::headless::SetModuleFilePath("C:\\apps\\\x95\x5C\\link.exe");
    EXPECT_EQ(host::DefaultDataFolder(), "C:\\apps\\\x95\x5C\\hostdata");
    plat::headless::SetModuleFilePath("C:\\apps\\x\x95\x5C");
    EXPECT_EQ(host::DefaultDataFolder(), "C:\\apps\\hostdata");
    // No folder to name (the system's path had no code page 932 form): the
    // bare name, beside the program once its folder is the current one.
    plat::headless::SetModuleFilePath("");
    EXPECT_EQ(host::DefaultDataFolder(), "hostdata");
    // Through a mapped drive, as the program would see it.
    plat::headless::MapRoot("S:", LINK_SOURCE_DIR, plat::kDriveFixed);
    plat::headless::SetModuleFilePath("S:\\sample\\link.exe");
    host::StandIn::Get().Reset();
    EXPECT_EQ(ClAccConnect::Inst()->Initiate(), 0);
    EXPECT_EQ(host::StandIn::Get().Model().dataSets.size(), 4u);
    plat::headless::SetModuleFilePath("");
#endif
    SetEnv(host::kDataFolderEnvVar, saved.c_str());
}

}  // namespace
