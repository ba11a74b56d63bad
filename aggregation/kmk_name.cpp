#include "aggregation/kmk_name.h"

#include <cstring>

#include "platform/mbcs.h"

void CopyKmkName(char (&dest)[kKmkNameBytes + 1], const std::uint8_t* src, std::size_t srcSize) {
    std::memset(dest, 0, sizeof dest);
    const std::size_t limit = srcSize < kKmkNameBytes ? srcSize : kKmkNameBytes;
    std::size_t i = 0;
    while (i < limit && src[i] != 0) {
        if (plat::IsLeadByte(src[i])) {
            // The trail byte must fit too and must not be the terminator.
            if (i + 1 >= limit || src[i + 1] == 0) break;
            dest[i] = static_cast<char>(src[i]);
            dest[i + 1] = static_cast<char>(src[i + 1]);
            i += 2;
        } else {
            dest[i] = static_cast<char>(src[i]);
            ++i;
        }
    }
}
