// Key state for the headless backend: set by tests, read by the dialogs.
#include "platform/keyboard.h"

#include <set>

#include "platform/portable/drive_table.h"

namespace plat {
namespace {

std::set<int>& KeysDown() {
    static std::set<int> keys;
    return keys;
}

}  // namespace

namespace portable {

void SetKeyDown(int virtualKey, bool down) {
    if (down) {
        KeysDown().insert(virtualKey);
    } else {
        KeysDown().erase(virtualKey);
    }
}

}  // namespace portable

bool IsKeyDown(int virtualKey) {
    return KeysDown().count(virtualKey) != 0;
}

}  // namespace plat
