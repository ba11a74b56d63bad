#include "platform/keyboard.h"

#include <windows.h>

namespace plat {

bool IsKeyDown(int virtualKey) {
    // The high bit of the state is the key's "down" flag.
    return (static_cast<unsigned short>(::GetKeyState(virtualKey)) & 0x8000u) != 0;
}

}  // namespace plat
