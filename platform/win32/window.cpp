// Window operations on real window handles. Every call tolerates a handle
// that names no window: the system functions then fail and report so.
#include "platform/window.h"

#include "handle.h"
#include "wide.h"

namespace plat {

using win32::FromHwnd;
using win32::ToHwnd;

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
    const HWND hWnd = ToHwnd(m_hWnd);
    const HWND before = ::SetParent(hWnd, ToHwnd(parent));
    // A popup made a child keeps its numbers, now read in the parent's client
    // area: centred on the screen, it would sit off to the lower right of the
    // parent or outside it. It goes to the middle of that area instead.
    RECT client;
    RECT rect;
    if (before != nullptr && parent != kNoWindow && (::GetWindowLongW(hWnd, GWL_STYLE) & WS_POPUP) != 0 &&
        ::GetClientRect(ToHwnd(parent), &client) && ::GetWindowRect(hWnd, &rect)) {
        const int x = (client.right - (rect.right - rect.left)) / 2;
        const int y = (client.bottom - (rect.bottom - rect.top)) / 2;
        ::SetWindowPos(hWnd, nullptr, x > 0 ? x : 0, y > 0 ? y : 0, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return FromHwnd(before);
}

bool Window::Post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    // A parent of another process may be gone already: PostMessageW then
    // simply fails, which is all the caller needs to know.
    if (m_hWnd == kNoWindow) return false;
    return ::PostMessageW(ToHwnd(m_hWnd), message, static_cast<WPARAM>(wParam),
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
    // Bytes that are no code page 932 text show as no text.
    if (IsValid()) ::SetWindowTextW(ToHwnd(m_hWnd), win32::Wide(text).c_str());
}

std::string Window::GetText() const {
    return IsValid() ? win32::NarrowMarked(win32::WindowText(ToHwnd(m_hWnd))) : std::string();
}

Window Window::GetItem(int id) const {
    if (!IsValid()) return Window();
    return Window(FromHwnd(::GetDlgItem(ToHwnd(m_hWnd), id)));
}

WindowHandle GetFocusWindow() {
    return FromHwnd(::GetFocus());
}

std::wstring win32::WindowText(HWND hWnd) {
    return FetchText([hWnd](wchar_t* buffer, DWORD size) {
        const auto length =
            static_cast<DWORD>(std::max(0, ::GetWindowTextW(hWnd, buffer, static_cast<int>(size))));
        // A text of size - 1 units may have been cut: asked again with more room.
        return length + 1 < size ? length : size;
    });
}

void AnswerSentMessages() {
    // Sent messages are answered inside the call; a posted one stays queued.
    MSG msg;
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
}

}  // namespace plat
