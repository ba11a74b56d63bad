#pragma once
// The modeless progress window shown while the balances are totalled and the
// report is written: an overall bar over 0..1000 (tenths of a percent) with
// the percentage in the caption, and an activity bar that sweeps once per
// unit of work.
#include <cstdint>

#include "platform/controls.h"
#include "platform/dialog.h"

class ClProgressDlg : public plat::Dialog {
public:
    static constexpr int kOverallMax = 1000;
    static constexpr int kActivityMax = 5;

    explicit ClProgressDlg(plat::Window* parent = nullptr);
    ~ClProgressDlg() override;

    // Creates the window from its template without a parent.
    bool CreateWindowFromTemplate();
    void BeginProgress();
    // One overall step for each value from..to, both included.
    virtual void Advance(std::int16_t from, std::int16_t to);
    // One sweep of the activity bar; keeps the window in front.
    virtual void Pulse();

protected:
    void DoDataExchange(plat::DataExchange& dx) override;

private:
    plat::ProgressCtrl m_prgActivity;
    plat::ProgressCtrl m_prgOverall;
};
