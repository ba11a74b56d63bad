#include "link_driver.h"

#include <algorithm>
#include <cstdio>

namespace e2e {

const char kBoxCaption[] = "科目内訳書";
const char kDialogCaption[] = "科目内訳書 - 集計条件";
const char kProgressCaption[] = "集計中";

namespace {

const char kClassName[] = "LinkDriverParent";
// Answers from the child's thread, which may just be back from a long busy
// stretch (the aggregation): no SMTO_ABORTIFHUNG, with which a message box's
// text read at that moment came back empty.
const UINT kSendTimeoutMs = 10000;

TimeoutReporter g_reporter = nullptr;

void ReportTimeout(const std::string& what, DWORD timeoutMs) {
    if (g_reporter != nullptr) g_reporter(what + " (" + std::to_string(timeoutMs) + " ms)");
}

struct WindowSearch {
    DWORD processId;
    const std::string* caption;  // nullptr: any message box
    const std::vector<HWND>* skip;
    HWND found;
};

bool IsMessageBox(HWND hwnd) {
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    return std::string(cls) == "#32770" && WindowText(hwnd) == kBoxCaption &&
           GetDlgItem(hwnd, 0xFFFF) != nullptr;
}

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lParam) {
    auto* s = reinterpret_cast<WindowSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != s->processId || !IsWindowVisible(hwnd)) return TRUE;
    if (s->skip && std::find(s->skip->begin(), s->skip->end(), hwnd) != s->skip->end()) return TRUE;
    const bool box = IsMessageBox(hwnd);
    // The progress window shows its percentage behind its caption.
    if (s->caption == nullptr ? box : (!box && WindowText(hwnd).rfind(*s->caption, 0) == 0)) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// Top-level windows of the child, then the children of the parent window:
// the progress window is made a child of a parent application's window.
HWND FindChildWindow(HWND parent, WindowSearch& s) {
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&s));
    if (s.found == nullptr && parent != nullptr)
        EnumChildWindows(parent, MatchWindow, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

bool Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, DWORD_PTR* result = nullptr) {
    DWORD_PTR r = 0;
    const LRESULT ok = SendMessageTimeoutW(hwnd, msg, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &r);
    if (result) *result = r;
    return ok != 0;
}

MessageBoxSeen Describe(HWND box) {
    MessageBoxSeen seen;
    seen.hwnd = box;
    seen.caption = WindowText(box);
    seen.text = ControlText(box, 0xFFFF);
    seen.owner = GetWindow(box, GW_OWNER);
    return seen;
}

}  // namespace

void SetTimeoutReporter(TimeoutReporter reporter) {
    g_reporter = reporter;
}

LinkDriver::LinkDriver() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
    // Larger than the program's dialog in any font: the dialog starts centred
    // on it rather than pushed inside the screen.
    m_hWnd = CreateWindowA(kClassName, "Link parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 800, 600,
                           nullptr, nullptr, GetModuleHandleA(nullptr), this);
}

LinkDriver::~LinkDriver() {
    if (m_pi.hProcess) {
        if (WaitForSingleObject(m_pi.hProcess, 0) != WAIT_OBJECT_0) {
            TerminateProcess(m_pi.hProcess, 1);
            WaitForSingleObject(m_pi.hProcess, 5000);
        }
        CloseHandle(m_pi.hThread);
        CloseHandle(m_pi.hProcess);
    }
    if (m_hWnd) DestroyWindow(m_hWnd);
}

LRESULT CALLBACK LinkDriver::WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<LinkDriver*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (self && msg == WM_ENABLE) self->m_enableChanges.push_back(wParam != 0);
    // Dispatched here when another driver of this thread drained it.
    if (self && msg == kNotifyMessage) {
        self->m_posted = true;
        self->m_wParam = wParam;
        self->m_lParam = lParam;
        return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

std::string LinkDriver::ParentCommandLine(int functionId) const {
    return std::to_string(reinterpret_cast<UINT_PTR>(m_hWnd)) + "," + std::to_string(kNotifyMessage) + "," +
           std::to_string(functionId);
}

std::string LinkDriver::ParentCommandLine(int functionId, const std::string& path) const {
    return ParentCommandLine(functionId) + "," + path;
}

bool LinkDriver::Start(const std::string& exePath, const std::string& args, bool quotePath) {
    std::string cmd = quotePath ? "\"" + exePath + "\"" : exePath;
    if (!args.empty()) cmd += " " + args;
    return StartLine(Wide(cmd));
}

bool LinkDriver::StartLine(std::wstring commandLine) {
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    return CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                          &m_pi) != FALSE;
}

void LinkDriver::Drain() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void LinkDriver::CheckExited() {
    if (m_exited || m_pi.hProcess == nullptr) return;
    if (WaitForSingleObject(m_pi.hProcess, 0) == WAIT_OBJECT_0) {
        m_exited = true;
        GetExitCodeProcess(m_pi.hProcess, &m_exitCode);
        // Its last posted message is queued by now.
        Drain();
    }
}

