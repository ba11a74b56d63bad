// The whole run, from connection to the hand-back, watched through the
// headless user interface: what the user sees, the result code, what is
// posted to the parent, and that the host is left on every path.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <tuple>

#include "app/app_texts.h"
#include "app/link_app.h"
#include "conditions/cond_dlg.h"
#include "conditions/cond_texts.h"
#include "host/host_text.h"
#include "platform/files.h"
#include "platform/headless_windows/headless_ui.h"
#include "platform/headless_windows/test_knobs.h"
#include "platform/keyboard.h"
#include "res/resource.h"
#include "tests/support/host_models.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/standin_fixture.h"

namespace {

using plat::headless::HeadlessUi;

const char kTaxFormName[] = "\x90\xC5\x96\xB1";  // 税務, put in place of the token
constexpr unsigned kNotify = 0x8123;

// Plays the user in the conditions dialog and keeps what the run showed it.
class ScriptedApp : public ClLinkApp {
public:
    int dialogResult = ClCondDlg::kResultCancel;
    std::string fromMonth = "4";
    std::string toMonth = "3";
    std::int16_t taxIncluded = 0;
    std::string destPath;

    bool dialogShown = false;
    std::string shownCompany, shownPeriod, shownGivenPath, shownDataId, shownUserId;
    std::int32_t shownPastData = -1, shownStart = 0, shownEnd = 0;
    plat::WindowHandle shownHostOwner = plat::kNoWindow;  // the host's owner window then

protected:
    int RunCondDlg(ClCondDlg& dlg) override {
        dialogShown = true;
        shownHostOwner = ClAccConnect::Inst()->m_hOwnerWnd;
        shownCompany = dlg.m_strCompanyName;
        shownPeriod = dlg.m_strPeriod;
        shownGivenPath = dlg.m_strGivenDestPath;
        shownDataId = dlg.m_szDataID;
        shownUserId = dlg.m_szUserID;
        shownPastData = dlg.m_bPastData;
        shownStart = dlg.m_nPeriodStart;
        shownEnd = dlg.m_nPeriodEnd;
        if (dialogResult == ClCondDlg::kResultRun) {
            dlg.m_strFromMonth = fromMonth;
            dlg.m_strToMonth = toMonth;
            dlg.m_nTaxIncluded = taxIncluded;
            dlg.m_strDestPath = destPath;
        }
        return dialogResult;
    }
};

class RunSequenceTest : public support::StandInTest {
protected:
    void SetUp() override {
        HeadlessUi::Get().Reset();
        m_programFolder = m_folder.MakeDir("prog");
        m_folder.Write("prog\\KolvarenDef.ini", "[ProgramLevel]\r\nZQ13_U=2\r\n");
        plat::headless::SetModuleFilePath(m_programFolder + "Dorvik22ToZq13_U.exe");
        m_model = support::ShellRunModel();
        m_model.taxFormProductName = kTaxFormName;
        m_parent = HeadlessUi::Get().CreateExternalWindow("Parent");
    }

    std::string ParentLine(const std::string& path = "T:\\given.xml") const {
        return std::to_string(m_parent) + "," + std::to_string(kNotify) + ",5," + path;
    }
    // Runs the application the way the entry point does.
    void Run(ClLinkApp& app, const std::string& cmdLine) {
        support::InstallModel(m_model);
        app.SetCommandLine(cmdLine);
        plat::RunApplication(app);
    }
    const std::vector<plat::headless::MessageBoxRecord>& Boxes() const {
        return HeadlessUi::Get().MessageBoxes();
    }
    const std::vector<plat::headless::PostedMessage>& Posted() const { return HeadlessUi::Get().Posted(); }
    bool ParentEnabled() const { return HeadlessUi::Get().Find(m_parent)->enabled; }
    void ExpectLoggedOutOnce() const {
        const auto& calls = host::StandIn::Get().Calls();
        std::vector<std::string> tail;
        for (const std::string& c : calls) {
            if (c == "LogOut" || c == "Terminate" || c == "Release") tail.push_back(c);
        }
        EXPECT_EQ(tail, (std::vector<std::string>{"LogOut", "Terminate", "Release"}));
    }
    // The progress window of the last run, destroyed or not (its record stays); kNoWindow if none.
    static plat::WindowHandle ProgressWindow() {
        for (plat::WindowHandle h = 1; h < 0x10000; ++h) {
            const auto* s = HeadlessUi::Get().Find(h);
            if (s && s->templateId == IDD_PROGRESS) return h;
        }
        return plat::kNoWindow;
    }

