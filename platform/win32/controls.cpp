// The standard controls through their own messages.
#include "platform/controls.h"

#include <map>

#include "../common/progress_model.h"
#include "handle.h"

namespace plat {

namespace {

LRESULT SendTo(WindowHandle handle, UINT message, WPARAM wParam, LPARAM lParam) {
    if (handle == kNoWindow) return 0;
    return ::SendMessageA(win32::ToHwnd(handle), message, wParam, lParam);
}

// A deferred bar: the state it will show, and the state the control has.
struct DeferredState {
    progress::BarState wanted;
    progress::BarState told;
};

// The deferred bars, by handle: a wrapper attached to the same bar
// elsewhere reads what the bar will show.
std::map<WindowHandle, DeferredState>& Deferred() {
    static std::map<WindowHandle, DeferredState> bars;
    return bars;
}

progress::BarState* DeferredBar(WindowHandle handle) {
    const auto it = Deferred().find(handle);
    return it == Deferred().end() ? nullptr : &it->second.wanted;
}

// Only what changed: each of these messages may repaint the bar at once.
void PushToControl(WindowHandle handle, DeferredState& bar) {
    const progress::BarState& wanted = bar.wanted;
    progress::BarState& told = bar.told;
    if (wanted.lower != told.lower || wanted.upper != told.upper) {
        SendTo(handle, PBM_SETRANGE32, static_cast<WPARAM>(wanted.lower), static_cast<LPARAM>(wanted.upper));
    }
    if (wanted.step != told.step) SendTo(handle, PBM_SETSTEP, static_cast<WPARAM>(wanted.step), 0);
    // A new range may have moved the control's position: set it whenever the
    // range changed too.
    if (wanted.pos != told.pos || wanted.lower != told.lower || wanted.upper != told.upper) {
        SendTo(handle, PBM_SETPOS, static_cast<WPARAM>(wanted.pos), 0);
    }
    told = wanted;
}

}  // namespace

void ProgressCtrl::SetRange(int lower, int upper) {
    if (progress::BarState* bar = DeferredBar(m_hWnd)) {
        bar->lower = lower;
        bar->upper = upper;
        progress::CoercePos(*bar);
        return;
    }
    SendTo(m_hWnd, PBM_SETRANGE32, static_cast<WPARAM>(lower), static_cast<LPARAM>(upper));
}

void ProgressCtrl::GetRange(int& lower, int& upper) const {
    if (const progress::BarState* bar = DeferredBar(m_hWnd)) {
        lower = bar->lower;
        upper = bar->upper;
        return;
    }
    PBRANGE range = {0, 0};
    if (IsValid()) SendTo(m_hWnd, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    lower = range.iLow;
    upper = range.iHigh;
}

int ProgressCtrl::SetPos(int pos) {
    if (progress::BarState* bar = DeferredBar(m_hWnd)) {
        const int previous = bar->pos;
        bar->pos = pos;
        progress::CoercePos(*bar);
        return previous;
    }
    return static_cast<int>(SendTo(m_hWnd, PBM_SETPOS, static_cast<WPARAM>(pos), 0));
}

int ProgressCtrl::GetPos() const {
    if (const progress::BarState* bar = DeferredBar(m_hWnd)) return bar->pos;
    return static_cast<int>(SendTo(m_hWnd, PBM_GETPOS, 0, 0));
}

int ProgressCtrl::SetStep(int step) {
    if (progress::BarState* bar = DeferredBar(m_hWnd)) {
        const int previous = bar->step;
        bar->step = step;
        return previous;
    }
    return static_cast<int>(SendTo(m_hWnd, PBM_SETSTEP, static_cast<WPARAM>(step), 0));
}

int ProgressCtrl::StepIt() {
    if (progress::BarState* bar = DeferredBar(m_hWnd)) {
        const int previous = bar->pos;
        progress::StepIt(*bar);
        return previous;
    }
    return static_cast<int>(SendTo(m_hWnd, PBM_STEPIT, 0, 0));
}

void ProgressCtrl::SetDeferred(bool deferred) {
    if (!deferred) {
        Flush();
        Deferred().erase(m_hWnd);
        return;
    }
    if (!IsValid() || DeferredBar(m_hWnd) != nullptr) return;
    progress::BarState bar;
    GetRange(bar.lower, bar.upper);
    bar.pos = GetPos();
    bar.step = static_cast<int>(SendTo(m_hWnd, PBM_GETSTEP, 0, 0));
    Deferred()[m_hWnd] = DeferredState{bar, bar};
}

void ProgressCtrl::Flush() {
    const auto it = Deferred().find(m_hWnd);
    if (it == Deferred().end()) return;
    if (!IsValid()) {
        Deferred().erase(it);  // the bar is gone with its window
        return;
    }
    PushToControl(m_hWnd, it->second);
}

void FlushDeferredBars(WindowHandle window) {
    const HWND parent = win32::ToHwnd(window);
    for (auto it = Deferred().begin(); it != Deferred().end();) {
        const HWND bar = win32::ToHwnd(it->first);
        if (!::IsWindow(bar)) {
            it = Deferred().erase(it);
            continue;
        }
        if (bar == parent || ::IsChild(parent, bar)) PushToControl(it->first, it->second);
        ++it;
    }
}

void Edit::LimitText(int maxChars) {
    SendTo(m_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(maxChars < 0 ? 0 : maxChars), 0);
}

void Edit::SetSel(int start, int end) {
    SendTo(m_hWnd, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

void Edit::ScrollCaret() {
    SendTo(m_hWnd, EM_SCROLLCARET, 0, 0);
}

int Button::GetCheck() const {
    return static_cast<int>(SendTo(m_hWnd, BM_GETCHECK, 0, 0));
}

void Button::SetCheck(int state) {
    SendTo(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

}  // namespace plat
