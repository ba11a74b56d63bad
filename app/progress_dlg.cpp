#include "app/progress_dlg.h"

#include <cstdio>

#include "platform/clock.h"
#include "res/resource.h"

ClProgressDlg::ClProgressDlg(plat::Window* parent) : plat::Dialog(IDD_PROGRESS, parent) {}

ClProgressDlg::~ClProgressDlg() {
    // The bars go first, then the window.
    m_prgActivity.Detach();
    m_prgOverall.Detach();
    DestroyWindow();
}

bool ClProgressDlg::CreateWindowFromTemplate() {
    return Create(plat::kNoWindow);
}

void ClProgressDlg::DoDataExchange(plat::DataExchange& dx) {
    plat::Dialog::DoDataExchange(dx);
    dx.Control(IDC_PRG_ACTIVITY, m_prgActivity);
    dx.Control(IDC_PRG_OVERALL, m_prgOverall);
}

void ClProgressDlg::BeginProgress() {
    m_prgOverall.SetRange(0, kOverallMax);
    m_prgOverall.SetStep(1);
    m_prgOverall.SetPos(0);
}

void ClProgressDlg::SetBarsRedraw(bool redraw) {
    m_prgOverall.SetRedraw(redraw);
    m_prgActivity.SetRedraw(redraw);
    if (redraw) {
        // Turning redraw off dropped what was waiting to be painted.
        m_prgOverall.Invalidate();
        m_prgActivity.Invalidate();
    }
}

void ClProgressDlg::Advance(std::int16_t from, std::int16_t to) {
    if (from > to) return;
    for (int v = from; v <= to; ++v) {
        if (v % 10 == 0) {
            char caption[32];
            std::snprintf(caption, sizeof caption, "集計中 %d％", v / 10);
            SetText(caption);
        }
        SetBarsRedraw(false);
        // A complete run steps the bar more often than its range; it stays at
        // its maximum instead of starting again from empty.
        if (m_prgOverall.GetPos() < kOverallMax) m_prgOverall.StepIt();
        Sweep();
        SetBarsRedraw(true);
        PresentIfDue();
    }
    Present();
}

void ClProgressDlg::Pulse() {
    SetBarsRedraw(false);
    Sweep();
    SetBarsRedraw(true);
    PresentIfDue();
}

void ClProgressDlg::Sweep() {
    m_prgActivity.SetRange(0, kActivityMax);
    m_prgActivity.SetStep(1);
    m_prgActivity.SetPos(0);
    // Six steps: the sixth passes the maximum and the bar starts again from
    // its minimum, so every sweep ends where it began.
    for (int i = 0; i <= kActivityMax; ++i) m_prgActivity.StepIt();
}

void ClProgressDlg::PresentIfDue() {
    if (!m_bPresented || plat::MonotonicMicros() - m_lastPresentMicros >= kFrameMicros) Present();
}

void ClProgressDlg::Present() {
    BringToTop();
    SetForeground();
    UpdateWithChildren();
    m_bPresented = true;
    m_lastPresentMicros = plat::MonotonicMicros();
}

void ClProgressDlg::EndDialog(int result) {
    if (IsVisible()) Present();
    plat::Dialog::EndDialog(result);
}