    support::ScratchFolder m_folder;
    std::string m_programFolder;
    host::HostModel m_model;
    plat::WindowHandle m_parent = plat::kNoWindow;
};

TEST_F(RunSequenceTest, EachProgramLevelVerdictShowsItsMessageAndFails) {
    struct Case {
        const char* ini;  // nullptr: no ini file at all
        const char* text;
    };
    const Case cases[] = {
        {nullptr, texts::kEnvInvalid},
        {"[ProgramLevel]\r\nZQ13_U=\r\n", texts::kEnvInvalid},
        {"[ProgramLevel]\r\n", texts::kUpdateTaxForm},
        {"[ProgramLevel]\r\nZQ13_U=1\r\n", texts::kUpdateTaxForm},
        {"[ProgramLevel]\r\nZQ13_U=3\r\n", texts::kUpdateLink},
    };
    // The rest of such an ending: RunStepsTest's BadLevel.
    for (const Case& c : cases) {
        HeadlessUi::Get().Reset();
        plat::DeleteFileAt(m_programFolder + "KolvarenDef.ini");
        if (c.ini) m_folder.Write("prog\\KolvarenDef.ini", c.ini);
        ScriptedApp app;
        Run(app, "");
        ASSERT_EQ(Boxes().size(), 1u) << (c.ini ? c.ini : "no file");
        EXPECT_EQ(Boxes()[0].text, host::text::ReplaceToken(c.text, "ES_APRPACKAGENAME", kTaxFormName));
        EXPECT_EQ(app.m_nResult, 2);
    }
}

TEST_F(RunSequenceTest, IncompleteCommandLineStillOwnsTheCompatibilityMessage) {
    plat::DeleteFileAt(m_programFolder + "KolvarenDef.ini");
    ScriptedApp app;
    Run(app, std::to_string(m_parent) + "," + std::to_string(kNotify) + ",5");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].owner, m_parent);
    EXPECT_TRUE(Posted().empty());
    EXPECT_EQ(app.m_bHasParent, 0);
    EXPECT_TRUE(ParentEnabled());
}

TEST_F(RunSequenceTest, DialogIsFilledFromTheDataSet) {
    ScriptedApp app;
    Run(app, ParentLine("T:\\given,path.xml"));
    ASSERT_TRUE(app.dialogShown);
    EXPECT_EQ(app.shownCompany, " \x8A\x94\x8E\xAE\x89\xEF\x8E\xD0 Test");
    EXPECT_EQ(app.shownPeriod,
              " 2025/04/01\x81\x60"
              "2026/03/31");
    EXPECT_EQ(app.shownGivenPath, "T:\\given,path.xml");
    EXPECT_EQ(app.shownDataId, "D0003");
    EXPECT_EQ(app.shownUserId, "TANAKA");
    EXPECT_EQ(app.shownPastData, 0);
    EXPECT_EQ(app.shownStart, 20250401);
    EXPECT_EQ(app.shownEnd, 20260331);
    EXPECT_EQ(app.m_nResult, 1);

    HeadlessUi::Get().Reset();
    ScriptedApp alone;
    Run(alone, "");
    EXPECT_TRUE(alone.shownGivenPath.empty());
    EXPECT_TRUE(Posted().empty());
}

