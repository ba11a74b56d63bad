// The progress window over the real template: the platform's progress bars
// under Wine, the headless ones natively.
#include <gtest/gtest.h>

#include "app/progress_dlg.h"
#include "platform/controls.h"
#include "res/resource.h"

#ifndef _WIN32
#include "platform/headless_windows/headless_ui.h"
#include "platform/headless_windows/test_knobs.h"
#endif

namespace {

// "集計中 " in code page 932, then the percentage and "％".
std::string Caption(int percent) {
    return "\x8F\x57\x8C\x76\x92\x86 " + std::to_string(percent) + "\x81\x93";
}

class ProgressTest : public ::testing::Test {
protected:
    void SetUp() override {
#ifndef _WIN32
        plat::headless::HeadlessUi::Get().Reset();
#endif
        ASSERT_TRUE(m_dlg.CreateWindowFromTemplate());
        m_dlg.Show(plat::kSwShow);
        m_dlg.BeginProgress();
    }
    int Pos(int id) const {
        plat::ProgressCtrl bar;
        bar.Attach(m_dlg.GetItem(id).Handle());
        return bar.GetPos();
    }
    ClProgressDlg m_dlg;
};

TEST_F(ProgressTest, TemplateCaptionAndBars) {
    EXPECT_EQ(m_dlg.GetText(), "\x8F\x57\x8C\x76\x92\x86");  // 集計中
    EXPECT_TRUE(m_dlg.GetItem(IDC_PRG_OVERALL).IsValid());
    EXPECT_TRUE(m_dlg.GetItem(IDC_PRG_ACTIVITY).IsValid());
    EXPECT_EQ(Pos(IDC_PRG_OVERALL), 0);
}

TEST_F(ProgressTest, FirstRangeStepsOnceEachValueAndShowsWholePercents) {
    m_dlg.Advance(0, 100);
    EXPECT_EQ(Pos(IDC_PRG_OVERALL), 101);
    EXPECT_EQ(m_dlg.GetText(), Caption(10));
}

#ifndef _WIN32
// Natively only: under Wine every step repaints the real bars, and the 1,007
// steps of a complete run take over a minute there.
TEST_F(ProgressTest, CompleteRunEndsFullAtOneHundredPercent) {
    const std::int16_t ranges[][2] = {{0, 100},   {100, 300}, {300, 400}, {400, 500},
                                      {500, 600}, {600, 700}, {700, 1000}};
    int steps = 0;
    for (const auto& r : ranges) {
        m_dlg.Advance(r[0], r[1]);
        steps += r[1] - r[0] + 1;
    }
    EXPECT_EQ(steps, 1007);
    // Stepped past its maximum, the bar stays full instead of starting over.
    EXPECT_EQ(Pos(IDC_PRG_OVERALL), 1000);
    const std::string last = m_dlg.GetText();
    EXPECT_EQ(last, "\x8F\x57\x8C\x76\x92\x86\x20\x31\x30\x30\x81\x93");
}
#endif

TEST_F(ProgressTest, EmptyOrReversedRangeDoesNothing) {
    m_dlg.Advance(5, 4);
    EXPECT_EQ(Pos(IDC_PRG_OVERALL), 0);
    EXPECT_EQ(m_dlg.GetText(), "\x8F\x57\x8C\x76\x92\x86");
}

TEST_F(ProgressTest, PulseSweepsOncePastTheMaximum) {
    m_dlg.Pulse();
    // The platform bar wraps by the modulo of its range: six steps of one on
    // 0..5 end at 1.
    EXPECT_EQ(Pos(IDC_PRG_ACTIVITY), 1);
#ifndef _WIN32
    const auto& ui = plat::headless::HeadlessUi::Get();
    const auto* win = ui.Find(m_dlg.Handle());
    const auto* bar = ui.FindControl(m_dlg.Handle(), IDC_PRG_ACTIVITY);
    ASSERT_NE(win, nullptr);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->stepIts, 6);
    EXPECT_EQ(bar->rangeLower, 0);
    EXPECT_EQ(bar->rangeUpper, 5);
#endif
}

#ifndef _WIN32
// The window reaches the screen (painted, in front, foreground) at most once
// a frame, always at the end of an Advance, and before it is hidden.
TEST_F(ProgressTest, ScreenIsPaintedAtMostOnceAFrame) {
    struct Step {
        std::uint64_t at;  // clock, microseconds
        char call;         // 'p' Pulse, 'a' Advance(0, 100), 'e' EndDialog
        int presents;      // total afterwards
    };
    const Step steps[] = {{1000000, 'p', 1}, {1000000, 'p', 1}, {1015999, 'p', 1}, {1016000, 'p', 2},
                          {1016000, 'a', 3}, {1016001, 'p', 3}, {1016001, 'e', 4}};
    const auto& ui = plat::headless::HeadlessUi::Get();
    for (const Step& step : steps) {
        plat::headless::SetClockMicros(step.at);
        if (step.call == 'p') m_dlg.Pulse();
        if (step.call == 'a') m_dlg.Advance(0, 100);
        if (step.call == 'e') m_dlg.EndDialog(1);
        const auto* win = ui.Find(m_dlg.Handle());
        EXPECT_EQ(win->updates, step.presents) << step.at << step.call;
        EXPECT_EQ(win->bringToTops, step.presents) << step.at << step.call;
        EXPECT_EQ(win->foregrounds, step.presents) << step.at << step.call;
    }
    plat::headless::SetClockMicros(std::nullopt);
    EXPECT_FALSE(m_dlg.IsVisible());
}

// The caption is held like the bars: the window is renamed at a present when
// the percentage changed, not at every multiple of 10, and the last caption is
// on it before it leaves the screen.
TEST_F(ProgressTest, CaptionReachesTheWindowOncePerPresent) {
    auto& ui = plat::headless::HeadlessUi::Get();
    const std::size_t before = ui.Events().size();
    plat::headless::SetClockMicros(1000000);
    m_dlg.Advance(0, 100);  // presents at 0 (the first) and at the end
    plat::headless::SetClockMicros(1016000);
    m_dlg.Advance(100, 300);  // a frame at 100, still 10 percent; the end
    EXPECT_EQ(m_dlg.GetText(), Caption(30));
    m_dlg.EndDialog(1);
    plat::headless::SetClockMicros(std::nullopt);
    const std::string h = std::to_string(static_cast<unsigned long long>(m_dlg.Handle()));
    std::vector<std::string> seen;
    for (std::size_t i = before; i < ui.Events().size(); ++i) {
        const std::string& e = ui.Events()[i];
        if (e.rfind("text ", 0) == 0 || e.rfind("update ", 0) == 0 || e.rfind("end ", 0) == 0)
            seen.push_back(e);
    }
    const std::string text = "text " + h + " \x8F\x57\x8C\x76\x92\x86 ";  // 集計中
    const std::string update = "update " + h;
    EXPECT_EQ(seen, (std::vector<std::string>{text + "0\x81\x93", update, text + "10\x81\x93", update, update,
                                              text + "30\x81\x93", update, update, "end " + h + " 1"}));
}
#endif

}  // namespace