void LinkDriver::Pump(DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        Drain();
        CheckExited();
        const DWORD spent = GetTickCount() - start;
        if (spent >= ms) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(ms - spent, 20), QS_ALLINPUT);
    }
}

HWND LinkDriver::WaitForWindow(const std::string& caption, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        WindowSearch s = {m_pi.dwProcessId, &caption, nullptr, nullptr};
        if (HWND found = FindChildWindow(m_hWnd, s)) return found;
        if (m_exited) break;
        Pump(20);
    } while (GetTickCount() - start < timeoutMs);
    ReportTimeout("a window captioned \"" + ToUtf8(caption) + "\"" + (m_exited ? ": the program ended" : ""),
                  timeoutMs);
    return nullptr;
}

bool LinkDriver::WaitFor(const std::function<bool()>& condition, DWORD timeoutMs, const std::string& what) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= timeoutMs) {
            ReportTimeout(what, timeoutMs);
            return false;
        }
        Pump(20);
    }
    return true;
}

bool LinkDriver::WaitForWindowGone(HWND hwnd, DWORD timeoutMs) {
    return WaitFor([hwnd] { return !IsWindow(hwnd) || !IsWindowVisible(hwnd); }, timeoutMs,
                   "the window \"" + ToUtf8(WindowText(hwnd)) + "\" to close");
}

HWND LinkDriver::FindMessageBox() const {
    WindowSearch s = {m_pi.dwProcessId, nullptr, &m_answered, nullptr};
    return FindChildWindow(m_hWnd, s);
}

MessageBoxSeen LinkDriver::WaitForMessageBox(DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        if (HWND found = FindMessageBox()) return Describe(found);
        if (m_exited) break;
        Pump(20);
    } while (GetTickCount() - start < timeoutMs);
    ReportTimeout(std::string("a message box") + (m_exited ? ": the program ended" : ""), timeoutMs);
    return MessageBoxSeen();
}

bool LinkDriver::Answer(const MessageBoxSeen& box, int button) {
    if (box.hwnd == nullptr) return false;
    m_answered.push_back(box.hwnd);
    const HWND hButton = GetDlgItem(box.hwnd, button);
    return hButton != nullptr && PostMessageA(hButton, BM_CLICK, 0, 0) != FALSE;
}

bool LinkDriver::WaitForExit(DWORD timeoutMs, int autoAnswer, std::vector<MessageBoxSeen>* seen) {
    const DWORD start = GetTickCount();
    while (!m_exited) {
        if (timeoutMs != INFINITE && GetTickCount() - start >= timeoutMs) {
            ReportTimeout("the program to end", timeoutMs);
            TerminateProcess(m_pi.hProcess, 1);
            WaitForSingleObject(m_pi.hProcess, 5000);
            CheckExited();
            return false;
        }
        if (autoAnswer != 0 || seen != nullptr) {
            if (HWND found = FindMessageBox()) {
                const MessageBoxSeen box = Describe(found);
                if (seen) seen->push_back(box);
                if (autoAnswer != 0) {
                    // A box without that button has OK alone.
                    Answer(box, GetDlgItem(found, autoAnswer) != nullptr ? autoAnswer : IDOK);
                } else {
                    m_answered.push_back(found);  // reported once; the person answers
                }
            }
        }
        Pump(20);
    }
    return true;
}

namespace {

BOOL CALLBACK FindEnabledTopWindow(HWND hwnd, LPARAM found) {
    if (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

}  // namespace

HWND LinkDriver::FocusWindow() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(m_pi.dwThreadId, &info)) return nullptr;
    if (info.hwndFocus != nullptr || info.hwndActive != nullptr) return info.hwndFocus;
    // Nothing of the child is active. Without a window manager under Xvfb,
    // the X focus may go nowhere when a message box closes, where a desktop
    // would give it back to the dialog; activate the dialog as a user's click
    // on it would, and it restores its own focus control.
    HWND top = nullptr;
    EnumThreadWindows(m_pi.dwThreadId, FindEnabledTopWindow, reinterpret_cast<LPARAM>(&top));
    if (top == nullptr || !SetForegroundWindow(top)) return nullptr;
    for (int i = 0; i < 50; ++i) {
        Sleep(10);
        if (GetGUIThreadInfo(m_pi.dwThreadId, &info) && info.hwndFocus != nullptr) return info.hwndFocus;
    }
    return nullptr;
}

bool LinkDriver::PressKey(int virtualKey) {
    const HWND focus = FocusWindow();
    if (focus == nullptr) return false;
    const UINT scan = MapVirtualKeyA(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC);
    const LPARAM down = static_cast<LPARAM>(1u | (scan << 16));
    const LPARAM up = static_cast<LPARAM>(1u | (scan << 16) | (1u << 30) | (1u << 31));
    return PostMessageA(focus, WM_KEYDOWN, static_cast<WPARAM>(virtualKey), down) != FALSE &&
           PostMessageA(focus, WM_KEYUP, static_cast<WPARAM>(virtualKey), up) != FALSE;
}

