// The company name in full width, as the report carries it.
#include "report/full_width.h"

#include <cstring>
#include <new>
#include <string>
#include <string_view>

#include "platform/locale_map.h"
#include "platform/mbcs.h"

namespace report {

const char* ToFullWidth(const char* text) {
    static char s_szResult[kFullWidthBufferSize];
    std::memset(s_szResult, 0, sizeof(s_szResult));
    if (text == nullptr) return s_szResult;

    std::string converted;
    try {
        converted = plat::MapToFullWidth(text);
    } catch (const std::bad_alloc&) {
        return s_szResult;
    }
    // The mapping may hand back its terminator as part of the text.
    const std::size_t nul = converted.find('\0');
    std::size_t length = nul == std::string::npos ? converted.size() : nul;

    // Never cut inside a double-byte character.
    if (length > kFullWidthMaxBytes) {
        length = plat::CharBoundaryLength(std::string_view(converted.data(), length), kFullWidthMaxBytes);
    }
    std::memcpy(s_szResult, converted.data(), length);
    return s_szResult;
}

}  // namespace report