TEST_F(RunSequenceTest, PastResultsAndLongCompanyNames) {
    m_model.dataSets[1].dataKind = 99;
    // 30 double-byte characters: 60 bytes, more than the 49 the display holds.
    std::string name;
    for (int i = 0; i < 30; ++i) name += "\x8A\x94";
    m_model.dataSets[1].companyName = "A" + name;
    ScriptedApp app;
    Run(app, "");
    EXPECT_EQ(app.shownPastData, 1);
    // A blank, "A", then 24 whole characters: 49 bytes of name, none split.
    EXPECT_EQ(app.shownCompany, " A" + name.substr(0, 48));
}

class CompletedRunTest : public RunSequenceTest {
protected:
    void SetUp() override {
        RunSequenceTest::SetUp();
        m_outFolder = m_folder.MakeDir("out");
        m_dest = m_outFolder + "report.xml";
    }
    void MakeRunning(ScriptedApp& app) const {
        app.dialogResult = ClCondDlg::kResultRun;
        app.destPath = m_dest;
    }
    std::string m_outFolder;
    std::string m_dest;
};

TEST_F(CompletedRunTest, ProgressWindowBelongsToTheParentAndEndsAtOneHundredPercent) {
    ScriptedApp app;
    MakeRunning(app);
    Run(app, ParentLine());
    const plat::headless::WindowState* progress = HeadlessUi::Get().Find(ProgressWindow());
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->parent, m_parent);
    ASSERT_FALSE(progress->textHistory.empty());
    EXPECT_EQ(progress->textHistory.back(), "\x8F\x57\x8C\x76\x92\x86 100\x81\x93");
    // The report's share follows the aggregation's: the percentage never goes back.
    std::vector<int> percents;
    for (const std::string& caption : progress->textHistory) {
        const std::size_t space = caption.find(' ');
        if (space != std::string::npos) percents.push_back(std::atoi(caption.c_str() + space + 1));
    }
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
}

TEST_F(CompletedRunTest, FailedAggregationWritesNoReportAndKeepsTheOldOne) {
    const std::string old = "previous good report";
    m_folder.Write("out\\report.xml", old);
    m_model.faults.failMoveNextAt = 2;
    ScriptedApp app;
    MakeRunning(app);
    Run(app, ParentLine());
    std::string content;
    ASSERT_TRUE(plat::ReadWholeFile(m_dest, content));
    EXPECT_EQ(content, old);
}

TEST_F(CompletedRunTest, OverflowingBalanceFailsTheRunWithoutEndingTheProcess) {
    m_model.totals[3][0].debitExcl[0] = 900000000000000000LL;
    m_model.totals[3][0].debitExcl[1] = 100000000000000000LL;  // 10^18: one unit past the bound
    ScriptedApp app;
    MakeRunning(app);
    Run(app, "");
    EXPECT_EQ(app.m_nResult, 2);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, texts::kWriteFailed);
    EXPECT_FALSE(plat::PathExists(m_dest));
    EXPECT_TRUE(Posted().empty());
}

// The real dialog, played by a queued script: what a run hands to it, what
// it hands back, and that the destination is remembered after a complete
// report only.
class RealDialogRunTest : public CompletedRunTest {
protected:
    void SetUp() override {
        CompletedRunTest::SetUp();
        m_model.appFolder[1] = m_folder.Path() + "settings\\";
        m_envPath = m_model.appFolder[1] + "Dorvik22ToZq13_U.env";
    }
    // Types the to month and, unless empty, the path; then presses F12.
    void PlayRun(const std::string& toMonth, const std::string& path) const {
        HeadlessUi::Get().QueueModalScript([toMonth, path](plat::Dialog& d) {
            plat::headless::Type(d, IDC_EDT_TO_MONTH, toMonth);
            if (!path.empty()) plat::headless::Type(d, IDC_EDT_DEST_PATH, path);
            plat::headless::PressKey(d, plat::kVkF12);
        });
    }
    std::string EnvContent() const {
        std::string content;
        return plat::ReadWholeFile(m_envPath, content) ? content : "(none)";
    }
    std::string m_envPath;
};

