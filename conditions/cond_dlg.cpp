// The conditions dialog: what the user chooses, checked before a run starts.
#include "conditions/cond_dlg.h"

#include <cstring>
#include <string>

#include "conditions/cond_texts.h"
#include "conditions/dest_path.h"
#include "conditions/period_months.h"
#include "host/data_mgr.h"
#include "host/file_mgr.h"
#include "platform/file_dialog.h"
#include "platform/files.h"
#include "platform/keyboard.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "platform/types.h"
#include "res/resource.h"
#include "shared/box_caption.h"
#include "shared/c_number.h"

namespace {

constexpr int kDestPathMaxChars = 255;
constexpr int kToMonthMaxChars = 2;

std::int16_t ToInt16(const std::string& text) {
    return static_cast<std::int16_t>(AtoL32(text));
}

// Focus on an edit with its whole text selected and the caret in view.
void FocusAndSelectAll(plat::Edit& edit) {
    edit.SetFocus();
    edit.SetSel(0, -1);
    edit.ScrollCaret();
}

}  // namespace

ClCondDlg::ClCondDlg(plat::Window* parent) : plat::Dialog(IDD_CONDITIONS, parent) {}

void ClCondDlg::DoDataExchange(plat::DataExchange& dx) {
    plat::Dialog::DoDataExchange(dx);
    dx.Control(IDC_STC_TO_MONTH_LABEL, m_stcToMonthLabel);
    dx.Control(IDC_GRP_DEST, m_grpDest);
    dx.Control(IDC_EDT_TO_MONTH, m_edtToMonth);
    dx.Control(IDC_EDT_DEST_PATH, m_edtDestPath);
    dx.Control(IDC_CHK_TAX_INCLUDED, m_chkTaxIncluded);
    dx.Control(IDC_BTN_BROWSE, m_btnBrowse);
    dx.Control(IDC_BTN_RUN, m_btnRun);
    dx.Control(IDC_BTN_CANCEL, m_btnCancel);
    dx.Text(IDC_STC_PERIOD, m_strPeriod);
    dx.Text(IDC_STC_COMPANY, m_strCompanyName);
    dx.Text(IDC_EDT_DEST_PATH, m_strDestPath);
    dx.Text(IDC_EDT_TO_MONTH, m_strToMonth);
    dx.MaxChars(IDC_EDT_TO_MONTH, kToMonthMaxChars);
    dx.Text(IDC_STC_FROM_MONTH, m_strFromMonth);
}

int ClCondDlg::ShowMessage(const char* text, unsigned style) {
    return plat::ShowMessageBox(Handle(), text, texts::kCaption, style);
}

int ClCondDlg::AskAt(plat::Window& focus, const char* text, unsigned style) {
    // The focus goes there before the box as well: when the box closes, the
    // system gives the dialog back the focus it had when the box opened, and
    // where activation arrives late that would undo a focus set afterwards.
    focus.SetFocus();
    return ShowMessage(text, style);
}

