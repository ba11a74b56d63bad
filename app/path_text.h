#pragma once
// Small Shift_JIS-aware path text helper of the application shell.
#include <string>

// folder, a backslash unless folder is empty or already ends in one, and name.
std::string JoinFolderAndName(const std::string& folder, const std::string& name);
