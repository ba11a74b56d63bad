// Dialogs from the program's templates, as Unicode windows. Modal dialogs run
// their own message loop so that a key press reaches the dialog's
// PreTranslateMessage before the dialog manager turns Enter or Escape into a
// button command.
#include <vector>

#include "handle.h"
#include "platform/app_entry.h"
#include "platform/dialog.h"

namespace plat {

namespace {

// WM_COMMAND's code of a command that came from an accelerator.
constexpr WORD kFromAccelerator = 1;

// One modal run in progress; runs nest when a modal dialog opens another.
struct ModalRun {
    Dialog* dialog;
    bool ended;
    int result;
};

std::vector<ModalRun>& ModalRuns() {
    static std::vector<ModalRun> runs;
    return runs;
}

ModalRun* FindRun(const Dialog* dialog) {
    std::vector<ModalRun>& runs = ModalRuns();
    for (auto it = runs.rbegin(); it != runs.rend(); ++it) {
        if (it->dialog == dialog) return &*it;
    }
    return nullptr;
}

Dialog* DialogOf(HWND hWnd) {
    return reinterpret_cast<Dialog*>(::GetWindowLongPtrW(hWnd, DWLP_USER));
}

// The program's icon (WinApp::IconId) in the title bar and for Alt+Tab, at
// the system's two icon sizes; a program without one (a test) sets none.
void SetProgramIcon(HWND hWnd) {
    const WinApp* app = WinApp::Current();
    if (app == nullptr || app->IconId() == 0) return;
    const HINSTANCE exe = ::GetModuleHandleW(nullptr);
    const struct {
        WPARAM which;
        int cx;
        int cy;
    } kSizes[] = {{ICON_BIG, SM_CXICON, SM_CYICON}, {ICON_SMALL, SM_CXSMICON, SM_CYSMICON}};
    for (const auto& size : kSizes) {
        const HANDLE icon = ::LoadImageW(exe, MAKEINTRESOURCEW(app->IconId()), IMAGE_ICON,
                                         ::GetSystemMetrics(size.cx), ::GetSystemMetrics(size.cy), LR_SHARED);
        if (icon != nullptr) ::SendMessageW(hWnd, WM_SETICON, size.which, reinterpret_cast<LPARAM>(icon));
    }
}

// Centres a dialog after its initialisation, as the framework's dialogs
// start: a hidden popup that did not move itself, unowned or with its owner
// disabled (a modal run), goes to the middle of its owner when that is
// visible and not minimised, else of the primary monitor's work area, and
// stays inside the work area.
void CentreAfterInit(HWND hWnd, const RECT& before) {
    if ((::GetWindowLongW(hWnd, GWL_STYLE) & (WS_VISIBLE | WS_CHILD)) != 0) return;
    RECT rect;
    if (!::GetWindowRect(hWnd, &rect) || rect.left != before.left || rect.top != before.top) return;
    HWND owner = ::GetWindow(hWnd, GW_OWNER);
    if (owner != nullptr && ::IsWindowEnabled(owner)) return;
    if (owner != nullptr) {
        const LONG style = ::GetWindowLongW(owner, GWL_STYLE);
        if ((style & WS_VISIBLE) == 0 || (style & WS_MINIMIZE) != 0) owner = nullptr;
    }
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    RECT centre;
    if (owner == nullptr) {
        if (!::GetMonitorInfoW(::MonitorFromWindow(nullptr, MONITOR_DEFAULTTOPRIMARY), &monitor)) return;
        centre = monitor.rcWork;
    } else {
        if (!::GetWindowRect(owner, &centre) ||
            !::GetMonitorInfoW(::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor))
            return;
    }
    const RECT& area = monitor.rcWork;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    int x = (centre.left + centre.right) / 2 - width / 2;
    int y = (centre.top + centre.bottom) / 2 - height / 2;
    if (x + width > area.right) x = area.right - width;
    if (x < area.left) x = area.left;
    if (y + height > area.bottom) y = area.bottom - height;
    if (y < area.top) y = area.top;
    ::SetWindowPos(hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<Dialog*>(lParam);
        ::SetWindowLongPtrW(hWnd, DWLP_USER, static_cast<LONG_PTR>(lParam));
        if (dialog == nullptr) return TRUE;
        RECT before;
        ::GetWindowRect(hWnd, &before);
        const bool focusSet = dialog->DispatchInitDialog(win32::FromHwnd(hWnd));
        if (::IsWindow(hWnd)) {
            SetProgramIcon(hWnd);
            CentreAfterInit(hWnd, before);
        }
        return focusSet ? TRUE : FALSE;
    }
    Dialog* dialog = DialogOf(hWnd);
    if (dialog == nullptr) return FALSE;
    switch (message) {
        case WM_COMMAND: {
            // Clicks, menu items and accelerators only: notifications such as
            // an edit's change carry a code in the high word.
            const WORD code = HIWORD(wParam);
            if (code != BN_CLICKED && code != kFromAccelerator) return FALSE;
            const int id = LOWORD(wParam);
            if (id == IDCANCEL) {
                dialog->DispatchCancel();
                return TRUE;
            }
            return dialog->DispatchCommand(id) ? TRUE : FALSE;
        }
        case WM_DESTROY:
            dialog->DispatchDestroy();
            return FALSE;
        case WM_NCDESTROY:
            // The window is gone, whoever destroyed it: the object lets go.
            ::SetWindowLongPtrW(hWnd, DWLP_USER, 0);
            if (dialog->Handle() == win32::FromHwnd(hWnd)) dialog->Detach();
            return FALSE;
        default:
            return FALSE;
    }
}

HWND CreateFromTemplate(Dialog* dialog, HWND parent) {
    win32::EnsureCommonControls();
    return ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(dialog->TemplateId()), parent,
                                DialogProc, reinterpret_cast<LPARAM>(dialog));
}

// Whether the message is meant for the dialog or one of its controls.
bool IsForDialog(HWND dialog, HWND target) {
    return target != nullptr && (target == dialog || ::IsChild(dialog, target) != FALSE);
}

// Runs until the dialog is ended or its window is gone.
void RunModalLoop(Dialog& dialog, HWND hWnd) {
    MSG msg;
    while (!FindRun(&dialog)->ended && ::IsWindow(hWnd)) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1) break;
        if (got == 0) {
            // Quitting: let the dialog cancel itself, and keep the quit
            // message for the loop outside.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            if (!FindRun(&dialog)->ended) dialog.DispatchCancel();
            break;
        }
        if (msg.message == WM_KEYDOWN && IsForDialog(hWnd, msg.hwnd)) {
            KeyMessage key;
            key.target = win32::FromHwnd(msg.hwnd);
            key.virtualKey = static_cast<int>(msg.wParam);
            if (dialog.DispatchKey(key)) continue;
        }
        if (::IsDialogMessageW(hWnd, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

}  // namespace

namespace win32 {

void EnsureCommonControls() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX init;
        init.dwSize = sizeof(init);
        init.dwICC = ICC_PROGRESS_CLASS;
        return ::InitCommonControlsEx(&init) != FALSE;
    }();
    (void)registered;
}

}  // namespace win32

