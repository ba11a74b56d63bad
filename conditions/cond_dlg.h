#pragma once
// The conditions dialog: month range, tax mode and output file.
//
// PLACEHOLDER: the dialog itself (template 130, its checks and the remembered
// destinations) is not built yet. DoModal shows nothing and ends with
// kResultCancel, so a run ends as cancelled; SaveDestRecord records nothing.
// The members are the final ones, so the run sequence already fills and reads
// them in their final order.
#include <cstdint>
#include <string>

#include "platform/dialog.h"

class ClCondDlg : public plat::Dialog {
public:
    static constexpr int kResultRun = 1002;
    static constexpr int kResultCancel = 1003;
    static constexpr std::size_t kDataIdSize = 35;
    static constexpr std::size_t kUserIdSize = 65;
    static constexpr std::size_t kPathSize = 261;

    explicit ClCondDlg(plat::Window* parent = nullptr);

    // PLACEHOLDER: ends at once with kResultCancel without showing a window.
    int DoModal();
    // PLACEHOLDER: records nothing and returns 0.
    int SaveDestRecord(std::int16_t taxIncluded, std::int16_t toMonth, const char* path);

    // Filled by the caller before the dialog is shown.
    std::string m_strPeriod;
    std::string m_strCompanyName;
    // The dialog's results after kResultRun.
    std::string m_strDestPath;
    std::string m_strToMonth;
    std::string m_strFromMonth;
    std::int16_t m_nTaxIncluded = 0;
    // Filled by the caller.
    char m_szDataID[kDataIdSize] = {};
    std::int32_t m_nPeriodStart = 0;
    std::int32_t m_nPeriodEnd = 0;
    std::int32_t m_bPastData = 0;
    std::string m_strGivenDestPath;
    char m_szUserID[kUserIdSize] = {};
    // Set by the dialog.
    std::int32_t m_bDestFixed = 0;
    char m_szSavedDestPath[kPathSize] = {};
};