bool ClCondDlg::OnInitDialog() {
    plat::Dialog::OnInitDialog();

    if (m_bPastData == 1) {
        ShowMessage(cond_texts::kPastData, plat::kMbOk | plat::kMbIconExclamation);
        // The window is never shown: the modal run ends once this returns.
        EndDialog(kResultCancel);
    }

    m_edtDestPath.LimitText(kDestPathMaxChars);

    std::int16_t tax = 1;
    std::int16_t toMonth = 0;
    std::int16_t fromMonth = 0;
    std::string path;
    m_szSavedDestPath.clear();

    if (LoadDestRecord(tax, toMonth, path) == 1) {
        m_szSavedDestPath = path;
    } else {
        GetPeriodMonths(m_nPeriodStart, m_nPeriodEnd, &fromMonth, &toMonth);
        toMonth = static_cast<std::int16_t>(toMonth % kPeriodWrapMark);
        StSHOHIZEIINFO taxInfo;
        GetTaxSetting(taxInfo);  // unreadable settings leave the record zero: tax-exclusive
        tax = taxInfo.GetU8(StSHOHIZEIINFO::kOffTaxIncludedDefault) != 0 ? 1 : 0;
    }

    if (path.empty()) {
        // The default is a file pattern in the default folder, for the user
        // to complete by typing or browsing.
        const char* folder = ClFileMgr::Inst()->GetAppFolderPath(ClFileMgr::kFolderOutput);
        path = folder != nullptr ? folder : "";
        if (path.empty()) {
            path = plat::GetTempDir();
            // The system's text goes into a path buffer: one that does not
            // fit it counts as none, never a cut folder.
            if (!plat::FitsPathBuffer(path)) path.clear();
            if (!path.empty()) dest::AddTrailingBackslash(path, dest::kPathBufferSize);
        }
        path += cond_texts::kDefaultPattern;
    }

    if (!m_strGivenDestPath.empty()) {
        m_strDestPath = m_strGivenDestPath;
        m_btnBrowse.Enable(false);
        m_edtDestPath.Enable(false);
        m_grpDest.SetText(cond_texts::kDestGroupFixed);
        m_bDestFixed = 1;
    } else {
        m_strDestPath = path;
        m_bDestFixed = 0;
    }

    if (fromMonth == 0) GetPeriodMonths(m_nPeriodStart, m_nPeriodEnd, &fromMonth, nullptr);
    m_strFromMonth = std::to_string(fromMonth);
    m_strToMonth = std::to_string(toMonth);

    m_chkTaxIncluded.SetCheck(tax);
    m_nTaxIncluded = tax;

    UpdateData(false);
    return true;  // the focus goes to the first tab stop, the to month
}

int ClCondDlg::GetTaxSetting(StSHOHIZEIINFO& record) {
    ClDataMgr* dataMgr = ClDataMgr::Inst();
    auto* setData = dynamic_cast<ClSetData*>(dataMgr->GetSetObject(ClDataMgr::kSetData, 1));
    auto* setTax = dynamic_cast<ClSetShohizei*>(dataMgr->GetSetObject(ClDataMgr::kSetShohizei, 1));
    if (setData == nullptr || setTax == nullptr) return 0;
    setTax->AttachSetMgr(dataMgr->GetSetMgr());
    setTax->SetCurDataID(setData->GetSelectedInfo());
    StSHOHIZEIINFO info;
    if (setTax->Get(&info) != 0) return 0;
    std::memcpy(record.Data(), info.Data(), StSHOHIZEIINFO::kSize);
    return 1;
}

bool ClCondDlg::OnCommand(int id) {
    switch (id) {
        case IDC_BTN_RUN:
            OnRun();
            return true;
        case IDC_BTN_BROWSE:
            OnBrowse();
            return true;
        case IDC_BTN_CANCEL:
            OnCancel();
            return true;
        case IDC_CHK_TAX_INCLUDED:
            OnTaxIncludedClicked();
            return true;
        case plat::kIdOk:
            // The dialog manager's Enter (with a modifier held, or with the
            // focus elsewhere): never a way around OnRun's checks.
            return true;
        default:
            return false;
    }
}

void ClCondDlg::OnTaxIncludedClicked() {
    m_nTaxIncluded = static_cast<std::int16_t>(m_chkTaxIncluded.GetCheck());
}

void ClCondDlg::OnCancel() {
    ShowMessage(cond_texts::kCancelled, plat::kMbOk | plat::kMbIconInformation);
    EndDialog(kResultCancel);
}

bool ClCondDlg::PreTranslateMessage(const plat::KeyMessage& key) {
    if (plat::IsKeyDown(plat::kVkShift) || plat::IsKeyDown(plat::kVkControl) ||
        plat::IsKeyDown(plat::kVkMenu)) {
        return false;
    }
    if (key.virtualKey == plat::kVkF12) {
        OnRun();
        return true;
    }
    if (key.virtualKey != plat::kVkReturn) return false;

    const plat::WindowHandle target = key.target;
    if (target == plat::kNoWindow) return false;
    if (target == m_edtToMonth.Handle()) {
        m_chkTaxIncluded.SetFocus();
    } else if (target == m_chkTaxIncluded.Handle()) {
        if (m_btnBrowse.IsEnabled()) {
            FocusAndSelectAll(m_edtDestPath);
        } else {
            m_btnRun.SetFocus();
        }
    } else if (target == m_edtDestPath.Handle()) {
        if (m_btnBrowse.IsEnabled()) {
            m_btnBrowse.SetFocus();
        } else {
            m_btnRun.SetFocus();
        }
    } else if (target == m_btnBrowse.Handle()) {
        OnBrowse();
    } else if (target == m_btnRun.Handle()) {
        OnRun();
    } else {
        return false;
    }
    return true;
}

