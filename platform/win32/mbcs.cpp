#include "platform/mbcs.h"

#include <windows.h>

namespace plat {

// Always code page 932, whatever the system's code page: the texts are.
bool IsLeadByte(unsigned char c) {
    return ::IsDBCSLeadByteEx(932, c) != FALSE;
}

}  // namespace plat
