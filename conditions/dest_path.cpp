#include "conditions/dest_path.h"

#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "platform/mbcs.h"
#include "platform/types.h"

namespace dest {
namespace {

constexpr std::size_t kNone = std::string::npos;
// A network path's server name starts after its two backslashes, and has a
// character at least.
constexpr std::size_t kServerStart = 2;

// Start positions of the characters c (ASCII, never a lead byte) in text.
std::vector<std::size_t> FindAll(std::string_view text, char c) {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < text.size(); i += plat::CharAt(text, i).size()) {
        if (text[i] == c) found.push_back(i);
    }
    return found;
}

std::size_t FindLast(std::string_view text, char c) {
    const std::vector<std::size_t> found = FindAll(text, c);
    return found.empty() ? kNone : found.back();
}

// The first single-byte character c starting at byte from or later.
std::size_t FindFrom(std::string_view text, char c, std::size_t from) {
    for (const std::size_t i : FindAll(text, c)) {
        if (i >= from) return i;
    }
    return kNone;
}

// Whether two backslash characters follow each other, the first starting at
// byte from or later.
bool HasDoubledBackslash(std::string_view text, std::size_t from) {
    for (const std::size_t i : FindAll(text, '\\')) {
        if (i >= from && i + 1 < text.size() && text[i + 1] == '\\') return true;
    }
    return false;
}

bool IsNetworkPath(std::string_view path) {
    return path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
}

char FoldAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Whether the first n bytes of a and b are equal without regard to the case
// of single-byte letters; double-byte characters must match exactly (their
// second byte may look like a letter). A text shorter than n only matches a
// text of the same length.
bool EqualNoCase(std::string_view a, std::string_view b, std::size_t n) {
    for (std::size_t i = 0; i < n; i += plat::CharAt(a, i).size()) {
        if (i >= a.size() || i >= b.size()) return i >= a.size() && i >= b.size();
        const std::string_view ca = plat::CharAt(a, i);
        const std::string_view cb = plat::CharAt(b, i);
        if (ca.size() != cb.size() || (ca.size() == 2 ? ca != cb : FoldAscii(ca[0]) != FoldAscii(cb[0])))
            return false;
    }
    return true;
}

// An empty name (two backslashes in a row) and "." name the level above
// them once more.
bool NamesLevelAbove(std::string_view name) {
    return name.empty() || name == ".";
}

// The folder of text with a trailing backslash, as the folder-chain
// operations compare and create it; false when there is none.
bool FolderWithBackslash(std::string& text) {
    return GetDirPart(text) && AddTrailingBackslash(text, kPathBufferSize);
}

// The root of a folder with a trailing backslash; empty when there is none.
std::string RootWithBackslash(const std::string& folder) {
    std::string root = plat::StripToRoot(folder);
    if (!AddTrailingBackslash(root, kPathBufferSize)) return std::string();
    return root;
}

}  // namespace

std::string GetFolderPart(const std::string& path) {
    const std::size_t last = FindLast(path, '\\');
    return last == kNone ? std::string() : path.substr(0, last + 1);
}

std::string GetFileNamePart(const std::string& path) {
    const std::size_t last = FindLast(path, '\\');
    return last == kNone ? path : path.substr(last + 1);
}

std::string GetDrivePart(const std::string& path) {
    const std::size_t last = FindLast(path, ':');
    return last == kNone ? std::string() : path.substr(0, last + 1);
}

std::string GetAfterDrivePart(const std::string& path) {
    const std::size_t last = FindLast(path, ':');
    return last == kNone ? path : path.substr(last + 1);
}

bool AddTrailingBackslash(std::string& text, std::size_t size) {
    if (text.empty()) return false;
    if (plat::EndsWithBackslashChar(text)) return true;
    if (text.size() + 1 >= size) return false;
    text += '\\';
    return true;
}

bool GetDirPart(std::string& text) {
    const std::size_t length = plat::FolderPartLength(text);
    if (length == 0) return false;
    text.resize(length);
    return true;
}

bool IsFolder(const std::string& text) {
    std::string folder = text;
    return GetDirPart(folder) && plat::IsDirectory(folder);
}

bool IsValidDestChars(const std::string& path) {
    std::string_view rest = path;
    if (IsNetworkPath(path)) {
        if (HasDoubledBackslash(path, kServerStart + 1)) return false;
        rest.remove_prefix(kServerStart);
    } else {
        if (HasDoubledBackslash(path, 0)) return false;
        const std::size_t colon = FindFrom(path, ':', 0);
        if (colon != kNone) rest.remove_prefix(colon + 1);
    }
    for (const char c : {'/', ':', ',', ';', '*', '?', '"', '>', '<', '|'}) {
        if (FindFrom(rest, c, 0) != kNone) return false;
    }
    return true;
}

