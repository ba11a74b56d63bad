// Windows paths over POSIX folders: roots from the drive table, relative
// paths against the double's current directory, and Shift_JIS-aware
// separators (a double-byte character's second byte may be 0x5C).
#include "platform/headless_windows/drive_table.h"

#include <cstddef>
#include <string>
#include <vector>

#include "headless_state.h"
#include "platform/mbcs.h"

namespace plat::headless {
namespace {

struct RootEntry {
    std::string key;  // "C:" or "\\server\share" in lower case
    std::string folder;
    int driveType;
};

std::vector<RootEntry>& Roots() {
    static std::vector<RootEntry> roots;
    return roots;
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Lower-cases ASCII letters, leaving double-byte characters whole.
std::string LowerAscii(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); i += CharAt(text, i).size()) {
        const std::string_view c = CharAt(text, i);
        out += c;  // a lead byte is never a letter
        if (c[0] >= 'A' && c[0] <= 'Z') out.back() = static_cast<char>(c[0] - 'A' + 'a');
    }
    return out;
}

// Splits text from `from` into names at separators; a double-byte character
// is never split, so its second byte is not taken for a backslash.
std::vector<std::string> SplitNames(const std::string& text, std::size_t from) {
    std::vector<std::string> names;
    std::string current;
    for (std::size_t i = from; i < text.size(); i += CharAt(text, i).size()) {
        const std::string_view c = CharAt(text, i);
        if (IsSeparator(c[0])) {
            names.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    names.push_back(current);
    return names;
}

// Appends names to parts, dropping empty names and "." and resolving "..",
// which never climbs above the root.
void AppendNames(std::vector<std::string>& parts, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        if (name.empty() || name == ".") continue;
        if (name == "..") {
            if (!parts.empty()) parts.pop_back();
            continue;
        }
        parts.push_back(name);
    }
}

// Converts separators of a relative Windows path to '/', stepping over
// double-byte characters.
std::string ToPosixSeparators(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); i += CharAt(text, i).size()) {
        out += CharAt(text, i) == "\\" ? "/" : CharAt(text, i);
    }
    return out;
}

// The end of the name that starts at `from` (the next separator, or the end).
std::size_t NameEnd(const std::string& text, std::size_t from) {
    std::size_t i = from;
    while (i < text.size() && !IsSeparator(text[i])) i += CharAt(text, i).size();
    return i;
}

// Parses an absolute root: "C:", "C:\", "\\server\share", "\\server\share\".
// Returns the root and the position after it, or an empty root.
std::string ParseRoot(const std::string& path, std::size_t& after) {
    after = 0;
    if (path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':') {
        after = 2;
        std::string root(1, path[0]);
        if (root[0] >= 'a' && root[0] <= 'z') root[0] = static_cast<char>(root[0] - 'a' + 'A');
        return root + ":";
    }
    if (path.size() >= 2 && path[0] == '\\' && IsSeparator(path[1])) {
        const std::size_t serverEnd = NameEnd(path, 2);
        if (serverEnd == 2 || serverEnd >= path.size()) return std::string();
        const std::size_t shareEnd = NameEnd(path, serverEnd + 1);
        if (shareEnd == serverEnd + 1) return std::string();
        after = shareEnd;
        return "\\\\" + path.substr(2, serverEnd - 2) + "\\" +
               path.substr(serverEnd + 1, shareEnd - serverEnd - 1);
    }
    return std::string();
}

// Whether text is a full path: POSIX, a share, or a drive with a backslash.
bool IsFullPath(const std::string& text) {
    if (text.empty()) return false;
    if (text[0] == '/') return true;
    std::size_t after = 0;
    const std::string root = ParseRoot(text, after);
    if (root.empty()) return false;
    return root.size() > 2 || (after < text.size() && IsSeparator(text[after]));
}

const RootEntry* FindRoot(const std::string& root) {
    const std::string key = LowerAscii(root);
    for (const RootEntry& entry : Roots()) {
        if (entry.key == key) return &entry;
    }
    return nullptr;
}

}  // namespace

ParsedPath ParseWindowsPath(const std::string& windowsPath) {
    ParsedPath result;
    if (windowsPath.empty()) return result;
    if (windowsPath[0] == '/') {
        result.valid = true;
        result.posix = true;
        result.root = windowsPath;
        return result;
    }
    std::size_t after = 0;
    const std::string root = ParseRoot(windowsPath, after);
    if (!root.empty()) {
        result.root = root;
        const bool driveRelative =
            root.size() == 2 && (after >= windowsPath.size() || !IsSeparator(windowsPath[after]));
        if (driveRelative) {
            // "C:name": against the current directory when it is on that drive.
            const ParsedPath current =
                IsFullPath(CurrentDirState()) ? ParseWindowsPath(CurrentDirState()) : ParsedPath();
            if (current.valid && !current.posix && current.root == root) result.parts = current.parts;
        }
        AppendNames(result.parts, SplitNames(windowsPath, after));
        result.valid = true;
        return result;
    }
    if (windowsPath[0] == '\\' && windowsPath.size() >= 2 && IsSeparator(windowsPath[1])) {
        return result;  // a share root without server or share name
    }
    // The current directory is kept absolute; checked so that a bad one can
    // never lead back here.
    const std::string& currentText = CurrentDirState();
    if (!IsFullPath(currentText)) return result;
    const ParsedPath current = ParseWindowsPath(currentText);
    if (!current.valid) return result;
    if (current.posix) {
        if (IsSeparator(windowsPath[0])) return result;
        result = current;
        std::string base = current.root;
        if (base.empty() || base.back() != '/') base += '/';
        result.root = base + ToPosixSeparators(windowsPath);
        return result;
    }
    result.root = current.root;
    if (!IsSeparator(windowsPath[0])) result.parts = current.parts;
    AppendNames(result.parts, SplitNames(windowsPath, 0));
    result.valid = true;
    return result;
}

std::string JoinWindowsPath(const ParsedPath& path) {
    if (!path.valid) return std::string();
    if (path.posix) return path.root;
    std::string text = path.root + "\\";
    for (std::size_t i = 0; i < path.parts.size(); ++i) {
        if (i > 0) text += '\\';
        text += path.parts[i];
    }
    return text;
}

int MappedDriveType(const std::string& root) {
    const RootEntry* entry = FindRoot(root);
    return entry ? entry->driveType : -1;
}

void MapRoot(const std::string& root, const std::string& posixFolder, int driveType) {
    std::size_t after = 0;
    const std::string parsed = ParseRoot(root, after);
    if (parsed.empty()) return;
    for (std::size_t i = after; i < root.size(); ++i) {
        if (!IsSeparator(root[i])) return;  // not a bare root
    }
    std::string folder = posixFolder;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    const std::string key = LowerAscii(parsed);
    for (RootEntry& entry : Roots()) {
        if (entry.key == key) {
            entry.folder = folder;
            entry.driveType = driveType;
            return;
        }
    }
    Roots().push_back(RootEntry{key, folder, driveType});
}

void ClearRoots() {
    Roots().clear();
}

std::string ToPosixPath(const std::string& windowsPath) {
    const ParsedPath parsed = ParseWindowsPath(windowsPath);
    if (!parsed.valid) return std::string();
    if (parsed.posix) return parsed.root;
    const RootEntry* entry = FindRoot(parsed.root);
    if (entry == nullptr || entry->folder.empty()) return std::string();
    std::string text = entry->folder;
    for (const std::string& part : parsed.parts) {
        if (text.empty() || text.back() != '/') text += '/';
        text += part;
    }
    return text;
}

}  // namespace plat::headless
