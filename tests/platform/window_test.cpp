// Window operations of the headless double: what each records, and how
// invalid windows answer.
#include "platform/window.h"

#include <string>
#include <vector>

#include "control_cases.h"
#include "platform/cursor.h"
#include "platform/dialog.h"
#include "test_support.h"

namespace {

using platform_test::H;
using platform_test::PlatformTest;

using WindowTest = PlatformTest;
// A hidden dialog from template 131 made before the test.
class DialogWindowTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        ASSERT_TRUE(dialog.Create(plat::kNoWindow));
    }
    plat::Dialog dialog{131, nullptr};
};

TEST_F(WindowTest, ExternalWindowIsAVisibleEnabledWindow) {
    const plat::WindowHandle handle = Ui().CreateExternalWindow("Parent");
    plat::Window window(handle);
    EXPECT_TRUE(window.IsValid());
    EXPECT_TRUE(window.IsVisible());
    EXPECT_TRUE(window.IsEnabled());
    EXPECT_EQ(window.GetText(), "Parent");
    EXPECT_TRUE(Ui().Find(handle)->external);
}

TEST_F(WindowTest, EnableReturnsWhetherItWasDisabled) {
    const plat::WindowHandle handle = Ui().CreateExternalWindow("Parent");
    plat::Window window(handle);
    EXPECT_FALSE(window.Enable(false));
    EXPECT_FALSE(window.IsEnabled());
    EXPECT_TRUE(window.Enable(false));
    EXPECT_TRUE(window.Enable(true));
    EXPECT_TRUE(window.IsEnabled());
    EXPECT_EQ(Ui().Events(),
              (std::vector<std::string>{"enable " + H(handle) + " 0", "enable " + H(handle) + " 0",
                                        "enable " + H(handle) + " 1"}));
}

TEST_F(DialogWindowTest, ForegroundTopAndUpdateAreCounted) {
    EXPECT_TRUE(dialog.BringToTop());
    EXPECT_TRUE(dialog.SetForeground());
    EXPECT_TRUE(dialog.Update());
    EXPECT_TRUE(dialog.Update());
    const plat::headless::WindowState* state = Ui().Find(dialog.Handle());
    EXPECT_EQ(state->bringToTops, 1);
    EXPECT_EQ(state->foregrounds, 1);
    EXPECT_EQ(state->updates, 2);
    const long top = EventIndex("top " + H(dialog.Handle()));
    const long foreground = EventIndex("foreground " + H(dialog.Handle()));
    ASSERT_GE(top, 0);
    EXPECT_LT(top, foreground);
}

TEST_F(DialogWindowTest, SetParentReturnsThePreviousParent) {
    const plat::WindowHandle parent = Ui().CreateExternalWindow("Parent");
    EXPECT_EQ(dialog.SetParentWindow(parent), plat::kNoWindow);
    EXPECT_EQ(Ui().Find(dialog.Handle())->parent, parent);
    EXPECT_EQ(dialog.SetParentWindow(plat::kNoWindow), parent);
    EXPECT_TRUE(Logged("parent " + H(dialog.Handle()) + " " + H(parent)));
    // An invalid new parent changes nothing.
    EXPECT_EQ(dialog.SetParentWindow(0x7777), plat::kNoWindow);
    EXPECT_EQ(Ui().Find(dialog.Handle())->parent, plat::kNoWindow);
}

TEST_F(WindowTest, PostRecordsTheMessage) {
    const plat::WindowHandle parent = Ui().CreateExternalWindow("Parent");
    plat::Window window(parent);
    EXPECT_TRUE(window.Post(0x8001, 2, 0));
    ASSERT_EQ(Ui().Posted().size(), 1u);
    EXPECT_EQ(Ui().Posted()[0].target, parent);
    EXPECT_EQ(Ui().Posted()[0].message, 0x8001u);
    EXPECT_EQ(Ui().Posted()[0].wParam, 2u);
    EXPECT_EQ(Ui().Posted()[0].lParam, 0);
    EXPECT_EQ(Ui().Events().back(), "post " + H(parent) + " 32769 2 0");
}

