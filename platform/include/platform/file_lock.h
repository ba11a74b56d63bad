#pragma once
// Files that other processes (another run, a backup, a virus scanner, a
// viewer) may hold for a moment: a lock serialises updates across processes,
// and what is refused because the file is in use is tried until a deadline.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "platform/clock.h"
#include "platform/files.h"

namespace plat {

// Held: a sharing or lock violation (POSIX: EBUSY, as a taken flock and the
// fault injection answer); denied: access denied (POSIX: EACCES, EPERM).
enum class FileFailure { kHeld, kDenied, kOther };
FileFailure ClassifyFileError(unsigned long error);

// The moment a wait gives up, one for all the steps of an update.
struct Deadline {
    explicit Deadline(std::uint32_t millis) : endMicros(MonotonicMicros() + std::uint64_t{millis} * 1000u) {}
    std::uint64_t endMicros;
};

// Access denied, waited for this long in a row, is a file or folder not this
// user's to write, no longer a file being deleted.
constexpr std::uint32_t kDeniedMillis = 200;

// Calls attempt (its error code in its argument) until it succeeds, fails
// otherwise than held or denied, is denied deniedMillis in a row, or the
// deadline has passed; sleeps in between answer sent messages.
bool RetryWhileHeld(const Deadline& deadline, std::uint32_t deniedMillis,
                    const std::function<bool(unsigned long&)>& attempt);

// ReadWholeFile, waiting while the file is held.
bool ReadWholeFileWaiting(const std::string& path, std::string& content, const Deadline& deadline);

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

// A file's new content written beside it, which then replaces it in one
// step: whatever fails, the old file stays whole and the new one goes.
class SafeReplace {
public:
    explicit SafeReplace(std::string target) : m_target(std::move(target)) {}
    ~SafeReplace();  // removes the temporary file unless it replaced the target

    // The index-th name of process pid's temporary file: "<target>.<pid>.tmp",
    // then "<target>.<pid>-<index>.tmp"; past the system's 259 characters
    // "~<pid>[-<index>].tmp" in the target's folder; empty if even that is.
    static std::string TempPath(const std::string& target, std::uint32_t pid, int index);
    // Removes the target's temporary files left over ten minutes ago (64 at
    // most), then creates this process's (write only, not shared) under its
    // first name that can be had; a file at a name of this ID is a leftover.
    bool Create();
    File& Temp() { return m_file; }
    // Flushes, closes and replaces the target, waiting until the deadline
    // while it is held or denied (a reader not sharing deletion), not at all
    // when it is read-only or a folder. False: the target is as it was.
    bool Commit(const Deadline& deadline);

private:
    std::string m_target;
    std::string m_temp;  // once created
    File m_file;
    bool m_committed = false;
};

}  // namespace plat
