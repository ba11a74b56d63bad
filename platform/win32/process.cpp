// The module path, current directory, environment and temporary folder. Each
// text is fetched into a buffer sized by the system's own answer.
#include "platform/process.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace plat {

namespace {

// Calls fetch(buffer, size) until the text fits. The *A functions return the
// length copied or, when the buffer is too small, the size needed; some
// implementations count these in characters rather than bytes, so the length
// is taken from the zero-terminated buffer and a text that fills the buffer
// to its last byte is fetched again with more room.
template <typename Fetch>
std::string FetchSized(Fetch fetch) {
    std::vector<char> buffer(MAX_PATH + 1, '\0');
    while (buffer.size() <= 0x40000) {
        const DWORD result = fetch(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (result == 0) return std::string();
        if (result < buffer.size()) {
            const std::size_t length = ::strnlen(buffer.data(), buffer.size());
            if (length + 1 < buffer.size()) return std::string(buffer.data(), length);
        }
        const std::size_t needed = static_cast<std::size_t>(result) + 1;
        buffer.assign(needed > buffer.size() * 2 ? needed : buffer.size() * 2, '\0');
    }
    return std::string();
}

}  // namespace

std::string GetModuleFilePath() {
    // GetModuleFileNameA cuts the path to the buffer and returns its size
    // instead of the size needed: grow until it fits.
    std::vector<char> buffer(MAX_PATH + 1, '\0');
    while (buffer.size() <= 0x10000) {
        if (::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size())) == 0)
            return std::string();
        const std::size_t length = ::strnlen(buffer.data(), buffer.size());
        if (length + 1 < buffer.size()) return std::string(buffer.data(), length);
        buffer.assign(buffer.size() * 2, '\0');
    }
    return std::string();
}

std::string GetCurrentDir() {
    return FetchSized([](char* buffer, DWORD size) { return ::GetCurrentDirectoryA(size, buffer); });
}

bool SetCurrentDir(const std::string& path) {
    return ::SetCurrentDirectoryA(path.c_str()) != FALSE;
}

std::string GetEnvVar(const std::string& name) {
    if (name.empty()) return std::string();
    // Through the wide function: the ANSI one of some implementations cuts
    // double-byte values short.
    const int nameLength =
        ::MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), nullptr, 0);
    if (nameLength <= 0) return std::string();
    std::wstring wideName(static_cast<std::size_t>(nameLength), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), &wideName[0], nameLength);
    std::vector<wchar_t> value(MAX_PATH + 1, L'\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
        const DWORD result =
            ::GetEnvironmentVariableW(wideName.c_str(), value.data(), static_cast<DWORD>(value.size()));
        if (result == 0) return std::string();
        if (result < value.size()) {
            const int wideLength = static_cast<int>(result);
            const int size =
                ::WideCharToMultiByte(CP_ACP, 0, value.data(), wideLength, nullptr, 0, nullptr, nullptr);
            if (size <= 0) return std::string();
            std::string text(static_cast<std::size_t>(size), '\0');
            ::WideCharToMultiByte(CP_ACP, 0, value.data(), wideLength, &text[0], size, nullptr, nullptr);
            return text;
        }
        value.assign(static_cast<std::size_t>(result) + 1, L'\0');
    }
    return std::string();
}

std::string GetTempDir() {
    return FetchSized([](char* buffer, DWORD size) { return ::GetTempPathA(size, buffer); });
}

std::uint32_t CurrentProcessId() {
    return ::GetCurrentProcessId();
}

}  // namespace plat
