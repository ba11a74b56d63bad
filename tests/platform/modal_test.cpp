// Modal dialogs of the headless double: initialisation, scripts playing the
// user, end results, and the modal runs and keys of the table the system's
// dialogs run too.
#include <string>
#include <vector>

#include "modal_cases.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/keyboard.h"
#include "platform/message_box.h"
#include "test_support.h"

namespace {

using platform_test::H;
using platform_test::PlatformTest;

constexpr int kTemplate = 131;
constexpr int kRunId = 1002;

class ScriptedDialog : public plat::Dialog {
public:
    explicit ScriptedDialog(plat::Window* parent = nullptr, int templateId = kTemplate)
        : plat::Dialog(templateId, parent) {}
    bool endDuringInit = false;
    std::vector<int> commands;
    int destroys = 0;
    plat::WindowHandle initHandle = plat::kNoWindow;

protected:
    bool OnInitDialog() override {
        plat::Dialog::OnInitDialog();
        initHandle = Handle();
        if (endDuringInit) EndDialog(1003);
        return true;
    }
    bool OnCommand(int id) override {
        commands.push_back(id);
        if (id == kRunId) {
            EndDialog(kRunId);
            return true;
        }
        return false;
    }
    void OnDestroy() override { ++destroys; }
};

using ModalTest = PlatformTest;

TEST_F(ModalTest, WithoutScriptEndsWithCancel) {
    ScriptedDialog dialog;
    EXPECT_EQ(dialog.DoModal(), plat::kIdCancel);
    EXPECT_EQ(dialog.Handle(), plat::kNoWindow);
    EXPECT_EQ(dialog.destroys, 1);
    EXPECT_TRUE(Ui().FindByTemplate(kTemplate).empty());
    EXPECT_TRUE(Logged("create 131"));
}

TEST_F(ModalTest, ScriptEndsTheDialogWithItsResult) {
    ScriptedDialog dialog;
    plat::WindowHandle seen = plat::kNoWindow;
    bool visibleDuringScript = false;
    Ui().QueueModalScript([&](plat::Dialog& d) {
        seen = d.Handle();
        visibleDuringScript = d.IsVisible();
        d.EndDialog(kRunId);
    });
    EXPECT_EQ(dialog.DoModal(), kRunId);
    EXPECT_NE(seen, plat::kNoWindow);
    EXPECT_TRUE(visibleDuringScript);
    EXPECT_TRUE(Ui().Find(seen)->destroyed);
    EXPECT_LT(EventIndex("end " + H(seen) + " 1002"), EventIndex("destroy " + H(seen)));
}

TEST_F(ModalTest, ScriptThatEndsNothingGivesCancel) {
    ScriptedDialog dialog;
    int runs = 0;
    Ui().QueueModalScript([&](plat::Dialog&) { ++runs; });
    EXPECT_EQ(dialog.DoModal(), plat::kIdCancel);
    EXPECT_EQ(runs, 1);
}

TEST_F(ModalTest, EndDuringInitReturnsAtOnceAndKeepsTheScript) {
    ScriptedDialog first;
    first.endDuringInit = true;
    int scriptRuns = 0;
    Ui().QueueModalScript([&](plat::Dialog& d) {
        ++scriptRuns;
        d.EndDialog(kRunId);
    });
    EXPECT_EQ(first.DoModal(), 1003);
    EXPECT_EQ(scriptRuns, 0);
    ASSERT_NE(first.initHandle, plat::kNoWindow);
    EXPECT_TRUE(Logged("end " + H(first.initHandle) + " 1003"));
    EXPECT_FALSE(Logged("show " + H(first.initHandle) + " 1"));  // never on screen
    EXPECT_TRUE(Ui().Find(first.initHandle)->destroyed);

    // The script belongs to the next modal dialog.
    ScriptedDialog second;
    EXPECT_EQ(second.DoModal(), kRunId);
    EXPECT_EQ(scriptRuns, 1);
}

TEST_F(ModalTest, ResultStandsWhenTheScriptDestroysTheWindow) {
    ScriptedDialog dialog;
    Ui().QueueModalScript([](plat::Dialog& d) {
        d.EndDialog(kRunId);
        d.DestroyWindow();
    });
    EXPECT_EQ(dialog.DoModal(), kRunId);
    EXPECT_EQ(dialog.destroys, 1);
}

TEST_F(ModalTest, ScriptsServeDialogsInOrder) {
    Ui().QueueModalScript([](plat::Dialog& d) { d.EndDialog(11); });
    Ui().QueueModalScript([](plat::Dialog& d) { d.EndDialog(22); });
    for (const int result : {11, 22, plat::kIdCancel}) EXPECT_EQ(ScriptedDialog().DoModal(), result);
}

TEST_F(ModalTest, MessageBoxFromTheScriptIsOwnedByTheVisibleDialog) {
    ScriptedDialog dialog;
    Ui().QueueMessageBoxAnswer(plat::kIdNo);
    int answer = 0;
    Ui().QueueModalScript([&](plat::Dialog& d) {
        answer = plat::ShowMessageBox(d.Handle(), "text", "caption", plat::kMbYesNo | plat::kMbIconQuestion);
        d.EndDialog(3);
    });
    EXPECT_EQ(dialog.DoModal(), 3);
    EXPECT_EQ(answer, plat::kIdNo);
    ASSERT_EQ(Ui().MessageBoxes().size(), 1u);
    EXPECT_TRUE(Ui().MessageBoxes()[0].ownerVisible);
    EXPECT_NE(Ui().MessageBoxes()[0].owner, plat::kNoWindow);
}

// On the conditions template: an automatic checkbox, a digits-only edit and push buttons.
TEST_F(ModalTest, ClickTogglesCheckBoxesAndSendsCommands) {
    ScriptedDialog dialog(nullptr, IDD_CONDITIONS);
    Ui().QueueModalScript([&](plat::Dialog& d) {
        const plat::WindowHandle check = d.GetItem(IDC_CHK_TAX_INCLUDED).Handle();
        EXPECT_TRUE(plat::headless::Click(d, IDC_CHK_TAX_INCLUDED));
        EXPECT_EQ(Ui().Find(check)->check, 1);
        EXPECT_TRUE(plat::headless::Click(d, IDC_CHK_TAX_INCLUDED));
        EXPECT_EQ(Ui().Find(check)->check, 0);
        EXPECT_EQ(plat::GetFocusWindow(), check);
        EXPECT_FALSE(plat::headless::Click(d, 4242));  // no such control
        d.GetItem(IDC_BTN_RUN).Enable(false);
        EXPECT_FALSE(plat::headless::Click(d, IDC_BTN_RUN));  // disabled
        d.GetItem(IDC_BTN_RUN).Enable(true);
        EXPECT_TRUE(plat::headless::Click(d, IDC_BTN_RUN));
    });
    EXPECT_EQ(dialog.DoModal(), IDC_BTN_RUN);
    EXPECT_EQ(dialog.commands, (std::vector<int>{IDC_CHK_TAX_INCLUDED, IDC_CHK_TAX_INCLUDED, IDC_BTN_RUN}));
}

TEST_F(ModalTest, TypeHonoursLimitAndDigitsOnly) {
    ScriptedDialog dialog(nullptr, IDD_CONDITIONS);
    plat::Edit edit;
    Ui().QueueModalScript([&](plat::Dialog& d) {
        edit.Attach(d.GetItem(IDC_EDT_TO_MONTH).Handle());
        edit.LimitText(2);
        EXPECT_TRUE(plat::headless::Type(d, IDC_EDT_TO_MONTH, "1a23"));
        EXPECT_EQ(edit.GetText(), "12");
        EXPECT_EQ(plat::GetFocusWindow(), edit.Handle());
        EXPECT_FALSE(plat::headless::Type(d, IDC_CHK_TAX_INCLUDED, "1"));  // not an edit
        d.EndDialog(1);
    });
    EXPECT_EQ(dialog.DoModal(), 1);
    // Typing is the user's, not a text the system set.
    EXPECT_EQ(Ui().Find(edit.Handle())->textSets, 0);
}

TEST_F(ModalTest, TypeKeepsDoubleByteCharactersWhole) {
    ScriptedDialog dialog(nullptr, IDD_CONDITIONS);
    Ui().QueueModalScript([&](plat::Dialog& d) {
        plat::Edit edit;
        edit.Attach(d.GetItem(IDC_EDT_DEST_PATH).Handle());
        edit.LimitText(3);
        // "表表" (0x95 0x5C twice): the second does not fit in 3 bytes.
        EXPECT_TRUE(plat::headless::Type(d, IDC_EDT_DEST_PATH, "\x95\x5C\x95\x5C"));
        EXPECT_EQ(edit.GetText(), "\x95\x5C");
        d.EndDialog(1);
    });
    EXPECT_EQ(dialog.DoModal(), 1);
}

TEST_F(ModalTest, DefaultFocusGoesToTheFirstTabStop) {
    // Template 131 has no tab stop: nothing gets the focus.
    ScriptedDialog dialog;
    plat::WindowHandle focus = 1;
    Ui().QueueModalScript([&](plat::Dialog& d) {
        focus = plat::GetFocusWindow();
        d.EndDialog(1);
    });
    EXPECT_EQ(dialog.DoModal(), 1);
    EXPECT_EQ(focus, plat::kNoWindow);
    EXPECT_EQ(plat::GetFocusWindow(), plat::kNoWindow);
}

// The shared cases: the headless user presses the keys until the dialog has ended.
class ModalCaseTest : public PlatformTest, public ::testing::WithParamInterface<modal_cases::ModalCase> {};

TEST_P(ModalCaseTest, RunsAsTheSystemsOne) {
    modal_cases::Check(GetParam(), [this](modal_cases::CaseDialog& dialog) {
        Ui().QueueModalScript([this](plat::Dialog& d) {
            for (const modal_cases::Key& key : modal_cases::Keys(GetParam().keys)) {
                if (Ui().Find(d.Handle())->ended) break;
                plat::headless::SetKeyDown(plat::kVkShift, key.shift);
                if (key.focusId != 0) d.GetItem(key.focusId).SetFocus();
                plat::headless::PressKey(d, key.virtualKey);
            }
        });
        return dialog.DoModal();
    });
}

INSTANTIATE_TEST_SUITE_P(Shared, ModalCaseTest, ::testing::ValuesIn(modal_cases::kCases),
                         modal_cases::CaseName);

}  // namespace
