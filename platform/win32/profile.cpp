#include "platform/profile.h"

#include <windows.h>

#include <vector>

#include "platform/mbcs.h"
#include "wide.h"

namespace plat {

std::string ReadProfileString(const std::string& section, const std::string& key, const std::string& def,
                              std::size_t bufferSize, const std::string& path) {
    if (bufferSize == 0) return std::string();
    const std::optional<std::wstring> wideSection = win32::Wide(section);
    const std::optional<std::wstring> wideKey = win32::Wide(key);
    const std::optional<std::wstring> wideDef = win32::Wide(def);
    const std::optional<std::wstring> widePath = win32::Wide(path);
    if (!wideSection || !wideKey || !wideDef || !widePath) return std::string();
    // The system takes a 32-bit size; an ini value is far below this anyway.
    constexpr std::size_t kLargest = 1u << 20;
    const std::size_t size = bufferSize < kLargest ? bufferSize : kLargest;
    std::vector<wchar_t> buffer(size, L'\0');
    const DWORD length =
        ::GetPrivateProfileStringW(wideSection->c_str(), wideKey->c_str(), wideDef->c_str(), buffer.data(),
                                   static_cast<DWORD>(size), widePath->c_str());
    // The system cuts to size - 1 characters; the program's buffer held
    // size - 1 bytes, so the value is cut again to whole characters of that
    // many bytes. A value without a code page 932 form is unusable: empty.
    const std::optional<std::string> value =
        win32::Narrow(std::wstring_view(buffer.data(), length < size ? length : size - 1));
    return value ? CutOnCharBoundary(*value, size - 1) : std::string();
}

}  // namespace plat
