#pragma once
// Output destination paths: Shift_JIS-aware path parts, the checks a
// destination must pass before a run, and folder-chain creation with
// rollback. Every search for a backslash or another single-byte character
// steps over double-byte characters, whose second byte may be 0x5C.
#include <cstddef>
#include <string>

#include "platform/types.h"

namespace dest {

// The size of the program's path buffers, terminator included, as
// AddTrailingBackslash takes it.
constexpr std::size_t kPathBufferSize = plat::kPathBytes + 1;

// Up to and including the last backslash; empty when there is none.
std::string GetFolderPart(const std::string& path);
// After the last backslash; the whole text when there is none.
std::string GetFileNamePart(const std::string& path);
// Up to and including the last colon; empty when there is none.
std::string GetDrivePart(const std::string& path);
// After the last colon; the whole text when there is none.
std::string GetAfterDrivePart(const std::string& path);

// Appends a backslash unless text already ends in one (a text ending in a
// double-byte character always gets one). False on an empty text, and when
// a backslash is needed but text already holds size - 1 bytes or more.
bool AddTrailingBackslash(std::string& text, std::size_t size);
// Replaces text by its drive and directory (the file name dropped), ending
// in a backslash or slash, or just "C:" for "C:name"; false, text unchanged,
// when that part is empty.
bool GetDirPart(std::string& text);
// Whether the drive-and-directory part of text is an existing folder.
bool IsFolder(const std::string& text);

// No forbidden character, and no doubled backslash but a network path's
// leading one.
bool IsValidDestChars(const std::string& path);
// The drive letter or the network share of the path is usable for writing.
bool IsValidDestDrive(const std::string& path);
// The drive of the letter is usable for reading and writing, by the drive
// type the system reports for its root.
bool IsUsableDrive(char letter);

// Creates every missing level of the folder; true when it exists afterwards.
// On failure the levels this call created are removed again.
bool CreateFolderTree(const std::string& folder);
// Removes the levels below lastExisting that a failed CreateFolderTree
// created on the way to failedPath, deepest first; stops at the first
// removal that fails.
void RemoveCreatedFolders(const std::string& failedPath, const std::string& lastExisting);

}  // namespace dest
