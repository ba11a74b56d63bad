#pragma once
// The system's save-file dialog. Texts are code page 932 bytes.
#include <string>

#include "platform/types.h"

namespace plat {

struct SaveFileRequest {
    WindowHandle owner = kNoWindow;  // kNoWindow: no owner
    std::string title;               // empty: the system's own title
    // File types in '|' notation: "description|pattern|...|" with an
    // optional final "|"; empty: no file types.
    std::string filter;
    std::string defaultExt;     // appended to a name typed without extension; no dot
    std::string initialName;    // the file name shown first
    std::string initialFolder;  // empty: the system's choice
    bool hideReadOnly = false;  // no read-only check box
    bool noChangeDir = false;   // the current directory stays as it was
    bool pathMustExist = false;
    bool fileMustExist = false;
};

// Shows the dialog (modal to its owner). True with the chosen full path when
// the user confirmed; false when the user cancelled or the dialog failed, and
// chosenPath is then left as it was.
bool ShowSaveFileDialog(const SaveFileRequest& request, std::string& chosenPath);

}  // namespace plat