TEST_F(RealDialogRunTest, CompleteRunRemembersTheDestinationAfterTheReport) {
    struct Case {
        bool fromParent;
        bool failAggregation;
        std::int32_t result;
        std::string env;  // the remembered-destinations file afterwards
    };
    const Case cases[] = {
        {false, false, 0, "TANAKA/D0003:0/12/" + m_dest + "\n"},
        // A handed-over path is never remembered: the old (here no) path stays.
        {true, false, 0, "TANAKA/D0003:0/12/\n"},
        {false, true, 2, "(none)"},
    };
    for (const Case& c : cases) {
        HeadlessUi::Get().Reset();
        m_parent = HeadlessUi::Get().CreateExternalWindow("Parent");
        plat::DeleteFileAt(m_envPath);
        plat::DeleteFileAt(m_dest);
        m_model.faults.failMoveNextAt = c.failAggregation ? 1 : 0;
        PlayRun("12", c.fromParent ? "" : m_dest);
        ClLinkApp app;
        Run(app, c.fromParent ? ParentLine(m_dest) : "");
        EXPECT_EQ(app.m_nResult, c.result) << c.fromParent;
        EXPECT_EQ(plat::PathExists(m_dest), c.result == 0);
        EXPECT_EQ(EnvContent(), c.env) << c.fromParent << c.failAggregation;
        EXPECT_EQ(Posted().size(), c.fromParent ? 1u : 0u);
        ASSERT_FALSE(Boxes().empty());
        EXPECT_EQ(Boxes().back().text, c.result == 0 ? texts::kCompleted : texts::kWriteFailed);
    }
}

TEST_F(RealDialogRunTest, CancelledOrUnshowableDialogStartsNoRun) {
    struct Case {
        std::string cmdLine;
        bool escape;  // the user cancels; else the dialog cannot be shown
        std::int32_t result;
        std::vector<std::string> boxes;
    };
    // A parent handle that names no window: the dialog cannot have it as its owner.
    const std::string badParent = "48879," + std::to_string(kNotify) + ",5," + m_dest;
    const Case cases[] = {
        {"", true, 1, {cond_texts::kCancelled}},
        {badParent, false, 2, {}},
    };
    for (const Case& c : cases) {
        HeadlessUi::Get().Reset();
        if (c.escape) {
            HeadlessUi::Get().QueueModalScript(
                [](plat::Dialog& d) { plat::headless::PressKey(d, plat::kVkEscape); });
        }
        ClLinkApp app;
        Run(app, c.cmdLine);
        EXPECT_EQ(app.m_nResult, c.result);
        std::vector<std::string> texts;
        for (const auto& box : Boxes()) texts.push_back(box.text);
        EXPECT_EQ(texts, c.boxes);
        const auto& events = HeadlessUi::Get().Events();
        EXPECT_EQ(std::count(events.begin(), events.end(), "create " + std::to_string(IDD_PROGRESS)), 0);
        EXPECT_FALSE(plat::PathExists(m_dest));
        EXPECT_EQ(EnvContent(), "(none)");
        ExpectLoggedOutOnce();
    }
}

// One run per way of ending, with a parent: the step it ended at, its
// result (the exit status and what the parent is posted), what it does to the
// parent window, in order, what it tells the host and who owns its boxes.
enum Ending {
    kNoProgramFolder,
    kConnectRefused,
    kNoHostData,
    kBadLevel,
    kLinkCancelled,
    kLinkFailed,
    kNoDataSet,
    kDialogCancelled,
    kNoDialog,
    kAggregationFails,
    kWriteFails,
    kCompleted,
};
enum Owner { kNoOwner, kParentOwns, kProgressOwns, kOtherOwner };
using Box = std::tuple<std::string, Owner, unsigned, bool>;  // text, owner, style, owner visible

