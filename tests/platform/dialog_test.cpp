// Modeless dialogs of the headless double built from template 131, and the
// common data exchange.
#include "platform/dialog.h"

#include <iterator>
#include <string>

#include "platform/controls.h"
#include "resource_tables.h"
#include "test_support.h"

namespace {

using platform_test::H;
using platform_test::PlatformTest;

// "集計中" in code page 932.
const char kProgressCaption[] = "\x8F\x57\x8C\x76\x92\x86";
constexpr int kTemplateProgress = 131;
constexpr int kOverallId = 1016;
constexpr int kActivityId = 1017;

class ProgressLikeDialog : public plat::Dialog {
public:
    explicit ProgressLikeDialog(plat::Window* parent = nullptr) : plat::Dialog(kTemplateProgress, parent) {}
    plat::ProgressCtrl overall;
    plat::ProgressCtrl activity;
    std::string overallText = "overall";
    int initCalls = 0;
    int destroyCalls = 0;

protected:
    void DoDataExchange(plat::DataExchange& dx) override {
        dx.Control(kActivityId, activity);
        dx.Control(kOverallId, overall);
        dx.Text(kOverallId, overallText);
    }
    bool OnInitDialog() override {
        ++initCalls;
        return plat::Dialog::OnInitDialog();
    }
    void OnDestroy() override { ++destroyCalls; }
};

// The progress-like dialog created before each test.
class DialogTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        ASSERT_TRUE(dialog.Create(plat::kNoWindow));
    }
    ProgressLikeDialog dialog;
};
using DialogLifeTest = PlatformTest;

// The templates' styles as the window system's numbers, written out rather
// than built from the constants the tables are built from, so that a wrong
// constant or bit cannot agree with itself; the Wine suite checks the tables
// against the compiled resources. Controls in template order.
struct StyleRow {
    const char* name;
    int id;  // -1: the unaddressed static texts
    unsigned style;
};
const StyleRow kConditionsStyles[] = {
    {"company label", 1005, 0x00000000u},
    {"company: SS_NOPREFIX", 1006, 0x00000080u},
    {"period label", 1007, 0x00000000u},
    {"period: SS_NOPREFIX", 1008, 0x00000080u},
    {"range label", 1009, 0x00000000u},
    {"from month label", 1011, 0x00000000u},
    {"from month: SS_RIGHT | SS_CENTERIMAGE", 1010, 0x00000202u},
    {"range separator: SS_CENTER", 1012, 0x00000001u},
    {"to month label", 1013, 0x00000000u},
    {"to month: ES_NUMBER | ES_RIGHT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP", 1000, 0x00812082u},
    {"tax mode: BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP", 1004, 0x00030003u},
    {"destination group: BS_GROUPBOX", 1014, 0x00000007u},
    {"destination path: ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP", 1015, 0x00810080u},
    {"browse: WS_TABSTOP", 1001, 0x00010000u},
    {"run: WS_GROUP | WS_TABSTOP", 1002, 0x00030000u},
    {"cancel: WS_GROUP | WS_TABSTOP", 1003, 0x00030000u},
    {"colon after the company label: SS_RIGHT", -1, 0x00000002u},
    {"colon after the period label: SS_RIGHT", -1, 0x00000002u},
    {"colon after the range label: SS_RIGHT", -1, 0x00000002u},
};
const StyleRow kProgressStyles[] = {
    {"overall: PBS_SMOOTH | WS_BORDER", 1016, 0x00800001u},
    {"activity: WS_BORDER", 1017, 0x00800000u},
};

void ExpectStyles(int templateId, unsigned dialogStyle, const StyleRow* rows, std::size_t count) {
    const res::DialogTemplate* t = res::FindDialogTemplate(templateId);
    ASSERT_NE(t, nullptr) << templateId;
    EXPECT_EQ(t->style, dialogStyle) << "template " << templateId;
    ASSERT_EQ(t->controls.size(), count) << "template " << templateId;
    for (std::size_t i = 0; i < count; ++i) {
        EXPECT_EQ(t->controls[i].id, rows[i].id) << rows[i].name;
        EXPECT_EQ(t->controls[i].style, rows[i].style) << rows[i].name;
    }
}

