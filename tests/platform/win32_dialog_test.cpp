// Dialogs, controls and windows of the real system under Wine (needs an X
// display), and the compiled resources against res::FindDialogTemplate.
#include <gtest/gtest.h>
#include <windows.h>
// The common controls need the types of windows.h before them.
#include <commctrl.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "control_cases.h"
#include "modal_cases.h"
#include "platform/app_entry.h"
#include "platform/controls.h"
#include "platform/cursor.h"
#include "platform/dialog.h"
#include "platform/keyboard.h"
#include "platform/message_box.h"
#include "platform/resources.h"
#include "platform/window.h"
#include "res/resource.h"
#include "resource_tables.h"
#include "win32_user.h"

namespace {

HWND H(plat::WindowHandle handle) {
    return reinterpret_cast<HWND>(handle);
}

std::string ToCp932(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int size =
        WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), &out[0], size, nullptr, nullptr);
    return out;
}

std::string CharUpperOf(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

// ---- The compiled template, read field by field (DLGTEMPLATEEX layout).

class TemplateReader {
public:
    TemplateReader(const unsigned char* data, std::size_t size) : m_data(data), m_size(size) {}
    bool ok() const { return m_ok; }
    std::uint16_t Word() { return Take<std::uint16_t>(); }
    std::uint32_t Dword() { return Take<std::uint32_t>(); }
    std::uint8_t Byte() { return Take<std::uint8_t>(); }
    std::int16_t Short() { return Take<std::int16_t>(); }
    // A zero-terminated UTF-16 text, or an ordinal (0xFFFF, value) shown as "#value".
    std::wstring SzOrOrd() {
        const std::uint16_t first = Word();
        if (first == 0xFFFF) return L"#" + std::to_wstring(Word());
        std::wstring text;
        for (std::uint16_t c = first; c != 0 && m_ok; c = Word()) text += static_cast<wchar_t>(c);
        return text;
    }
    void AlignDword() { m_pos = (m_pos + 3) & ~static_cast<std::size_t>(3); }
    void Skip(std::size_t bytes) { m_pos += bytes; }

private:
    template <typename T>
    T Take() {
        T value{};
        m_ok = m_ok && m_pos + sizeof(T) <= m_size;
        if (m_ok) std::memcpy(&value, m_data + m_pos, sizeof(T));
        m_pos += sizeof(T);
        return value;
    }
    const unsigned char* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
    bool m_ok = true;
};

// The resource compiler stores the predefined classes as ordinals.
std::string ClassName(const std::wstring& stored) {
    if (stored == L"#128") return "BUTTON";
    if (stored == L"#129") return "EDIT";
    if (stored == L"#130") return "STATIC";
    return CharUpperOf(ToCp932(stored));
}

class Win32TemplateTest : public ::testing::TestWithParam<int> {};

TEST_P(Win32TemplateTest, CompiledTemplateEqualsTheTable) {
    const int id = GetParam();
    const res::DialogTemplate* tmpl = res::FindDialogTemplate(id);
    ASSERT_NE(tmpl, nullptr);
    const HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));  // RT_DIALOG
    ASSERT_NE(found, nullptr);
    const HGLOBAL loaded = LoadResource(nullptr, found);
    ASSERT_NE(loaded, nullptr);
    TemplateReader r(static_cast<const unsigned char*>(LockResource(loaded)), SizeofResource(nullptr, found));

    EXPECT_EQ(r.Word(), 1);       // dlgVer
    EXPECT_EQ(r.Word(), 0xFFFF);  // signature of the extended template
    r.Dword();                    // help id
    EXPECT_EQ(r.Dword(), 0u);     // extended style
    EXPECT_EQ(r.Dword(), tmpl->style);
    const int count = r.Word();
    EXPECT_EQ(r.Short(), 0);
    EXPECT_EQ(r.Short(), 0);
    EXPECT_EQ(r.Short(), tmpl->cx);
    EXPECT_EQ(r.Short(), tmpl->cy);
    EXPECT_EQ(r.SzOrOrd(), L"");  // no menu
    EXPECT_EQ(r.SzOrOrd(), L"");  // the standard dialog class
    EXPECT_EQ(ToCp932(r.SzOrOrd()), tmpl->caption);
    ASSERT_TRUE(tmpl->style & DS_SETFONT);
    EXPECT_EQ(r.Word(), tmpl->fontPoints);
    EXPECT_EQ(r.Word(), 0);     // weight
    EXPECT_EQ(r.Byte(), 0);     // italic
    EXPECT_EQ(r.Byte(), 0x80);  // SHIFTJIS_CHARSET
    EXPECT_EQ(ToCp932(r.SzOrOrd()), tmpl->fontFace);
    ASSERT_TRUE(r.ok());

    ASSERT_EQ(count, static_cast<int>(tmpl->controls.size()));
    for (const res::ControlTemplate& control : tmpl->controls) {
        r.AlignDword();
        r.Dword();                 // help id
        EXPECT_EQ(r.Dword(), 0u);  // extended style
        EXPECT_EQ(r.Dword(), control.style | WS_CHILD | WS_VISIBLE) << control.id;
        EXPECT_EQ(r.Short(), control.x);
        EXPECT_EQ(r.Short(), control.y);
        EXPECT_EQ(r.Short(), control.cx);
        EXPECT_EQ(r.Short(), control.cy);
        // Unaddressed statics carry -1 in the low word.
        EXPECT_EQ(static_cast<std::int16_t>(r.Dword() & 0xFFFFu), control.id);
        // Class names are case-insensitive.
        EXPECT_EQ(ClassName(r.SzOrOrd()), CharUpperOf(control.className)) << control.id;
        EXPECT_EQ(ToCp932(r.SzOrOrd()), control.text);
        r.Skip(r.Word());  // creation data
        ASSERT_TRUE(r.ok());
    }
}

