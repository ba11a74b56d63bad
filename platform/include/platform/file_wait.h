#pragma once
// Bounded waits for files that other processes (another run, a backup, a
// virus scanner, a viewer) hold for a moment: what is refused because the
// file is in use is tried again until a deadline.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/clock.h"

namespace plat {

// Held: a sharing or lock violation (POSIX: EBUSY, as a taken flock and the
// fault injection answer); denied: access denied (POSIX: EACCES, EPERM).
enum class FileFailure { kHeld, kDenied, kOther };
FileFailure ClassifyFileError(unsigned long error);

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

}  // namespace plat
