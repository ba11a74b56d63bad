// The remembered choices: the record in the text, the file, the dialog's calls.
#include "conditions/dest_record.h"

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
#include "platform/safe_replace.h"
#include "shared/c_number.h"

namespace {

constexpr const char* kFileName = "Dorvik22ToZq13_U.env";
// Held while a save reads, changes and replaces the file, so that runs
// ending together keep each other's records.
constexpr const char* kLockSuffix = ".lock";
// How long a load, and a save's lock, read and replace together, wait for a
// file another process holds (a save takes milliseconds, a backup a moment).
constexpr std::uint32_t kHeldWaitMillis = 5000;
// The key "user/data:" fits a buffer of 51 bytes in the file's format; a
// longer one is refused, as a cut one would be another user's key.
constexpr std::size_t kMaxKeyBytes = 50;

std::string SettingsFolder() {
    const char* folder = ClFileMgr::Inst()->GetAppFolderPath(ClFileMgr::kFolderSettings);
    return folder != nullptr ? std::string(folder) : std::string();
}

// End of the line that starts at pos, after its line feed; the end of the
// text for a last line without one.
std::size_t LineEnd(const std::string& text, std::size_t pos) {
    const std::size_t lf = text.find('\n', pos);
    return lf == std::string::npos ? text.size() : lf + 1;
}

// The record whose value "tax/toMonth/path" starts at valueStart and ends at
// its line feed; false, record untouched, when the value lacks its two
// slashes (single bytes that never occur inside a Shift_JIS character).
bool ParseRecord(const std::string& text, std::size_t valueStart, StDestRecord& record) {
    const std::size_t lf = text.find('\n', valueStart);
    const std::string_view value(text.data() + valueStart,
                                 (lf == std::string::npos ? text.size() : lf) - valueStart);
    const std::size_t first = value.find('/');
    const std::size_t last = value.rfind('/');
    if (first == std::string_view::npos || first == last) return false;
    record.nTaxIncluded = static_cast<std::int16_t>(AtoL32(value.substr(0, first)));
    record.nToMonth = static_cast<std::int16_t>(AtoL32(value.substr(first + 1, last - first - 1)));
    record.strPath.assign(value.substr(last + 1));
    return true;
}

// The key "user/data:"; empty when it cannot begin exactly one line. A line
// feed would make the record span two lines, and the next save would leave
// half of it; no Shift_JIS character holds a control byte.
std::string MakeDestKey(const char* userId, const char* dataId) {
    const std::string key = std::string(userId) + "/" + dataId + ":";
    const auto control = [](char c) { return static_cast<unsigned char>(c) < 0x20; };
    return key.size() <= kMaxKeyBytes && std::none_of(key.begin(), key.end(), control) ? key : std::string();
}

// The record of the first line that begins with key (a match inside a line
// would be another user's record whose ID ends in this user's ID).
bool FindDestRecord(const std::string& text, const std::string& key, StDestRecord& record) {
    for (std::size_t from = 0; from < text.size(); from = LineEnd(text, from)) {
        if (text.compare(from, key.size(), key) == 0) return ParseRecord(text, from + key.size(), record);
    }
    return false;
}

}  // namespace

std::string MergeDestRecord(const std::string& text, const std::string& key, StDestRecord record,
                            bool takeOldPath) {
    // Every record of the key goes: a hand-edited file may hold two, and the
    // one left would be offered next time instead of the new one.
    std::string merged;
    bool found = false;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = LineEnd(text, start);
        if (text.compare(start, key.size(), key) != 0) {
            merged.append(text, start, end - start);
        } else if (!found) {
            found = true;
            // The remembered path stays: the record's own (the one loading
            // finds) when the dialog could not read it as it opened.
            StDestRecord old;
            if (takeOldPath && record.strPath.empty() && ParseRecord(text, start + key.size(), old)) {
                record.strPath = std::move(old.strPath);
            }
        }
        start = end;
    }
    // A hand-edited last line without its line feed keeps its own line.
    if (!merged.empty() && merged.back() != '\n') merged += '\n';
    return merged + key + std::to_string(record.nTaxIncluded) + "/" + std::to_string(record.nToMonth) + "/" +
           record.strPath + "\n";
}

bool ClDestRecordFile::Load(const std::string& key, StDestRecord& record) const {
    const std::string filePath = m_strFolder + kFileName;
    plat::FileStatus status;
    std::string text;
    return !m_strFolder.empty() && !key.empty() && plat::GetFileStatus(filePath, status) &&
           !status.isDirectory &&
           plat::ReadWholeFileWaiting(filePath, text, plat::Deadline(kHeldWaitMillis)) &&
           FindDestRecord(text, key, record);
}

bool ClDestRecordFile::Save(const std::string& key, const StDestRecord& record, bool takeOldPath) const {
    if (m_strFolder.empty() || key.empty() ||
        (!dest::IsFolder(m_strFolder) && !dest::CreateFolderTree(m_strFolder)))
        return false;

    const std::string filePath = m_strFolder + kFileName;
    // One bound for the lock, the read and the replace together: what the
    // lock did not take, the replace may wait.
    const plat::Deadline deadline(kHeldWaitMillis);
    plat::FileLock lock;
    if (!lock.Acquire(filePath + kLockSuffix, deadline)) return false;
    // Read under the lock: a record another run saved a moment ago stays.
    // A file that is there but cannot be read is not a missing one: written
    // anew, it would lose every other record.
    std::string old;
    plat::FileStatus status;
    if (!plat::ReadWholeFileWaiting(filePath, old, deadline) && plat::GetFileStatus(filePath, status))
        return false;
    const std::string content = MergeDestRecord(old, key, record, takeOldPath);
    // Under the lock: the leftovers of crashed runs go too.
    plat::SafeReplace replace(filePath);
    return replace.Create() && replace.Temp().Write(content.data(), content.size()) &&
           replace.Commit(deadline);
}

int ClCondDlg::LoadDestRecord(std::int16_t& taxIncluded, std::int16_t& toMonth, std::string& path) {
    StDestRecord record;
    if (!ClDestRecordFile(SettingsFolder()).Load(MakeDestKey(m_szUserID, m_szDataID), record)) return 0;
    taxIncluded = record.nTaxIncluded;
    toMonth = record.nToMonth;
    path = std::move(record.strPath);
    return 1;
}

int ClCondDlg::SaveDestRecord(std::int16_t taxIncluded, std::int16_t toMonth, const char* path) {
    const StDestRecord record{taxIncluded, toMonth, path != nullptr ? std::string(path) : m_szSavedDestPath};
    const ClDestRecordFile file(SettingsFolder());
    return file.Save(MakeDestKey(m_szUserID, m_szDataID), record, path == nullptr) ? 1 : 0;
}
