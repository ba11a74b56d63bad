// The lock file and the system's answers for a file in use.
#include "platform/file_lock.h"

#include <windows.h>

#include "wide.h"

namespace plat {

bool LastFailureWasHeld(bool deniedToo) {
    const DWORD error = ::GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           (deniedToo && error == ERROR_ACCESS_DENIED);
}

FileLock::~FileLock() {
    Release();
}

bool FileLock::TryOnce() {
    // No sharing: every other open fails while this handle lasts. Deleted
    // when it closes, also by the system when the process ends without
    // closing it.
    const auto path = win32::Wide(m_path);
    if (!path) {
        ::SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    const HANDLE handle = ::CreateFileW(path->c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    m_handle = reinterpret_cast<std::intptr_t>(handle);
    return true;
}

bool FileLock::Acquire(const std::string& lockPath, std::uint32_t waitMillis) {
    Release();
    m_path = lockPath;
    // Access denied too: the last holder's file is still being deleted.
    return RetryWhileHeld(waitMillis, true, [this] { return TryOnce(); });
}

void FileLock::Release() {
    if (!IsHeld()) return;
    ::CloseHandle(reinterpret_cast<HANDLE>(m_handle));
    m_handle = -1;
}

}  // namespace plat
