// Code page 932 named explicitly, never the system's code page, and no best
// fit: a character either has a code of its own or the text is refused.
#include "platform/cp932.h"

#include <windows.h>

#include <climits>

#include "wide.h"

namespace plat {

namespace {

constexpr UINT kCodePage = 932;

bool Decode(std::string_view bytes, std::wstring& out) {
    if (bytes.empty()) {
        out.clear();
        return true;
    }
    if (bytes.size() > INT_MAX) return false;
    const int size = static_cast<int>(bytes.size());
    const int needed = ::MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (needed <= 0) return false;
    std::wstring text(static_cast<std::size_t>(needed), L'\0');
    if (::MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(), size, &text[0], needed) !=
        needed)
        return false;
    out.swap(text);
    return true;
}

bool Encode(std::wstring_view text, std::string& out) {
    if (text.empty()) {
        out.clear();
        return true;
    }
    if (text.size() > INT_MAX / 2) return false;
    const int size = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int needed = ::WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr, 0,
                                             nullptr, &usedDefault);
    if (needed <= 0 || usedDefault) return false;
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    if (::WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, text.data(), size, &bytes[0], needed, nullptr,
                              &usedDefault) != needed ||
        usedDefault)
        return false;
    // A code counts only when it reads back as the text: Wine writes the
    // private-use characters U+F8F0 to U+F8F3 as 0xA0 and 0xFD to 0xFF, which
    // it then refuses to read.
    std::wstring back;
    if (!Decode(bytes, back) || back != text) return false;
    out.swap(bytes);
    return true;
}

}  // namespace

bool Cp932ToUtf16(std::string_view bytes, std::u16string& out) {
    std::wstring text;
    if (!Decode(bytes, text)) return false;
    out.assign(text.begin(), text.end());
    return true;
}

bool Utf16ToCp932(std::u16string_view text, std::string& out) {
    return Encode(std::wstring(text.begin(), text.end()), out);
}

namespace win32 {

std::optional<std::wstring> Wide(std::string_view cp932) {
    std::wstring text;
    if (!Decode(cp932, text)) return std::nullopt;
    return text;
}

std::optional<std::string> Narrow(std::wstring_view text) {
    std::string bytes;
    if (!Encode(text, bytes)) return std::nullopt;
    return bytes;
}

std::string NarrowMarked(std::wstring_view text) {
    return Utf16ToCp932Marked(std::u16string(text.begin(), text.end()));
}

}  // namespace win32

}  // namespace plat
