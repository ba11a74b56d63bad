// A complete run through the real conditions dialog with each of its file
// operations failing in turn: whatever step fails, the earlier report and the
// remembered destinations survive byte for byte unless the run says it
// completed, no temporary file stays behind, and what the user is told and
// the parent receives agree with the outcome. Every operation fails once in
// the first scenario that does it; past that, a read or write amid others of
// its file is left to the first and last of them.
#include "platform/headless_windows/file_faults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/app_texts.h"
#include "app/link_app.h"
#include "platform/headless_windows/headless_ui.h"
#include "platform/headless_windows/test_knobs.h"
#include "platform/keyboard.h"
#include "res/resource.h"
#include "tests/support/host_models.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/standin_fixture.h"

namespace {

namespace fs = std::filesystem;
namespace pp = plat::headless;
using plat::headless::HeadlessUi;

constexpr unsigned kNotify = 0x8123;
const char kReportName[] = "report.xml";
const char kEnvName[] = "Dorvik22ToZq13_U.env";
const std::string kReport = std::string("out\\") + kReportName;  // in the scratch folder
const std::string kEnv = std::string("settings\\") + kEnvName;
const std::string kOldReport = "<?xml version=\"1.0\"?>\r\n<REPORT>earlier</REPORT>\r\n";
// Another user's record must survive this user's save.
const std::string kOldEnv = "SUZUKI/D0001:1/3/T:\\x\\a.xml\nTANAKA/D0003:0/11/T:\\old.xml\n";
const std::string kSupport =
    "[=\x90\xBB\x95i\x96\xBC=]Dorvik\r\n[=\x90\xBB\x95i\xCA\xDE\xB0\xBC\xDE\xAE\xDD=]22.03.01\r\n";

std::set<std::string> Entries(const fs::path& folder) {
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec)) names.insert(e.path().filename().string());
    return names;
}

struct Scenario {
    const char* name;
    bool fromParent;
    bool oldReport;
    bool oldEnv;  // also: the settings folder exists
};

struct Outcome {
    std::int32_t result = -1;
    std::vector<std::string> boxes;
    std::vector<plat::headless::PostedMessage> posted;
    bool progressShown = false;
    bool parentEnabled = true;
    std::string report, env;
    std::set<std::string> outEntries, settingsEntries;
};

// What each operation of a log does, alike in every scenario that does it:
// its kind, its file (reads, writes, flushes and closes act on the last file
// opened and not yet closed) and how many of the same came before.
struct Signature {
    std::string file, id;
};
std::vector<Signature> Signatures(const std::vector<pp::FileOpRecord>& ops) {
    std::vector<Signature> out;
    std::vector<std::string> open;
    std::map<std::string, int> seen;
    for (const pp::FileOpRecord& op : ops) {
        const std::string file = op.path.empty() && !open.empty() ? open.back() : op.path;
        if (op.op == pp::FileOp::kOpen) open.push_back(op.path);
        if (op.op == pp::FileOp::kClose && !open.empty()) open.pop_back();
        const std::string kind = std::string(pp::FileOpName(op.op)) + " " + file;
        out.push_back({file, kind + " #" + std::to_string(++seen[kind])});
    }
    return out;
}

// One failed operation: where, and what it asks of the run.
struct Fault {
    std::string where;        // the scenario and the operation
    bool onSupportFile;       // its open or a read: the producer's values fall back to their defaults
    bool afterReportInPlace;  // only the remembered destination is at stake: the run has completed
    bool reportFlush;         // bytes that may not be on the disk never replace the old report
};

// A scenario's clean run, which each run with one failed operation is held to.
struct Baseline {
    const Scenario& scenario;
    Outcome clean;
    std::vector<pp::FileOpRecord> ops;

    std::string OldReport() const { return scenario.oldReport ? kOldReport : "(none)"; }
    std::string OldEnv() const { return scenario.oldEnv ? kOldEnv : "(none)"; }
    std::set<std::string> OldOut() const {
        return scenario.oldReport ? std::set<std::string>{kReportName} : std::set<std::string>{};
    }
    // The index of the move that puts the report in place; ops.size() if none.
    std::size_t ReportInPlace() const {
        std::size_t i = 0;
        while (i < ops.size() &&
               !(ops[i].op == pp::FileOp::kMoveFile && ops[i].path.find(kReportName) != std::string::npos)) {
            ++i;
        }
        return i;
    }
    Fault FaultAt(std::size_t i, const Signature& sig) const {
        std::size_t open = i;
        while (open > 0 && ops[open].op == pp::FileOp::kRead) --open;
        return {std::string(scenario.name) + ", operation " + std::to_string(i + 1) + ": " +
                    pp::FileOpName(ops[i].op) + " " + ops[i].path,
                ops[open].op == pp::FileOp::kOpen && ops[open].path == "SUPPORT.INF", i > ReportInPlace(),
                ops[i].op == pp::FileOp::kFlush && sig.file.find(kReportName) != std::string::npos};
    }
};

