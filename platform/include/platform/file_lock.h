#pragma once
// Files that other processes use at the same time: another run of the
// program, a backup, a virus scanner or a viewer may hold a file for a
// moment. A lock serialises updates across processes, and an open, a read or
// a replace the system refuses because the file is in use is tried again for
// a bounded time.
#include <cstdint>
#include <functional>
#include <string>

namespace plat {

// Whether the last failure the system reported to this thread says that
// another process holds the file: a sharing or lock violation (portable
// backend: EBUSY, what the fault injection answers). With deniedToo also
// access denied, which a replace answers while the old file is open and an
// open while a file is being deleted.
bool LastFailureWasHeld(bool deniedToo);

// Calls attempt until it succeeds, until it fails for another reason than a
// held file, or until waitMillis have passed since the first call, with
// short sleeps in between; the last attempt's result.
bool RetryWhileHeld(std::uint32_t waitMillis, bool deniedToo, const std::function<bool()>& attempt);

// ReadWholeFile, waiting while the file is held.
bool ReadWholeFileWaiting(const std::string& path, std::string& content, std::uint32_t waitMillis);
// MoveFileReplace, waiting while either file is held or access is denied.
bool MoveFileReplaceWaiting(const std::string& from, const std::string& to, std::uint32_t waitMillis);

// An exclusive lock between processes through a lock file that the system
// lets go when its holder ends, however it ends. Windows: the file opened
// with no sharing and deleted on close. POSIX: flock on the file, which the
// holder removes before letting go; a waiter that then holds the removed
// file sees that the path no longer names it and tries again.
class FileLock {
public:
    FileLock() = default;
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Takes the lock of lockPath, waiting up to waitMillis while another
    // process holds it; false when it cannot be had in time.
    bool Acquire(const std::string& lockPath, std::uint32_t waitMillis);
    // Lets go and leaves no lock file behind.
    void Release();
    bool IsHeld() const { return m_handle != -1; }

private:
    bool TryOnce();

    std::intptr_t m_handle = -1;
    std::string m_path;
};

}  // namespace plat
