#include "platform/profile.h"

#include <windows.h>

#include <vector>

#include "platform/mbcs.h"
#include "wide.h"

namespace plat {

std::string ReadProfileString(const std::string& section, const std::string& key, const std::string& def,
                              std::size_t bufferSize, const std::string& path) {
    if (bufferSize == 0) return std::string();
    // The system takes a 32-bit size; an ini value is far below this anyway.
    const std::size_t size = std::min<std::size_t>(bufferSize, win32::kLongestText);
    std::vector<wchar_t> buffer(size, L'\0');
    const DWORD length = ::GetPrivateProfileStringW(win32::Wide(section).c_str(), win32::Wide(key).c_str(),
                                                    win32::Wide(def).c_str(), buffer.data(),
                                                    static_cast<DWORD>(size), win32::Wide(path).c_str());
    // The system cuts to size - 1 characters; the program's buffer held
    // size - 1 bytes, so the value is cut again to whole characters of that
    // many bytes. A value without a code page 932 form is unusable: empty.
    return CutOnCharBoundary(
        win32::Narrow(std::wstring_view(buffer.data(), length < size ? length : size - 1)), size - 1);
}

}  // namespace plat
