// Files and folders through the system's Unicode functions; paths are code
// page 932 text, converted at the boundary (wide.h). A path that is no such
// text names no file: the call fails as it does for an empty path.
#include "platform/files.h"

#include <io.h>
#include <shlwapi.h>
#include <windows.h>

#include <limits>

#include "platform/file_wait.h"
#include "wide.h"

namespace plat {

namespace {

HANDLE AsHandle(std::intptr_t value) {
    return reinterpret_cast<HANDLE>(value);
}

constexpr std::intptr_t kClosed = -1;  // INVALID_HANDLE_VALUE

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kDevicePrefix = L"\\\\.\\";

// The shell's path functions take at most MAX_PATH characters: a path in the
// long form is asked about its attributes instead.
bool IsLongForm(std::wstring_view path) {
    return path.substr(0, kLongPrefix.size()) == kLongPrefix;
}

}  // namespace

namespace win32 {

std::wstring WidePath(std::string_view cp932) {
    const std::wstring path = Wide(cp932);
    if (path.size() < MAX_PATH - 12 || IsLongForm(path) || path.compare(0, 4, kDevicePrefix) == 0)
        return path;
    // The long form is taken as it is: resolved first, as the system would
    // resolve the short one (current folder, "." and "..", slashes).
    const std::wstring full = FetchText([&path](wchar_t* buffer, DWORD size) {
        return ::GetFullPathNameW(path.c_str(), size, buffer, nullptr);
    });
    if (full.empty()) return path;
    if (full.compare(0, 2, L"\\\\") == 0) return std::wstring(kLongPrefix) + L"UNC\\" + full.substr(2);
    return std::wstring(kLongPrefix) + full;
}

}  // namespace win32

FileFailure ClassifyFileError(unsigned long error) {
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) return FileFailure::kHeld;
    return error == ERROR_ACCESS_DENIED ? FileFailure::kDenied : FileFailure::kOther;
}

File::~File() {
    Close();
}

bool File::Open(const std::string& path, Mode mode) {
    Close();
    const bool writing = mode != Mode::kRead;
    const DWORD disposition = mode == Mode::kWriteTruncate
                                  ? CREATE_ALWAYS
                                  : (mode == Mode::kWriteCreateNew ? CREATE_NEW : OPEN_EXISTING);
    const HANDLE handle = ::CreateFileW(win32::WidePath(path).c_str(), writing ? GENERIC_WRITE : GENERIC_READ,
                                        writing ? 0 : (FILE_SHARE_READ | FILE_SHARE_WRITE), nullptr,
                                        disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        m_lastError = ::GetLastError();
        return false;
    }
    m_handle = reinterpret_cast<std::intptr_t>(handle);
    m_lastError = 0;
    return true;
}

bool File::IsOpen() const {
    return m_handle != kClosed;
}

bool File::Write(const void* data, std::size_t size) {
    if (!IsOpen()) {
        m_lastError = ERROR_INVALID_HANDLE;
        return false;
    }
    if (size == 0) return true;
    if (data == nullptr || size > std::numeric_limits<DWORD>::max()) {
        m_lastError = ERROR_INVALID_PARAMETER;
        return false;
    }
    DWORD written = 0;
    if (!::WriteFile(AsHandle(m_handle), data, static_cast<DWORD>(size), &written, nullptr)) {
        m_lastError = ::GetLastError();
        return false;
    }
    if (written != size) {
        // The system took part of the bytes without an error: a full disk.
        m_lastError = ERROR_DISK_FULL;
        return false;
    }
    return true;
}

long long File::Read(void* buffer, std::size_t size) {
    if (!IsOpen()) {
        m_lastError = ERROR_INVALID_HANDLE;
        return -1;
    }
    if (size == 0) return 0;
    if (buffer == nullptr) {
        m_lastError = ERROR_INVALID_PARAMETER;
        return -1;
    }
    const DWORD chunk = size > std::numeric_limits<DWORD>::max() ? std::numeric_limits<DWORD>::max()
                                                                 : static_cast<DWORD>(size);
    DWORD read = 0;
    if (!::ReadFile(AsHandle(m_handle), buffer, chunk, &read, nullptr)) {
        m_lastError = ::GetLastError();
        return -1;
    }
    return static_cast<long long>(read);
}

