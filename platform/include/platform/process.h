#pragma once
// The program's own module, its current directory and its environment.
#include <cstdint>
#include <string>

namespace plat {

// The paths are empty when the system cannot give them or code page 932
// cannot name them.
std::string GetModuleFilePath();  // full path of the running executable
std::string GetCurrentDir();
bool SetCurrentDir(const std::string& path);
// Makes the executable's folder current without naming it in code page 932,
// so that the files beside it open by bare names from any folder.
bool MakeProgramFolderCurrent();
// Value of an environment variable, '?' for a character code page 932
// lacks (which no path holds); empty when it is not set.
std::string GetEnvVar(const std::string& name);
// The system's temporary folder as GetTempPathW gives it (ends in a backslash).
std::string GetTempDir();
// The system's identifier of this process.
std::uint32_t CurrentProcessId();

}  // namespace plat
