#pragma once
// The program's own module, its current directory and its environment.
#include <cstdint>
#include <string>

namespace plat {

// The module path, current directory and temporary folder are empty when
// the system cannot give them or a character of theirs has no code page 932
// form: the program cannot name them.
std::string GetModuleFilePath();  // full path of the running executable
std::string GetCurrentDir();
bool SetCurrentDir(const std::string& path);
// Makes the running executable's folder the current directory without
// naming it in code page 932, so that any folder can hold the program and
// the files beside it open by their bare names; false when it cannot.
bool MakeProgramFolderCurrent();
// Value of an environment variable; empty when it is not set. A character
// without a code page 932 form comes as '?', which no path holds.
std::string GetEnvVar(const std::string& name);
// The system's temporary folder as GetTempPathA gives it (ends in a backslash).
std::string GetTempDir();
// The system's identifier of this process.
std::uint32_t CurrentProcessId();

}  // namespace plat