INSTANTIATE_TEST_SUITE_P(Templates, Win32TemplateTest, ::testing::Values(IDD_CONDITIONS, IDD_PROGRESS));

TEST(Win32Resources, VersionStringEqualsTheTable) {
    ASSERT_NE(res::FindString(IDS_PROGRAM_VERSION), nullptr);
    EXPECT_EQ(plat::LoadResString(IDS_PROGRAM_VERSION), res::FindString(IDS_PROGRAM_VERSION));
    EXPECT_EQ(plat::LoadResString(IDS_PROGRAM_VERSION), "22.03.00");
    EXPECT_EQ(plat::LoadResString(4321), "");
}

// ---- Dialogs and controls.

class ProgressWindow : public plat::Dialog {
public:
    ProgressWindow() : plat::Dialog(IDD_PROGRESS, nullptr) {}
    plat::ProgressCtrl m_overall;
    plat::ProgressCtrl m_activity;
    int m_destroyed = 0;

protected:
    void DoDataExchange(plat::DataExchange& dx) override {
        dx.Control(IDC_PRG_ACTIVITY, m_activity);
        dx.Control(IDC_PRG_OVERALL, m_overall);
    }
    void OnDestroy() override { ++m_destroyed; }
};

// A progress window made from its template before the test.
class Win32Dialog : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(window.Create(plat::kNoWindow)); }
    ProgressWindow window;
};

// A deferred bar keeps its changes (reads answer them, with the control's
// own wrap) and tells the control its last state only when flushed.
TEST_F(Win32Dialog, DeferredProgressBarReachesTheControlOnlyWhenFlushed) {
    plat::ProgressCtrl& bar = window.m_activity;
    const HWND control = H(bar.Handle());
    bar.SetRange(0, 5);
    bar.SetStep(1);
    bar.SetDeferred(true);
    for (int i = 0; i < 6; ++i) bar.StepIt();
    EXPECT_EQ(bar.GetPos(), 1);
    EXPECT_EQ(SendMessageA(control, PBM_GETPOS, 0, 0), 0);
    bar.Flush();
    EXPECT_EQ(SendMessageA(control, PBM_GETPOS, 0, 0), 1);
    bar.StepIt();
    plat::FlushDeferredBars(window.Handle());  // what a message box over the window does
    EXPECT_EQ(SendMessageA(control, PBM_GETPOS, 0, 0), 2);
    bar.SetRange(0, 100);
    bar.SetDeferred(false);
    PBRANGE range = {0, 0};
    SendMessageA(control, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iHigh, 100);
    bar.StepIt();  // straight to the control again
    EXPECT_EQ(SendMessageA(control, PBM_GETPOS, 0, 0), 3);
}

