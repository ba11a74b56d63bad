#pragma once
// Modal runs and the keys pressed in them, one table run against both
// backends: natively through the headless user interface (modal_test.cpp),
// under Wine through the system's dialog manager (win32_dialog_test.cpp). The
// dialog is built from the conditions template, whose controls both create.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialog.h"
#include "platform/keyboard.h"
#include "res/resource.h"

namespace modal_cases {

// The owner handed to the dialog: none, a window enabled or disabled before
// the run, or the handle of a window that is gone.
enum class Owner { kNone, kEnabled, kDisabled, kGone };

struct ModalCase {
    const char* name;
    const char* keys;  // pressed at the focus window once the dialog is on screen
    int result;        // of DoModal
    const char* log;   // what the dialog was told, in order
    Owner owner = Owner::kNone;
    int endInInit = 0;  // the result OnInitDialog ends the dialog with; 0 none
};

// A key of the table, "Shift+Enter@1002": with Shift held, after the focus has
// moved to control 1002 the user's way (Tab or a click).
struct Key {
    int virtualKey = 0;
    int focusId = 0;
    bool shift = false;
};
inline const std::pair<std::string, int> kKeyNames[] = {
    {"F12", plat::kVkF12}, {"Enter", plat::kVkReturn}, {"Esc", plat::kVkEscape}};

inline std::vector<Key> Keys(const char* text) {
    std::vector<Key> keys;
    std::istringstream in(text);
    for (std::string word; in >> word;) {
        Key key;
        key.shift = word.rfind("Shift+", 0) == 0;
        if (key.shift) word.erase(0, 6);
        const std::size_t at = word.find('@');
        if (at != std::string::npos) key.focusId = std::stoi(word.substr(at + 1));
        for (const auto& [name, vk] : kKeyNames)
            key.virtualKey = name == word.substr(0, at) ? vk : key.virtualKey;
        keys.push_back(key);
    }
    return keys;
}

// The conditions dialog's rules for keys: F12 without Shift runs, and Enter
// on the checkbox is the dialog's own; the run button ends the run.
class CaseDialog : public plat::Dialog {
public:
    CaseDialog(const ModalCase& c, plat::Window* owner) : plat::Dialog(IDD_CONDITIONS, owner), m_case(c) {}
    std::string log;

protected:
    bool OnInitDialog() override {
        plat::Dialog::OnInitDialog();
        const plat::Window* owner = ParentWindow();
        Log(owner == nullptr ? "init" : owner->IsEnabled() ? "init, owner enabled" : "init, owner disabled");
        if (m_case.endInInit != 0) EndDialog(m_case.endInInit);
        return true;
    }
    bool PreTranslateMessage(const plat::KeyMessage& key) override {
        const bool shift = plat::IsKeyDown(plat::kVkShift);
        int at = 0;
        for (const int id : {IDC_EDT_TO_MONTH, IDC_CHK_TAX_INCLUDED, IDC_BTN_RUN}) {
            if (GetItem(id).Handle() == key.target) at = id;
        }
        std::string name = "other";
        for (const auto& [text, vk] : kKeyNames) name = vk == key.virtualKey ? text : name;
        Log("key " + name + " at " + std::to_string(at) + (shift ? " with Shift" : "") +
            (IsVisible() ? "" : " while hidden"));
        if (key.virtualKey == plat::kVkF12 && !shift) {
            EndDialog(IDC_BTN_RUN);
            return true;
        }
        return key.virtualKey == plat::kVkReturn && at == IDC_CHK_TAX_INCLUDED;
    }
    bool OnCommand(int id) override {
        Log("command " + std::to_string(id));
        if (id == IDC_BTN_RUN) EndDialog(id);
        return id == IDC_BTN_RUN;
    }
    void OnCancel() override {
        Log("cancel");
        plat::Dialog::OnCancel();
    }
    void OnDestroy() override { Log("destroy"); }

private:
    void Log(const std::string& event) { log += (log.empty() ? "" : ", ") + event; }
    const ModalCase& m_case;
};

// The focus starts at the first tab stop, the to-month edit (1000).
inline constexpr ModalCase kCases[] = {
    {"F12GoesToPreTranslateMessageFirst", "F12", IDC_BTN_RUN, "init, key F12 at 1000, destroy"},
    {"ShiftF12IsLeftToTheDialogManager", "Shift+F12 Esc", plat::kIdCancel,
     "init, key F12 at 1000 with Shift, key Esc at 1000, cancel, destroy"},
    {"EscapeCancels", "Esc", plat::kIdCancel, "init, key Esc at 1000, cancel, destroy"},
    // No default push button: the dialog manager sends kIdOk, which this
    // dialog does not handle, so it stays.
    {"EnterOnAnEditIsTheOkCommand", "Enter Esc", plat::kIdCancel,
     "init, key Enter at 1000, command 1, key Esc at 1000, cancel, destroy"},
    {"EnterOnAPushButtonClicksIt", "Enter@1002", IDC_BTN_RUN,
     "init, key Enter at 1002, command 1002, destroy"},
    {"EnterTakenByTheDialogIsNoCommand", "Enter@1004 Esc", plat::kIdCancel,
     "init, key Enter at 1004, key Esc at 1004, cancel, destroy"},
    {"EndedDuringInitialisationNeverTakesAKey", "F12", IDC_BTN_CANCEL, "init, destroy", Owner::kNone,
     IDC_BTN_CANCEL},
    {"OwnerIsDisabledDuringTheRunOnly", "F12", IDC_BTN_RUN, "init, owner disabled, key F12 at 1000, destroy",
     Owner::kEnabled},
    {"OwnerDisabledBeforeStaysDisabled", "Esc", plat::kIdCancel,
     "init, owner disabled, key Esc at 1000, cancel, destroy", Owner::kDisabled},
    {"OwnerThatIsGoneRefusesTheRun", "F12", -1, "", Owner::kGone},
};

inline std::string CaseName(const ::testing::TestParamInfo<ModalCase>& info) {
    return info.param.name;
}
inline void PrintTo(const ModalCase& c, std::ostream* os) {
    *os << c.name;
}

// Runs the case with run, which plays its keys once the dialog is on screen
// and returns DoModal's result; then the window is gone and the owner as it
// was before the run.
inline void Check(const ModalCase& c, const std::function<int(CaseDialog&)>& run) {
    plat::Dialog ownerWindow(IDD_PROGRESS, nullptr);
    if (c.owner != Owner::kNone) {
        ASSERT_TRUE(ownerWindow.Create(plat::kNoWindow));
        ownerWindow.Show(plat::kSwShow);
        ownerWindow.Enable(c.owner == Owner::kEnabled);
    }
    plat::Window owner(ownerWindow.Handle());
    if (c.owner == Owner::kGone) ownerWindow.DestroyWindow();
    CaseDialog dialog(c, c.owner == Owner::kNone ? nullptr : &owner);
    EXPECT_EQ(run(dialog), c.result);
    EXPECT_EQ(dialog.log, c.log);
    EXPECT_FALSE(dialog.IsValid());
    if (c.owner == Owner::kEnabled || c.owner == Owner::kDisabled) {
        EXPECT_EQ(ownerWindow.IsEnabled(), c.owner == Owner::kEnabled);
    }
}

}  // namespace modal_cases
