// Portable backend: lead bytes of code page 932.
#include "platform/mbcs.h"

namespace plat {

// The machine is taken to run code page 932.
bool IsLeadByte(unsigned char c) {
    return IsCp932LeadByte(c);
}

}  // namespace plat
