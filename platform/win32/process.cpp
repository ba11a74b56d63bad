// The module path, current directory, environment and temporary folder,
// through the Unicode functions. Each text is fetched into a buffer sized by
// the system's own answer; a path with a character that code page 932 lacks
// is unusable to the program and comes back empty, as a failure does.
#include "platform/process.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "wide.h"

namespace plat {

namespace {

// Calls fetch(buffer, size) until the text fits: the functions return the
// length copied or, when the buffer is too small, the size needed (or, as
// GetModuleFileNameW, the buffer's size: then it doubles).
template <typename Fetch>
std::wstring FetchSized(Fetch fetch) {
    std::vector<wchar_t> buffer(MAX_PATH + 1, L'\0');
    while (buffer.size() <= 0x40000) {
        const DWORD result = fetch(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (result == 0) return std::wstring();
        if (result < buffer.size()) return std::wstring(buffer.data(), result);
        buffer.assign(std::max<std::size_t>(result + 1, buffer.size() * 2), L'\0');
    }
    return std::wstring();
}

std::wstring ModulePath() {
    return FetchSized(
        [](wchar_t* buffer, DWORD size) { return ::GetModuleFileNameW(nullptr, buffer, size); });
}

std::string PathText(const std::wstring& path) {
    return win32::Narrow(path).value_or("");
}

}  // namespace

std::string GetModuleFilePath() {
    return PathText(ModulePath());
}

std::string GetCurrentDir() {
    return PathText(
        FetchSized([](wchar_t* buffer, DWORD size) { return ::GetCurrentDirectoryW(size, buffer); }));
}

bool SetCurrentDir(const std::string& path) {
    const std::optional<std::wstring> wide = win32::Wide(path);
    return wide && ::SetCurrentDirectoryW(wide->c_str()) != FALSE;
}

bool MakeProgramFolderCurrent() {
    const std::wstring module = ModulePath();
    const std::size_t slash = module.rfind(L'\\');
    return slash != std::wstring::npos &&
           ::SetCurrentDirectoryW(module.substr(0, slash + 1).c_str()) != FALSE;
}

std::string GetEnvVar(const std::string& name) {
    const std::optional<std::wstring> wideName = win32::Wide(name);
    if (name.empty() || !wideName) return std::string();
    return win32::NarrowMarked(FetchSized([&wideName](wchar_t* buffer, DWORD size) {
        return ::GetEnvironmentVariableW(wideName->c_str(), buffer, size);
    }));
}

std::string GetTempDir() {
    return PathText(FetchSized([](wchar_t* buffer, DWORD size) { return ::GetTempPathW(size, buffer); }));
}

std::uint32_t CurrentProcessId() {
    return ::GetCurrentProcessId();
}

}  // namespace plat
