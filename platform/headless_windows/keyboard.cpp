// Key state of the headless double: set by tests, read by the dialogs.
#include "platform/keyboard.h"

#include <set>

#include "platform/headless_windows/test_knobs.h"

namespace plat {
namespace {

std::set<int>& KeysDown() {
    static std::set<int> keys;
    return keys;
}

}  // namespace

namespace headless {

void SetKeyDown(int virtualKey, bool down) {
    if (down) {
        KeysDown().insert(virtualKey);
    } else {
        KeysDown().erase(virtualKey);
    }
}

}  // namespace headless

bool IsKeyDown(int virtualKey) {
    return KeysDown().count(virtualKey) != 0;
}

}  // namespace plat
