// The module path, current directory, environment and temporary folder. Each
// text is fetched into a buffer sized by the system's own answer.
#include "platform/process.h"

#include <windows.h>

#include <vector>

namespace plat {

namespace {

// Calls fetch(buffer, size) until the text fits; fetch returns the length
// copied (without the zero) or, when the buffer is too small, the size needed
// (with the zero), as the *A functions of the system do.
template <typename Fetch>
std::string FetchSized(Fetch fetch) {
    std::vector<char> buffer(MAX_PATH + 1, '\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
        const DWORD result = fetch(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (result == 0) return std::string();
        if (result < buffer.size()) return std::string(buffer.data(), result);
        buffer.assign(static_cast<std::size_t>(result) + 1, '\0');
    }
    return std::string();
}

}  // namespace

std::string GetModuleFilePath() {
    // GetModuleFileNameA cuts the path to the buffer and returns its size
    // instead of the size needed: grow until it fits.
    std::vector<char> buffer(MAX_PATH + 1, '\0');
    while (buffer.size() <= 0x10000) {
        const DWORD length = ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::string();
        if (length < buffer.size() - 1) return std::string(buffer.data(), length);
        buffer.assign(buffer.size() * 2, '\0');
    }
    return std::string();
}

std::string GetCurrentDir() {
    return FetchSized([](char* buffer, DWORD size) { return ::GetCurrentDirectoryA(size, buffer); });
}

bool SetCurrentDir(const std::string& path) { return ::SetCurrentDirectoryA(path.c_str()) != FALSE; }

std::string GetEnvVar(const std::string& name) {
    if (name.empty()) return std::string();
    return FetchSized(
        [&name](char* buffer, DWORD size) { return ::GetEnvironmentVariableA(name.c_str(), buffer, size); });
}

std::string GetTempDir() {
    return FetchSized([](char* buffer, DWORD size) { return ::GetTempPathA(size, buffer); });
}

}  // namespace plat
