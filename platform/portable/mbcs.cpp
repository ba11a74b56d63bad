#include "platform/mbcs.h"

namespace plat {

// Code page 932: lead bytes 0x81-0x9F and 0xE0-0xFC.
bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

}  // namespace plat
