// The module path, current directory, environment and temporary folder,
// through the Unicode functions. Each text is fetched into a buffer sized by
// the system's own answer; a text with a character that code page 932 lacks
// is unusable to the program and comes back empty, as a failure does.
#include "platform/process.h"

#include <windows.h>

#include <string>
#include <vector>

#include "wide.h"

namespace plat {

namespace {

// Calls fetch(buffer, size) until the text fits: the functions return the
// length copied or, when the buffer is too small, the size needed.
template <typename Fetch>
std::string FetchSized(Fetch fetch) {
    std::vector<wchar_t> buffer(MAX_PATH + 1, L'\0');
    while (buffer.size() <= 0x40000) {
        const DWORD result = fetch(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (result == 0) return std::string();
        if (result < buffer.size())
            return win32::Narrow(std::wstring_view(buffer.data(), result)).value_or("");
        buffer.assign(static_cast<std::size_t>(result) + 1, L'\0');
    }
    return std::string();
}

}  // namespace

std::string GetModuleFilePath() {
    // GetModuleFileNameW cuts the path to the buffer and returns its size
    // instead of the size needed: grow until it fits.
    std::vector<wchar_t> buffer(MAX_PATH + 1, L'\0');
    while (buffer.size() <= 0x10000) {
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::string();
        if (length + 1 < buffer.size())
            return win32::Narrow(std::wstring_view(buffer.data(), length)).value_or("");
        buffer.assign(buffer.size() * 2, L'\0');
    }
    return std::string();
}

std::string GetCurrentDir() {
    return FetchSized([](wchar_t* buffer, DWORD size) { return ::GetCurrentDirectoryW(size, buffer); });
}

bool SetCurrentDir(const std::string& path) {
    const std::optional<std::wstring> wide = win32::Wide(path);
    return wide && ::SetCurrentDirectoryW(wide->c_str()) != FALSE;
}

std::string GetEnvVar(const std::string& name) {
    const std::optional<std::wstring> wideName = win32::Wide(name);
    if (name.empty() || !wideName) return std::string();
    return FetchSized([&wideName](wchar_t* buffer, DWORD size) {
        return ::GetEnvironmentVariableW(wideName->c_str(), buffer, size);
    });
}

std::string GetTempDir() {
    return FetchSized([](wchar_t* buffer, DWORD size) { return ::GetTempPathW(size, buffer); });
}

std::uint32_t CurrentProcessId() {
    return ::GetCurrentProcessId();
}

}  // namespace plat
