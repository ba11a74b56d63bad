// The run sequence: connect, read the command line, check the installation,
// find the data set, ask for the conditions, aggregate, write the report,
// tell the user; then log out and hand the result back.
#include "app/link_app.h"

#include <cstdio>

#include "aggregation/kmk_summary.h"
#include "app/app_texts.h"
#include "app/progress_dlg.h"
#include "conditions/cond_dlg.h"
#include "conditions/find_info.h"
#include "host/acc_connect.h"
#include "host/data_mgr.h"
#include "host/uty_db_hpr.h"
#include "platform/cursor.h"
#include "platform/mbcs.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "report/report_writer.h"
#include "res/resource.h"
#include "shared/c_number.h"

namespace {

constexpr int kAppType = 5;
constexpr int kUseDataType = 1;
// Display texts of the dialog live in 51-byte buffers: a leading blank, at
// most 49 bytes of name and the terminator.
constexpr std::size_t kDisplaySize = 51;
constexpr std::size_t kCompanyNameMax = kDisplaySize - 2;

std::string FormatPeriod(std::int32_t start, std::int32_t end) {
    char text[kDisplaySize];
    std::snprintf(text, sizeof text, " %04d/%02d/%02d～%04d/%02d/%02d", start / 10000, (start % 10000) / 100,
                  start % 100, end / 10000, (end % 10000) / 100, end % 100);
    return text;
}

}  // namespace

ClLinkApp::ClLinkApp() : plat::WinApp(IDI_PROGRAM) {}

ClLinkApp::~ClLinkApp() = default;

int ClLinkApp::RunCondDlg(ClCondDlg& dlg) {
    return dlg.DoModal();
}

void ClLinkApp::BuildFindInfo(StFINDINFO& record, const StDATAINFO& dataInfo, int fromMonth, int toMonth) {
    BuildMonthFindInfo(record, dataInfo, fromMonth, toMonth);
}

void ClLinkApp::FillCondDlg(ClCondDlg& dlg, const StDATAINFO& dataInfo) {
    ClDataMgr* dataMgr = ClDataMgr::Inst();
    if (ClSysUser* user = dataMgr->GetSysUserObject()) {
        user->GetCurUserID(dlg.m_szUserID, sizeof dlg.m_szUserID);
    }
    if (m_pSetData != nullptr) {
        if (const StDATAINFO* selected = m_pSetData->GetSelectedInfo()) {
            ClUtyDBHpr::MakeIDStr(selected, dlg.m_szDataID, sizeof dlg.m_szDataID);
        }
    }
    dlg.m_bPastData = dataInfo.DataKind() == StDATAINFO::kDataKindPastResults ? 1 : 0;
    dlg.m_strGivenDestPath.clear();
    if (m_bHasParent == 1) dlg.m_strGivenDestPath = m_strOutputPath;
    dlg.m_nPeriodStart = dataInfo.PeriodStart();
    dlg.m_nPeriodEnd = dataInfo.PeriodEnd();
    dlg.m_strCompanyName = " " + plat::CutOnCharBoundary(dataInfo.CompanyName(), kCompanyNameMax);
    dlg.m_strPeriod = FormatPeriod(dataInfo.PeriodStart(), dataInfo.PeriodEnd());
}

bool ClLinkApp::InitInstance() {
    m_eEndStep = RunStep::kConnect;
    if (!ConnectAndReadCommandLine()) return false;
    m_eEndStep = RunStep::kCheck;
    StDATAINFO dataInfo;
    if (!Check(dataInfo)) return false;
    m_eEndStep = RunStep::kAsk;
    ClCondDlg condDlg(m_pParentWnd.get());
    if (!Ask(condDlg, dataInfo)) return false;
    ClProgressDlg progress;
    m_eEndStep = AggregateAndWrite(progress, condDlg, dataInfo);
    Tell(progress, condDlg);
    return m_eEndStep == RunStep::kDone;
}

bool ClLinkApp::ConnectAndReadCommandLine() {
    // Read first (reading changes nothing): a parent that waits for its
    // answer gets one even when the connection fails.
    if (ParseCommandLine(CommandLine()) == 1) {
        m_bHasParent = 1;
        m_pParentWnd = std::make_unique<plat::Window>(m_hParentWnd);
    }
    // Before the connection: the host's data may lie beside the program.
    if (!plat::MakeProgramFolderCurrent()) {
        plat::ShowMessageBox(m_hParentWnd, texts::kNoProgramFolder, texts::kCaption,
                             plat::kMbOk | plat::kMbIconExclamation);
        return EndRun(kResultFailed);
    }
    ClAccConnect* connect = ClAccConnect::Inst();
    connect->m_pszTitle = texts::kCaption;
    connect->SetAppType(kAppType);
    connect->SetUseDataType(kUseDataType);
    if (connect->Initiate() != 0) return EndRun(kResultFailed);
    if (m_pParentWnd) {
        m_pParentWnd->Enable(false);
        connect->m_hOwnerWnd = m_hParentWnd;
    }
    return true;
}

