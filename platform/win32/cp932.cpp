// Code page 932 named explicitly, never the system's code page, and no best
// fit: a character either has a code of its own or the text is refused.
#include "platform/cp932.h"

#include <windows.h>

#include <climits>

#include "wide.h"

namespace plat {

namespace {

constexpr UINT kCodePage = 932;
static_assert(sizeof(wchar_t) == sizeof(char16_t), "the W functions take UTF-16");

}  // namespace

bool Cp932ToUtf16(std::string_view bytes, std::u16string& out) {
    if (bytes.empty()) {
        out.clear();
        return true;
    }
    if (bytes.size() > INT_MAX) return false;
    const int size = static_cast<int>(bytes.size());
    const int needed = ::MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (needed <= 0) return false;
    std::u16string text(static_cast<std::size_t>(needed), u'\0');
    if (::MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(), size,
                              reinterpret_cast<LPWSTR>(&text[0]), needed) != needed)
        return false;
    out.swap(text);
    return true;
}

bool Utf16ToCp932(std::u16string_view text, std::string& out) {
    if (text.empty()) {
        out.clear();
        return true;
    }
    if (text.size() > INT_MAX / 2) return false;
    const int size = static_cast<int>(text.size());
    const auto units = reinterpret_cast<LPCWCH>(text.data());
    BOOL usedDefault = FALSE;
    const int needed = ::WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, units, size, nullptr, 0,
                                             nullptr, &usedDefault);
    if (needed <= 0 || usedDefault) return false;
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    if (::WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, units, size, &bytes[0], needed, nullptr,
                              &usedDefault) != needed ||
        usedDefault)
        return false;
    // A code counts only when it reads back as the text: Wine writes the
    // private-use characters U+F8F0 to U+F8F3 as 0xA0 and 0xFD to 0xFF, which
    // it then refuses to read.
    std::u16string back;
    if (!Cp932ToUtf16(bytes, back) || back != text) return false;
    out.swap(bytes);
    return true;
}

namespace win32 {

std::wstring Wide(std::string_view cp932) {
    std::u16string text;
    Cp932ToUtf16(cp932, text);  // left empty when refused
    return std::wstring(text.begin(), text.end());
}

std::string Narrow(std::wstring_view text) {
    std::string bytes;
    Utf16ToCp932(std::u16string(text.begin(), text.end()), bytes);  // left empty when refused
    return bytes;
}

std::string NarrowMarked(std::wstring_view text) {
    return Utf16ToCp932Marked(std::u16string(text.begin(), text.end()));
}

}  // namespace win32

}  // namespace plat
