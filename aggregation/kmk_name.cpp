// A balance entry's name, cut to its 16 bytes on a character boundary.
#include "aggregation/kmk_name.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/mbcs.h"

void CopyKmkName(char (&dest)[kKmkNameBytes + 1], const std::uint8_t* src, std::size_t srcSize) {
    std::memset(dest, 0, sizeof dest);
    // The name ends at its terminator or at the end of the host's field.
    const auto* text = reinterpret_cast<const char*>(src);
    const std::size_t length = static_cast<std::size_t>(std::find(text, text + srcSize, '\0') - text);
    // A double-byte character that does not fit whole, or that lacks its
    // second byte, is left out.
    std::memcpy(dest, text, plat::CharBoundaryLength(std::string_view(text, length), kKmkNameBytes));
}
