#pragma once
// The conditions dialog (template 130): the month range, the tax mode and
// the output file, with the checks a run needs and the user's choices of the
// last completed run for the same data set.
#include <cstdint>
#include <string>

#include "host/data_mgr.h"
#include "host/records.h"
#include "host/uty_db_hpr.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "res/resource.h"

class ClCondDlg : public plat::Dialog {
public:
    // The dialog's end results: the number of the button that ends it.
    static constexpr int kResultRun = IDC_BTN_RUN;
    static constexpr int kResultCancel = IDC_BTN_CANCEL;

    explicit ClCondDlg(plat::Window* parent = nullptr);

    // The remembered choices of the current user and data set (key from
    // m_szUserID and m_szDataID). Load: 1 when the record was found and the
    // outputs written, else 0 with the outputs untouched. Save: path nullptr
    // writes m_szSavedDestPath instead; 1 when the record was written, 0 when
    // not (the file is then as it was).
    int LoadDestRecord(std::int16_t& taxIncluded, std::int16_t& toMonth, std::string& path);
    int SaveDestRecord(std::int16_t taxIncluded, std::int16_t toMonth, const char* path);

    // The host's consumption-tax settings of the selected data set; 1 and
    // record filled, or 0 with record untouched.
    int GetTaxSetting(StSHOHIZEIINFO& record);

    plat::Static m_stcToMonthLabel;
    plat::Button m_grpDest;
    plat::Edit m_edtToMonth;
    plat::Edit m_edtDestPath;
    plat::Button m_chkTaxIncluded;
    plat::Button m_btnBrowse;
    plat::Button m_btnRun;
    plat::Button m_btnCancel;
    // Filled by the caller before the dialog is shown.
    std::string m_strPeriod;
    std::string m_strCompanyName;
    // The dialog's results after kResultRun.
    std::string m_strDestPath;
    std::string m_strToMonth;
    std::string m_strFromMonth;
    std::int16_t m_nTaxIncluded = 0;
    // Filled by the caller.
    char m_szDataID[ClUtyDBHpr::kIdStrSize] = {};
    std::int32_t m_nPeriodStart = 0;
    std::int32_t m_nPeriodEnd = 0;
    std::int32_t m_bPastData = 0;
    std::string m_strGivenDestPath;
    char m_szUserID[ClSysUser::kUserIdSize] = {};
    // Set by the dialog.
    std::int32_t m_bDestFixed = 0;
    // The remembered output path read on start; empty when there was none.
    // Kept whole: a remembered path too long for the path buffers must fail
    // the destination checks, not be cut into another path.
    std::string m_szSavedDestPath;

protected:
    void DoDataExchange(plat::DataExchange& dx) override;
    bool PreTranslateMessage(const plat::KeyMessage& key) override;
    bool OnInitDialog() override;
    void OnCancel() override;
    bool OnCommand(int id) override;

    void OnRun();
    void OnBrowse();
    void OnTaxIncludedClicked();

private:
    // The destination checks in their order; true when the run may start.
    bool CheckDestination();
    // Focus on the path edit, whole text selected, caret in view.
    void BackToPath();
    int ShowMessage(const char* text, unsigned style);
    // A message box with the focus put on the control first.
    int AskAt(plat::Window& focus, const char* text, unsigned style);
};
