// Code page 932 through glibc's iconv, made to answer as the Windows
// conversion does (as Wine gives it): the byte 0x80, which glibc refuses, is
// U+0080; and a character converts only when it converts back, which refuses
// glibc's one-way mappings (U+00A5 to 0x5C, U+2014 to 0x815C and seven more).
#include "platform/cp932.h"

#include <iconv.h>

#include <cerrno>

#include "platform/mbcs.h"

namespace plat {

namespace {

constexpr unsigned char kSingle80 = 0x80;

bool Convert(const char* to, const char* from, std::string_view in, std::string& out) {
    const iconv_t cd = ::iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string result;
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    bool ok = true;
    while (ok && inLeft > 0) {
        char buffer[256];
        char* outPtr = buffer;
        std::size_t outLeft = sizeof(buffer);
        // EILSEQ: no such character; EINVAL: a character cut off at the end.
        if (::iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) && errno != E2BIG)
            ok = false;
        result.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    }
    ::iconv_close(cd);
    if (ok) out.swap(result);
    return ok;
}

bool Decode(std::string_view bytes, std::u16string& out) {
    std::u16string text;
    std::size_t start = 0;
    for (std::size_t i = 0;;) {
        const bool end = i >= bytes.size();
        if (!end && static_cast<unsigned char>(bytes[i]) != kSingle80) {
            i += CharAt(bytes, i).size();
            continue;
        }
        std::string utf16;
        if (!Convert("UTF-16LE", "CP932", bytes.substr(start, i - start), utf16)) return false;
        for (std::size_t k = 0; k + 1 < utf16.size(); k += 2) {
            text += static_cast<char16_t>(static_cast<unsigned char>(utf16[k]) |
                                          static_cast<unsigned char>(utf16[k + 1]) << 8);
        }
        if (end) break;
        text += static_cast<char16_t>(kSingle80);
        start = ++i;
    }
    out.swap(text);
    return true;
}

bool Encode(std::u16string_view text, std::string& out) {
    std::string bytes;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != kSingle80) continue;
        std::string utf16;
        for (const char16_t c : text.substr(start, i - start)) {
            utf16 += static_cast<char>(c & 0xFF);
            utf16 += static_cast<char>(c >> 8);
        }
        std::string part;
        if (!Convert("CP932", "UTF-16LE", utf16, part)) return false;
        bytes += part;
        if (i < text.size()) bytes += static_cast<char>(kSingle80);
        start = i + 1;
    }
    std::u16string back;
    if (!Decode(bytes, back) || back != text) return false;
    out.swap(bytes);
    return true;
}

}  // namespace

bool Cp932ToUtf16(std::string_view bytes, std::u16string& out) {
    return Decode(bytes, out);
}

bool Utf16ToCp932(std::u16string_view text, std::string& out) {
    return Encode(text, out);
}

}  // namespace plat
