// Progress bars, edits and buttons of the headless double, with the rules of
// the platform's controls.
#include "platform/controls.h"

#include <climits>
#include <vector>

#include "platform/dialog.h"
#include "test_support.h"

namespace {

using platform_test::H;
using platform_test::PlatformTest;

class ControlsTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        ASSERT_TRUE(m_dialog.Create(plat::kNoWindow));
        m_bar.Attach(m_dialog.GetItem(1017).Handle());
        ASSERT_TRUE(m_bar.IsValid());
    }
    plat::Dialog m_dialog{131, nullptr};
    plat::ProgressCtrl m_bar;
};

TEST_F(ControlsTest, ProgressStartsWithThePlatformDefaults) {
    int lower = -1;
    int upper = -1;
    m_bar.GetRange(lower, upper);
    EXPECT_EQ(lower, 0);
    EXPECT_EQ(upper, 100);
    EXPECT_EQ(m_bar.GetPos(), 0);
    EXPECT_EQ(m_bar.SetStep(1), 10);
}

TEST_F(ControlsTest, StepItWrapsByTheModuloOfTheRange) {
    // The activity sweep: range 0..5, step 1. Like the real control (checked
    // under Wine), the sixth step wraps to lower + (6 - lower) mod 5 = 1.
    m_bar.SetRange(0, 5);
    m_bar.SetStep(1);
    m_bar.SetPos(0);
    std::vector<int> positions;
    std::vector<int> previous;
    for (int i = 0; i < 6; ++i) {
        previous.push_back(m_bar.StepIt());
        positions.push_back(m_bar.GetPos());
    }
    EXPECT_EQ(positions, (std::vector<int>{1, 2, 3, 4, 5, 1}));
    EXPECT_EQ(previous, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(Ui().Find(m_bar.Handle())->stepIts, 6);
}

TEST_F(ControlsTest, StepItWrapRestartsAtANonZeroLowerBound) {
    m_bar.SetRange(10, 20);
    m_bar.SetStep(4);
    m_bar.SetPos(18);
    m_bar.StepIt();  // 22 > 20: 10 + (22 - 10) mod 10
    EXPECT_EQ(m_bar.GetPos(), 12);
    m_bar.SetPos(16);
    m_bar.StepIt();  // 20 is still inside
    EXPECT_EQ(m_bar.GetPos(), 20);
}

TEST_F(ControlsTest, StepItDoesNotOverflow) {
    m_bar.SetRange(0, INT_MAX);
    m_bar.SetPos(INT_MAX - 1);
    m_bar.SetStep(INT_MAX);
    m_bar.StepIt();  // 2 * INT_MAX - 1 wraps without overflowing
    EXPECT_EQ(m_bar.GetPos(), INT_MAX - 1);
    m_bar.SetStep(INT_MIN);
    m_bar.SetPos(5);
    m_bar.StepIt();  // below the range wraps the other way
    EXPECT_EQ(m_bar.GetPos(), 4);
}

TEST_F(ControlsTest, SetPosClampsIntoTheRangeAndReturnsThePrevious) {
    m_bar.SetRange(0, 1000);
    EXPECT_EQ(m_bar.SetPos(500), 0);
    EXPECT_EQ(m_bar.SetPos(1500), 500);
    EXPECT_EQ(m_bar.GetPos(), 1000);
    EXPECT_EQ(m_bar.SetPos(-3), 1000);
    EXPECT_EQ(m_bar.GetPos(), 0);
}

TEST_F(ControlsTest, SetRangeMovesThePositionInside) {
    m_bar.SetRange(0, 1000);
    m_bar.SetPos(800);
    m_bar.SetRange(0, 5);
    EXPECT_EQ(m_bar.GetPos(), 5);
    m_bar.SetRange(10, 20);
    EXPECT_EQ(m_bar.GetPos(), 10);
    // A reversed range ends on its upper bound.
    m_bar.SetRange(30, 25);
    EXPECT_EQ(m_bar.GetPos(), 25);
}

TEST_F(ControlsTest, UnboundControlsAnswerNeutrally) {
    plat::ProgressCtrl unbound;
    EXPECT_EQ(unbound.StepIt(), 0);
    EXPECT_EQ(unbound.SetPos(3), 0);
    int lower = 7;
    int upper = 7;
    unbound.GetRange(lower, upper);
    EXPECT_EQ(lower, 0);
    EXPECT_EQ(upper, 0);
    plat::Button button;
    button.SetCheck(1);
    EXPECT_EQ(button.GetCheck(), 0);
    plat::Edit edit;
    edit.SetSel(0, -1);
    edit.LimitText(2);
    edit.ScrollCaret();
    EXPECT_EQ(edit.GetText(), "");
}

TEST_F(ControlsTest, EditSelectionAndCaret) {
    const plat::WindowHandle handle = AddControl(m_dialog.Handle(), 1015, "Edit", 0);
    plat::Edit edit;
    edit.Attach(handle);
    edit.SetText("C:\\out.xml");
    edit.SetSel(0, -1);
    EXPECT_EQ(Ui().Find(handle)->selStart, 0);
    EXPECT_EQ(Ui().Find(handle)->selEnd, 10);
    edit.SetSel(4, 2);
    EXPECT_EQ(Ui().Find(handle)->selStart, 2);
    EXPECT_EQ(Ui().Find(handle)->selEnd, 4);
    edit.SetSel(-1, 0);
    EXPECT_EQ(Ui().Find(handle)->selStart, -1);
    edit.ScrollCaret();
    EXPECT_EQ(Ui().Find(handle)->scrollCarets, 1);
    EXPECT_TRUE(Logged("select " + H(handle) + " 0 10"));
    EXPECT_TRUE(Logged("scrollcaret " + H(handle)));
}

TEST_F(ControlsTest, ButtonCheckState) {
    const plat::WindowHandle handle = AddControl(m_dialog.Handle(), 1004, "Button", 0x03u);
    plat::Button button;
    button.Attach(handle);
    EXPECT_EQ(button.GetCheck(), 0);
    button.SetCheck(1);
    EXPECT_EQ(button.GetCheck(), 1);
    EXPECT_TRUE(Logged("check " + H(handle) + " 1"));
}

}  // namespace
