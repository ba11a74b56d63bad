// The remembered destinations: one line "user/data:tax/toMonth/path" per user
// and data set in a text file of the host's settings folder, the most recently
// saved last.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "conditions/cond_dlg.h"
#include "conditions/dest_path.h"
#include "host/file_mgr.h"
#include "platform/file_lock.h"
#include "platform/files.h"
#include "platform/process.h"
#include "shared/c_number.h"

namespace {

constexpr const char* kFileName = "Dorvik22ToZq13_U.env";
// Held while a save reads, changes and replaces the file, so that runs
// ending together keep each other's records.
constexpr const char* kLockSuffix = ".lock";
// How long a save waits for the lock and a read for a file another process
// holds (a save takes milliseconds; a backup or a scanner a moment).
constexpr std::uint32_t kHeldWaitMillis = 5000;
// How long a replace waits for a reader of the old file to let go.
constexpr std::uint32_t kReplaceWaitMillis = 2000;
// The key "user/data:" never needed more than 50 bytes; a longer one would
// have been cut into another user's key.
constexpr std::size_t kMaxKeyBytes = 50;

std::string SettingsFolder() {
    const char* folder = ClFileMgr::Inst()->GetAppFolderPath(ClFileMgr::kFolderSettings);
    return folder != nullptr ? std::string(folder) : std::string();
}

std::string MakeKey(const char* userId, const char* dataId) {
    return std::string(userId) + "/" + dataId + ":";
}

// Whether the key can begin exactly one line: not too long, and no control
// byte (with a line feed the record would span two lines, and the next save
// would leave half of it). No Shift_JIS character holds such a byte.
bool IsUsableKey(const std::string& key) {
    return key.size() <= kMaxKeyBytes &&
           std::none_of(key.begin(), key.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

// Start of the first line that begins with the key. A match inside a line
// would be another user's record whose ID ends in this user's ID.
std::size_t FindRecord(const std::string& text, const std::string& key) {
    std::size_t from = 0;
    while (from < text.size()) {
        if (text.compare(from, key.size(), key) == 0) return from;
        const std::size_t lf = text.find('\n', from);
        if (lf == std::string::npos) break;
        from = lf + 1;
    }
    return std::string::npos;
}

// End of the line that starts at pos, after its line feed; the end of the
// text for a last line without one.
std::size_t LineEnd(const std::string& text, std::size_t pos) {
    const std::size_t lf = text.find('\n', pos);
    return lf == std::string::npos ? text.size() : lf + 1;
}

struct Record {
    std::int16_t taxIncluded = 0;
    std::int16_t toMonth = 0;
    std::string path;
};

// The record whose value "tax/toMonth/path" starts at valueStart and ends at
// its line feed; false when the value lacks its two slashes (slashes are
// single bytes that never occur inside a Shift_JIS character).
bool ParseRecord(const std::string& text, std::size_t valueStart, Record& record) {
    const std::size_t lf = text.find('\n', valueStart);
    const std::string_view value(text.data() + valueStart,
                                 (lf == std::string::npos ? text.size() : lf) - valueStart);
    const std::size_t first = value.find('/');
    const std::size_t last = value.rfind('/');
    if (first == std::string_view::npos || first == last) return false;
    record.taxIncluded = static_cast<std::int16_t>(AtoL32(value.substr(0, first)));
    record.toMonth = static_cast<std::int16_t>(AtoL32(value.substr(first + 1, last - first - 1)));
    record.path.assign(value.substr(last + 1));
    return true;
}

}  // namespace

int ClCondDlg::LoadDestRecord(std::int16_t& taxIncluded, std::int16_t& toMonth, std::string& path) {
    const std::string folder = SettingsFolder();
    const std::string key = MakeKey(m_szUserID, m_szDataID);
    if (folder.empty() || !IsUsableKey(key)) return 0;

    const std::string filePath = folder + kFileName;
    plat::FileStatus status;
    if (!plat::GetFileStatus(filePath, status) || status.isDirectory) return 0;
    std::string text;
    if (!plat::ReadWholeFileWaiting(filePath, text, kHeldWaitMillis)) return 0;

    const std::size_t start = FindRecord(text, key);
    Record record;
    if (start == std::string::npos || !ParseRecord(text, start + key.size(), record)) return 0;
    taxIncluded = record.taxIncluded;
    toMonth = record.toMonth;
    path = std::move(record.path);
    return 1;
}

int ClCondDlg::SaveDestRecord(std::int16_t taxIncluded, std::int16_t toMonth, const char* path) {
    const std::string folder = SettingsFolder();
    const std::string key = MakeKey(m_szUserID, m_szDataID);
    if (folder.empty() || !IsUsableKey(key)) return 0;
    std::string keptPath = path != nullptr ? std::string(path) : m_szSavedDestPath;

    if (!dest::IsFolder(folder) && !dest::CreateFolderTree(folder)) return 0;

    const std::string filePath = folder + kFileName;
    plat::FileLock lock;
    if (!lock.Acquire(filePath + kLockSuffix, kHeldWaitMillis)) return 0;
    // Read under the lock: a record another run saved a moment ago stays.
    // A file that is there but cannot be read is not a missing one: written
    // anew, it would lose every other record.
    std::string old;
    plat::FileStatus status;
    if (!plat::ReadWholeFileWaiting(filePath, old, kHeldWaitMillis) &&
        plat::GetFileStatus(filePath, status)) {
        return 0;
    }
    // Every record of the key goes: a hand-edited file may hold two, and the
    // one left would be offered next time instead of the new one.
    std::string content;
    content.reserve(old.size());
    bool found = false;
    for (std::size_t start = 0; start < old.size();) {
        const std::size_t end = LineEnd(old, start);
        if (old.compare(start, key.size(), key) != 0) {
            content.append(old, start, end - start);
        } else if (!found) {
            found = true;
            // Without a new path the remembered one stays; the record's own
            // (the one loading finds) when it could not be read as the
            // dialog opened.
            Record record;
            if (path == nullptr && keptPath.empty() && ParseRecord(old, start + key.size(), record)) {
                keptPath = std::move(record.path);
            }
        }
        start = end;
    }
    // A hand-edited last line without its line feed keeps its own line.
    if (!content.empty() && content.back() != '\n') content += '\n';
    content += key + std::to_string(taxIncluded) + "/" + std::to_string(toMonth) + "/" + keptPath + "\n";

    // The new content is written here first, so the old file is replaced in
    // one step and stays whole when anything fails on the way. The name is
    // this process's own: a run of another version, without the lock, never
    // writes into it.
    const std::string tempPath = filePath + "." + std::to_string(plat::CurrentProcessId()) + ".tmp";
    plat::File file;
    if (!file.Open(tempPath, plat::File::Mode::kWriteTruncate)) return 0;
    // On the disk before it replaces the old file: a power cut must not
    // leave an empty file in place of every user's choices.
    const bool written = file.Write(content.data(), content.size()) && file.Flush();
    const bool closed = file.Close();
    if (!written || !closed || !plat::MoveFileReplaceWaiting(tempPath, filePath, kReplaceWaitMillis)) {
        plat::DeleteFileAt(tempPath);
        return 0;
    }
    return 1;
}
