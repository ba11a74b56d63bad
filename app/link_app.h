#pragma once
// The application object: the whole job runs in one pass inside InitInstance;
// ExitInstance logs out of the host and hands the result to a parent window.
#include <cstdint>
#include <memory>
#include <string>

#include "aggregation/balance_list.h"
#include "host/records.h"
#include "platform/app_entry.h"
#include "platform/window.h"

class ClCondDlg;
class ClProgressDlg;
class ClSetData;

class ClLinkApp : public plat::WinApp {
public:
    // Result codes handed back to the parent window.
    static constexpr std::int32_t kResultCompleted = 0;
    static constexpr std::int32_t kResultCancelled = 1;
    static constexpr std::int32_t kResultFailed = 2;
    // The steps of a run in their order; m_eEndStep names the one the run
    // ended at, kDone when it went through.
    enum class RunStep { kConnect, kCheck, kAsk, kAggregate, kWrite, kDone };

    ClLinkApp();
    ~ClLinkApp() override;

    bool InitInstance() override;
    int ExitInstance() override;

    // 1 when the command line holds all four fields, else 0.
    int ParseCommandLine(const std::string& text);
    // 1 when the installed tax-form application fits, else 0 (after showing
    // the verdict's message when showMessage is non-zero).
    int CheckProgramLevel(int showMessage);
    // 1 when the selected data set was found and copied into record, else 0.
    int FindSelectedDataInfo(StDATAINFO& record);
    void BuildFindInfo(StFINDINFO& record, const StDATAINFO& dataInfo, int fromMonth, int toMonth);

    std::int32_t m_bHasParent = 0;
    plat::WindowHandle m_hParentWnd = plat::kNoWindow;
    std::uint32_t m_nNotifyMsg = 0;
    std::int16_t m_nFunctionID = 1;
    std::string m_strOutputPath;
    std::unique_ptr<plat::Window> m_pParentWnd;
    std::int32_t m_nResult = kResultCompleted;
    ClBalanceList m_listBalance;
    ClSetData* m_pSetData = nullptr;
    RunStep m_eEndStep = RunStep::kConnect;

protected:
    // Runs the conditions dialog modally and returns its end result. Tests
    // override it to play the user.
    virtual int RunCondDlg(ClCondDlg& dlg);

private:
    // Each step returns false when the run ends there (EndRun sets the result).
    bool ConnectAndReadCommandLine();
    bool Check(StDATAINFO& dataInfo);
    bool Ask(ClCondDlg& dlg, const StDATAINFO& dataInfo);
    RunStep AggregateAndWrite(ClProgressDlg& progress, const ClCondDlg& dlg, const StDATAINFO& dataInfo);
    void Tell(ClProgressDlg& progress, ClCondDlg& dlg);
    bool EndRun(std::int32_t result) {
        m_nResult = result;
        return false;
    }
    void FillCondDlg(ClCondDlg& dlg, const StDATAINFO& dataInfo);
};
