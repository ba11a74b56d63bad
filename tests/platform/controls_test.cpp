// Progress bars, edits and buttons of the headless double, with the rules of
// the platform's controls.
#include "platform/controls.h"

#include <climits>
#include <vector>

#include "control_cases.h"
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

class SharedBarCases : public ControlsTest, public ::testing::WithParamInterface<control_cases::BarCase> {};

TEST_P(SharedBarCases, MatchTheSystem) {
    control_cases::Run(m_bar, GetParam());
    EXPECT_EQ(Ui().Find(m_bar.Handle())->stepIts, GetParam().steps);
}

INSTANTIATE_TEST_SUITE_P(Bars, SharedBarCases, ::testing::ValuesIn(control_cases::kCases),
                         control_cases::CaseName<control_cases::BarCase>);

// The double's sum never overflows; Wine's control does past INT_MAX.
const control_cases::BarCase kHeadlessBars[] = {
    {"StepPastIntMaxDoesNotOverflow", 0, INT_MAX, INT_MAX - 1, INT_MAX, 1, INT_MAX - 1}};
INSTANTIATE_TEST_SUITE_P(Headless, SharedBarCases, ::testing::ValuesIn(kHeadlessBars),
                         control_cases::CaseName<control_cases::BarCase>);

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
