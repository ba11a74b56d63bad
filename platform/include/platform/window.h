#pragma once
// A thin, non-owning wrapper over a window handle: the window operations the
// system performs on its own windows and on a parent application's window.
#include <cstdint>
#include <string>
#include <utility>

#include "platform/types.h"

namespace plat {

class Window {
public:
    Window() = default;
    explicit Window(WindowHandle handle) : m_hWnd(handle) {}
    virtual ~Window() = default;
    Window(const Window&) = default;
    Window& operator=(const Window&) = default;

    WindowHandle Handle() const { return m_hWnd; }
    void Attach(WindowHandle handle) { m_hWnd = handle; }
    WindowHandle Detach() { return std::exchange(m_hWnd, kNoWindow); }
    bool IsValid() const;  // the handle names an existing window

    bool Enable(bool enable);  // EnableWindow; returns whether it was disabled before
    bool IsEnabled() const;
    bool SetForeground();
    bool BringToTop();
    bool Update();  // UpdateWindow: repaint at once, without the message loop
    // Paints what is waiting to be painted in the window and its children now.
    bool UpdateWithChildren();
    WindowHandle SetParentWindow(WindowHandle parent);
    bool Post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
    void Show(int showCommand);
    bool IsVisible() const;
    void SetFocus();

    void SetText(const std::string& text);
    std::string GetText() const;

    // A control of this dialog by its id; an empty Window when there is none.
    Window GetItem(int id) const;

protected:
    WindowHandle m_hWnd = kNoWindow;
};

// The window that has the keyboard focus, or kNoWindow.
WindowHandle GetFocusWindow();

// Shows the system this thread is alive while it waits: answers what others
// send to its windows; dispatches nothing posted, so no input acts meanwhile.
void AnswerSentMessages();

}  // namespace plat