bool ClLinkApp::Check(StDATAINFO& dataInfo) {
    if (CheckProgramLevel(1) == 0) return EndRun(kResultFailed);
    const int link = ClAccConnect::Inst()->ExpSysLink();
    if (link != 0) return EndRun(link == 1 ? kResultCancelled : kResultFailed);
    if (FindSelectedDataInfo(dataInfo) == 0) {
        // Without the data set there is nothing to total; a dialog of zeros
        // would only mislead.
        plat::ShowMessageBox(m_hParentWnd, texts::kDataNotFound, texts::kCaption,
                             plat::kMbOk | plat::kMbIconExclamation);
        return EndRun(kResultFailed);
    }
    return true;
}

bool ClLinkApp::Ask(ClCondDlg& dlg, const StDATAINFO& dataInfo) {
    FillCondDlg(dlg, dataInfo);
    const int dialogResult = RunCondDlg(dlg);
    // Only the run button's checks end the dialog with a run; anything else
    // (a dialog that could not be shown at all) is a failure.
    if (dialogResult != ClCondDlg::kResultRun)
        return EndRun(dialogResult == ClCondDlg::kResultCancel ? kResultCancelled : kResultFailed);
    dlg.m_nTaxIncluded = dlg.m_nTaxIncluded != 0 ? 1 : 0;
    return true;
}

ClLinkApp::RunStep ClLinkApp::AggregateAndWrite(ClProgressDlg& progress, const ClCondDlg& dlg,
                                                const StDATAINFO& dataInfo) {
    StFINDINFO findInfo;
    progress.CreateWindowFromTemplate();
    if (m_pParentWnd) progress.SetParentWindow(m_hParentWnd);
    progress.Show(plat::kSwShow);
    plat::BeginWaitCursor();
    progress.BeginProgress();

    ClKmkSummary summary;
    summary.m_pProgress = &progress;
    summary.m_pBalanceList = &m_listBalance;
    ClReportWriter writer;
    writer.m_pProgress = &progress;
    writer.m_pBalanceList = &m_listBalance;

    BuildFindInfo(findInfo, dataInfo, AtoL32(dlg.m_strFromMonth), AtoL32(dlg.m_strToMonth));
    // A failed aggregation leaves a partial list: writing it would announce
    // an incomplete report as complete.
    if (summary.Execute(dlg.m_nTaxIncluded, findInfo, dataInfo) == 0) return RunStep::kAggregate;
    writer.SetProgressBase(ClProgress::kReportStart);
    // Whole: the dialog's checks refuse a path too long for the system.
    return writer.Write(dlg.m_strDestPath, m_nFunctionID, dataInfo) != 0 ? RunStep::kDone : RunStep::kWrite;
}

void ClLinkApp::Tell(ClProgressDlg& progress, ClCondDlg& dlg) {
    if (m_eEndStep == RunStep::kDone) {
        dlg.SaveDestRecord(dlg.m_nTaxIncluded, static_cast<std::int16_t>(AtoL32(dlg.m_strToMonth)),
                           m_bHasParent == 1 ? nullptr : dlg.m_strDestPath.c_str());
        progress.EndDialog(1);
        plat::RestoreNormalCursor();
        plat::ShowMessageBox(progress.Handle(), texts::kCompleted, texts::kCaption,
                             plat::kMbOk | plat::kMbIconInformation);
    } else {
        plat::ShowMessageBox(progress.Handle(), texts::kWriteFailed, texts::kCaption,
                             plat::kMbOk | plat::kMbIconExclamation);
        progress.EndDialog(1);
        plat::RestoreNormalCursor();
        m_nResult = kResultFailed;
    }
    plat::EndWaitCursor();
}

int ClLinkApp::ExitInstance() {
    ReleaseBalanceList(m_listBalance);

    ClAccConnect* connect = ClAccConnect::Inst();
    connect->LogOut();
    connect->Terminate();
    connect->Release();

    if (m_bHasParent == 1 && m_pParentWnd) {
        m_pParentWnd->SetForeground();
        m_pParentWnd->Enable(true);
        // The function ID travels sign-extended from 16 to 32 bits.
        const auto wParam =
            static_cast<std::uintptr_t>(static_cast<std::uint32_t>(std::int32_t{m_nFunctionID}));
        m_pParentWnd->Post(m_nNotifyMsg, wParam, static_cast<std::intptr_t>(m_nResult));
    }
    // The result is the exit status too: a script learns it without a window.
    return m_nResult;
}
