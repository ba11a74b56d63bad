// The wait cursor as a depth counter, like the framework's: ending more
// often than beginning leaves it at zero.
#include "platform/cursor.h"

#include "platform/headless_windows/headless_ui.h"

namespace plat {

void BeginWaitCursor() {
    headless::HeadlessUi::Get().ChangeWaitCursor(1);
    headless::HeadlessUi::Get().Log("cursor wait");
}

void EndWaitCursor() {
    headless::HeadlessUi& ui = headless::HeadlessUi::Get();
    if (ui.WaitCursorDepth() > 0) ui.ChangeWaitCursor(-1);
    ui.Log("cursor end");
}

void RestoreNormalCursor() {
    headless::HeadlessUi::Get().Log("cursor normal");
}

}  // namespace plat
