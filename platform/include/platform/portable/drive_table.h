#pragma once
// Portable backend only: how Windows paths reach POSIX folders. Each root is a
// drive ("C:") or a share ("\\server\share") mapped to a folder, with the
// drive type that GetDriveType reports for it. A path that starts with '/'
// is taken as a POSIX path unchanged.
#include <cstdint>
#include <optional>
#include <string>

namespace plat::portable {

void MapRoot(const std::string& root, const std::string& posixFolder, int driveType);
void ClearRoots();
// The POSIX path for a Windows path, resolved against the current directory;
// empty when its root is not mapped.
std::string ToPosixPath(const std::string& windowsPath);
// Settings a real process gets from the system.
void SetModuleFilePath(const std::string& windowsPath);
void SetTempDir(const std::string& windowsPath);
void SetKeyDown(int virtualKey, bool down);
// Tests: the time MonotonicMicros answers; nullopt for the real clock.
void SetClockMicros(std::optional<std::uint64_t> micros);

}  // namespace plat::portable
