// The save-file dialog through the system's ANSI common dialog.
#include "platform/file_dialog.h"

#include <windows.h>
// The common dialogs need the types of windows.h before them.
#include <commdlg.h>

#include <cstring>
#include <string>

#include "handle.h"
#include "platform/mbcs.h"

namespace plat {

namespace {

// "desc|pattern|...||" as the dialog wants it: every '|' (never the second
// byte of a double-byte character) a zero, the whole ending in two zeros.
std::string ToFilterList(const std::string& filter) {
    std::string list;
    list.reserve(filter.size() + 2);
    for (std::size_t i = 0; i < filter.size(); ++i) {
        const char c = filter[i];
        if (IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < filter.size()) {
            list += c;
            list += filter[++i];
        } else {
            list += c == '|' ? '\0' : c;
        }
    }
    list.append(2, '\0');
    return list;
}

// Copies as many whole characters of text as fit before the buffer's last
// byte, and terminates the copy.
void CopyWhole(const std::string& text, char* buffer, std::size_t size) {
    std::size_t length = 0;
    while (length < text.size() && text[length] != '\0') {
        const bool dbcs = IsLeadByte(static_cast<unsigned char>(text[length])) && length + 1 < text.size();
        const std::size_t next = length + (dbcs ? 2 : 1);
        if (next > size - 1) break;
        length = next;
    }
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

const char* OrNull(const std::string& text) {
    return text.empty() ? nullptr : text.c_str();
}

}  // namespace

bool ShowSaveFileDialog(const SaveFileRequest& request, std::string& chosenPath) {
    // An owner that is gone would make the dialog fail: show it unowned.
    HWND hOwner = win32::ToHwnd(request.owner);
    if (hOwner != nullptr && ::IsWindow(hOwner) == FALSE) hOwner = nullptr;

    const std::string filterList = ToFilterList(request.filter);
    char file[kMaxPath + 1] = {};
    CopyWhole(request.initialName, file, sizeof(file));

    OPENFILENAMEA ofn;
    std::memset(&ofn, 0, sizeof(ofn));
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = hOwner;
    ofn.lpstrFilter = request.filter.empty() ? nullptr : filterList.data();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = static_cast<DWORD>(sizeof(file));
    ofn.lpstrInitialDir = OrNull(request.initialFolder);
    ofn.lpstrTitle = OrNull(request.title);
    ofn.lpstrDefExt = OrNull(request.defaultExt);
    ofn.Flags = OFN_EXPLORER;
    if (request.hideReadOnly) ofn.Flags |= OFN_HIDEREADONLY;
    if (request.noChangeDir) ofn.Flags |= OFN_NOCHANGEDIR;
    if (request.pathMustExist) ofn.Flags |= OFN_PATHMUSTEXIST;
    if (request.fileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST;

    if (::GetSaveFileNameA(&ofn) == FALSE) return false;
    file[sizeof(file) - 1] = '\0';
    chosenPath = file;
    return true;
}

}  // namespace plat
