#pragma once
// A second thread playing the user against a window the test's thread shows
// and waits in (a message box, the save-file dialog): it looks for the
// window by its title, hands it to what the user does, and from then on, or
// once kUserWaitMs have passed without it, ends every dialog the test's
// thread still shows until that thread is back, so no test blocks until the
// runner's timeout: Found() fails it with a message instead.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <utility>

namespace win32_user {

constexpr DWORD kUserWaitMs = 10000;

inline std::string ClassOf(HWND hWnd) {
    char name[64] = {};
    GetClassNameA(hWnd, name, sizeof(name));
    return name;
}

// Ends a visible dialog with the first of its buttons Cancel, No, OK.
inline BOOL CALLBACK EndDialogWindow(HWND hWnd, LPARAM) {
    if (ClassOf(hWnd) != "#32770" || !IsWindowVisible(hWnd)) return TRUE;
    for (int id : {IDCANCEL, IDNO, IDOK}) {
        if (GetDlgItem(hWnd, id) != nullptr) {
            PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
            break;
        }
    }
    return TRUE;
}

class User {
public:
    User(std::string title, std::function<void(HWND)> play) : m_title(std::move(title)) {
        const DWORD shower = GetCurrentThreadId();
        m_thread = std::thread([this, shower, play = std::move(play)] {
            const DWORD start = GetTickCount();
            HWND window = nullptr;
            while (!m_done && (window = Find(shower)) == nullptr && GetTickCount() - start < kUserWaitMs)
                Sleep(20);
            if (window != nullptr) {
                m_found = true;
                play(window);
            }
            while (!m_done) {
                EnumThreadWindows(shower, EndDialogWindow, 0);
                Sleep(20);
            }
        });
    }
    ~User() { Finish(); }
    // Once the window's call has returned: whether the window was seen; a
    // failure naming its title when not.
    bool Found() {
        Finish();
        if (!m_found)
            ADD_FAILURE() << "no window titled \"" << m_title << "\" within " << kUserWaitMs << " ms";
        return m_found;
    }

private:
    // The shower's own window: programs of other tests that run at the same
    // time show windows of the same title.
    HWND Find(DWORD shower) const {
        for (HWND found = FindWindowExA(nullptr, nullptr, nullptr, m_title.c_str()); found != nullptr;
             found = FindWindowExA(nullptr, found, nullptr, m_title.c_str())) {
            if (GetWindowThreadProcessId(found, nullptr) == shower && IsWindowVisible(found)) return found;
        }
        return nullptr;
    }
    void Finish() {
        m_done = true;
        if (m_thread.joinable()) m_thread.join();
    }

    const std::string m_title;
    std::atomic<bool> m_done{false};
    std::atomic<bool> m_found{false};
    std::thread m_thread;
};

}  // namespace win32_user
