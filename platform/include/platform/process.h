#pragma once
// The program's own module, its current directory and its environment.
#include <cstdint>
#include <string>

namespace plat {

std::string GetModuleFilePath();  // full path of the running executable
std::string GetCurrentDir();
bool SetCurrentDir(const std::string& path);
// Value of an environment variable; empty when it is not set.
std::string GetEnvVar(const std::string& name);
// The system's temporary folder as GetTempPathA gives it (ends in a backslash).
std::string GetTempDir();
// The system's identifier of this process.
std::uint32_t CurrentProcessId();

}  // namespace plat
