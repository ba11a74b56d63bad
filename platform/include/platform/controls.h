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
};

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
