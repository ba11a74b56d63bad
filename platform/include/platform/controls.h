#pragma once
// Wrappers for the standard controls, bound to a dialog's control by id.
#include <string>

#include "platform/window.h"

namespace plat {

class ProgressCtrl : public Window {
public:
    void SetRange(int lower, int upper);
    void GetRange(int& lower, int& upper) const;
    int SetPos(int pos);  // returns the previous position
    int GetPos() const;
    int SetStep(int step);
    // Advances by the step; past the upper bound the control starts again
    // from its lower bound, as the platform's progress bar does.
    int StepIt();
    // While deferred, changes stay in the program and reads answer them; the
    // control is told the last state only at Flush (or when deferral ends),
    // which spares it a synchronous repaint per change.
    void SetDeferred(bool deferred);
    void Flush();
};

// Flushes the deferred bars inside window, so that it shows its latest state
// (before a modal box over it).
void FlushDeferredBars(WindowHandle window);

class Edit : public Window {
public:
    void LimitText(int maxChars);
    void SetSel(int start, int end);  // (0, -1) selects everything
    void ScrollCaret();
};

class Button : public Window {
public:
    int GetCheck() const;
    void SetCheck(int state);
};

class Static : public Window {};

}  // namespace plat