class NoWindowTest : public PlatformTest,
                     public ::testing::WithParamInterface<control_cases::NoWindowCase> {};

TEST_P(NoWindowTest, ChangesNothing) {
    control_cases::ExpectNothingChanges(GetParam().handle);
    EXPECT_EQ(plat::GetFocusWindow(), plat::kNoWindow);
    EXPECT_TRUE(Ui().Posted().empty());
    EXPECT_TRUE(Logged("post-failed " + H(GetParam().handle) + " 32769"));
}

INSTANTIATE_TEST_SUITE_P(Shared, NoWindowTest, ::testing::ValuesIn(control_cases::kNoWindows),
                         control_cases::CaseName<control_cases::NoWindowCase>);

TEST_F(DialogWindowTest, PostToADestroyedWindowFails) {
    plat::Window copy(dialog.Handle());
    dialog.DestroyWindow();
    EXPECT_FALSE(copy.IsValid());
    EXPECT_FALSE(copy.Post(0x8001, 0, 0));
    EXPECT_TRUE(Ui().Posted().empty());
}

TEST_F(DialogWindowTest, TextHistoryKeepsEverySet) {
    // "集計中 0％", "集計中 1％" in code page 932.
    dialog.SetText("集計中 0％");
    dialog.SetText("集計中 1％");
    const plat::headless::WindowState* state = Ui().Find(dialog.Handle());
    EXPECT_EQ(state->textSets, 2);
    EXPECT_EQ(state->textHistory, (std::vector<std::string>{"\x8F\x57\x8C\x76\x92\x86 0\x81\x93",
                                                            "\x8F\x57\x8C\x76\x92\x86 1\x81\x93"}));
    EXPECT_EQ(dialog.GetText(), "\x8F\x57\x8C\x76\x92\x86 1\x81\x93");
}

TEST_F(DialogWindowTest, FocusAndDetach) {
    plat::Window bar = dialog.GetItem(1016);
    bar.SetFocus();
    EXPECT_EQ(plat::GetFocusWindow(), bar.Handle());
    bar.Enable(false);  // a disabled window loses the focus
    EXPECT_EQ(plat::GetFocusWindow(), plat::kNoWindow);
    bar.Enable(true);
    bar.SetFocus();
    dialog.Enable(false);  // so does a window inside a disabled one
    EXPECT_EQ(plat::GetFocusWindow(), plat::kNoWindow);
    dialog.Enable(true);
    dialog.GetItem(1017).SetFocus();
    bar.Enable(false);  // another control keeps it
    EXPECT_EQ(plat::GetFocusWindow(), dialog.GetItem(1017).Handle());
    const plat::WindowHandle handle = bar.Detach();
    EXPECT_EQ(bar.Handle(), plat::kNoWindow);
    EXPECT_NE(handle, plat::kNoWindow);
    Ui().Reset();
    EXPECT_EQ(plat::GetFocusWindow(), plat::kNoWindow);
}

TEST_F(WindowTest, WaitCursorDepthNeverGoesBelowZero) {
    plat::BeginWaitCursor();
    plat::BeginWaitCursor();
    EXPECT_EQ(Ui().WaitCursorDepth(), 2);
    plat::RestoreNormalCursor();
    plat::EndWaitCursor();
    plat::EndWaitCursor();
    plat::EndWaitCursor();
    EXPECT_EQ(Ui().WaitCursorDepth(), 0);
    EXPECT_EQ(Ui().Events(), (std::vector<std::string>{"cursor wait", "cursor wait", "cursor normal",
                                                       "cursor end", "cursor end", "cursor end"}));
    plat::BeginWaitCursor();
    Ui().Reset();
    EXPECT_EQ(Ui().WaitCursorDepth(), 0);
}

}  // namespace
