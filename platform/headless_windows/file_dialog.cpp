// Headless double: the save-file dialog, answered by the headless user interface.
#include "platform/file_dialog.h"

#include <optional>
#include <string>

#include "platform/headless_windows/headless_ui.h"
#include "platform/window.h"

namespace plat {

bool ShowSaveFileDialog(const SaveFileRequest& request, std::string& chosenPath) {
    headless::SaveFileRecord record;
    record.request = request;
    record.ownerVisible = request.owner != kNoWindow && Window(request.owner).IsVisible();
    const std::optional<std::string> answer = headless::HeadlessUi::Get().RecordSaveFile(record);
    if (!answer) return false;
    chosenPath = *answer;
    return true;
}

}  // namespace plat