std::string WithDefaultProducer(std::string report) {
    for (const auto& [from, to] : {std::pair<std::string, std::string>{">Dorvik<", ">KR9<"},
                                   std::pair<std::string, std::string>{">22.03.01<", ">22.03.0X<"}}) {
        const std::size_t at = report.find(from);
        if (at != std::string::npos) report.replace(at, from.size(), to);
    }
    return report;
}

// The clean run completes, says so, writes both files (keeping the other
// user's record) and replaces each file right after the flush and the close
// of its temporary file.
::testing::AssertionResult CleanRunCompletes(const Baseline& b) {
    const Outcome& o = b.clean;
    auto fail = [&] { return ::testing::AssertionFailure() << b.scenario.name << ", the clean run: "; };
    if (o.result != 0 || o.boxes.empty() || o.boxes.back() != texts::kCompleted)
        return fail() << "not completed";
    if (o.report == b.OldReport() || o.env == b.OldEnv()) return fail() << "a file not written";
    const std::string others = "SUZUKI/D0001:1/3/T:\\x\\a.xml\n";
    if (b.scenario.oldEnv && o.env.rfind(others + "TANAKA/", 0) != 0)
        return fail() << "the other user's record lost:\n" << o.env;
    if (b.ReportInPlace() == b.ops.size()) return fail() << "the report never replaced";
    for (std::size_t i = 0; i < b.ops.size(); ++i) {
        if (b.ops[i].op == pp::FileOp::kMoveFile &&
            (i < 2 || b.ops[i - 2].op != pp::FileOp::kFlush || b.ops[i - 1].op != pp::FileOp::kClose)) {
            return fail() << "operation " << i + 1 << " replaces " << b.ops[i].path
                          << " not after its flush and close";
        }
    }
    return ::testing::AssertionSuccess();
}

// A completed run wrote the clean run's report and kept the old record or
// wrote the new one; any other run left both files as they were. No
// temporary file is left anywhere.
::testing::AssertionResult NothingLost(const Baseline& b, const Fault& f, const Outcome& o) {
    auto fail = [&] { return ::testing::AssertionFailure() << f.where << ": "; };
    if (o.result == 0) {
        const bool fellBack = f.onSupportFile && o.report != b.clean.report;
        if (o.report != (fellBack ? WithDefaultProducer(b.clean.report) : b.clean.report)) {
            return fail() << "completed with another report:\n" << o.report;
        }
        if (o.env != b.clean.env && o.env != b.OldEnv())
            return fail() << "remembered choices mixed:\n" << o.env;
        if (o.outEntries != b.clean.outEntries)
            return fail() << "the output folder holds more than the report";
    } else {
        if (o.report != b.OldReport())
            return fail() << "failed, and the earlier report changed:\n" << o.report;
        if (o.env != b.OldEnv()) return fail() << "failed, and the remembered choices changed:\n" << o.env;
        if (o.outEntries != b.OldOut()) return fail() << "failed, and the output folder changed";
    }
    for (const std::string& name : o.settingsEntries) {
        if (name != kEnvName) return fail() << name << " left in the settings folder";
    }
    return ::testing::AssertionSuccess();
}

// The user hears of the outcome as it is: the completion message when the
// run completed (always once the report is in place, never after a failed
// flush of the temporary report), the write failure and result 2 when a run
// under way failed; never the other one, and no write failure before the run.
::testing::AssertionResult ToldTruthfully(const Fault& f, const Outcome& o) {
    auto fail = [&] { return ::testing::AssertionFailure() << f.where << ": "; };
    const bool complete = o.result == 0;
    if (f.afterReportInPlace && !complete) return fail() << "the report is in place, and the run failed";
    if (f.reportFlush && complete) return fail() << "the report's flush failed, and the run completed";
    const std::string last = o.boxes.empty() ? "(no message)" : o.boxes.back();
    if (complete && last != texts::kCompleted) return fail() << "completed, and said: " << last;
    if (!complete && o.progressShown && (last != texts::kWriteFailed || o.result != 2)) {
        return fail() << "failed with " << o.result << ", and said: " << last;
    }
    for (const std::string& text : o.boxes) {
        if (text == (complete ? texts::kWriteFailed : texts::kCompleted) ||
            (!o.progressShown && text == texts::kWriteFailed)) {
            return fail() << "ended with " << o.result << ", and said: " << text;
        }
    }
    return ::testing::AssertionSuccess();
}

