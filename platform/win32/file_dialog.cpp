// The save-file dialog through the system's Unicode common dialog, with texts
// converted at the code page 932 boundary.
#include "platform/file_dialog.h"

#include <windows.h>
// The common dialogs need the types of windows.h before them.
#include <commdlg.h>

#include <cstring>
#include <string>

#include "handle.h"
#include "platform/mbcs.h"
#include "wide.h"

namespace plat {

namespace {

// "desc|pattern|...||" as the dialog wants it: every '|' a zero, the whole
// ending in two zeros. In UTF-16 a '|' is never part of another character.
std::wstring ToFilterList(const std::string& filter) {
    std::wstring list = win32::Wide(filter);
    for (wchar_t& c : list) {
        if (c == L'|') c = L'\0';
    }
    list.append(2, L'\0');
    return list;
}

const wchar_t* OrNull(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

}  // namespace

bool ShowSaveFileDialog(const SaveFileRequest& request, std::string& chosenPath) {
    // An owner that is gone would make the dialog fail: show it unowned.
    HWND hOwner = win32::ToHwnd(request.owner);
    if (hOwner != nullptr && ::IsWindow(hOwner) == FALSE) hOwner = nullptr;

    const std::wstring filterList = ToFilterList(request.filter);
    const std::wstring initialFolder = win32::Wide(request.initialFolder);
    const std::wstring title = win32::Wide(request.title);
    const std::wstring defaultExt = win32::Wide(request.defaultExt);
    // The initial name as whole characters of the program's path buffer.
    const std::wstring initialName = win32::Wide(CutOnCharBoundary(request.initialName, kPathBytes));
    wchar_t file[kPathBytes + 1] = {};
    std::memcpy(file, initialName.data(), initialName.size() * sizeof(wchar_t));

    OPENFILENAMEW ofn;
    std::memset(&ofn, 0, sizeof(ofn));
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = hOwner;
    ofn.lpstrFilter = request.filter.empty() ? nullptr : filterList.data();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = static_cast<DWORD>(kPathBytes + 1);
    ofn.lpstrInitialDir = OrNull(initialFolder);
    ofn.lpstrTitle = OrNull(title);
    ofn.lpstrDefExt = OrNull(defaultExt);
    ofn.Flags = OFN_EXPLORER;
    if (request.hideReadOnly) ofn.Flags |= OFN_HIDEREADONLY;
    if (request.noChangeDir) ofn.Flags |= OFN_NOCHANGEDIR;
    if (request.pathMustExist) ofn.Flags |= OFN_PATHMUSTEXIST;
    if (request.fileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST;

    if (::GetSaveFileNameW(&ofn) == FALSE) return false;
    file[kPathBytes] = L'\0';
    // A path the program cannot hold (a character without a code page 932
    // form, more bytes than a path buffer takes) is no choice at all, as one
    // too long for the dialog's buffer is.
    const std::string path = win32::Narrow(file);
    if (path.empty() || !FitsPathBuffer(path)) return false;
    chosenPath = path;
    return true;
}

}  // namespace plat
