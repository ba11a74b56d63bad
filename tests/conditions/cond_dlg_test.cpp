// The conditions dialog played through the headless user interface: what it
// offers on start, the keyboard table, and each check of the run button with
// its message, buttons and where the focus goes.
#include "conditions/cond_dlg.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/app_texts.h"
#include "conditions/cond_texts.h"
#include "host/acc_connect.h"
#include "host/stand_in.h"
#include "platform/files.h"
#include "platform/headless_windows/drive_table.h"
#include "platform/headless_windows/headless_ui.h"
#include "platform/headless_windows/test_knobs.h"
#include "res/resource.h"
#include "tests/support/host_models.h"
#include "tests/support/save_request.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/standin_fixture.h"

namespace {

using plat::headless::HeadlessUi;
using plat::headless::MessageBoxRecord;
using plat::headless::WindowState;

constexpr unsigned kError = 0x30;     // OK, exclamation
constexpr unsigned kQuestion = 0x24;  // Yes and No, question
constexpr unsigned kInfo = 0x40;      // OK, information
constexpr int kStillOpen = -2;        // the result of a dialog the script left open

class CondDlgTest : public support::StandInTest {
protected:
    void SetUp() override {
        HeadlessUi::Get().Reset();
        for (int vk : {plat::kVkShift, plat::kVkControl, plat::kVkMenu})
            plat::headless::SetKeyDown(vk, false);
        m_out = m_folder.MakeDir("out");
        m_model = support::ShellModel();
        m_model.appFolder[0] = m_out;
        m_model.appFolder[1] = m_folder.Path() + "settings\\";
        plat::headless::SetTempDir("T:\\tmp\\");
    }

    // Runs the dialog with the script playing the user; returns the end
    // result, kStillOpen when the dialog was still open after the script.
    int Run(std::function<void(ClCondDlg&)> script) {
        Connect(m_model);
        HeadlessUi::Get().QueueModalScript([this, script](plat::Dialog& d) {
            auto& dlg = static_cast<ClCondDlg&>(d);
            m_handle = dlg.Handle();
            if (script) script(dlg);
            if (!HeadlessUi::Get().Find(m_handle)->ended) dlg.EndDialog(kStillOpen);
        });
        m_dlg.m_nPeriodStart = 20250401;
        m_dlg.m_nPeriodEnd = 20260331;
        std::snprintf(m_dlg.m_szUserID, sizeof m_dlg.m_szUserID, "TANAKA");
        std::snprintf(m_dlg.m_szDataID, sizeof m_dlg.m_szDataID, "D0003");
        return m_dlg.DoModal();
    }
    static const WindowState& Item(ClCondDlg& dlg, int id) {
        return *HeadlessUi::Get().Find(dlg.GetItem(id).Handle());
    }
    static bool Focused(ClCondDlg& dlg, int id) { return plat::GetFocusWindow() == dlg.GetItem(id).Handle(); }
    static bool AllSelected(ClCondDlg& dlg, int id) {
        const WindowState& edit = Item(dlg, id);
        return Focused(dlg, id) && edit.selStart == 0 && edit.selEnd == static_cast<int>(edit.text.size()) &&
               edit.scrollCarets > 0;
    }
    static std::vector<std::string> BoxTexts() {
        std::vector<std::string> texts;
        for (const MessageBoxRecord& box : HeadlessUi::Get().MessageBoxes()) texts.push_back(box.text);
        return texts;
    }

