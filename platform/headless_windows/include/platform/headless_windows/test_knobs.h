#pragma once
// What a real process gets from the system and the user, set by the tests
// that run on the double.
#include <cstdint>
#include <optional>
#include <string>

namespace plat::headless {

void SetModuleFilePath(const std::string& windowsPath);
void SetTempDir(const std::string& windowsPath);
void SetKeyDown(int virtualKey, bool down);
// The time MonotonicMicros answers; nullopt for the real clock.
void SetClockMicros(std::optional<std::uint64_t> micros);

}  // namespace plat::headless