class EndingsTest : public CompletedRunTest {
protected:
    // Runs app to the ending; its exit value.
    int RunEnding(Ending ending, ScriptedApp& app) {
        HeadlessUi::Get().Reset();
        m_parent = HeadlessUi::Get().CreateExternalWindow("Parent");
        host::HostModel model = m_model;
        if (ending == kNoProgramFolder) plat::headless::SetModuleFilePath(m_folder.Path() + "gone\\x.exe");
        if (ending == kConnectRefused) model.initiateResult = 1;
        if (ending == kBadLevel) plat::DeleteFileAt(m_programFolder + "KolvarenDef.ini");
        if (ending == kLinkCancelled || ending == kLinkFailed)
            model.expSysLinkResult = ending == kLinkFailed ? 7 : 1;
        if (ending == kNoDataSet) model.users[1].selectedNo2 = 99;
        if (ending == kNoDialog) app.dialogResult = -1;
        if (ending >= kAggregationFails) MakeRunning(app);
        if (ending == kAggregationFails) model.faults.failMoveNextAt = 2;
        if (ending == kWriteFails) app.destPath = m_folder.Path() + "missing\\report.xml";
        support::InstallModel(model);
        if (ending == kNoHostData) host::StandIn::Get().UseFolder("Q:\\hostdata");
        app.SetCommandLine(ParentLine());
        const int exitValue = plat::RunApplication(app);
        m_folder.Write("prog\\KolvarenDef.ini", "[ProgramLevel]\r\nZQ13_U=2\r\n");
        plat::headless::SetModuleFilePath(m_programFolder + "Dorvik22ToZq13_U.exe");
        return exitValue;
    }
    // Events of the parent window itself; repaints under a box aside.
    std::vector<std::string> ParentEvents() const {
        const std::string p = std::to_string(m_parent);
        std::vector<std::string> events;
        for (const std::string& e : HeadlessUi::Get().Events()) {
            const std::size_t a = e.find(' ');
            const std::size_t b = e.find(' ', a == std::string::npos ? a : a + 1);
            if (a != std::string::npos && e.substr(a + 1, b == std::string::npos ? b : b - a - 1) == p &&
                e.compare(0, a, "update") != 0) {
                events.push_back(e);
            }
        }
        return events;
    }
};

struct StepCase {
    const char* name;
    Ending ending;
    ClLinkApp::RunStep step;
    std::int32_t result;
    std::vector<Box> boxes;
};

