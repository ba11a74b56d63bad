#pragma once
// Small Shift_JIS-aware path text helpers of the application shell.
#include <string>

// True when text ends in a backslash that is a character of its own, not the
// second byte of a double-byte character.
bool EndsWithBackslashChar(const std::string& text);
// folder, a backslash unless folder is empty or already ends in one, and name.
std::string JoinFolderAndName(const std::string& folder, const std::string& name);
// The text up to and including the last backslash character; empty when none.
std::string FolderOfPath(const std::string& path);
// text cut to at most maxBytes bytes without splitting a double-byte character.
std::string CutOnCharBoundary(const std::string& text, std::size_t maxBytes);