bool File::Flush() {
    if (!IsOpen()) {
        m_lastError = ERROR_INVALID_HANDLE;
        return false;
    }
    if (!::FlushFileBuffers(AsHandle(m_handle))) {
        m_lastError = ::GetLastError();
        return false;
    }
    return true;
}

bool File::Close() {
    if (!IsOpen()) return true;
    const bool closed = ::CloseHandle(AsHandle(m_handle)) != FALSE;
    if (!closed) m_lastError = ::GetLastError();
    m_handle = kClosed;
    return closed;
}

bool PathExists(const std::string& path) {
    const std::wstring wide = win32::WidePath(path);
    if (IsLongForm(wide)) return ::GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
    return ::PathFileExistsW(wide.c_str()) != FALSE;
}

bool IsDirectory(const std::string& path) {
    const std::wstring wide = win32::WidePath(path);
    if (!IsLongForm(wide)) return ::PathIsDirectoryW(wide.c_str()) != FALSE;
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool GetFileStatus(const std::string& path, FileStatus& status) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(win32::WidePath(path).c_str(), GetFileExInfoStandard, &data)) return false;
    status.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    status.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    ULARGE_INTEGER now, written{{data.ftLastWriteTime.dwLowDateTime, data.ftLastWriteTime.dwHighDateTime}};
    ::GetSystemTimeAsFileTime(reinterpret_cast<FILETIME*>(&now));  // both in 100 ns
    status.ageSeconds = now.QuadPart > written.QuadPart ? (now.QuadPart - written.QuadPart) / 10000000u : 0;
    return true;
}

bool Access(const std::string& path, int mode) {
    // Only the modes the C runtime knows: others would stop the process in
    // its invalid-parameter handler.
    if (mode != kAccessExists && mode != kAccessWrite && mode != kAccessRead && mode != kAccessReadWrite)
        return false;
    return ::_waccess(win32::WidePath(path).c_str(), mode) == 0;
}

bool CreateDir(const std::string& path) {
    return ::CreateDirectoryW(win32::WidePath(path).c_str(), nullptr) != FALSE;
}

bool RemoveDir(const std::string& path) {
    return ::RemoveDirectoryW(win32::WidePath(path).c_str()) != FALSE;
}

bool DeleteFileAt(const std::string& path) {
    return ::DeleteFileW(win32::WidePath(path).c_str()) != FALSE;
}

bool MoveFileReplace(const std::string& from, const std::string& to, unsigned long* error) {
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    const bool moved =
        ::MoveFileExW(win32::WidePath(from).c_str(), win32::WidePath(to).c_str(), flags) != FALSE;
    if (!moved && error != nullptr) *error = ::GetLastError();
    return moved;
}

bool ListFolder(const std::string& folder, std::vector<std::string>& names) {
    WIN32_FIND_DATAW found;
    const HANDLE find = ::FindFirstFileW(win32::WidePath(folder + "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return false;
    do {
        // A name without a code page 932 form names nothing the program made.
        const std::string name = win32::Narrow(found.cFileName);
        if (!name.empty()) names.push_back(name);
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    return true;
}

int QueryDriveType(const std::string& root) {
    return static_cast<int>(::GetDriveTypeW(win32::Wide(root).c_str()));
}

bool SkipRoot(const std::string& path, std::size_t& offset) {
    const std::wstring wide = win32::Wide(path);
    const wchar_t* rest = ::PathSkipRootW(wide.c_str());
    if (rest == nullptr) return false;
    // The root in bytes: the code page 932 form of the characters before rest.
    const std::size_t root =
        win32::Narrow(std::wstring_view(wide).substr(0, static_cast<std::size_t>(rest - wide.c_str())))
            .size();
    if (root == 0) return false;
    offset = root;
    return true;
}

std::string StripToRoot(const std::string& path) {
    // The function takes a MAX_PATH buffer and only ever shortens its text.
    std::wstring buffer = win32::Wide(path);
    if (buffer.empty()) return std::string();
    if (buffer.size() < MAX_PATH) buffer.resize(MAX_PATH, L'\0');
    if (!::PathStripToRootW(&buffer[0])) return std::string();
    return win32::Narrow(buffer.c_str());
}

}  // namespace plat
