// Window operations over the headless user interface: each changes the
// window's record and logs an event; an unknown or destroyed handle does
// nothing and answers as the platform does for an invalid window.
#include "platform/window.h"

#include <string>

#include "headless_state.h"

namespace plat {

using namespace headless;  // the double's state and event log

namespace {

// The system's counted operations: false for an invalid window.
bool Count(WindowHandle handle, int WindowState::*counter, const char* what) {
    WindowState* state = Live(handle);
    if (state == nullptr) return false;
    ++(state->*counter);
    LogEvent(what, handle);
    return true;
}

}  // namespace

bool Window::IsValid() const {
    return Live(m_hWnd) != nullptr;
}

bool Window::Enable(bool enable) {
    WindowState* state = Live(m_hWnd);
    if (state == nullptr) return false;
    const bool wasDisabled = !state->enabled;
    state->enabled = enable;
    LogEvent("enable", m_hWnd, enable ? "1" : "0");
    if (!enable) {
        // A disabled window, or one inside it, loses the focus.
        WindowHandle& focus = HeadlessUi::Get().FocusWindow();
        const WindowState* inside = Live(focus);
        for (int depth = 0; inside != nullptr && depth < 64; ++depth) {
            if (inside->handle == m_hWnd) {
                focus = kNoWindow;
                break;
            }
            inside = Live(inside->parent);
        }
    }
    return wasDisabled;
}

bool Window::IsEnabled() const {
    const WindowState* state = Live(m_hWnd);
    return state != nullptr && state->enabled;
}

bool Window::SetForeground() {
    return Count(m_hWnd, &WindowState::foregrounds, "foreground");
}

bool Window::BringToTop() {
    return Count(m_hWnd, &WindowState::bringToTops, "top");
}

bool Window::Update() {
    return Count(m_hWnd, &WindowState::updates, "update");
}

bool Window::UpdateWithChildren() {
    return Update();
}

WindowHandle Window::SetParentWindow(WindowHandle parent) {
    WindowState* state = Live(m_hWnd);
    if (state == nullptr) return kNoWindow;
    if (parent != kNoWindow && Live(parent) == nullptr) return kNoWindow;  // invalid new parent
    const WindowHandle previous = state->parent;
    state->parent = parent;
    LogEvent("parent", m_hWnd, std::to_string(static_cast<unsigned long long>(parent)));
    return previous;
}

bool Window::Post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (Live(m_hWnd) == nullptr) {
        LogEvent("post-failed", m_hWnd, std::to_string(message));
        return false;
    }
    PostedMessage posted;
    posted.target = m_hWnd;
    posted.message = message;
    posted.wParam = wParam;
    posted.lParam = lParam;
    HeadlessUi::Get().RecordPost(posted);
    LogEvent("post", m_hWnd,
             std::to_string(message) + " " + std::to_string(static_cast<unsigned long long>(wParam)) + " " +
                 std::to_string(static_cast<long long>(lParam)));
    return true;
}

void Window::Show(int showCommand) {
    WindowState* state = Live(m_hWnd);
    if (state == nullptr) return;
    state->visible = showCommand != kSwHide;
    LogEvent("show", m_hWnd, state->visible ? "1" : "0");
}

bool Window::IsVisible() const {
    // Like IsWindowVisible: the window and every window above it are shown.
    const WindowState* state = Live(m_hWnd);
    for (int depth = 0; state != nullptr && depth < 64; ++depth) {
        if (!state->visible) return false;
        if (state->parent == kNoWindow) return true;
        const WindowState* parent = Live(state->parent);
        if (parent == nullptr) return true;
        state = parent;
    }
    return false;
}

void Window::SetFocus() {
    WindowState* state = Live(m_hWnd);
    if (state == nullptr) return;
    HeadlessUi::Get().FocusWindow() = m_hWnd;
    LogEvent("focus", m_hWnd);
}

void Window::SetText(const std::string& text) {
    WindowState* state = Live(m_hWnd);
    if (state == nullptr) return;
    state->text = text;
    ++state->textSets;
    state->textHistory.push_back(text);
    LogEvent("text", m_hWnd, text);
}

std::string Window::GetText() const {
    const WindowState* state = Live(m_hWnd);
    return state ? state->text : std::string();
}

Window Window::GetItem(int id) const {
    if (Live(m_hWnd) == nullptr) return Window();
    const WindowState* control = HeadlessUi::Get().FindControl(m_hWnd, id);
    if (control == nullptr || control->destroyed) return Window();
    return Window(control->handle);
}

WindowHandle GetFocusWindow() {
    const WindowHandle focus = HeadlessUi::Get().FocusWindow();
    return Live(focus) ? focus : kNoWindow;
}

void AnswerSentMessages() {
    HeadlessUi::Get().Log("answer-sent");
}

}  // namespace plat
