// Standard controls over the headless user interface, with the platform
// controls' rules for ranges, positions and steps.
#include "platform/controls.h"

#include <string>

#include "../common/progress_model.h"
#include "headless_state.h"

namespace plat {

using namespace headless;  // the double's state and event log

namespace {

progress::BarState BarOf(const WindowState& state) {
    return progress::BarState{state.rangeLower, state.rangeUpper, state.pos, state.step};
}

void StoreBar(WindowState& state, const progress::BarState& bar) {
    state.rangeLower = bar.lower;
    state.rangeUpper = bar.upper;
    state.pos = bar.pos;
    state.step = bar.step;
}

void CoercePos(WindowState& state) {
    progress::BarState bar = BarOf(state);
    progress::CoercePos(bar);
    StoreBar(state, bar);
}

}  // namespace

void ProgressCtrl::SetRange(int lower, int upper) {
    WindowState* state = Live(m_hWnd);
    if (state == nullptr) return;
    state->rangeLower = lower;
    state->rangeUpper = upper;
    CoercePos(*state);
}

void ProgressCtrl::GetRange(int& lower, int& upper) const {
    const WindowState* state = Live(m_hWnd);
    lower = state ? state->rangeLower : 0;
    upper = state ? state->rangeUpper : 0;
}

int ProgressCtrl::SetPos(int pos) {
    WindowState* state = Live(m_hWnd);
    if (state == nullptr) return 0;
    const int previous = state->pos;
    state->pos = pos;
    CoercePos(*state);
    return previous;
}

int ProgressCtrl::GetPos() const {
    const WindowState* state = Live(m_hWnd);
    return state ? state->pos : 0;
}

int ProgressCtrl::SetStep(int step) {
    WindowState* state = Live(m_hWnd);
    if (state == nullptr) return 0;
    const int previous = state->step;
    state->step = step;
    return previous;
}

int ProgressCtrl::StepIt() {
    WindowState* state = Live(m_hWnd);
    if (state == nullptr) return 0;
    const int previous = state->pos;
    progress::BarState bar = BarOf(*state);
    progress::StepIt(bar);
    StoreBar(*state, bar);
    ++state->stepIts;
    return previous;
}

// Headless bars cost nothing to change: deferral has nothing to save.
void ProgressCtrl::SetDeferred(bool /*deferred*/) {}
void ProgressCtrl::Flush() {}
void FlushDeferredBars(WindowHandle /*window*/) {}

void Edit::LimitText(int maxChars) {
    WindowState* state = Live(m_hWnd);
    if (state == nullptr) return;
    state->textLimit = maxChars < 0 ? 0 : maxChars;
    LogEvent("limit", m_hWnd, std::to_string(state->textLimit));
}

void Edit::SetSel(int start, int end) {
    WindowState* state = Live(m_hWnd);
    if (state == nullptr) return;
    const int length = static_cast<int>(state->text.size());
    if (start < 0) {
        // A start of -1 removes the selection.
        state->selStart = -1;
        state->selEnd = -1;
    } else {
        if (end < 0 || end > length) end = length;
        if (start > length) start = length;
        if (start > end) {
            const int swap = start;
            start = end;
            end = swap;
        }
        state->selStart = start;
        state->selEnd = end;
    }
    LogEvent("select", m_hWnd, std::to_string(state->selStart) + " " + std::to_string(state->selEnd));
}

void Edit::ScrollCaret() {
    WindowState* state = Live(m_hWnd);
    if (state == nullptr) return;
    ++state->scrollCarets;
    LogEvent("scrollcaret", m_hWnd);
}

int Button::GetCheck() const {
    const WindowState* state = Live(m_hWnd);
    return state ? state->check : 0;
}

void Button::SetCheck(int state) {
    WindowState* window = Live(m_hWnd);
    if (window == nullptr) return;
    window->check = state;
    LogEvent("check", m_hWnd, std::to_string(state));
}

}  // namespace plat