TEST_F(Win32Dialog, ModelessProgressWindowFromItsTemplate) {
    ASSERT_TRUE(window.IsValid());
    EXPECT_FALSE(window.IsVisible());  // the template is not visible on creation
    EXPECT_EQ(window.GetText(), "集計中");
    ASSERT_TRUE(window.m_overall.IsValid());
    ASSERT_TRUE(window.m_activity.IsValid());
    EXPECT_EQ(win32_user::ClassOf(H(window.m_overall.Handle())), "msctls_progress32");
    EXPECT_EQ(GetDlgCtrlID(H(window.m_activity.Handle())), IDC_PRG_ACTIVITY);
    EXPECT_FALSE(window.GetItem(4711).IsValid());

    window.Show(plat::kSwShow);
    EXPECT_TRUE(window.IsVisible());
    window.SetText("集計中 50％");
    EXPECT_EQ(window.GetText(), "\x8F\x57\x8C\x76\x92\x86\x20\x35\x30\x81\x93");
    EXPECT_TRUE(window.Update());
    window.BringToTop();

    window.EndDialog(1);  // a modeless dialog leaves the screen
    EXPECT_FALSE(window.IsVisible());
    EXPECT_TRUE(window.IsValid());
    window.DestroyWindow();
    EXPECT_FALSE(window.IsValid());
    EXPECT_EQ(window.m_destroyed, 1);
    window.DestroyWindow();  // twice is harmless
    EXPECT_EQ(window.m_destroyed, 1);
}

class SharedBarCases : public Win32Dialog, public ::testing::WithParamInterface<control_cases::BarCase> {};

TEST_P(SharedBarCases, MatchTheSystem) {
    control_cases::Run(window.m_activity, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Bars, SharedBarCases, ::testing::ValuesIn(control_cases::kCases),
                         control_cases::CaseName<control_cases::BarCase>);

TEST_F(Win32Dialog, EditAndButtonControls) {
    const HWND edit =
        CreateWindowExA(0, "EDIT", "C:\\out\\科目内訳書.xml", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0,
                        100, 20, H(window.Handle()), reinterpret_cast<HMENU>(2001), nullptr, nullptr);
    const HWND check =
        CreateWindowExA(0, "BUTTON", "税込", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 0, 30, 100, 20,
                        H(window.Handle()), reinterpret_cast<HMENU>(2002), nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(check, nullptr);

    plat::Edit editCtrl;
    editCtrl.Attach(window.GetItem(2001).Handle());
    editCtrl.LimitText(260);
    EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 260);
    editCtrl.SetSel(0, -1);
    DWORD start = 99;
    DWORD end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    // The whole text: Wine counts characters, Windows counts an ANSI edit's
    // positions in bytes.
    EXPECT_TRUE(end == static_cast<DWORD>(GetWindowTextLengthW(edit)) ||
                end == static_cast<DWORD>(GetWindowTextLengthA(edit)))
        << end;
    editCtrl.ScrollCaret();
    EXPECT_EQ(editCtrl.GetText(), "C:\\out\\科目内訳書.xml");
    editCtrl.SetFocus();
    EXPECT_EQ(plat::GetFocusWindow(), editCtrl.Handle());

    plat::Button button;
    button.Attach(window.GetItem(2002).Handle());
    EXPECT_EQ(button.GetCheck(), BST_UNCHECKED);
    button.SetCheck(BST_CHECKED);
    EXPECT_EQ(button.GetCheck(), BST_CHECKED);
    EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_CHECKED);
}