bool LinkDriver::TypeChars(HWND dialog, int id, const std::string& text) {
    const HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) return false;
    for (wchar_t c : Wide(text)) {
        if (!PostMessageW(control, WM_CHAR, c, 1)) return false;
    }
    return true;
}

std::string WindowText(HWND hwnd) {
    wchar_t buf[1024] = {};
    GetWindowTextW(hwnd, buf, 1024);
    return Narrow(buf);
}

std::string ControlText(HWND dialog, int id) {
    const HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) return "";
    // WM_GETTEXT itself: GetWindowText does not ask a window of another
    // process, so it would miss an edit control's current text.
    wchar_t buf[1024] = {};
    Send(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf));
    return Narrow(buf);
}

bool IsChecked(HWND dialog, int id) {
    DWORD_PTR state = 0;
    const HWND control = GetDlgItem(dialog, id);
    return control != nullptr && Send(control, BM_GETCHECK, 0, 0, &state) && state == BST_CHECKED;
}

bool IsControlEnabled(HWND dialog, int id) {
    const HWND control = GetDlgItem(dialog, id);
    return control != nullptr && IsWindowEnabled(control) != FALSE;
}

void EditSelection(HWND dialog, int id, DWORD& start, DWORD& end) {
    DWORD_PTR sel = 0;
    const HWND control = GetDlgItem(dialog, id);
    if (control == nullptr || !Send(control, EM_GETSEL, 0, 0, &sel)) sel = 0;
    start = LOWORD(sel);
    end = HIWORD(sel);
}

bool SetControlText(HWND dialog, int id, const std::string& text) {
    const HWND control = GetDlgItem(dialog, id);
    return control != nullptr && Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
}

bool ClickButton(HWND dialog, int id) {
    const HWND control = GetDlgItem(dialog, id);
    return control != nullptr && PostMessageA(control, BM_CLICK, 0, 0) != FALSE;
}

bool SendCommand(HWND dialog, int id) {
    const HWND control = GetDlgItem(dialog, id);
    return control != nullptr && PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                              reinterpret_cast<LPARAM>(control)) != FALSE;
}

bool CloseByCloseBox(HWND hwnd) {
    return PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE;
}

bool SaveScreenshot(HWND hwnd, const std::string& bmpPath) {
    RECT r;
    if (!GetWindowRect(hwnd, &r)) return false;
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return false;

    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = height;  // bottom-up, as a BMP file stores it
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    bi.bmiHeader.biSizeImage = imageSize;

    const HDC screen = GetDC(nullptr);
    const HDC mem = CreateCompatibleDC(screen);
    void* bits = nullptr;
    const HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = bmp != nullptr;
    if (ok) {
        const HGDIOBJ old = SelectObject(mem, bmp);
        ok = BitBlt(mem, 0, 0, width, height, screen, r.left, r.top, SRCCOPY | CAPTUREBLT) != FALSE;
        GdiFlush();
        SelectObject(mem, old);
    }
    if (ok) {
        BITMAPFILEHEADER fh = {};
        fh.bfType = 0x4D42;  // "BM"
        fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
        fh.bfSize = fh.bfOffBits + imageSize;
        FILE* f = std::fopen(bmpPath.c_str(), "wb");
        ok = f != nullptr && std::fwrite(&fh, sizeof fh, 1, f) == 1 &&
             std::fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f) == 1 &&
             std::fwrite(bits, imageSize, 1, f) == 1;
        if (f != nullptr && std::fclose(f) != 0) ok = false;
    }
    if (bmp) DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
}

std::string WindowsPathOf(const std::string& posixPath) {
    std::string p = "Z:" + posixPath;
    std::replace(p.begin(), p.end(), '/', '\\');
    return p;
}

std::string ToUtf8(const std::string& cp932) {
    const int wide = MultiByteToWideChar(932, 0, cp932.c_str(), -1, nullptr, 0);
    if (wide <= 0) return cp932;
    std::wstring w(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(932, 0, cp932.c_str(), -1, &w[0], wide);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return cp932;
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, &out[0], bytes, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(bytes) - 1);
    return out;
}

std::wstring Wide(const std::string& cp932) {
    if (cp932.empty()) return std::wstring();
    const int size = static_cast<int>(cp932.size());
    const int wide = MultiByteToWideChar(932, 0, cp932.data(), size, nullptr, 0);
    std::wstring w(static_cast<std::size_t>(wide > 0 ? wide : 0), L'\0');
    if (wide > 0) MultiByteToWideChar(932, 0, cp932.data(), size, &w[0], wide);
    return w;
}

std::string Narrow(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int size = static_cast<int>(text.size());
    const int bytes =
        WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr, 0, "?", nullptr);
    std::string out(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, text.data(), size, &out[0], bytes, "?", nullptr);
    return out;
}

}  // namespace e2e
