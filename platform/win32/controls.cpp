// The standard controls through their own messages.
#include "platform/controls.h"

#include "handle.h"

namespace plat {

namespace {

LRESULT SendTo(WindowHandle handle, UINT message, WPARAM wParam, LPARAM lParam) {
    if (handle == kNoWindow) return 0;
    return ::SendMessageA(win32::ToHwnd(handle), message, wParam, lParam);
}

}  // namespace

void ProgressCtrl::SetRange(int lower, int upper) {
    SendTo(m_hWnd, PBM_SETRANGE32, static_cast<WPARAM>(lower), static_cast<LPARAM>(upper));
}

void ProgressCtrl::GetRange(int& lower, int& upper) const {
    PBRANGE range = {0, 0};
    if (IsValid()) SendTo(m_hWnd, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    lower = range.iLow;
    upper = range.iHigh;
}

int ProgressCtrl::SetPos(int pos) {
    return static_cast<int>(SendTo(m_hWnd, PBM_SETPOS, static_cast<WPARAM>(pos), 0));
}

int ProgressCtrl::GetPos() const {
    return static_cast<int>(SendTo(m_hWnd, PBM_GETPOS, 0, 0));
}

int ProgressCtrl::SetStep(int step) {
    return static_cast<int>(SendTo(m_hWnd, PBM_SETSTEP, static_cast<WPARAM>(step), 0));
}

int ProgressCtrl::StepIt() {
    return static_cast<int>(SendTo(m_hWnd, PBM_STEPIT, 0, 0));
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
