// The lock over POSIX: flock on a lock file that its holder removes before
// letting go. Error codes are errno values.
#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/headless_windows/drive_table.h"
#include "platform/headless_windows/file_faults.h"

namespace plat {

bool FileLock::TryOnce(unsigned long& error) {
    if (headless::InjectFileFault(headless::FileOp::kOpen, m_path)) {
        error = static_cast<unsigned long>(errno);
        return false;
    }
    const std::string posix = headless::ToPosixPath(m_path);
    const int fd = posix.empty() ? -1 : ::open(posix.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = posix.empty() ? ENOENT : static_cast<unsigned long>(errno);
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        // The last holder may have removed this file as it let go; the lock
        // is the file the path names now.
        struct stat held {};
        struct stat named {};
        if (::fstat(fd, &held) == 0 && ::stat(posix.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino) {
            m_handle = fd;
            return true;
        }
        error = EBUSY;
    } else {
        error = errno == EWOULDBLOCK || errno == EINTR ? EBUSY : static_cast<unsigned long>(errno);
    }
    ::close(fd);
    return false;
}

void FileLock::Release() {
    if (!IsHeld()) return;
    // Removed while still held, so that no waiter takes a file on its way out.
    const std::string posix = headless::ToPosixPath(m_path);
    if (!posix.empty()) ::unlink(posix.c_str());
    ::close(static_cast<int>(m_handle));
    m_handle = -1;
}

}  // namespace plat