// The edit's limit counts bytes of code page 932, as the program's ANSI
// edits did: a typed character that does not fit is refused, a paste is cut
// to the whole characters that fit, a character without a code counts as the
// '?' it reads as.
TEST_F(Win32Dialog, EditLimitCountsBytesOfCodePage932) {
    const HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 100, 20,
                                      H(window.Handle()), reinterpret_cast<HMENU>(2003), nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    plat::Edit limited;
    limited.Attach(reinterpret_cast<plat::WindowHandle>(edit));
    limited.LimitText(5);
    struct Input {
        UINT message;
        const wchar_t* text;
        const char* expected;
    };
    const Input kInputs[] = {
        {WM_CHAR, L"\x8868\x8868\x8868", "\x95\x5C\x95\x5C"},  // 表表, the third one byte short
        {WM_CHAR, L"A\x00E9", "\x95\x5C\x95\x5C\x41"},         // 表表A
        {EM_REPLACESEL, L"\xFF71\x8868\x8868\x8868", "\x95\x5C\x95\x5C\x41"},  // at the end: no room
        {WM_SETTEXT, L"", ""},
        {EM_REPLACESEL, L"\x00E9\xFF71\x8868\x8868\x8868", "?\xB1\x95\x5C"},  // éｱ表, cut whole
    };
    for (const Input& input : kInputs) {
        SendMessageW(edit, EM_SETSEL, 0x7FFF, 0x7FFF);
        if (input.message == WM_CHAR) {
            for (const wchar_t* c = input.text; *c != 0; ++c) SendMessageW(edit, WM_CHAR, *c, 1);
        } else {
            SendMessageW(edit, input.message, TRUE, reinterpret_cast<LPARAM>(input.text));
        }
        EXPECT_EQ(limited.GetText(), input.expected) << input.message;
    }
    DWORD caret = 0;
    SendMessageW(edit, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    EXPECT_EQ(caret, 3u);  // behind what was taken
}

// Beside the end-to-end suite's centred dialogs: a dialog that moved itself
// while it was initialised stays there, and a modeless one without owner,
// as the progress window starts, goes to the middle of the work area.
class MovingDialog : public plat::Dialog {
public:
    MovingDialog() : plat::Dialog(IDD_CONDITIONS, nullptr) {}
    RECT m_shown = {};

protected:
    bool OnInitDialog() override {
        plat::Dialog::OnInitDialog();
        SetWindowPos(H(Handle()), nullptr, 3, 4, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        PostMessageW(H(Handle()), WM_KEYDOWN, VK_F12, 0);
        return true;
    }
    bool PreTranslateMessage(const plat::KeyMessage&) override {
        GetWindowRect(H(Handle()), &m_shown);
        EndDialog(1002);
        return true;
    }
};

TEST_F(Win32Dialog, CentredUnlessMovedWhileInitialised) {
    MovingDialog moved;
    ASSERT_EQ(moved.DoModal(), 1002);
    EXPECT_EQ(moved.m_shown.left, 3);
    EXPECT_EQ(moved.m_shown.top, 4);

    RECT work = {};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    ProgressWindow progress;
    ASSERT_TRUE(progress.Create(plat::kNoWindow));
    RECT r = {};
    GetWindowRect(H(progress.Handle()), &r);
    EXPECT_NEAR(r.left + r.right, work.left + work.right, 2);
    EXPECT_NEAR(r.top + r.bottom, work.top + work.bottom, 2);
}

TEST(Win32Window, LongTextsComeBackWhole) {
    ProgressWindow window;
    ASSERT_TRUE(window.Create(plat::kNoWindow));
    std::string text;
    for (int i = 0; i < 3000; ++i) text += "表ソA";
    window.SetText(text);
    EXPECT_EQ(window.GetText(), text);
    window.SetText("");
    EXPECT_EQ(window.GetText(), "");
}

// A wait's keep-alive answers what another thread sends the thread's windows
// and leaves what was posted queued.
TEST(Win32Window, AnswerSentMessagesAnswersSentAndKeepsPosted) {
    ProgressWindow window;
    ASSERT_TRUE(window.Create(plat::kNoWindow));
    const HWND hWnd = reinterpret_cast<HWND>(window.Handle());
    ASSERT_TRUE(PostMessageW(hWnd, WM_APP, 0, 0));
    std::atomic<bool> answered{false};
    std::thread sender([&] {
        DWORD_PTR result = 0;
        answered = SendMessageTimeoutW(hWnd, WM_NULL, 0, 0, SMTO_NORMAL, 3000, &result) != 0;
    });
    for (int i = 0; i < 200 && !answered; ++i) {
        plat::AnswerSentMessages();
        Sleep(10);
    }
    sender.join();
    EXPECT_TRUE(answered);
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, hWnd, WM_APP, WM_APP, PM_REMOVE));
}

