#pragma once
// Small Shift_JIS-aware path text helpers of the application shell.
#include <string>

// folder, a backslash unless folder is empty or already ends in one, and name.
std::string JoinFolderAndName(const std::string& folder, const std::string& name);
// The text up to and including the last backslash character; empty when none.
std::string FolderOfPath(const std::string& path);