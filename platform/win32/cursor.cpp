// The wait cursor with a nesting count, as the framework keeps it: the arrow
// comes back only when the last BeginWaitCursor has been ended.
#include "platform/cursor.h"

#include <windows.h>

namespace plat {

namespace {

int g_waitDepth = 0;

// IDC_WAIT and IDC_ARROW are resource numbers, whichever function takes them.
void ShowCursorShape(LPCSTR shape) {
    if (HCURSOR cursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(shape))) ::SetCursor(cursor);
}

}  // namespace

void BeginWaitCursor() {
    ++g_waitDepth;
    ShowCursorShape(IDC_WAIT);
}

void EndWaitCursor() {
    if (g_waitDepth > 0) --g_waitDepth;
    if (g_waitDepth == 0) ShowCursorShape(IDC_ARROW);
}

void RestoreNormalCursor() {
    ShowCursorShape(IDC_ARROW);
}

}  // namespace plat
