// Headless double: message boxes, recorded and answered by the headless user interface.
#include "platform/message_box.h"

#include "platform/controls.h"
#include "platform/headless_windows/headless_ui.h"
#include "platform/window.h"

namespace plat {

int ShowMessageBox(WindowHandle owner, const std::string& text, const std::string& caption, unsigned style) {
    headless::MessageBoxRecord record;
    record.owner = owner;
    record.text = text;
    record.caption = caption;
    record.style = style;
    record.ownerVisible = owner != kNoWindow && Window(owner).IsVisible();
    if (record.ownerVisible) {
        FlushDeferredBars(owner);
        Window(owner).UpdateWithChildren();
    }
    return headless::HeadlessUi::Get().RecordMessageBox(record);
}

}  // namespace plat