    support::ScratchFolder m_folder;
    std::string m_out;
    host::HostModel m_model;
    ClCondDlg m_dlg;
    plat::WindowHandle m_handle = plat::kNoWindow;
};

TEST_F(CondDlgTest, WithoutARecordOffersThePeriodTheTaxSettingAndTheDefaultFolder) {
    for (const bool taxDefault : {false, true}) {
        HeadlessUi::Get().Reset();
        m_model.dataSets[1].taxIncludedDefault = taxDefault;
        m_dlg.m_strCompanyName = " Co";
        m_dlg.m_strPeriod = " 2025/04/01";
        std::vector<std::string> calls;
        const int result = Run([&](ClCondDlg& d) {
            EXPECT_EQ(Item(d, IDC_STC_COMPANY).text, " Co");
            EXPECT_EQ(Item(d, IDC_STC_PERIOD).text, " 2025/04/01");
            EXPECT_EQ(Item(d, IDC_STC_FROM_MONTH).text, "4");
            EXPECT_EQ(Item(d, IDC_EDT_TO_MONTH).text, "3");
            EXPECT_EQ(Item(d, IDC_EDT_TO_MONTH).textLimit, 2);
            EXPECT_EQ(Item(d, IDC_EDT_DEST_PATH).text, m_out + "*.xml");
            EXPECT_EQ(Item(d, IDC_EDT_DEST_PATH).textLimit, 255);
            EXPECT_EQ(Item(d, IDC_CHK_TAX_INCLUDED).check, taxDefault ? 1 : 0);
            EXPECT_EQ(d.m_nTaxIncluded, taxDefault ? 1 : 0);
            EXPECT_TRUE(Focused(d, IDC_EDT_TO_MONTH));
            EXPECT_TRUE(Item(d, IDC_EDT_DEST_PATH).enabled);
            calls = host::StandIn::Get().Calls();
        });
        EXPECT_EQ(result, kStillOpen);
        // The record is looked for first; the tax settings are read for the
        // data set the host has selected; the default folder comes last.
        const std::vector<std::string> expected = {
            "GetAppFolderPath 1", "GetSetObject 5 1",   "GetSetObject 4 1",
            "GetSetMgr",          "AttachSetMgr",       "GetSelectedInfo",
            "SetCurDataID",       "ClSetShohizei::Get", "GetAppFolderPath 0"};
        std::vector<std::string> hostCalls;
        for (const std::string& c : calls) {
            if (c.rfind("GetAppFolderPath", 0) == 0 || c.rfind("GetSet", 0) == 0 || c == "AttachSetMgr" ||
                c == "GetSelectedInfo" || c == "SetCurDataID" || c == "ClSetShohizei::Get")
                hostCalls.push_back(c);
        }
        EXPECT_EQ(hostCalls, expected) << taxDefault;
    }
}

TEST_F(CondDlgTest, DefaultDestinationFallsBackToTheTemporaryFolder) {
    struct Case {
        std::string temp;
        std::string expected;
        bool hostAnswersNull = false;  // no folder text at all, not an empty one
    };
    // 表 ends in 0x5C: it is a character, not a separator, and gets one.
    // 260 bytes fit the system's buffer, 261 do not: such a text is none.
    const std::string fits = "T:\\" + std::string(256, 'f') + "\\";
    const std::string over = "T:\\" + std::string(257, 'o') + "\\";
    const Case cases[] = {{"T:\\tmp\\", "T:\\tmp\\*.xml"},
                          {"T:\\\x95\x5C", "T:\\\x95\x5C\\*.xml"},
                          {"", "*.xml"},
                          {fits, fits + "*.xml"},
                          {over, "*.xml"},
                          {"T:\\tmp\\", "T:\\tmp\\*.xml", true}};
    m_model.appFolder[0].clear();
    for (const Case& c : cases) {
        m_model.appFolderNull[0] = c.hostAnswersNull;
        HeadlessUi::Get().Reset();
        plat::headless::SetTempDir(c.temp);
        std::string shown;
        Run([&](ClCondDlg& d) { shown = Item(d, IDC_EDT_DEST_PATH).text; });
        EXPECT_EQ(shown, c.expected) << c.temp.size();
    }
}

TEST_F(CondDlgTest, RememberedChoicesReplaceTheDefaultsButNotTheFromMonth) {
    m_folder.MakeDir("settings");
    m_folder.Write("settings\\Dorvik22ToZq13_U.env", "TANAKA/D0003:1/9/T:\\out\\last.xml\n");
    m_model.dataSets[1].taxIncludedDefault = false;
    Run([&](ClCondDlg& d) {
        EXPECT_EQ(Item(d, IDC_STC_FROM_MONTH).text, "4");
        EXPECT_EQ(Item(d, IDC_EDT_TO_MONTH).text, "9");
        EXPECT_EQ(Item(d, IDC_CHK_TAX_INCLUDED).check, 1);
        EXPECT_EQ(Item(d, IDC_EDT_DEST_PATH).text, "T:\\out\\last.xml");
    });
    EXPECT_EQ(m_dlg.m_szSavedDestPath, "T:\\out\\last.xml");
    EXPECT_EQ(host::StandIn::Get().CallCount("ClSetShohizei::Get"), 0u);
}

TEST_F(CondDlgTest, HandedOverPathIsFixedAndNotAskedAbout) {
    ASSERT_TRUE(m_folder.Write("out\\given.xml", "old"));
    const std::string given = m_folder.Path("out\\given.xml");
    m_dlg.m_strGivenDestPath = given;
    const int result = Run([&](ClCondDlg& d) {
        EXPECT_EQ(Item(d, IDC_EDT_DEST_PATH).text, given);
        EXPECT_FALSE(Item(d, IDC_EDT_DEST_PATH).enabled);
        EXPECT_FALSE(Item(d, IDC_BTN_BROWSE).enabled);
        EXPECT_EQ(Item(d, IDC_GRP_DEST).text, cond_texts::kDestGroupFixed);
        plat::headless::Click(d, IDC_CHK_TAX_INCLUDED);
        EXPECT_TRUE(plat::headless::PressKey(d, plat::kVkReturn));
        EXPECT_TRUE(Focused(d, IDC_BTN_RUN));
        plat::headless::PressKey(d, plat::kVkReturn);  // runs: the existing file is not asked about
    });
    EXPECT_EQ(result, ClCondDlg::kResultRun);
    EXPECT_TRUE(HeadlessUi::Get().MessageBoxes().empty());
    EXPECT_EQ(m_dlg.m_bDestFixed, 1);
    EXPECT_EQ(m_dlg.m_strDestPath, given);
}

TEST_F(CondDlgTest, PastResultsAreRefusedBeforeTheDialogIsShown) {
    m_dlg.m_bPastData = 1;
    bool scripted = false;
    EXPECT_EQ(Run([&](ClCondDlg&) { scripted = true; }), ClCondDlg::kResultCancel);
    EXPECT_FALSE(scripted);
    ASSERT_EQ(HeadlessUi::Get().MessageBoxes().size(), 1u);
    const MessageBoxRecord& box = HeadlessUi::Get().MessageBoxes()[0];
    EXPECT_EQ(box.text, cond_texts::kPastData);
    EXPECT_EQ(box.caption, texts::kCaption);
    EXPECT_EQ(box.style, kError);
    EXPECT_NE(box.owner, plat::kNoWindow);
    for (const std::string& e : HeadlessUi::Get().Events()) EXPECT_NE(e.rfind("show ", 0), 0u) << e;
}

TEST_F(CondDlgTest, EscTheCloseBoxAndTheCancelButtonEachCancelWithTheNotice) {
    const std::vector<std::function<void(ClCondDlg&)>> ways = {
        [](ClCondDlg& d) { plat::headless::PressKey(d, plat::kVkEscape); },
        [](ClCondDlg& d) { d.DispatchCancel(); },  // the close box
        [](ClCondDlg& d) { plat::headless::Click(d, IDC_BTN_CANCEL); },
    };
    for (const auto& way : ways) {
        HeadlessUi::Get().Reset();
        EXPECT_EQ(Run(way), ClCondDlg::kResultCancel);
        ASSERT_EQ(HeadlessUi::Get().MessageBoxes().size(), 1u);
        const MessageBoxRecord& box = HeadlessUi::Get().MessageBoxes()[0];
        EXPECT_EQ(box.text, cond_texts::kCancelled);
        EXPECT_EQ(box.caption, texts::kCaption);
        EXPECT_EQ(box.style, kInfo);
        EXPECT_EQ(box.owner, m_handle);
    }
}

// Where Enter goes, by the control that has the focus; F12 runs from
// anywhere; a modifier leaves the key to the dialog manager, whose Enter
// must not end the dialog.
TEST_F(CondDlgTest, KeyTable) {
    struct Case {
        int focus;
        int key;
        int modifier;  // 0: none
        int focusAfter;
        std::size_t boxes;  // message boxes shown (OnRun's month check)
        std::size_t saveFiles;
    };
    const Case cases[] = {
        {IDC_EDT_TO_MONTH, plat::kVkReturn, 0, IDC_CHK_TAX_INCLUDED, 0, 0},
        {IDC_CHK_TAX_INCLUDED, plat::kVkReturn, 0, IDC_EDT_DEST_PATH, 0, 0},
        {IDC_EDT_DEST_PATH, plat::kVkReturn, 0, IDC_BTN_BROWSE, 0, 0},
        {IDC_BTN_BROWSE, plat::kVkReturn, 0, IDC_BTN_RUN, 0, 1},
        {IDC_BTN_RUN, plat::kVkReturn, 0, IDC_EDT_TO_MONTH, 1, 0},
        {IDC_EDT_DEST_PATH, plat::kVkF12, 0, IDC_EDT_TO_MONTH, 1, 0},
        {IDC_EDT_TO_MONTH, plat::kVkReturn, plat::kVkShift, IDC_EDT_TO_MONTH, 0, 0},
        {IDC_EDT_TO_MONTH, plat::kVkReturn, plat::kVkControl, IDC_EDT_TO_MONTH, 0, 0},
        {IDC_CHK_TAX_INCLUDED, plat::kVkReturn, plat::kVkMenu, IDC_CHK_TAX_INCLUDED, 0, 0},
        {IDC_EDT_TO_MONTH, plat::kVkF12, plat::kVkControl, IDC_EDT_TO_MONTH, 0, 0},
    };
    for (const Case& c : cases) {
        HeadlessUi::Get().Reset();
        const int result = Run([&](ClCondDlg& d) {
            plat::headless::Type(d, IDC_EDT_TO_MONTH, "");  // fails the month check if OnRun runs
            d.GetItem(c.focus).SetFocus();
            if (c.modifier != 0) plat::headless::SetKeyDown(c.modifier, true);
            const bool consumed = plat::headless::PressKey(d, c.key);
            if (c.modifier != 0) plat::headless::SetKeyDown(c.modifier, false);
            EXPECT_EQ(consumed, c.modifier == 0) << c.focus << " " << c.key;
            EXPECT_TRUE(Focused(d, c.focusAfter)) << c.focus << " " << c.key << " " << c.modifier;
        });
        EXPECT_EQ(result, kStillOpen) << c.focus << " " << c.key << " " << c.modifier;
        EXPECT_EQ(HeadlessUi::Get().MessageBoxes().size(), c.boxes) << c.focus << " " << c.key;
        EXPECT_EQ(HeadlessUi::Get().SaveFiles().size(), c.saveFiles) << c.focus << " " << c.key;
    }
}

TEST_F(CondDlgTest, MonthRangeFailureSelectsTheToMonth) {
    for (const char* toMonth : {"", "0", "13"}) {
        HeadlessUi::Get().Reset();
        bool selected = false;
        Run([&](ClCondDlg& d) {
            plat::headless::Type(d, IDC_EDT_TO_MONTH, toMonth);
            d.GetItem(IDC_EDT_DEST_PATH).SetFocus();
            plat::headless::Click(d, IDC_BTN_RUN);
            selected = AllSelected(d, IDC_EDT_TO_MONTH);
        });
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{cond_texts::kBadMonthRange}) << toMonth;
        EXPECT_EQ(HeadlessUi::Get().MessageBoxes()[0].style, kError);
        EXPECT_TRUE(selected) << toMonth;
    }
}

