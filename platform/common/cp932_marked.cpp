#include "platform/cp932.h"

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

}  // namespace plat
