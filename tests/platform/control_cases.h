#pragma once
// Windows and controls as the system answers them, shared by the Wine tests
// (the real windows) and the native tests (the headless double's), one named
// case a row in both.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/controls.h"

namespace control_cases {

// A fresh progress bar (0..100, at 0, step 10) given the range, the position
// and the step, then stepped. Past its maximum a step wraps: lower +
// (position + step - lower) mod (upper - lower), not simply the lower bound
// (Wine's conformance tests check the same rule against Windows); a position
// outside the range is held at its bounds.
struct BarCase {
    const char* name;
    int lower;
    int upper;
    int pos;
    int step;
    int steps;
    int expected;  // the position after the steps
};

inline constexpr BarCase kCases[] = {
    {"StepsUpToTheUpperBound", 0, 5, 0, 1, 5, 5},
    {"WrapsByTheModuloOfTheRange", 0, 5, 0, 1, 6, 1},
    {"WrapRestartsAtANonZeroLowerBound", 10, 20, 18, 4, 1, 12},
    {"StepLargerThanTheRangeWraps", 3, 15, 3, 50, 1, 5},
    {"CompleteRunOfTheOverallBar", 0, 1000, 0, 1, 1007, 7},
    {"PositionAboveTheRangeHeldAtItsTop", 0, 1000, 1500, 1, 0, 1000},
    {"PositionBelowTheRangeHeldAtItsBottom", 0, 1000, -3, 1, 0, 0},
    {"StepBelowTheRangeWrapsTheOtherWay", 0, INT_MAX, 5, INT_MIN, 1, 4},
};

inline void Run(plat::ProgressCtrl& bar, const BarCase& c) {
    int lower = -1;
    int upper = -1;
    bar.GetRange(lower, upper);
    EXPECT_EQ(lower, 0);
    EXPECT_EQ(upper, 100);
    EXPECT_EQ(bar.GetPos(), 0);
    EXPECT_EQ(bar.SetStep(c.step), 10);
    bar.SetRange(c.lower, c.upper);
    bar.GetRange(lower, upper);
    EXPECT_EQ(lower, c.lower);
    EXPECT_EQ(upper, c.upper);
    const int before = bar.GetPos();
    EXPECT_EQ(bar.SetPos(c.pos), before);
    int wrongPrevious = 0;  // StepIt answers the position before it
    for (int i = 0; i < c.steps; ++i) {
        const int previous = bar.GetPos();
        if (bar.StepIt() != previous) ++wrongPrevious;
    }
    EXPECT_EQ(wrongPrevious, 0);
    EXPECT_EQ(bar.GetPos(), c.expected);
}

// A handle that names no window: none, or one never made.
struct NoWindowCase {
    const char* name;
    plat::WindowHandle handle;
};

inline constexpr NoWindowCase kNoWindows[] = {{"NoHandle", plat::kNoWindow},
                                              {"HandleOfNoWindow", 0x7FFF1234}};

// Every operation on it changes nothing and answers false, 0 or empty.
inline void ExpectNothingChanges(plat::WindowHandle handle) {
    plat::ProgressCtrl w;
    w.Attach(handle);
    EXPECT_FALSE(w.IsValid());
    EXPECT_FALSE(w.Enable(false));
    EXPECT_FALSE(w.IsEnabled());
    EXPECT_FALSE(w.SetForeground());
    EXPECT_FALSE(w.BringToTop());
    EXPECT_FALSE(w.Update());
    EXPECT_EQ(w.SetParentWindow(plat::kNoWindow), plat::kNoWindow);
    EXPECT_FALSE(w.Post(0x8001, 1, 0));
    w.Show(plat::kSwShow);
    EXPECT_FALSE(w.IsVisible());
    w.SetFocus();
    w.SetText("x");
    EXPECT_EQ(w.GetText(), "");
    EXPECT_FALSE(w.GetItem(1016).IsValid());
    EXPECT_EQ(w.StepIt(), 0);
    EXPECT_EQ(w.SetPos(3), 0);
    EXPECT_EQ(w.GetPos(), 0);
    int lower = 7;
    int upper = 7;
    w.GetRange(lower, upper);
    EXPECT_EQ(lower, 0);
    EXPECT_EQ(upper, 0);
    EXPECT_EQ(w.Detach(), handle);
    plat::Edit edit;
    edit.Attach(handle);
    edit.SetSel(0, -1);
    edit.LimitText(2);
    edit.ScrollCaret();
    EXPECT_EQ(edit.GetText(), "");
    plat::Button button;
    button.Attach(handle);
    button.SetCheck(1);
    EXPECT_EQ(button.GetCheck(), 0);
}

template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

}  // namespace control_cases
