// Window operations on real window handles. Every call tolerates a handle
// that names no window: the system functions then fail and report so.
#include "platform/window.h"

#include <cstring>
#include <vector>

#include "handle.h"

namespace plat {

using win32::FromHwnd;
using win32::ToHwnd;

WindowHandle Window::Detach() {
    const WindowHandle handle = m_hWnd;
    m_hWnd = kNoWindow;
    return handle;
}

bool Window::IsValid() const {
    return m_hWnd != kNoWindow && ::IsWindow(ToHwnd(m_hWnd)) != FALSE;
}

bool Window::Enable(bool enable) {
    if (!IsValid()) return false;
    return ::EnableWindow(ToHwnd(m_hWnd), enable ? TRUE : FALSE) != FALSE;
}

bool Window::IsEnabled() const {
    return IsValid() && ::IsWindowEnabled(ToHwnd(m_hWnd)) != FALSE;
}

bool Window::SetForeground() {
    return IsValid() && ::SetForegroundWindow(ToHwnd(m_hWnd)) != FALSE;
}

bool Window::BringToTop() {
    return IsValid() && ::BringWindowToTop(ToHwnd(m_hWnd)) != FALSE;
}

bool Window::Update() {
    return IsValid() && ::UpdateWindow(ToHwnd(m_hWnd)) != FALSE;
}

bool Window::UpdateWithChildren() {
    return IsValid() &&
           ::RedrawWindow(ToHwnd(m_hWnd), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN) != FALSE;
}

WindowHandle Window::SetParentWindow(WindowHandle parent) {
    if (!IsValid()) return kNoWindow;
    return FromHwnd(::SetParent(ToHwnd(m_hWnd), ToHwnd(parent)));
}

bool Window::Post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    // A parent of another process may be gone already: PostMessageA then
    // simply fails, which is all the caller needs to know.
    if (m_hWnd == kNoWindow) return false;
    return ::PostMessageA(ToHwnd(m_hWnd), message, static_cast<WPARAM>(wParam),
                          static_cast<LPARAM>(lParam)) != FALSE;
}

void Window::Show(int showCommand) {
    if (IsValid()) ::ShowWindow(ToHwnd(m_hWnd), showCommand);
}

bool Window::IsVisible() const {
    return IsValid() && ::IsWindowVisible(ToHwnd(m_hWnd)) != FALSE;
}

void Window::SetFocus() {
    if (IsValid()) ::SetFocus(ToHwnd(m_hWnd));
}

void Window::SetText(const std::string& text) {
    if (IsValid()) ::SetWindowTextA(ToHwnd(m_hWnd), text.c_str());
}

std::string Window::GetText() const {
    if (!IsValid()) return std::string();
    const HWND hWnd = ToHwnd(m_hWnd);
    // The reported length may count characters rather than bytes: the text
    // is taken up to its terminating zero, and fetched again with more room
    // when it filled the buffer.
    const int reported = ::GetWindowTextLengthA(hWnd);
    if (reported <= 0) return std::string();
    std::vector<char> buffer(static_cast<std::size_t>(reported) * 2 + 2, '\0');
    while (buffer.size() <= 0x400000) {
        buffer[0] = '\0';
        ::GetWindowTextA(hWnd, buffer.data(), static_cast<int>(buffer.size()));
        const std::size_t length = ::strnlen(buffer.data(), buffer.size());
        if (length + 1 < buffer.size()) return std::string(buffer.data(), length);
        buffer.assign(buffer.size() * 2, '\0');
    }
    return std::string();
}

Window Window::GetItem(int id) const {
    if (!IsValid()) return Window();
    return Window(FromHwnd(::GetDlgItem(ToHwnd(m_hWnd), id)));
}

WindowHandle GetFocusWindow() {
    return FromHwnd(::GetFocus());
}

}  // namespace plat
