// The conversions character by character, where the whole text is refused.
#include "platform/cp932.h"
#include "platform/mbcs.h"

namespace plat {

std::string Utf16ToCp932Marked(std::u16string_view text) {
    std::string out;
    if (Utf16ToCp932(text, out)) return out;
    // Character by character: a surrogate pair is one character, and one mark.
    for (std::size_t i = 0; i < text.size();) {
        const bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() &&
                          text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        const std::size_t length = pair ? 2 : 1;
        std::string one;
        out += Utf16ToCp932(text.substr(i, length), one) ? one : std::string("?");
        i += length;
    }
    return out;
}

std::string KeepReadable(std::string_view text) {
    std::u16string wide;
    if (Cp932ToUtf16(text, wide)) return std::string(text);
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        std::string_view c = CharAt(text, i);
        // A lead byte followed by a byte no second byte can be stands alone.
        if (c.size() == 2 && !IsCp932SecondByte(static_cast<unsigned char>(c[1]))) c = c.substr(0, 1);
        if (Cp932ToUtf16(c, wide)) out += c;
        i += c.size();
    }
    return out;
}

}  // namespace plat