TEST(DialogTemplates, StylesAreTheWindowSystemsNumbers) {
    // DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
    ExpectStyles(130, 0x80C800C0u, kConditionsStyles, std::size(kConditionsStyles));
    // DS_SETFONT | DS_MODALFRAME | DS_SYSMODAL | WS_POPUP | WS_CAPTION
    ExpectStyles(131, 0x80C000C2u, kProgressStyles, std::size(kProgressStyles));
}

TEST_F(DialogTest, CreateBuildsTheProgressTemplateHidden) {
    const plat::headless::WindowState* state = Ui().Find(dialog.Handle());
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->className, "#32770");
    EXPECT_EQ(state->templateId, kTemplateProgress);
    EXPECT_EQ(state->text, kProgressCaption);
    EXPECT_EQ(state->style, 0x80C000C2u);
    EXPECT_FALSE(state->visible);
    EXPECT_FALSE(dialog.IsVisible());
    EXPECT_EQ(dialog.initCalls, 1);
    EXPECT_EQ(Ui().Events().front(), "create 131");

    const plat::headless::WindowState* overall = Ui().FindControl(dialog.Handle(), kOverallId);
    const plat::headless::WindowState* activity = Ui().FindControl(dialog.Handle(), kActivityId);
    ASSERT_NE(overall, nullptr);
    ASSERT_NE(activity, nullptr);
    EXPECT_EQ(overall->className, "msctls_progress32");
    EXPECT_EQ(activity->className, "msctls_progress32");
    EXPECT_EQ(overall->style, 0x50800001u);  // the table's style and WS_CHILD | WS_VISIBLE
    EXPECT_EQ(activity->style, 0x50800000u);
    EXPECT_EQ(Ui().Children(dialog.Handle()).size(), 2u);
    ASSERT_EQ(Ui().FindByTemplate(kTemplateProgress).size(), 1u);
    EXPECT_EQ(Ui().FindByTemplate(kTemplateProgress)[0]->handle, dialog.Handle());
}

TEST_F(DialogTest, InitialisationBindsControlsAndLoadsTexts) {
    EXPECT_EQ(dialog.overall.Handle(), Ui().FindControl(dialog.Handle(), kOverallId)->handle);
    EXPECT_EQ(dialog.activity.Handle(), Ui().FindControl(dialog.Handle(), kActivityId)->handle);
    EXPECT_EQ(dialog.overall.GetText(), "overall");

    // Control texts back into the members.
    dialog.overall.SetText("changed");
    EXPECT_TRUE(dialog.UpdateData(true));
    EXPECT_EQ(dialog.overallText, "changed");
    dialog.overallText = "again";
    EXPECT_TRUE(dialog.UpdateData(false));
    EXPECT_EQ(Ui().Find(dialog.overall.Handle())->textHistory,
              (std::vector<std::string>{"overall", "changed", "again"}));
}

TEST_F(DialogTest, ShowEndAndDestroy) {
    const plat::WindowHandle handle = dialog.Handle();
    const plat::WindowHandle overall = dialog.overall.Handle();
    dialog.Show(plat::kSwShow);
    EXPECT_TRUE(dialog.IsVisible());
    EXPECT_TRUE(dialog.overall.IsVisible());

    dialog.EndDialog(1);
    EXPECT_FALSE(dialog.IsVisible());
    EXPECT_TRUE(dialog.IsValid());
    EXPECT_TRUE(Ui().Find(handle)->ended);
    EXPECT_EQ(Ui().Find(handle)->endResult, 1);

    dialog.DestroyWindow();
    EXPECT_EQ(dialog.Handle(), plat::kNoWindow);
    EXPECT_EQ(dialog.destroyCalls, 1);
    EXPECT_TRUE(Ui().Find(handle)->destroyed);
    EXPECT_TRUE(Ui().Find(overall)->destroyed);
    EXPECT_FALSE(dialog.overall.IsValid());
    EXPECT_TRUE(Ui().FindByTemplate(kTemplateProgress).empty());
    // Operations on the stale control are harmless.
    EXPECT_EQ(dialog.overall.StepIt(), 0);
    dialog.DestroyWindow();
    EXPECT_EQ(dialog.destroyCalls, 1);

    const long show = EventIndex("show " + H(handle) + " 1");
    const long end = EventIndex("end " + H(handle) + " 1");
    const long destroy = EventIndex("destroy " + H(handle));
    ASSERT_GE(show, 0);
    EXPECT_LT(show, end);
    EXPECT_LT(end, destroy);
}