bool Dialog::Create(WindowHandle parent) {
    if (IsValid()) return true;
    if (parent == kNoWindow && m_pParent != nullptr) parent = m_pParent->Handle();
    m_modal = false;
    const HWND hWnd = CreateFromTemplate(this, win32::ToHwnd(parent));
    if (hWnd == nullptr) return false;
    // WM_INITDIALOG has attached the handle already; a dialog whose
    // OnInitDialog destroyed it again has none.
    if (m_hWnd == kNoWindow && ::IsWindow(hWnd)) m_hWnd = win32::FromHwnd(hWnd);
    return IsValid();
}

int Dialog::DoModal() {
    if (IsValid()) return -1;  // already on screen as a modeless dialog
    const HWND owner = (m_pParent != nullptr) ? win32::ToHwnd(m_pParent->Handle()) : nullptr;
    // Like the system's own modal loop: the owner takes no input from before
    // the dialog's initialisation until its end.
    const bool ownerWasEnabled = owner != nullptr && ::IsWindowEnabled(owner) != FALSE;
    if (ownerWasEnabled) ::EnableWindow(owner, FALSE);
    ModalRuns().push_back(ModalRun{this, false, -1});
    m_modal = true;
    const HWND hWnd = CreateFromTemplate(this, owner);
    if (hWnd != nullptr && ::IsWindow(hWnd)) {
        if (m_hWnd == kNoWindow) m_hWnd = win32::FromHwnd(hWnd);
        if (!FindRun(this)->ended) {
            ::ShowWindow(hWnd, SW_SHOW);
            ::UpdateWindow(hWnd);
        }
        RunModalLoop(*this, hWnd);
    }
    // Otherwise the template is missing, or OnInitDialog ended the dialog
    // and destroyed it already.

    const ModalRun run = *FindRun(this);
    // Re-enable the owner before the dialog goes, so that the activation
    // returns to it and not to another program.
    if (ownerWasEnabled) ::EnableWindow(owner, TRUE);
    if (hWnd != nullptr && ::IsWindow(hWnd)) {
        ::ShowWindow(hWnd, SW_HIDE);
        ::DestroyWindow(hWnd);
    }
    m_hWnd = kNoWindow;
    std::vector<ModalRun>& runs = ModalRuns();
    for (auto it = runs.begin(); it != runs.end(); ++it) {
        if (it->dialog == this) {
            runs.erase(it);
            break;
        }
    }
    m_modal = false;
    return run.ended ? run.result : -1;
}

void Dialog::EndDialog(int result) {
    if (m_modal) {
        if (ModalRun* run = FindRun(this)) {
            run->ended = true;
            run->result = result;
        }
        // Wakes the loop when it waits in GetMessage.
        if (IsValid()) ::PostMessageW(win32::ToHwnd(m_hWnd), WM_NULL, 0, 0);
        return;
    }
    if (!IsValid()) return;
    ::ShowWindow(win32::ToHwnd(m_hWnd), SW_HIDE);
    ::EndDialog(win32::ToHwnd(m_hWnd), result);
}

void Dialog::DestroyWindow() {
    if (m_hWnd == kNoWindow) return;
    const HWND hWnd = win32::ToHwnd(m_hWnd);
    if (::IsWindow(hWnd)) ::DestroyWindow(hWnd);
    m_hWnd = kNoWindow;
}

}  // namespace plat
