#pragma once
// State of the headless double shared between its source files.
#include <string>
#include <vector>

#include "platform/headless_windows/headless_ui.h"
#include "platform/headless_windows/resource_data.h"
#include "platform/types.h"

namespace plat::headless {

// A Windows path taken apart: its root ("C:", "\\server\share", or "/" for a
// POSIX path) and its folder and file names, "." and ".." resolved.
struct ParsedPath {
    bool valid = false;
    bool posix = false;
    std::string root;
    std::vector<std::string> parts;
};

// Resolves a Windows path against the current directory.
ParsedPath ParseWindowsPath(const std::string& windowsPath);
// The text of a parsed path: "C:\a\b", "C:\" for a root, POSIX as is.
std::string JoinWindowsPath(const ParsedPath& path);
// The mapped drive type of a root; -1 when the root is not mapped.
int MappedDriveType(const std::string& root);

// The Windows current directory (full path, no final backslash but for a root).
std::string& CurrentDirState();

// The handed-over template of the id, or nullptr.
const DialogTemplate* FindDialogTemplate(int id);

// The state of a window that exists and is not destroyed, or nullptr.
WindowState* Live(WindowHandle handle);

// Logs what the system did to a window: "<what> <handle>", and " <detail>"
// after it when given (HeadlessUi::Events).
void LogEvent(const char* what, WindowHandle handle);
void LogEvent(const char* what, WindowHandle handle, const std::string& detail);

}  // namespace plat::headless
