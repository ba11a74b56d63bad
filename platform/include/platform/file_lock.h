#pragma once
// An exclusive lock between processes through a lock file that the system
// lets go when its holder ends, however it ends. Windows: the file opened
// with no sharing and deleted on close. POSIX: flock on the file, which the
// holder removes before letting go; a waiter that then holds the removed
// file sees that the path no longer names it and tries again.
#include <cstdint>
#include <string>

#include "platform/clock.h"

namespace plat {

class FileLock {
public:
    FileLock() = default;
    ~FileLock() { Release(); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Takes the lock of lockPath, waiting while another process holds it;
    // false when it cannot be had by the deadline.
    bool Acquire(const std::string& lockPath, const Deadline& deadline);
    // Lets go and leaves no lock file behind.
    void Release();
    bool IsHeld() const { return m_handle != -1; }

private:
    bool TryOnce(unsigned long& error);  // the system's code on failure

    std::intptr_t m_handle = -1;
    std::string m_path;
};

}  // namespace plat