class RunStepsTest : public EndingsTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(RunStepsTest, EndsAtItsStepAndTellsItsResult) {
    const StepCase& c = GetParam();
    ScriptedApp app;
    EXPECT_EQ(RunEnding(c.ending, app), c.result);
    EXPECT_EQ(app.m_eEndStep, c.step);
    EXPECT_EQ(app.m_nResult, c.result);
    EXPECT_EQ(app.dialogShown, c.step >= ClLinkApp::RunStep::kAsk);
    // Disabled once connected; answered whatever happened.
    const std::string p = std::to_string(m_parent);
    std::vector<std::string> expected = {
        "foreground " + p, "enable " + p + " 1",
        "post " + p + " " + std::to_string(kNotify) + " 5 " + std::to_string(c.result)};
    if (c.step != ClLinkApp::RunStep::kConnect) expected.insert(expected.begin(), "enable " + p + " 0");
    EXPECT_EQ(ParentEvents(), expected);
    std::vector<Box> shown;
    for (const auto& box : Boxes()) {
        EXPECT_EQ(box.caption, texts::kCaption);
        const Owner owner = box.owner == plat::kNoWindow    ? kNoOwner
                            : box.owner == m_parent         ? kParentOwns
                            : box.owner == ProgressWindow() ? kProgressOwns
                                                            : kOtherOwner;
        shown.emplace_back(box.text, owner, box.style, box.ownerVisible);
    }
    EXPECT_EQ(shown, c.boxes);
    EXPECT_EQ(plat::PathExists(m_dest), c.result == 0);
    EXPECT_TRUE(HeadlessUi::Get().FindByTemplate(IDD_PROGRESS).empty());  // destroyed at the end
    EXPECT_TRUE(app.m_listBalance.empty());                               // released by ExitInstance
    EXPECT_EQ(HeadlessUi::Get().WaitCursorDepth(), 0);
    // The host: connected once the folder is current, the level's message
    // before any ExpSysLink, left on every path; the owner window of its
    // messages is the parent's once connected.
    std::vector<std::string> calls, expectedCalls = {"LogOut", "Terminate", "Release"};
    for (const std::string& call : host::StandIn::Get().Calls()) {
        const std::string name = call.substr(0, call.find(' '));
        for (const char* n : {"SetAppType", "SetUseDataType", "Initiate", "ExpSysLink", "DispMsg", "LogOut",
                              "Terminate", "Release"}) {
            if (name == n) calls.push_back(call);
        }
    }
    if (c.step != ClLinkApp::RunStep::kConnect)
        expectedCalls.insert(expectedCalls.begin(), c.ending == kBadLevel ? "DispMsg" : "ExpSysLink");
    if (c.ending != kNoProgramFolder)
        expectedCalls.insert(expectedCalls.begin(), {"SetAppType 5", "SetUseDataType 1", "Initiate"});
    EXPECT_EQ(calls, expectedCalls);
    EXPECT_EQ(app.shownHostOwner, app.dialogShown ? m_parent : plat::kNoWindow);
}

std::vector<StepCase> StepCases() {
    using Step = ClLinkApp::RunStep;
    const unsigned kError = 0x30, kInfo = 0x40;
    const auto parentError = [kError](const std::string& text) {
        return Box{text, kParentOwns, kError, true};
    };
    const std::string envInvalid =
        host::text::ReplaceToken(texts::kEnvInvalid, "ES_APRPACKAGENAME", kTaxFormName);
    const Box writeFailed{texts::kWriteFailed, kProgressOwns, kError, true};
    return {
        {"NoProgramFolder", kNoProgramFolder, Step::kConnect, 2, {parentError(texts::kNoProgramFolder)}},
        {"ConnectionRefused", kConnectRefused, Step::kConnect, 2, {}},
        {"NoHostData",
         kNoHostData,
         Step::kConnect,
         2,
         {{"ホストデータを読み込めません: データフォルダがありません: Q:\\hostdata", kNoOwner, kError,
           false}}},
        {"BadLevel", kBadLevel, Step::kCheck, 2, {parentError(envInvalid)}},
        {"LinkCancelled", kLinkCancelled, Step::kCheck, 1, {}},
        {"LinkFailed", kLinkFailed, Step::kCheck, 2, {}},
        {"NoDataSet", kNoDataSet, Step::kCheck, 2, {parentError(texts::kDataNotFound)}},
        {"DialogCancelled", kDialogCancelled, Step::kAsk, 1, {}},
        {"NoDialog", kNoDialog, Step::kAsk, 2, {}},
        // The failure is told while the progress window is on screen, the
        // completion after it has gone.
        {"AggregationFails", kAggregationFails, Step::kAggregate, 2, {writeFailed}},
        {"WriteFails", kWriteFails, Step::kWrite, 2, {writeFailed}},
        {"Completed", kCompleted, Step::kDone, 0, {{texts::kCompleted, kProgressOwns, kInfo, false}}},
    };
}

INSTANTIATE_TEST_SUITE_P(EachEnding, RunStepsTest, ::testing::ValuesIn(StepCases()),
                         [](const ::testing::TestParamInfo<StepCase>& param) {
                             return std::string(param.param.name);
                         });

}  // namespace