bool IsValidDestDrive(const std::string& path) {
    if (IsNetworkPath(path)) {
        const std::size_t serverEnd = FindFrom(path, '\\', kServerStart + 1);
        if (serverEnd == kNone) return false;
        const std::size_t shareEnd = FindFrom(path, '\\', serverEnd + 1);
        if (shareEnd == kNone) return false;
        return plat::Access(path.substr(0, shareEnd), plat::kAccessReadWrite);
    }
    if (path.empty() || HasDoubledBackslash(path, 0)) return false;
    // The first character is the drive letter, whether a colon follows or not.
    return IsUsableDrive(path[0]);
}

bool IsUsableDrive(char letter) {
    const char drive = FoldAscii(letter);
    if (drive < 'A' || drive > 'Z') return false;
    const std::string root = {drive, ':', '\\'};
    switch (plat::QueryDriveType(root)) {
        case plat::kDriveUnknown:
            return false;
        case plat::kDriveNoRootDir:
            return true;
        case plat::kDriveRemovable:
        case plat::kDriveFixed:
        case plat::kDriveRemote:
            return plat::Access(root, plat::kAccessReadWrite);
        case plat::kDriveCdrom:
        case plat::kDriveRamdisk:
            return false;
        default:
            return true;
    }
}

bool CreateFolderTree(const std::string& folder) {
    std::string path = folder;
    if (!FolderWithBackslash(path) || !plat::FitsPathBuffer(path)) return false;
    std::size_t relStart = 0;
    if (!plat::SkipRoot(path, relStart)) return false;
    const std::string rel = path.substr(relStart);
    const std::string root = RootWithBackslash(path);
    if (root.empty()) return false;

    // The levels below lastExisting down to lastCreated are this call's own;
    // a level another process made (and every level above it, which now
    // holds it) is never removed.
    std::string lastExisting = root;
    std::string lastCreated;
    const auto fail = [&] {
        if (!lastCreated.empty()) RemoveCreatedFolders(lastCreated, lastExisting);
        return false;
    };
    std::size_t nameStart = 0;
    for (const std::size_t i : FindAll(rel, '\\')) {
        // Taken for an existing folder, such a level would keep a level this
        // call created from being removed on failure.
        const bool sameLevel = NamesLevelAbove(std::string_view(rel).substr(nameStart, i - nameStart));
        nameStart = i + 1;
        if (sameLevel) continue;
        std::string prefix = root + rel.substr(0, i);
        if (!AddTrailingBackslash(prefix, kPathBufferSize)) return fail();
        if (!IsFolder(prefix)) {
            if (plat::CreateDir(prefix)) {
                lastCreated = prefix;
                continue;
            }
            // Made by another process since the look: there, and theirs.
            if (!IsFolder(prefix)) return fail();
        }
        lastExisting = prefix;
        lastCreated.clear();
    }
    return true;
}

void RemoveCreatedFolders(const std::string& failedPath, const std::string& lastExisting) {
    std::string failed = failedPath;
    std::string existing = lastExisting;
    if (!FolderWithBackslash(failed) || !FolderWithBackslash(existing)) return;
    const std::string root = RootWithBackslash(failed);
    const std::string existingRoot = RootWithBackslash(existing);
    if (root.empty() || root.size() != existingRoot.size() || !EqualNoCase(root, existingRoot, root.size()) ||
        !EqualNoCase(failed, root, root.size()) ||
        !EqualNoCase(existing, existingRoot, existingRoot.size())) {
        return;
    }
    const std::string_view failedRel = std::string_view(failed).substr(root.size());
    const std::string_view existingRel = std::string_view(existing).substr(root.size());
    if (!EqualNoCase(failedRel, existingRel, existingRel.size())) return;

    const std::vector<std::size_t> levels = FindAll(failedRel, '\\');
    for (std::size_t k = levels.size(); k-- > 0;) {
        // The level above is compared with the last existing folder next;
        // removed here under another name, it would go although it was there.
        const std::size_t nameStart = k == 0 ? 0 : levels[k - 1] + 1;
        if (NamesLevelAbove(failedRel.substr(nameStart, levels[k] - nameStart))) continue;
        const std::size_t length = levels[k] + 1;  // the level's text after the root, backslash included
        if (EqualNoCase(failedRel.substr(0, length), existingRel, length)) return;
        const std::string level = failed.substr(0, root.size() + length);
        if (plat::IsDirectory(level) && !plat::RemoveDir(level)) return;
    }
}

}  // namespace dest
