#pragma once
// How the double's Windows paths reach POSIX folders. Each root is a drive
// ("C:") or a share ("\\server\share") mapped to a folder, with the drive
// type that GetDriveType reports for it. A path that starts with '/' is taken
// as a POSIX path unchanged.
#include <string>

namespace plat::headless {

void MapRoot(const std::string& root, const std::string& posixFolder, int driveType);
void ClearRoots();
// The POSIX path for a Windows path, resolved against the current directory;
// empty when its root is not mapped.
std::string ToPosixPath(const std::string& windowsPath);

}  // namespace plat::headless