TEST(Win32Window, EnableParentPostAndFocus) {
    ProgressWindow parent;
    ProgressWindow child;
    ASSERT_TRUE(parent.Create(plat::kNoWindow));
    ASSERT_TRUE(child.Create(plat::kNoWindow));
    parent.Show(plat::kSwShow);

    EXPECT_TRUE(parent.IsEnabled());
    EXPECT_FALSE(parent.Enable(false));  // it was enabled before
    EXPECT_FALSE(parent.IsEnabled());
    EXPECT_TRUE(parent.Enable(true));  // it was disabled before
    EXPECT_TRUE(parent.IsEnabled());

    // A top-level window's parent was the desktop.
    EXPECT_EQ(H(child.SetParentWindow(parent.Handle())), GetDesktopWindow());
    EXPECT_EQ(GetAncestor(H(child.Handle()), GA_PARENT), H(parent.Handle()));

    const unsigned kNotify = WM_APP + 7;
    ASSERT_TRUE(parent.Post(kNotify, static_cast<std::uintptr_t>(-3), 2));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, H(parent.Handle()), kNotify, kNotify, PM_REMOVE));
    EXPECT_EQ(static_cast<int>(msg.wParam), -3);
    EXPECT_EQ(msg.lParam, 2);

    EXPECT_TRUE(parent.SetForeground());
    EXPECT_TRUE(parent.BringToTop());
    parent.SetFocus();  // a dialog hands the focus on to one of its controls
    const HWND focus = H(plat::GetFocusWindow());
    EXPECT_TRUE(focus == H(parent.Handle()) || IsChild(H(parent.Handle()), focus));
}

class Win32NoWindow : public ::testing::TestWithParam<control_cases::NoWindowCase> {};

TEST_P(Win32NoWindow, ChangesNothing) {
    control_cases::ExpectNothingChanges(GetParam().handle);
}

INSTANTIATE_TEST_SUITE_P(Shared, Win32NoWindow, ::testing::ValuesIn(control_cases::kNoWindows),
                         control_cases::CaseName<control_cases::NoWindowCase>);

// ---- Modal runs: the shared cases, their keys played into the real modal loop.

// One key at each tick of a thread timer, whose message comes only when the
// queue is empty: each key has been handled, with the commands it sent,
// before the next. A dialog still running after the last key is ended with
// kStillRunning.
constexpr int kStillRunning = -2;
struct KeyPlayer {
    std::vector<modal_cases::Key> keys;
    std::size_t next;
    plat::Dialog* dialog;
} g_player;

void SetShift(bool down) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(state);
}

void CALLBACK PressNextKey(HWND, UINT, UINT_PTR, DWORD) {
    if (g_player.next == g_player.keys.size()) {
        g_player.dialog->EndDialog(kStillRunning);
        return;
    }
    const modal_cases::Key& key = g_player.keys[g_player.next++];
    SetShift(key.shift);
    const HWND dialog = H(g_player.dialog->Handle());
    // The dialog manager's own move, as Tab makes it: a push button becomes the default one.
    if (key.focusId != 0) {
        SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, key.focusId)), TRUE);
    }
    PostMessageW(GetFocus(), WM_KEYDOWN, static_cast<WPARAM>(key.virtualKey), 0);
}

class Win32ModalCase : public ::testing::TestWithParam<modal_cases::ModalCase> {};

TEST_P(Win32ModalCase, RunsAsTheHeadlessOne) {
    modal_cases::Check(GetParam(), [this](modal_cases::CaseDialog& dialog) {
        g_player = {modal_cases::Keys(GetParam().keys), 0, &dialog};
        const UINT_PTR timer = SetTimer(nullptr, 0, 1, PressNextKey);
        const int result = dialog.DoModal();
        KillTimer(nullptr, timer);
        SetShift(false);
        return result;
    });
}

INSTANTIATE_TEST_SUITE_P(Shared, Win32ModalCase, ::testing::ValuesIn(modal_cases::kCases),
                         modal_cases::CaseName);

TEST_F(Win32Dialog, MissingTemplate) {
    plat::Dialog dialog(4711, nullptr);
    EXPECT_FALSE(dialog.Create(plat::kNoWindow));
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_FALSE(dialog.IsValid());
}

// ---- Message boxes, answered from a second thread like a user would.

struct BoxSeen {
    std::string text;
    bool hasIcon = false;
    bool hasYesNo = false;
    bool hasOk = false;
};

// A visible static control that shows an icon.
BOOL CALLBACK FindIcon(HWND child, LPARAM param) {
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child) &&
        SendMessageA(child, STM_GETICON, 0, 0) != 0) {
        reinterpret_cast<BoxSeen*>(param)->hasIcon = true;
    }
    return TRUE;
}

BoxSeen Look(HWND box) {
    BoxSeen seen;
    char text[512] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
    seen.text = text;
    EnumChildWindows(box, FindIcon, reinterpret_cast<LPARAM>(&seen));
    seen.hasYesNo = GetDlgItem(box, IDYES) != nullptr && GetDlgItem(box, IDNO) != nullptr;
    seen.hasOk = GetDlgItem(box, IDOK) != nullptr;
    return seen;
}

