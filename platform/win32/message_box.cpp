#include "platform/message_box.h"

#include "handle.h"
#include "platform/controls.h"
#include "wide.h"

namespace plat {

int ShowMessageBox(WindowHandle owner, const std::string& text, const std::string& caption, unsigned style) {
    // An owner that is gone would make the call fail and the message vanish:
    // show it without an owner instead.
    HWND hOwner = win32::ToHwnd(owner);
    if (hOwner != nullptr && ::IsWindow(hOwner) == FALSE) hOwner = nullptr;
    // The box is modal over its owner: what the owner was waiting to paint
    // shows before it, not once the box's own loop gets round to it.
    if (hOwner != nullptr) {
        FlushDeferredBars(owner);
        ::RedrawWindow(hOwner, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    return ::MessageBoxW(hOwner, win32::Wide(text).c_str(), win32::Wide(caption).c_str(), style);
}

}  // namespace plat
