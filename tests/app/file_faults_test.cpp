// A complete run through the real conditions dialog with each of its file
// operations failing in turn: whatever step fails, the earlier report and the
// remembered destinations survive byte for byte unless the run says it
// completed, no temporary file stays behind, and what the user is told and
// the parent receives agree with the outcome. Every operation fails once in
// the first scenario that does it; past that, a read or write amid others of
// its file is left to the first and last of them.
#include "platform/portable/file_faults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/app_texts.h"
#include "app/link_app.h"
#include "platform/keyboard.h"
#include "platform/portable/drive_table.h"
#include "platform/portable/headless_ui.h"
#include "res/resource.h"
#include "tests/support/host_models.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/standin_fixture.h"

namespace {

namespace fs = std::filesystem;
namespace pp = plat::portable;
using plat::headless::HeadlessUi;

constexpr unsigned kNotify = 0x8123;
const char kReportName[] = "report.xml";
const char kEnvName[] = "Dorvik22ToZq13_U.env";
const std::string kOldReport = "<?xml version=\"1.0\"?>\r\n<REPORT>earlier</REPORT>\r\n";
// Another user's record must survive this user's save.
const std::string kOldEnv = "SUZUKI/D0001:1/3/T:\\x\\a.xml\nTANAKA/D0003:0/11/T:\\old.xml\n";
const std::string kSupport =
    "[=\x90\xBB\x95i\x96\xBC=]Dorvik\r\n[=\x90\xBB\x95i\xCA\xDE\xB0\xBC\xDE\xAE\xDD=]22.03.01\r\n";

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "(none)";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Spit(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

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

class FileFaultsTest : public support::StandInTest {
protected:
    void SetUp() override {
        m_folder.MakeDir("prog");
        m_folder.MakeDir("out");
        m_folder.Write("prog\\KolvarenDef.ini", "[ProgramLevel]\r\nZQ13_U=2\r\n");
        m_folder.Write("prog\\SUPPORT.INF", kSupport);
        pp::SetModuleFilePath(m_folder.Path() + "prog\\Dorvik22ToZq13_U.exe");
        m_out = pp::ToPosixPath(m_folder.Path() + "out");
        m_settings = pp::ToPosixPath(m_folder.Path() + "settings");
        m_model = support::ShellRunModel();
        m_model.appFolder[1] = m_folder.Path() + "settings\\";
    }
    void TearDown() override { pp::ResetFileFaults(); }

    // The files as the scenario finds them.
    void Prepare(const Scenario& s) const {
        fs::remove_all(m_out);
        fs::remove_all(m_settings);
        fs::create_directory(m_out);
        if (s.oldReport) Spit(m_out / kReportName, kOldReport);
        if (s.oldEnv) {
            fs::create_directory(m_settings);
            Spit(m_settings / kEnvName, kOldEnv);
        }
    }

    // One run with the failAt-th file operation failing (0: none) and the
    // first heldMoves replaces answering that another process holds the file.
    Outcome Run(const Scenario& s, long long failAt, long long heldMoves = 0) {
        Prepare(s);
        HeadlessUi& ui = HeadlessUi::Get();
        ui.Reset();
        const plat::WindowHandle parent = ui.CreateExternalWindow("Parent");
        const std::string dest = m_folder.Path() + "out\\" + kReportName;
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
        o.report = Slurp(m_out / kReportName);
        o.env = Slurp(m_settings / kEnvName);
        o.outEntries = Entries(m_out);
        o.settingsEntries = Entries(m_settings);
        return o;
    }

    std::string Describe(long long k) const {
        if (k < 1 || static_cast<std::size_t>(k) > m_ops.size()) return "operation " + std::to_string(k);
        const pp::FileOpRecord& op = m_ops[static_cast<std::size_t>(k - 1)];
        return "operation " + std::to_string(k) + ": " + pp::FileOpName(op.op) + " " + op.path;
    }

    // Whether operation k touched the support file: its open or one of the
    // reads that follow it.
    bool OnSupportFile(long long k) const {
        for (auto i = static_cast<std::size_t>(k); i-- > 0;) {
            if (m_ops[i].op == pp::FileOp::kRead) continue;
            return m_ops[i].op == pp::FileOp::kOpen && m_ops[i].path == "SUPPORT.INF";
        }
        return false;
    }
    // What each operation of a log does, alike in every scenario that does
    // it: its kind, its file (reads, writes, flushes and closes act on the
    // last file opened and not yet closed) and how many of the same came
    // before.
    struct Signature {
        std::string file, id;
    };
    static std::vector<Signature> Signatures(const std::vector<pp::FileOpRecord>& ops) {
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
    static std::string WithDefaultProducer(std::string report) {
        for (const auto& [from, to] : {std::pair<std::string, std::string>{">Dorvik<", ">KR9<"},
                                       std::pair<std::string, std::string>{">22.03.01<", ">22.03.0X<"}}) {
            const std::size_t at = report.find(from);
            if (at != std::string::npos) report.replace(at, from.size(), to);
        }
        return report;
    }

    support::ScratchFolder m_folder;
    fs::path m_out, m_settings;
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
        const Outcome clean = Run(s, 0);
        ASSERT_EQ(clean.result, 0);
        ASSERT_FALSE(clean.boxes.empty());
        ASSERT_EQ(clean.boxes.back(), texts::kCompleted);
        ASSERT_NE(clean.report, s.oldReport ? kOldReport : "(none)");
        ASSERT_NE(clean.env, s.oldEnv ? kOldEnv : "(none)");
        if (s.oldEnv) {
            EXPECT_EQ(clean.env,
                      "SUZUKI/D0001:1/3/T:\\x\\a.xml\n" + clean.env.substr(clean.env.find("TANAKA")));
        }
        const long long n = static_cast<long long>(m_ops.size());
        const std::vector<pp::FileOpRecord> ops = m_ops;
        const std::vector<Signature> sigs = Signatures(ops);
        // Each replace follows the flush and the close of its temporary file.
        for (long long i = 0; i < n; ++i) {
            if (m_ops[static_cast<std::size_t>(i)].op != pp::FileOp::kMoveFile) continue;
            ASSERT_GE(i, 2);
            EXPECT_EQ(m_ops[static_cast<std::size_t>(i - 2)].op, pp::FileOp::kFlush) << Describe(i + 1);
            EXPECT_EQ(m_ops[static_cast<std::size_t>(i - 1)].op, pp::FileOp::kClose) << Describe(i + 1);
        }
        const std::string oldReport = s.oldReport ? kOldReport : "(none)";
        const std::string oldEnv = s.oldEnv ? kOldEnv : "(none)";
        const std::set<std::string> cleanOut = clean.outEntries;
        const std::set<std::string> oldOut =
            s.oldReport ? std::set<std::string>{kReportName} : std::set<std::string>{};
        // Past the report's replacement only the remembered destination is
        // at stake: the run has completed whatever happens to it.
        long long reportInPlace = 0;
        while (
            reportInPlace < n &&
            !(m_ops[static_cast<std::size_t>(reportInPlace)].op == pp::FileOp::kMoveFile &&
              m_ops[static_cast<std::size_t>(reportInPlace)].path.find(kReportName) != std::string::npos)) {
            ++reportInPlace;
        }
        ASSERT_LT(reportInPlace, n);
        int completed = 0, failed = 0, refused = 0, fallbacks = 0, envKept = 0;

        for (long long k = 1; k <= n; ++k) {
            const auto i = static_cast<std::size_t>(k - 1);
            const auto sameAs = [&](std::size_t j) {
                return ops[j].op == ops[i].op && sigs[j].file == sigs[i].file;
            };
            const bool amid = (ops[i].op == pp::FileOp::kRead || ops[i].op == pp::FileOp::kWrite) && i > 0 &&
                              i + 1 < ops.size() && sameAs(i - 1) && sameAs(i + 1);
            if (amid && failedOnce.count(sigs[i].id) != 0) {
                ++skipped;
                continue;
            }
            failedOnce.insert(sigs[i].id);
            const Outcome o = Run(s, k);
            const std::string where = Describe(k);
            SCOPED_TRACE(where);
            ASSERT_TRUE(m_ops.size() >= static_cast<std::size_t>(k) && m_ops[k - 1].failed);
            ++injected;
            const bool complete = o.result == 0;
            if (k > reportInPlace + 1) {
                EXPECT_TRUE(complete);
            }
            // Bytes that may not be on the disk never replace the old report.
            if (ops[i].op == pp::FileOp::kFlush && sigs[i].file.find(kReportName) != std::string::npos) {
                EXPECT_FALSE(complete);
            }
            if (complete) {
                ++completed;
                ASSERT_FALSE(o.boxes.empty());
                EXPECT_EQ(o.boxes.back(), texts::kCompleted);
                if (OnSupportFile(k) && o.report != clean.report) {
                    // An unreadable support file reads as a missing one: the
                    // producer's values fall back to their defaults.
                    ++fallbacks;
                    EXPECT_EQ(o.report, WithDefaultProducer(clean.report));
                } else {
                    EXPECT_EQ(o.report, clean.report);
                }
                // A failed save of the destination leaves the old record.
                EXPECT_TRUE(o.env == clean.env || o.env == oldEnv) << o.env;
                envKept += o.env == oldEnv ? 1 : 0;
            } else {
                o.progressShown ? ++failed : ++refused;
                EXPECT_EQ(o.report, oldReport);
                EXPECT_EQ(o.env, oldEnv);
                if (o.progressShown) {
                    ASSERT_FALSE(o.boxes.empty());
                    EXPECT_EQ(o.boxes.back(), texts::kWriteFailed);
                    EXPECT_EQ(o.result, 2);
                }
            }
            // Only a run that got under way tells its end; never the other one.
            for (const std::string& text : o.boxes) {
                EXPECT_FALSE(text == (complete ? texts::kWriteFailed : texts::kCompleted)) << text;
                if (!o.progressShown) {
                    EXPECT_NE(text, texts::kWriteFailed);
                }
            }
            EXPECT_EQ(o.outEntries, complete ? cleanOut : oldOut);
            for (const std::string& name : o.settingsEntries) EXPECT_EQ(name, kEnvName);
            if (s.fromParent) {
                ASSERT_EQ(o.posted.size(), 1u);
                EXPECT_EQ(o.posted[0].message, kNotify);
                EXPECT_EQ(o.posted[0].lParam, o.result);
                EXPECT_TRUE(o.parentEnabled);
            } else {
                EXPECT_TRUE(o.posted.empty());
            }
        }
        std::printf(
            "[ faults   ] %s: %lld operations, %d failed in turn: %d completed (%d without the "
            "support file, %d with the destination not remembered), %d failed, %d ended before the run\n",
            s.name, n, completed + failed + refused, completed, fallbacks, envKept, failed, refused);
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