// A box as shown and answered: its owner, texts and style, the button the user
// presses, and what the user saw.
struct BoxCase {
    const char* name;
    plat::WindowHandle owner;
    const char* text;
    const char* caption;
    unsigned style;
    int press;
    bool icon;
    bool yesNo;  // Yes and No, else OK
};
const BoxCase kBoxes[] = {
    {"ShowsTheTextsAndReturnsTheAnswer", plat::kNoWindow, "上書きしますか？", "科目内訳書",
     plat::kMbYesNo | plat::kMbIconQuestion, plat::kIdNo, true, true},
    {"OwnerThatIsGoneStillShowsTheMessage", 0x7FFF1234, "本文", "pwin gone owner",
     plat::kMbOk | plat::kMbIconExclamation, plat::kIdOk, true, false},
    {"PlainBoxHasNoIcon", plat::kNoWindow, "x", "pwin plain", plat::kMbOk, plat::kIdOk, false, false},
};

class Win32MessageBox : public ::testing::TestWithParam<BoxCase> {};

TEST_P(Win32MessageBox, ShowsAndAnswers) {
    const BoxCase& c = GetParam();
    BoxSeen seen;
    win32_user::User user(c.caption, [&](HWND box) {
        seen = Look(box);
        PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(c.press), 0);
    });
    const int answer = plat::ShowMessageBox(c.owner, c.text, c.caption, c.style);
    ASSERT_TRUE(user.Found());
    EXPECT_EQ(answer, c.press);
    EXPECT_EQ(seen.text, c.text);
    EXPECT_EQ(seen.hasIcon, c.icon);
    EXPECT_EQ(seen.hasYesNo, c.yesNo);
    EXPECT_EQ(seen.hasOk, !c.yesNo);
}

INSTANTIATE_TEST_SUITE_P(Boxes, Win32MessageBox, ::testing::ValuesIn(kBoxes),
                         [](const ::testing::TestParamInfo<BoxCase>& row) { return row.param.name; });

// ---- The program's entry point.

class RecordingApp : public plat::WinApp {
public:
    std::vector<std::string> m_calls;
    bool InitInstance() override {
        m_calls.push_back("init " + CommandLine());
        return false;
    }
    int ExitInstance() override {
        m_calls.push_back("exit");
        return 42;
    }
};

TEST(Win32Entry, WinMainRunsTheApplicationWithItsCommandLine) {
    // The process's own command line after the program name, not the
    // runtime's lpCmdLine (command_line_e2e_test starts the real program).
    RecordingApp app;
    char commandLine[] = "655362,32769,7,C:\\出力\\a,b.xml";
    const std::string tail(plat::CommandLineTail(GetCommandLineA()));
    ASSERT_NE(tail, commandLine);
    EXPECT_EQ(WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWNORMAL), 42);
    EXPECT_EQ(app.m_calls, (std::vector<std::string>{"init " + tail, "exit"}));
}

// ---- Cursor and keys.

TEST(Win32Cursor, WaitCursorNestsAndEndsOnce) {
    const HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
    const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    plat::BeginWaitCursor();
    EXPECT_EQ(GetCursor(), wait);
    plat::BeginWaitCursor();
    plat::EndWaitCursor();
    EXPECT_EQ(GetCursor(), wait);  // still one level deep
    plat::RestoreNormalCursor();
    EXPECT_EQ(GetCursor(), arrow);
    plat::EndWaitCursor();
    plat::EndWaitCursor();  // one too many: the next begin is one level deep
    plat::BeginWaitCursor();
    plat::EndWaitCursor();
    EXPECT_EQ(GetCursor(), arrow);
}

TEST(Win32Keyboard, KeyStateOfTheThread) {
    BYTE state[256] = {};
    ASSERT_TRUE(GetKeyboardState(state));
    state[VK_F12] = 0x80;
    state[VK_SHIFT] = 0x01;  // toggled, not down
    ASSERT_TRUE(SetKeyboardState(state));
    EXPECT_TRUE(plat::IsKeyDown(plat::kVkF12));
    EXPECT_FALSE(plat::IsKeyDown(plat::kVkShift));
    state[VK_F12] = 0;
    state[VK_SHIFT] = 0;
    ASSERT_TRUE(SetKeyboardState(state));
    EXPECT_FALSE(plat::IsKeyDown(plat::kVkF12));
}

}  // namespace