// Each destination check in its order: the messages shown (with the
// answers given), whether the dialog ended with a run, and what is on disk.
TEST_F(CondDlgTest, DestinationChecks) {
    m_folder.Write("out\\exists.xml", "old");
    m_folder.Write("out\\afile", "a file, not a folder");
    plat::headless::MapRoot("R:", "/nonexistent", plat::kDriveCdrom);
    const std::string longName(261 - m_out.size(), 'a');  // with the folder: 261 bytes
    struct Answered {
        std::string text;
        unsigned style;
    };
    struct Case {
        std::string path;
        std::vector<int> answers;
        std::vector<Answered> boxes;
        bool runs;
        std::string mustExist = "";  // a folder that must exist afterwards
        std::string mustNotExist = "";
    };
    const Answered kBadChars{cond_texts::kBadDestChars, kError};
    const Answered kMissing{cond_texts::kFolderMissing, kQuestion};
    const Answered kExists{cond_texts::kFileExists, kQuestion};
    const Answered kNotCreated{cond_texts::kFolderNotCreated, kError};
    const std::vector<Case> cases = {
        {m_out + "a,b.xml", {}, {kBadChars}, false},
        {m_out + "*.xml", {}, {kBadChars}, false},
        {"T:\\\\out\\r.xml", {}, {kBadChars}, false},
        {m_out + longName, {}, {{cond_texts::kDestTooLong, kError}}, false},
        {m_out + longName.substr(1), {}, {}, true},
        {"R:\\r.xml", {}, {{cond_texts::kBadDrive, kError}}, false},
        {"1:\\r.xml", {}, {{cond_texts::kBadDrive, kError}}, false},
        {m_out, {}, {{cond_texts::kNoFileName, kError}}, false},
        {"T:\\out", {}, {{cond_texts::kNoFileName, kError}}, false},
        {"T:\\new\\sub\\r.xml", {plat::kIdNo}, {kMissing}, false, "", "T:\\new"},
        {"T:\\new\\sub\\r.xml", {plat::kIdYes}, {kMissing}, true, "T:\\new\\sub"},
        {"T:\\out\\afile\\sub\\r.xml",
         {plat::kIdYes},
         {kMissing, kNotCreated},
         false,
         "",
         "T:\\out\\afile\\sub"},
        // A drive that does not exist: creating its levels creates nothing.
        {"Q:\\x.xml",
         {plat::kIdYes},
         {{"指定されたフォルダは存在しません。\n\n作成してもよろしいですか？", kQuestion},
          {"フォルダの作成に失敗しました。\n\n出力先を再入力してください。", kError}},
         false},
        {m_out + "exists.xml", {plat::kIdNo}, {kExists}, false},
        {m_out + "exists.xml", {plat::kIdYes}, {kExists}, true},
        {m_out + "new.xml", {}, {}, true},
    };
    for (const Case& c : cases) {
        HeadlessUi::Get().Reset();
        for (int answer : c.answers) HeadlessUi::Get().QueueMessageBoxAnswer(answer);
        bool backToPath = false;
        const int result = Run([&](ClCondDlg& d) {
            plat::headless::Type(d, IDC_EDT_TO_MONTH, "3");
            plat::headless::Type(d, IDC_EDT_DEST_PATH, "");
            HeadlessUi::Get().FindMutable(d.GetItem(IDC_EDT_DEST_PATH).Handle())->text = c.path;
            plat::headless::Click(d, IDC_BTN_RUN);
            backToPath = AllSelected(d, IDC_EDT_DEST_PATH);
        });
        const auto& boxes = HeadlessUi::Get().MessageBoxes();
        ASSERT_EQ(boxes.size(), c.boxes.size()) << c.path;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            EXPECT_EQ(boxes[i].text, c.boxes[i].text) << c.path;
            EXPECT_EQ(boxes[i].style, c.boxes[i].style) << c.path;
            EXPECT_EQ(boxes[i].caption, texts::kCaption);
            EXPECT_EQ(boxes[i].owner, m_handle);
        }
        EXPECT_EQ(result, c.runs ? ClCondDlg::kResultRun : kStillOpen) << c.path;
        EXPECT_EQ(backToPath, !c.runs) << c.path;
        if (!c.mustExist.empty()) {
            EXPECT_TRUE(plat::IsDirectory(c.mustExist)) << c.path;
        }
        if (!c.mustNotExist.empty()) {
            EXPECT_FALSE(plat::PathExists(c.mustNotExist)) << c.path;
        }
    }
}

