#pragma once
// Plays a parent application under Wine: a real window of its own, the link
// component started with "hwnd,msg,fid,path", and what the child does to the
// window and posts to it.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct ChildMessageBox {
    std::string caption;
    std::string text;
    bool ownedByParent = false;
};

struct ParentRunResult {
    bool started = false;
    bool exited = false;  // the child process ended within the time limit
    bool posted = false;  // the notify message arrived
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    // WM_ENABLE notifications received, in order (false = disabled).
    std::vector<bool> enableChanges;
    bool enabledAtEnd = true;
    std::vector<ChildMessageBox> messageBoxes;
};

class ParentHarness {
public:
    ParentHarness();
    ~ParentHarness();
    HWND Window() const { return m_hWnd; }

    // Starts exePath with commandLine (appended after the quoted program
    // path), pumps messages until the child has ended and its message has
    // been received, or until timeoutMs. Message boxes of the child are
    // answered with the button id the callback returns (IDOK by default).
    ParentRunResult Run(const std::string& exePath, const std::string& commandLine, DWORD timeoutMs = 30000,
                        std::function<int(const ChildMessageBox&)> answer = nullptr);

    static constexpr UINT kNotifyMessage = WM_APP + 0x123;

private:
    // Dispatches what is queued; the notify message is kept in result.
    void Drain(ParentRunResult& result);
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND m_hWnd = nullptr;
    ParentRunResult* m_current = nullptr;
};

// "Z:\..." for a POSIX path, as Wine maps its root.
std::string WindowsPathOf(const std::string& posixPath);
