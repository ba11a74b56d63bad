#include "platform/locale_map.h"

#include <windows.h>

#include <vector>

namespace plat {

std::string MapToFullWidth(const std::string& text) {
    if (text.empty()) return std::string();
    if (text.size() > 0x3FFFFFFFu) return std::string();  // beyond what an int length can double
    const LCID locale = ::GetSystemDefaultLCID();
    const int sourceLength = static_cast<int>(text.size());
    // First ask for the size, then map into exactly that much room.
    const int needed = ::LCMapStringA(locale, LCMAP_FULLWIDTH, text.data(), sourceLength, nullptr, 0);
    if (needed <= 0) return std::string();
    std::vector<char> buffer(static_cast<std::size_t>(needed));
    const int mapped =
        ::LCMapStringA(locale, LCMAP_FULLWIDTH, text.data(), sourceLength, buffer.data(), needed);
    if (mapped <= 0) return std::string();
    return std::string(buffer.data(), static_cast<std::size_t>(mapped));
}

}  // namespace plat