TEST_F(DialogLifeTest, DestructorDestroysTheWindow) {
    plat::WindowHandle handle = plat::kNoWindow;
    {
        ProgressLikeDialog dialog;
        ASSERT_TRUE(dialog.Create(plat::kNoWindow));
        handle = dialog.Handle();
    }
    ASSERT_NE(Ui().Find(handle), nullptr);
    EXPECT_TRUE(Ui().Find(handle)->destroyed);
    EXPECT_TRUE(Logged("destroy " + H(handle)));
}

TEST_F(DialogLifeTest, CreateWithParentAndUnknownTemplate) {
    const plat::WindowHandle parent = Ui().CreateExternalWindow("parent");
    plat::Window parentWindow(parent);
    ProgressLikeDialog dialog(&parentWindow);
    ASSERT_TRUE(dialog.Create(plat::kNoWindow));
    EXPECT_EQ(Ui().Find(dialog.Handle())->parent, parent);
    EXPECT_TRUE(dialog.Create(plat::kNoWindow));  // exists already: no second window
    EXPECT_EQ(Ui().FindByTemplate(kTemplateProgress).size(), 1u);

    plat::Dialog missing(9999, nullptr);
    EXPECT_FALSE(missing.Create(plat::kNoWindow));
    EXPECT_EQ(missing.Handle(), plat::kNoWindow);
    EXPECT_EQ(missing.DoModal(), -1);
}

TEST_F(DialogTest, DataExchangeWithMissingControlsLeavesMembers) {
    std::string value = "kept";
    plat::DataExchange save(dialog, true);
    save.Text(4242, value);
    EXPECT_EQ(value, "kept");
    plat::Window bound(Ui().FindControl(dialog.Handle(), kOverallId)->handle);
    save.Control(4242, bound);
    EXPECT_EQ(bound.Handle(), plat::kNoWindow);
    save.MaxChars(4242, 2);
    plat::DataExchange load(dialog, false);
    load.Text(4242, value);
    EXPECT_EQ(value, "kept");
}

TEST_F(DialogTest, MaxCharsLimitsAnEditOnlyWhenLoading) {
    const plat::WindowHandle edit = AddControl(dialog.Handle(), 1000, "Edit", 0);
    plat::DataExchange save(dialog, true);
    save.MaxChars(1000, 2);
    EXPECT_EQ(Ui().Find(edit)->textLimit, 0);
    plat::DataExchange load(dialog, false);
    load.MaxChars(1000, 2);
    EXPECT_EQ(Ui().Find(edit)->textLimit, 2);
    EXPECT_TRUE(Logged("limit " + H(edit) + " 2"));
}

TEST_F(DialogTest, HiddenDialogHidesItsControls) {
    // The control itself is shown, but not on screen while its dialog is hidden.
    EXPECT_TRUE(Ui().Find(dialog.overall.Handle())->visible);
    EXPECT_FALSE(dialog.overall.IsVisible());
    dialog.Show(plat::kSwShow);
    EXPECT_TRUE(dialog.overall.IsVisible());
    dialog.Show(plat::kSwHide);
    EXPECT_FALSE(dialog.overall.IsVisible());
}

}  // namespace
