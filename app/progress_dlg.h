#pragma once
// The modeless progress window shown while the balances are totalled and the
// report is written: an overall bar over the whole scale (ClProgress) with
// the percentage in the caption, and an activity bar that sweeps once per
// unit of work.
//
// The bars and the caption always hold the current state; what reaches the
// screen is paced to the display: the bars' changes and the caption are held
// back (no repaint per step, no window rename per percent) and the window is
// given them, painted and brought to the front at most once a frame, and
// always at the end of each Advance and before it is hidden. A run makes tens
// of thousands of steps that nobody could see one by one. Where painting is
// slow, frames are spaced so that it takes no more than a tenth of the time.
// Only Advance changes the caption and it ends with a present, so the
// window's text is current whenever anyone else can read it.
#include <cstdint>

#include "platform/controls.h"
#include "platform/dialog.h"
#include "shared/progress.h"

class ClProgressDlg : public plat::Dialog, public ClProgress {
public:
    static constexpr int kActivityMax = 5;
    static constexpr std::uint64_t kFrameMicros = 16000;
    // Time between frames, at least, per unit of time a frame took to paint.
    static constexpr std::uint64_t kFrameSpacing = 9;

    explicit ClProgressDlg(plat::Window* parent = nullptr);
    ~ClProgressDlg() override;

    // Creates the window from its template without a parent.
    bool CreateWindowFromTemplate();
    void BeginProgress();
    // One overall step for each value from..to, both included.
    void Advance(std::int16_t from, std::int16_t to) override;
    // One sweep of the activity bar; keeps the window in front.
    void Pulse() override;
    // Shows the last state before the window leaves the screen.
    void EndDialog(int result);

protected:
    void DoDataExchange(plat::DataExchange& dx) override;

private:
    void SetBarsDeferred(bool deferred);
    void Sweep();
    // Paints, brings to the front and to the foreground once a frame is due.
    void PresentIfDue();
    void Present();

    plat::ProgressCtrl m_prgActivity;
    plat::ProgressCtrl m_prgOverall;
    // "集計中 %d％" as it should read; the window gets it at the next present.
    char m_szCaption[32] = {};
    bool m_bCaptionHeld = false;
    bool m_bPresented = false;
    std::uint64_t m_nextPresentMicros = 0;
};