void ClCondDlg::OnRun() {
    UpdateData(true);
    const std::int16_t fromMonth = ToInt16(m_strFromMonth);
    const std::int16_t toMonth = ToInt16(m_strToMonth);
    if (!IsValidMonthRange(fromMonth, toMonth, m_nPeriodStart, m_nPeriodEnd)) {
        AskAt(m_edtToMonth, cond_texts::kBadMonthRange, plat::kMbOk | plat::kMbIconExclamation);
        FocusAndSelectAll(m_edtToMonth);
        return;
    }
    if (!CheckDestination()) return;
    EndDialog(kResultRun);
}

void ClCondDlg::BackToPath() {
    FocusAndSelectAll(m_edtDestPath);
}

bool ClCondDlg::CheckDestination() {
    constexpr unsigned kError = plat::kMbOk | plat::kMbIconExclamation;
    constexpr unsigned kQuestion = plat::kMbYesNo | plat::kMbIconQuestion;
    const std::string& path = m_strDestPath;

    if (path.empty()) {
        AskAt(m_btnRun, cond_texts::kNoDest, kError);
        OnBrowse();
        return false;
    }
    const char* failure = nullptr;
    if (!plat::FitsPathBuffer(path)) {
        failure = cond_texts::kDestTooLong;
    } else if (!dest::IsValidDestChars(path)) {
        failure = cond_texts::kBadDestChars;
    } else if (!dest::IsValidDestDrive(path)) {
        failure = cond_texts::kBadDrive;
    } else if (dest::GetFileNamePart(path).empty()) {
        failure = cond_texts::kNoFileName;
    }
    if (failure != nullptr) {
        AskAt(m_edtDestPath, failure, kError);
        BackToPath();
        return false;
    }

    const std::string folder = dest::GetFolderPart(path);
    if (!folder.empty() && !plat::Access(folder, plat::kAccessExists)) {
        if (AskAt(m_edtDestPath, cond_texts::kFolderMissing, kQuestion) != plat::kIdYes) {
            BackToPath();
            return false;
        }
        // Creating nothing can succeed (a drive that does not exist has no
        // level to create): the folder must be there afterwards.
        if (!dest::CreateFolderTree(folder) || !plat::Access(folder, plat::kAccessExists)) {
            AskAt(m_edtDestPath, cond_texts::kFolderNotCreated, kError);
            BackToPath();
            return false;
        }
    }

    plat::FileStatus status;
    if (!plat::GetFileStatus(path, status) || m_bDestFixed == 1) return true;
    if (status.isDirectory) {
        AskAt(m_edtDestPath, cond_texts::kNoFileName, kError);
        BackToPath();
        return false;
    }
    if (AskAt(m_edtDestPath, cond_texts::kFileExists, kQuestion) == plat::kIdYes) return true;
    BackToPath();
    return false;
}

void ClCondDlg::OnBrowse() {
    UpdateData(true);
    std::string folder = dest::GetFolderPart(m_strDestPath);
    std::string name;
    if (!folder.empty()) {
        name = dest::GetFileNamePart(m_strDestPath);
    } else {
        folder = dest::GetDrivePart(m_strDestPath);
        name = dest::GetAfterDrivePart(m_strDestPath);
    }

    // The dialog's name buffer holds a path: a name that does not fit starts
    // it empty rather than cut into another name.
    if (!plat::FitsPathBuffer(name)) name.clear();

    plat::SaveFileRequest request;
    request.owner = Handle();
    request.title = cond_texts::kBrowseTitle;
    request.filter = cond_texts::kBrowseFilter;
    request.defaultExt = cond_texts::kBrowseDefaultExt;
    request.initialName = name;
    request.initialFolder = folder;
    request.hideReadOnly = true;
    request.noChangeDir = true;
    request.pathMustExist = true;
    request.fileMustExist = true;
    std::string chosen;
    m_btnRun.SetFocus();  // where the focus ends, as for a message box
    if (plat::ShowSaveFileDialog(request, chosen)) {
        m_strDestPath = chosen;
        UpdateData(false);
    }
    m_btnRun.SetFocus();
}
