// The replace through a temporary file, and the leftovers of crashed runs.
#include "platform/safe_replace.h"

#include <cstdint>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "platform/mbcs.h"
#include "platform/process.h"
#include "platform/types.h"

namespace plat {
namespace {

// Only a folder or a read-only file at a name makes the next one needed.
constexpr int kTempNames = 10;
constexpr std::uint64_t kLeftoverSeconds = 600;  // a crashed run's temporary
// At most a call: a folder full of them holds up no save, nor its waiters.
constexpr int kSweptAtOnce = 64;

bool FitsMaxPath(const std::string& path) {
    std::u16string wide;
    return Cp932ToUtf16(path, wide) && wide.size() < kMaxPath;
}

// "<prefix><digits and dashes, from a digit>.tmp": a name of TempPath's,
// "<target>.<id>.tmp" beside the target or "~<id>.tmp" of any target in the
// folder.
bool IsTempName(const std::string& name, const std::string& prefix) {
    const std::size_t id = prefix.size();
    return name.size() > id + 4 && name.compare(0, id, prefix) == 0 && name[id] >= '0' && name[id] <= '9' &&
           name.find_first_not_of("0123456789-", id) == name.size() - 4 &&
           name.compare(name.size() - 4, 4, ".tmp") == 0;
}

}  // namespace

SafeReplace::~SafeReplace() {
    m_file.Close();
    if (!m_temp.empty() && !m_committed) DeleteFileAt(m_temp);
}

std::string SafeReplace::TempPath(const std::string& target, std::uint32_t pid, int index) {
    const std::string id = std::to_string(pid) + (index == 0 ? "" : "-" + std::to_string(index));
    const std::string path = target + "." + id + ".tmp";
    if (FitsMaxPath(path)) return path;
    // A short name keeps a leftover within reach of every tool; where even
    // that does not fit, the long form carries the first.
    const std::string shortPath = target.substr(0, FolderPartLength(target)) + "~" + id + ".tmp";
    return FitsMaxPath(shortPath) ? shortPath : path;
}

bool SafeReplace::Create() {
    const std::string folder = m_target.substr(0, FolderPartLength(m_target));
    const std::string besideTarget = m_target.substr(folder.size()) + ".";
    std::vector<std::string> names;
    ListFolder(folder, names);
    int swept = 0;
    for (const std::string& name : names) {
        FileStatus status;
        if (swept < kSweptAtOnce && (IsTempName(name, besideTarget) || IsTempName(name, "~")) &&
            GetFileStatus(folder + name, status) && !status.isDirectory &&
            status.ageSeconds >= kLeftoverSeconds) {
            DeleteFileAt(folder + name);
            ++swept;
        }
    }
    for (int index = 0; index < kTempNames; ++index) {
        const std::string path = TempPath(m_target, CurrentProcessId(), index);
        // Refused with the name free: no such folder, or no right to it.
        if (!m_file.Open(path, File::Mode::kWriteCreateNew) && !PathExists(path)) return false;
        if (m_file.IsOpen() || (DeleteFileAt(path) && m_file.Open(path, File::Mode::kWriteCreateNew))) {
            m_temp = path;
            return true;
        }
    }
    return false;
}

bool SafeReplace::Commit(const Deadline& deadline) {
    FileStatus status;
    const bool lasting =
        GetFileStatus(m_target, status) && (status.isDirectory || !Access(m_target, kAccessWrite));
    // On the disk before it replaces the target: a power cut must not leave
    // an empty file in its place.
    const bool flushed = m_file.Flush();
    if (!m_file.Close() || !flushed) return false;
    return m_committed = RetryWhileHeld(deadline, lasting ? 0 : UINT32_MAX, [this](unsigned long& error) {
               return MoveFileReplace(m_temp, m_target, &error);
           });
}

}  // namespace plat
