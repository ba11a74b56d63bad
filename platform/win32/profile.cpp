#include "platform/profile.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace plat {

std::string ReadProfileString(const std::string& section, const std::string& key, const std::string& def,
                              std::size_t bufferSize, const std::string& path) {
    if (bufferSize == 0) return std::string();
    // The system takes a 32-bit size; an ini value is far below this anyway.
    constexpr std::size_t kLargest = 1u << 20;
    const std::size_t size = bufferSize < kLargest ? bufferSize : kLargest;
    std::vector<char> buffer(size, '\0');
    ::GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buffer.data(),
                               static_cast<DWORD>(size), path.c_str());
    // Up to the terminating zero, which the system always writes.
    return std::string(buffer.data(), ::strnlen(buffer.data(), size));
}

}  // namespace plat
