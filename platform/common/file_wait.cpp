// Bounded waits for files that another process holds for a moment.
#include <cstdint>
#include <string>

#include "platform/clock.h"
#include "platform/file_lock.h"
#include "platform/files.h"

namespace plat {
namespace {

// Short enough that a file let go is taken almost at once, long enough not
// to keep a processor busy.
constexpr std::uint32_t kPauseMillis = 10;

}  // namespace

bool RetryWhileHeld(std::uint32_t waitMillis, bool deniedToo, const std::function<bool()>& attempt) {
    const std::uint64_t start = MonotonicMicros();
    for (;;) {
        if (attempt()) return true;
        // Read first: the clock and the sleep must not stand between the
        // failure and its code.
        if (!LastFailureWasHeld(deniedToo)) return false;
        if (MonotonicMicros() - start >= std::uint64_t{waitMillis} * 1000u) return false;
        SleepMillis(kPauseMillis);
    }
}

bool ReadWholeFileWaiting(const std::string& path, std::string& content, std::uint32_t waitMillis) {
    return RetryWhileHeld(waitMillis, false, [&] { return ReadWholeFile(path, content); });
}

bool MoveFileReplaceWaiting(const std::string& from, const std::string& to, std::uint32_t waitMillis) {
    return RetryWhileHeld(waitMillis, true, [&] { return MoveFileReplace(from, to); });
}

}  // namespace plat