TEST_F(CondDlgTest, EmptyPathAsksForOneThroughTheSaveDialog) {
    HeadlessUi::Get().QueueSaveFileAnswer(std::string("T:\\out\\picked.xml"));
    Run([&](ClCondDlg& d) {
        plat::headless::Type(d, IDC_EDT_TO_MONTH, "3");
        plat::headless::Type(d, IDC_EDT_DEST_PATH, "");
        plat::headless::PressKey(d, plat::kVkF12);
        EXPECT_EQ(Item(d, IDC_EDT_DEST_PATH).text, "T:\\out\\picked.xml");
        EXPECT_TRUE(Focused(d, IDC_BTN_RUN));
    });
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{cond_texts::kNoDest});
    ASSERT_EQ(HeadlessUi::Get().SaveFiles().size(), 1u);
}

TEST_F(CondDlgTest, BrowseAsksForAnExistingXmlFileWhereThePathPoints) {
    struct Case {
        std::string path;
        std::string folder;
        std::string name;
    };
    // A remembered path is shown whole; the name buffer holds 260 bytes, and
    // a name that does not fit is not offered cut.
    const std::string fits(260, 'n');
    const Case cases[] = {{"T:\\out\\r.xml", "T:\\out\\", "r.xml"},
                          {"T:r.xml", "T:", "r.xml"},
                          {"r", "", "r"},
                          {"T:\\" + fits, "T:\\", fits},
                          {"T:\\" + fits + "x", "T:\\", ""}};
    for (const Case& c : cases) {
        HeadlessUi::Get().Reset();
        Run([&](ClCondDlg& d) {
            plat::headless::Type(d, IDC_EDT_DEST_PATH, "");
            HeadlessUi::Get().FindMutable(d.GetItem(IDC_EDT_DEST_PATH).Handle())->text = c.path;
            plat::headless::Click(d, IDC_BTN_BROWSE);
            EXPECT_EQ(Item(d, IDC_EDT_DEST_PATH).text, c.path);  // cancelled: unchanged
        });
        ASSERT_EQ(HeadlessUi::Get().SaveFiles().size(), 1u);
        support::ExpectRequest(HeadlessUi::Get().SaveFiles()[0].request,
                               support::BrowseRequest(m_handle, c.folder, c.name));
    }
}

TEST_F(CondDlgTest, TaxCheckboxClicksAreTheResult) {
    m_model.dataSets[1].taxIncludedDefault = true;
    Run([&](ClCondDlg& d) {
        plat::headless::Click(d, IDC_CHK_TAX_INCLUDED);
        EXPECT_EQ(d.m_nTaxIncluded, 0);
        plat::headless::Click(d, IDC_CHK_TAX_INCLUDED);
        plat::headless::Click(d, IDC_CHK_TAX_INCLUDED);
    });
    EXPECT_EQ(m_dlg.m_nTaxIncluded, 0);
}

}  // namespace