// A parent gets one message with the run's result and is enabled again; a
// run started alone posts nothing.
::testing::AssertionResult ParentAnswered(const Baseline& b, const Fault& f, const Outcome& o) {
    auto fail = [&] { return ::testing::AssertionFailure() << f.where << ": "; };
    if (!b.scenario.fromParent) {
        if (!o.posted.empty()) return fail() << "started alone, and posted a message";
        return ::testing::AssertionSuccess();
    }
    if (o.posted.size() != 1) return fail() << o.posted.size() << " messages posted to the parent";
    if (o.posted[0].message != kNotify || o.posted[0].lParam != o.result) {
        return fail() << "posted message " << o.posted[0].message << " with " << o.posted[0].lParam
                      << " for the result " << o.result;
    }
    if (!o.parentEnabled) return fail() << "the parent left disabled";
    return ::testing::AssertionSuccess();
}

class FileFaultsTest : public support::StandInTest {
protected:
    void SetUp() override {
        m_folder.MakeDir("prog");
        m_folder.MakeDir("out");
        m_folder.Write("prog\\KolvarenDef.ini", "[ProgramLevel]\r\nZQ13_U=2\r\n");
        m_folder.Write("prog\\SUPPORT.INF", kSupport);
        pp::SetModuleFilePath(m_folder.Path() + "prog\\Dorvik22ToZq13_U.exe");
        m_out = m_folder.HostPath("out");
        m_settings = m_folder.HostPath("settings");
        m_model = support::ShellRunModel();
        m_model.appFolder[1] = m_folder.Path() + "settings\\";
    }
    void TearDown() override { pp::ResetFileFaults(); }

    // The files as the scenario finds them.
    void Prepare(const Scenario& s) const {
        fs::remove_all(m_out);
        fs::remove_all(m_settings);
        fs::create_directory(m_out);
        if (s.oldReport) m_folder.Write(kReport, kOldReport);
        if (s.oldEnv) {
            fs::create_directory(m_settings);
            m_folder.Write(kEnv, kOldEnv);
        }
    }

    // One run with the failAt-th file operation failing (0: none) and the
    // first heldMoves replaces answering that another process holds the file.
    Outcome Run(const Scenario& s, long long failAt, long long heldMoves = 0) {
        Prepare(s);
        HeadlessUi& ui = HeadlessUi::Get();
        ui.Reset();
        const plat::WindowHandle parent = ui.CreateExternalWindow("Parent");
        const std::string dest = m_folder.Path(kReport);
        ui.QueueModalScript([&s, dest](plat::Dialog& d) {
            plat::headless::Type(d, IDC_EDT_TO_MONTH, "12");
            if (!s.fromParent) plat::headless::Type(d, IDC_EDT_DEST_PATH, dest);
            plat::headless::PressKey(d, plat::kVkF12);
        });
        ClLinkApp app;
        support::InstallModel(m_model);
        app.SetCommandLine(
            s.fromParent ? std::to_string(parent) + "," + std::to_string(kNotify) + ",5," + dest : "");
        pp::ResetFileFaults();
        // Counted and failing like any other, but the disk is not waited for.
        pp::SkipDiskSyncs(true);
        pp::FailFileOp(pp::FileOp::kAny, failAt);
        pp::AnswerHeld(pp::FileOp::kMoveFile, heldMoves);
        plat::RunApplication(app);
        m_ops = pp::FileOpLog();
        pp::ResetFileFaults();

        Outcome o;
        o.result = app.m_nResult;
        for (const auto& box : ui.MessageBoxes()) o.boxes.push_back(box.text);
        o.posted = ui.Posted();
        const auto& events = ui.Events();
        o.progressShown =
            std::find(events.begin(), events.end(), "create " + std::to_string(IDD_PROGRESS)) != events.end();
        o.parentEnabled = ui.Find(parent)->enabled;
        o.report = m_folder.Read(kReport);
        o.env = m_folder.Read(kEnv);
        o.outEntries = Entries(m_out);
        o.settingsEntries = Entries(m_settings);
        return o;
    }

