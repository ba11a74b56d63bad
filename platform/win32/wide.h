#pragma once
// The Windows backend's side of the one code page 932 conversion
// (platform/cp932.h): the W functions take UTF-16 as wchar_t. Every text the
// backend hands the system goes through Wide, every text it takes from the
// system through Narrow or NarrowMarked; none depends on the system's code
// page.
#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace plat::win32 {

// Shift_JIS bytes for a W function; empty, which names and shows nothing,
// for bytes that are no code page 932 text.
std::wstring Wide(std::string_view cp932);
// A path for the file functions: Wide's, taken to its long form
// ("\\?\C:\...", "\\?\UNC\server\share\...") once it is as long as the
// shortest of the system's path limits (a folder's, MAX_PATH - 12), so that
// every path of up to 260 bytes, and the temporary beside it, can be
// written.
std::wstring WidePath(std::string_view cp932);
// A text of the system as Shift_JIS; empty, as for a failure, when a
// character of it has no form of its own in code page 932.
std::string Narrow(std::wstring_view text);
// The same with '?' for each such character: what a user typed.
std::string NarrowMarked(std::wstring_view text);

// The longest text fetched from the system, in UTF-16 units: far beyond any
// path (32,767) or text of the program.
constexpr DWORD kLongestText = 0x40000;

// A text the system copies into a buffer: fetch(buffer, size) answers the
// length copied, the size needed when the buffer is too small (or the
// buffer's size: then it doubles), or 0 for a failure. Empty on a failure or
// past kLongestText.
template <typename Fetch>
std::wstring FetchText(Fetch fetch) {
    std::vector<wchar_t> buffer(MAX_PATH + 1, L'\0');
    while (buffer.size() <= kLongestText) {
        const DWORD result = fetch(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (result == 0) return std::wstring();
        if (result < buffer.size()) return std::wstring(buffer.data(), result);
        buffer.assign(std::max<std::size_t>(result + 1, buffer.size() * 2), L'\0');
    }
    return std::wstring();
}

// A window's text, fetched again with more room when it was cut.
std::wstring WindowText(HWND hWnd);

}  // namespace plat::win32
