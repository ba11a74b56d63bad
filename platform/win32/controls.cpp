// The standard controls through their own messages.
#include "platform/controls.h"

#include <map>
#include <string>

#include "../common/progress_model.h"
#include "handle.h"
#include "wide.h"

namespace plat {

namespace {

LRESULT SendTo(WindowHandle handle, UINT message, WPARAM wParam, LPARAM lParam) {
    if (handle == kNoWindow) return 0;
    return ::SendMessageW(win32::ToHwnd(handle), message, wParam, lParam);
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

// An edit limited in bytes of code page 932: a Unicode edit counts its limit
// in UTF-16 units, one for a double-byte character. The edit keeps that limit
// too (never more units than bytes); after each input that may add text,
// what it added is cut to the bytes left.
const wchar_t kLimitProp[] = L"plat.edit.byteLimit";
const wchar_t kProcProp[] = L"plat.edit.proc";

bool MayAddText(UINT message) {
    switch (message) {
        case WM_CHAR:
        case WM_IME_CHAR:
        case WM_IME_COMPOSITION:
        case WM_PASTE:
        case WM_UNDO:
        case EM_UNDO:
        case EM_REPLACESEL:
            return true;
        default:
            return false;
    }
}

std::size_t Cp932Bytes(std::wstring_view text) {
    return win32::NarrowMarked(text).size();
}

// Cuts what the input put between the common start and the common end of
// before and after to the whole characters that fit, and leaves the caret
// behind it.
void CutToLimit(HWND hWnd, WNDPROC previous, const std::wstring& before, std::size_t limit) {
    const std::wstring after = win32::WindowText(hWnd);
    if (Cp932Bytes(after) <= limit) return;
    std::size_t start = 0;
    while (start < before.size() && start < after.size() && before[start] == after[start]) ++start;
    std::size_t endAfter = after.size();
    std::size_t endBefore = before.size();
    while (endAfter > start && endBefore > start && after[endAfter - 1] == before[endBefore - 1]) {
        --endAfter;
        --endBefore;
    }
    const std::wstring added = after.substr(start, endAfter - start);
    const std::size_t kept = Cp932Bytes(after) - Cp932Bytes(added);
    std::size_t room = kept < limit ? limit - kept : 0;
    std::size_t fits = 0;
    while (fits < added.size()) {
        const bool pair = IS_HIGH_SURROGATE(added[fits]) && fits + 1 < added.size();
        const std::size_t length = pair ? 2 : 1;
        const std::size_t bytes = Cp932Bytes(std::wstring_view(added).substr(fits, length));
        if (bytes > room) break;
        room -= bytes;
        fits += length;
    }
    ::CallWindowProcW(previous, hWnd, EM_SETSEL, start, endAfter);
    ::CallWindowProcW(previous, hWnd, EM_REPLACESEL, TRUE,
                      reinterpret_cast<LPARAM>(added.substr(0, fits).c_str()));
}

LRESULT CALLBACK ByteLimitedEditProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto previous = reinterpret_cast<WNDPROC>(::GetPropW(hWnd, kProcProp));
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        ::RemovePropW(hWnd, kProcProp);
        ::RemovePropW(hWnd, kLimitProp);
    }
    if (!MayAddText(message)) return ::CallWindowProcW(previous, hWnd, message, wParam, lParam);
    const std::wstring before = win32::WindowText(hWnd);
    const LRESULT result = ::CallWindowProcW(previous, hWnd, message, wParam, lParam);
    const auto limit = reinterpret_cast<std::uintptr_t>(::GetPropW(hWnd, kLimitProp));
    if (limit != 0) CutToLimit(hWnd, previous, before, limit);
    return result;
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
    const WPARAM limit = static_cast<WPARAM>(maxChars < 0 ? 0 : maxChars);
    SendTo(m_hWnd, EM_LIMITTEXT, limit, 0);
    if (!IsValid()) return;
    // 0: the edit's own largest limit, far beyond any text of the program.
    const HWND hWnd = win32::ToHwnd(m_hWnd);
    ::SetPropW(hWnd, kLimitProp, reinterpret_cast<HANDLE>(limit));
    if (limit == 0 || ::GetPropW(hWnd, kProcProp) != nullptr) return;
    ::SetPropW(hWnd, kProcProp, reinterpret_cast<HANDLE>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)));
    ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ByteLimitedEditProc));
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
