// Whole files read, and bounded waits for files that another process holds
// for a moment: the retry that reads, replaces and the lock share.
#include "platform/file_wait.h"

#include <cstdint>
#include <optional>
#include <string>

#include "platform/file_lock.h"
#include "platform/files.h"
#include "platform/window.h"

namespace plat {

// Short enough that a file let go is taken almost at once, long enough not
// to keep a processor busy.
constexpr std::uint32_t kPauseMillis = 10;

bool RetryWhileHeld(const Deadline& deadline, std::uint32_t deniedMillis,
                    const std::function<bool(unsigned long&)>& attempt) {
    std::optional<std::uint64_t> deniedSince;  // while access is denied without a break
    for (;;) {
        unsigned long error = 0;
        if (attempt(error)) return true;
        const FileFailure failure = ClassifyFileError(error);
        const std::uint64_t now = MonotonicMicros();
        if (failure != FileFailure::kDenied) {
            deniedSince.reset();
        } else if (!deniedSince) {
            deniedSince = now;
        }
        if (failure == FileFailure::kOther || now >= deadline.endMicros ||
            (deniedSince && now - *deniedSince >= std::uint64_t{deniedMillis} * 1000u)) {
            return false;
        }
        AnswerSentMessages();
        SleepMillis(kPauseMillis);
    }
}

bool ReadWholeFile(const std::string& path, std::string& content, unsigned long* error) {
    File file;
    std::string data;
    char buffer[16384];
    long long count = file.Open(path, File::Mode::kRead) ? 1 : -1;  // -1: failed
    while (count > 0 && (count = file.Read(buffer, sizeof buffer)) > 0)
        data.append(buffer, static_cast<std::size_t>(count));
    if (count < 0) {
        if (error != nullptr) *error = file.LastError();
        return false;
    }
    content.swap(data);
    return true;
}

bool ReadWholeFileWaiting(const std::string& path, std::string& content, const Deadline& deadline) {
    return RetryWhileHeld(deadline, kDeniedMillis,
                          [&](unsigned long& error) { return ReadWholeFile(path, content, &error); });
}

bool FileLock::Acquire(const std::string& lockPath, const Deadline& deadline) {
    Release();
    m_path = lockPath;
    return RetryWhileHeld(deadline, kDeniedMillis, [this](unsigned long& error) { return TryOnce(error); });
}

}  // namespace plat
