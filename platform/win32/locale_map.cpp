#include "platform/locale_map.h"

#include <windows.h>

#include <climits>
#include <string>

#include "platform/cp932.h"
#include "wide.h"

namespace plat {

std::string MapToFullWidth(const std::string& text) {
    const std::wstring wide = win32::Wide(KeepReadable(text));
    if (wide.empty() || wide.size() > INT_MAX / 2) return std::string();
    const int sourceLength = static_cast<int>(wide.size());
    // Japanese named, not the system's locale; first ask for the size, then
    // map into exactly that much room.
    const int needed = ::LCMapStringEx(L"ja-JP", LCMAP_FULLWIDTH, wide.data(), sourceLength, nullptr, 0,
                                       nullptr, nullptr, 0);
    if (needed <= 0) return std::string();
    std::wstring mapped(static_cast<std::size_t>(needed), L'\0');
    const int length = ::LCMapStringEx(L"ja-JP", LCMAP_FULLWIDTH, wide.data(), sourceLength, &mapped[0],
                                       needed, nullptr, nullptr, 0);
    if (length <= 0) return std::string();
    // A mark that stands alone becomes the combining mark, which code page
    // 932 lacks: '?' for it, as the system's own conversion gives.
    return win32::NarrowMarked(std::wstring_view(mapped.data(), static_cast<std::size_t>(length)));
}

}  // namespace plat
