// The module path, current directory, environment and temporary folder,
// through the Unicode functions. Each text is fetched into a buffer sized by
// the system's own answer; a path with a character that code page 932 lacks
// is unusable to the program and comes back empty, as a failure does.
#include "platform/process.h"

#include <windows.h>

#include <string>

#include "wide.h"

namespace plat {

namespace {

std::wstring ModulePath() {
    return win32::FetchText(
        [](wchar_t* buffer, DWORD size) { return ::GetModuleFileNameW(nullptr, buffer, size); });
}

}  // namespace

std::string GetModuleFilePath() {
    return win32::Narrow(ModulePath());
}

std::string GetCurrentDir() {
    return win32::Narrow(
        win32::FetchText([](wchar_t* buffer, DWORD size) { return ::GetCurrentDirectoryW(size, buffer); }));
}

bool SetCurrentDir(const std::string& path) {
    const std::wstring wide = win32::Wide(path);
    return !wide.empty() && ::SetCurrentDirectoryW(wide.c_str()) != FALSE;
}

bool MakeProgramFolderCurrent() {
    const std::wstring module = ModulePath();
    const std::size_t slash = module.rfind(L'\\');
    return slash != std::wstring::npos &&
           ::SetCurrentDirectoryW(module.substr(0, slash + 1).c_str()) != FALSE;
}

std::string GetEnvVar(const std::string& name) {
    const std::wstring wideName = win32::Wide(name);
    if (wideName.empty()) return std::string();
    return win32::NarrowMarked(win32::FetchText([&wideName](wchar_t* buffer, DWORD size) {
        return ::GetEnvironmentVariableW(wideName.c_str(), buffer, size);
    }));
}

std::string GetTempDir() {
    return win32::Narrow(
        win32::FetchText([](wchar_t* buffer, DWORD size) { return ::GetTempPathW(size, buffer); }));
}

std::uint32_t CurrentProcessId() {
    return ::GetCurrentProcessId();
}

}  // namespace plat
