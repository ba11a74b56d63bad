// ClProgressDlg: the progress window's bars and caption, presented once a frame.
#include "app/progress_dlg.h"

#include <cstdio>
#include <cstring>

#include "platform/clock.h"
#include "res/resource.h"

ClProgressDlg::ClProgressDlg(plat::Window* parent) : plat::Dialog(IDD_PROGRESS, parent) {}

ClProgressDlg::~ClProgressDlg() {
    // The bars go first, then the window.
    SetBarsDeferred(false);
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
    SetBarsDeferred(true);
    m_prgOverall.SetRange(0, kScaleEnd);
    m_prgOverall.SetStep(1);
    m_prgOverall.SetPos(0);
}

void ClProgressDlg::SetBarsDeferred(bool deferred) {
    m_prgOverall.SetDeferred(deferred);
    m_prgActivity.SetDeferred(deferred);
}

void ClProgressDlg::Advance(std::int16_t from, std::int16_t to) {
    if (from > to) return;
    for (int v = from; v <= to; ++v) {
        if (v % 10 == 0) {
            // Neighbouring ranges share their end values: the same caption
            // again is not a change.
            char caption[sizeof m_szCaption];
            std::snprintf(caption, sizeof caption, "集計中 %d％", v / 10);
            if (std::strcmp(caption, m_szCaption) != 0) {
                std::memcpy(m_szCaption, caption, sizeof caption);
                m_bCaptionHeld = true;
            }
        }
        // A complete run steps the bar more often than its range; it stays at
        // its maximum instead of starting again from empty.
        if (m_prgOverall.GetPos() < kScaleEnd) m_prgOverall.StepIt();
        Sweep();
        PresentIfDue();
    }
    Present();
}

void ClProgressDlg::Pulse() {
    Sweep();
    PresentIfDue();
}

void ClProgressDlg::Sweep() {
    m_prgActivity.SetRange(0, kActivityMax);
    m_prgActivity.SetStep(1);
    m_prgActivity.SetPos(0);
    // Six steps from 0: the fifth fills the bar and the sixth passes its
    // maximum, where the platform's bar wraps by the modulo of its range, so
    // every sweep ends at 1; the next one starts again from 0.
    for (int i = 0; i <= kActivityMax; ++i) m_prgActivity.StepIt();
}

void ClProgressDlg::PresentIfDue() {
    if (!m_bPresented || plat::MonotonicMicros() >= m_nextPresentMicros) Present();
}

void ClProgressDlg::Present() {
    const std::uint64_t start = plat::MonotonicMicros();
    if (m_bCaptionHeld) {
        SetText(m_szCaption);
        m_bCaptionHeld = false;
    }
    m_prgOverall.Flush();
    m_prgActivity.Flush();
    BringToTop();
    SetForeground();
    UpdateWithChildren();
    const std::uint64_t end = plat::MonotonicMicros();
    const std::uint64_t spacing = (end - start) * kFrameSpacing;
    m_bPresented = true;
    m_nextPresentMicros = end + (spacing > kFrameMicros ? spacing : kFrameMicros);
}

void ClProgressDlg::EndDialog(int result) {
    if (IsVisible()) Present();
    SetBarsDeferred(false);
    plat::Dialog::EndDialog(result);
}