    support::ScratchFolder m_folder;
    std::string m_out, m_settings;  // for the host
    host::HostModel m_model;
    std::vector<pp::FileOpRecord> m_ops;
};

TEST_F(FileFaultsTest, AnySingleFailedFileOperationLosesNothingAndSaysWhatHappened) {
    const Scenario scenarios[] = {
        {"alone, nothing yet", false, false, false},
        {"alone, earlier files", false, true, true},
        {"from a parent, nothing yet", true, false, false},
        {"from a parent, earlier files", true, true, true},
        {"alone, earlier report only", false, true, false},
    };
    long long injected = 0, skipped = 0;
    std::set<std::string> failedOnce;  // signatures of the operations failed so far
    for (const Scenario& s : scenarios) {
        SCOPED_TRACE(s.name);
        const Baseline b{s, Run(s, 0), m_ops};
        ASSERT_TRUE(CleanRunCompletes(b));
        const std::vector<Signature> sigs = Signatures(b.ops);
        int completed = 0, failed = 0, refused = 0, fallbacks = 0, envKept = 0;
        for (std::size_t i = 0; i < b.ops.size(); ++i) {
            const auto sameAs = [&](std::size_t j) {
                return b.ops[j].op == b.ops[i].op && sigs[j].file == sigs[i].file;
            };
            const bool amid = (b.ops[i].op == pp::FileOp::kRead || b.ops[i].op == pp::FileOp::kWrite) &&
                              i > 0 && i + 1 < b.ops.size() && sameAs(i - 1) && sameAs(i + 1);
            const bool failedBefore = !failedOnce.insert(sigs[i].id).second;
            if (amid && failedBefore) {
                ++skipped;
                continue;
            }
            const Fault f = b.FaultAt(i, sigs[i]);
            const Outcome o = Run(s, static_cast<long long>(i) + 1);
            ASSERT_TRUE(m_ops.size() > i && m_ops[i].failed) << f.where;
            ++injected;
            EXPECT_TRUE(NothingLost(b, f, o));
            EXPECT_TRUE(ToldTruthfully(f, o));
            EXPECT_TRUE(ParentAnswered(b, f, o));

            if (o.result != 0) {
                o.progressShown ? ++failed : ++refused;
                continue;
            }
            ++completed;
            fallbacks += f.onSupportFile && o.report != b.clean.report ? 1 : 0;
            envKept += o.env == b.OldEnv() ? 1 : 0;
        }
        std::printf(
            "[ faults   ] %s: %zu operations, %d failed in turn: %d completed (%d without the "
            "support file, %d with the destination not remembered), %d failed, %d ended before the run\n",
            s.name, b.ops.size(), completed + failed + refused, completed, fallbacks, envKept, failed,
            refused);
    }
    if (!HasFailure()) {
        std::printf(
            "[ faults   ] %lld runs, each with one failure, nothing lost; %lld reads and writes amid "
            "others failed in an earlier scenario only\n",
            injected, skipped);
    }
}

// A report another program holds for a moment is replaced once it lets go;
// held past the bound, the run fails as for any failed replace.
TEST_F(FileFaultsTest, ReportHeldForAMomentIsReplacedOnceLetGo) {
    const Scenario s = {"alone, earlier files", false, true, true};
    const Outcome clean = Run(s, 0);
    for (const long long held : {3LL, 1000000LL}) {
        SCOPED_TRACE(held);
        // The clock moves only by the writer's own sleeps.
        pp::SetClockMicros(0);
        const Outcome o = Run(s, 0, held);
        pp::SetClockMicros(std::nullopt);
        const bool letGo = held < 1000;
        EXPECT_EQ(o.result, letGo ? 0 : 2);
        ASSERT_FALSE(o.boxes.empty());
        EXPECT_EQ(o.boxes.back(), letGo ? texts::kCompleted : texts::kWriteFailed);
        EXPECT_EQ(o.report, letGo ? clean.report : kOldReport);
        EXPECT_EQ(o.env, letGo ? clean.env : kOldEnv);
        EXPECT_EQ(o.outEntries, std::set<std::string>{kReportName});
    }
}

}  // namespace
