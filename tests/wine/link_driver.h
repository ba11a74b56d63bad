#pragma once
// Drives the link component from another process under Wine, the way a user
// and a parent application would: starts the exe (alone, or with this
// driver's own window as the parent), finds its dialog and message boxes by
// caption, reads and types into controls, presses keys and buttons, and
// takes screenshots. Every wait pumps this thread's messages: the child
// sends WM_ENABLE to the parent window and posts its result there.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// Captions of the program's windows, code page 932.
extern const char kBoxCaption[];       // 科目内訳書
extern const char kDialogCaption[];    // 科目内訳書 - 集計条件
extern const char kProgressCaption[];  // 集計中

// Told what a wait of the driver waited for when it gives up (the tests turn
// it into a failure); none by default.
using TimeoutReporter = void (*)(const std::string& what);
void SetTimeoutReporter(TimeoutReporter reporter);

struct MessageBoxSeen {
    HWND hwnd = nullptr;
    std::string caption;
    std::string text;  // the static control 0xFFFF
    HWND owner = nullptr;
};

class LinkDriver {
public:
    static constexpr UINT kNotifyMessage = WM_APP + 0x123;

    LinkDriver();
    ~LinkDriver();  // ends a child that is still running
    LinkDriver(const LinkDriver&) = delete;
    LinkDriver& operator=(const LinkDriver&) = delete;

    // The driver's own top-level window, which plays the parent application.
    HWND ParentWindow() const { return m_hWnd; }
    // "hwnd,msg,fid,path" naming ParentWindow(); without a path the line is
    // incomplete (three fields).
    std::string ParentCommandLine(int functionId, const std::string& path) const;
    std::string ParentCommandLine(int functionId) const;

    // Starts exePath with args after the program path, quoted unless told
    // otherwise (a parent may write it either way).
    bool Start(const std::string& exePath, const std::string& args, bool quotePath = true);
    // Starts the whole command line, for a program path code page 932 cannot name.
    bool StartLine(std::wstring commandLine);
    DWORD ProcessId() const { return m_pi.dwProcessId; }
    DWORD ThreadId() const { return m_pi.dwThreadId; }

    // Pumps messages for ms milliseconds.
    void Pump(DWORD ms);
    // A visible window of the child whose caption begins with caption
    // (message boxes excluded); nullptr after timeoutMs. Every wait reports
    // what it waited for when it gives up (SetTimeoutReporter).
    HWND WaitForWindow(const std::string& caption, DWORD timeoutMs);
    HWND WaitForDialog(DWORD timeoutMs = 20000) { return WaitForWindow(kDialogCaption, timeoutMs); }
    // Pumps until condition holds; false after timeoutMs, reporting what.
    bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs, const std::string& what);
    // Waits until hwnd is gone or hidden; false after timeoutMs.
    bool WaitForWindowGone(HWND hwnd, DWORD timeoutMs);
    // The next message box of the child not answered yet; hwnd nullptr after
    // timeoutMs or when the child has ended.
    MessageBoxSeen WaitForMessageBox(DWORD timeoutMs = 20000);
    // Clicks the box's button (IDOK, IDYES, IDNO) and remembers the box as
    // answered.
    bool Answer(const MessageBoxSeen& box, int button);
    // Waits for the child to end, answering each message box with the
    // button autoAnswer, or OK where the box has no such button (0 leaves
    // them, for a person); the boxes met are appended to seen when given.
    // True when the child ended in time; else the child is ended, so that
    // nothing of it is left showing.
    bool WaitForExit(DWORD timeoutMs, int autoAnswer = IDOK, std::vector<MessageBoxSeen>* seen = nullptr);

    bool Exited() const { return m_exited; }
    DWORD ExitCode() const { return m_exitCode; }
    // The result message posted to ParentWindow().
    bool Posted() const { return m_posted; }
    WPARAM PostedWParam() const { return m_wParam; }
    LPARAM PostedLParam() const { return m_lParam; }
    // WM_ENABLE received by ParentWindow(), in order (false = disabled).
    const std::vector<bool>& EnableChanges() const { return m_enableChanges; }

    // The child thread's focus window (GetGUIThreadInfo).
    HWND FocusWindow() const;
    // Posts WM_KEYDOWN and WM_KEYUP to the focus window; false without one.
    bool PressKey(int virtualKey);
    // Posts WM_CHAR for each byte of text to the control (focused or not).
    bool TypeChars(HWND dialog, int id, const std::string& text);

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Drain();
    void CheckExited();
    HWND FindMessageBox() const;

    HWND m_hWnd = nullptr;
    PROCESS_INFORMATION m_pi = {};
    bool m_exited = false;
    DWORD m_exitCode = STILL_ACTIVE;
    bool m_posted = false;
    WPARAM m_wParam = 0;
    LPARAM m_lParam = 0;
    std::vector<bool> m_enableChanges;
    std::vector<HWND> m_answered;  // a box may stay visible a moment after its click
};

// Reading and changing the child's windows; all work across processes. Texts
// go through the W functions and code page 932 named explicitly, so that the
// driver reads and writes the program's Shift_JIS texts under any system
// code page.
std::string WindowText(HWND hwnd);
std::string ControlText(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
bool IsControlEnabled(HWND dialog, int id);
// The selection of an edit control (EM_GETSEL).
void EditSelection(HWND dialog, int id, DWORD& start, DWORD& end);
// WM_SETTEXT, as a program would set the text.
bool SetControlText(HWND dialog, int id, const std::string& text);
// BM_CLICK: the button presses itself (a checkbox toggles) and notifies the
// dialog.
bool ClickButton(HWND dialog, int id);
// WM_COMMAND with BN_CLICKED, as the dialog manager sends for a button.
bool SendCommand(HWND dialog, int id);
// The close box: WM_SYSCOMMAND SC_CLOSE.
bool CloseByCloseBox(HWND hwnd);
// The window's rectangle on screen as a 24-bit BMP file (BitBlt from the
// screen DC).
bool SaveScreenshot(HWND hwnd, const std::string& bmpPath);

// "Z:\..." for a POSIX path, as Wine maps its root.
std::string WindowsPathOf(const std::string& posixPath);
// Code page 932 text as UTF-8 (the terminal under Wine reads UTF-8).
std::string ToUtf8(const std::string& cp932);
// Code page 932 text as UTF-16 and back ('?' for a character without a code).
std::wstring Wide(const std::string& cp932);
std::string Narrow(const std::wstring& text);

}  // namespace e2e
