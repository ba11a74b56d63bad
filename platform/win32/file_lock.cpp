// The lock file: opened with no sharing, deleted when it closes.
#include "platform/file_lock.h"

#include <windows.h>

#include "wide.h"

namespace plat {

bool FileLock::TryOnce(unsigned long& error) {
    // No sharing: every other open fails while this handle lasts. Deleted
    // when it closes, also by the system when the process ends without
    // closing it; while that is pending another open is denied access.
    const HANDLE handle =
        ::CreateFileW(win32::WidePath(m_path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = ::GetLastError();
        return false;
    }
    m_handle = reinterpret_cast<std::intptr_t>(handle);
    return true;
}

void FileLock::Release() {
    if (!IsHeld()) return;
    ::CloseHandle(reinterpret_cast<HANDLE>(m_handle));
    m_handle = -1;
}

}  // namespace plat
