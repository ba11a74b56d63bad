// Files by Windows path over POSIX calls. Error codes are errno values.
#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <string>

#include "headless_state.h"
#include "platform/file_wait.h"
#include "platform/headless_windows/drive_table.h"
#include "platform/headless_windows/file_faults.h"
#include "platform/mbcs.h"
#include "platform/types.h"

namespace plat {
namespace {

std::string Posix(const std::string& path) {
    return headless::ToPosixPath(path);
}

bool StatPath(const std::string& path, struct stat& st) {
    const std::string posix = Posix(path);
    return !posix.empty() && ::stat(posix.c_str(), &st) == 0;
}

// The first backslash at or after from (a character start) that is a
// character of its own; npos when there is none.
std::size_t FindBackslash(const std::string& text, std::size_t from) {
    for (std::size_t i = from; i < text.size(); i += CharAt(text, i).size()) {
        if (CharAt(text, i) == "\\") return i;
    }
    return std::string::npos;
}

bool IsShareStart(const std::string& path) {
    return path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
}

// "C:\...": any single-byte character serves as the drive letter, as for the system.
bool IsDriveRoot(const std::string& path) {
    return path.size() >= 3 && CharAt(path, 0).size() == 1 && path[1] == ':' && path[2] == '\\';
}

// Tests can make any operation fail (file_faults.h); errno is then set.
bool Injected(headless::FileOp op, const std::string& path = std::string(), std::size_t size = 0) {
    return headless::InjectFileFault(op, path, size);
}

// fsync of the folder that holds the POSIX path; a failure changes nothing
// for the caller (some file systems refuse to sync a folder).
void SyncFolderOf(const std::string& posix) {
    const std::size_t slash = posix.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : posix.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    while (::fsync(fd) != 0 && errno == EINTR) {
    }
    ::close(fd);
}

}  // namespace

FileFailure ClassifyFileError(unsigned long error) {
    // No sharing modes: only a taken flock or an injected fault is held.
    if (error == EBUSY) return FileFailure::kHeld;
    return error == EACCES || error == EPERM ? FileFailure::kDenied : FileFailure::kOther;
}

File::~File() {
    Close();
}

bool File::Open(const std::string& path, Mode mode) {
    Close();
    m_lastError = 0;
    if (Injected(headless::FileOp::kOpen, path)) {
        m_lastError = static_cast<unsigned long>(errno);
        return false;
    }
    const std::string posix = Posix(path);
    if (posix.empty()) {
        m_lastError = ENOENT;
        return false;
    }
    const int flags = mode == Mode::kWriteTruncate    ? (O_WRONLY | O_CREAT | O_TRUNC)
                      : mode == Mode::kWriteCreateNew ? (O_WRONLY | O_CREAT | O_EXCL)
                                                      : O_RDONLY;
    int fd = -1;
    do {
        fd = ::open(posix.c_str(), flags | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        m_lastError = static_cast<unsigned long>(errno);
        return false;
    }
    // A folder is not a file, whatever the mode (CreateFileW refuses it).
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        m_lastError = EISDIR;
        return false;
    }
    m_handle = fd;
    return true;
}

bool File::IsOpen() const {
    return m_handle >= 0;
}

bool File::Write(const void* data, std::size_t size) {
    if (!IsOpen()) {
        m_lastError = EBADF;
        return false;
    }
    if (data == nullptr && size != 0) {
        m_lastError = EINVAL;
        return false;
    }
    if (Injected(headless::FileOp::kWrite, std::string(), size)) {
        m_lastError = static_cast<unsigned long>(errno);
        return false;
    }
    const ssize_t written = ::write(static_cast<int>(m_handle), data, size);
    if (written < 0) {
        m_lastError = static_cast<unsigned long>(errno);
        return false;
    }
    if (static_cast<std::size_t>(written) != size) {
        // The system took only part of it: the disk is full.
        m_lastError = ENOSPC;
        return false;
    }
    return true;
}

long long File::Read(void* buffer, std::size_t size) {
    if (!IsOpen()) {
        m_lastError = EBADF;
        return -1;
    }
    if (buffer == nullptr && size != 0) {
        m_lastError = EINVAL;
        return -1;
    }
    if (Injected(headless::FileOp::kRead)) {
        m_lastError = static_cast<unsigned long>(errno);
        return -1;
    }
    ssize_t count = -1;
    do {
        count = ::read(static_cast<int>(m_handle), buffer, size);
    } while (count < 0 && errno == EINTR);
    if (count < 0) {
        m_lastError = static_cast<unsigned long>(errno);
        return -1;
    }
    return static_cast<long long>(count);
}

bool File::Flush() {
    if (!IsOpen()) {
        m_lastError = EBADF;
        return false;
    }
    if (Injected(headless::FileOp::kFlush)) {
        m_lastError = static_cast<unsigned long>(errno);
        return false;
    }
    if (headless::DiskSyncsSkipped()) return true;
    int rc = 0;
    do {
        rc = ::fsync(static_cast<int>(m_handle));
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        m_lastError = static_cast<unsigned long>(errno);
        return false;
    }
    return true;
}

bool File::Close() {
    if (m_handle < 0) return true;
    // The handle is gone either way; a failure says written bytes may be lost.
    bool closed = true;
    if (Injected(headless::FileOp::kClose)) {
        m_lastError = static_cast<unsigned long>(errno);
        closed = false;
    }
    if (::close(static_cast<int>(m_handle)) != 0 && closed) {
        m_lastError = static_cast<unsigned long>(errno);
        closed = false;
    }
    m_handle = -1;
    return closed;
}

bool PathExists(const std::string& path) {
    FileStatus status;
    return GetFileStatus(path, status);
}

bool IsDirectory(const std::string& path) {
    FileStatus status;
    return GetFileStatus(path, status) && status.isDirectory;
}

bool GetFileStatus(const std::string& path, FileStatus& status) {
    if (Injected(headless::FileOp::kStatus, path)) return false;
    struct stat st {};
    if (!StatPath(path, st)) return false;
    status.isDirectory = S_ISDIR(st.st_mode);
    status.size = static_cast<std::uint64_t>(st.st_size);
    const std::time_t now = std::time(nullptr);
    status.ageSeconds = now > st.st_mtime ? static_cast<std::uint64_t>(now - st.st_mtime) : 0;
    return true;
}

bool Access(const std::string& path, int mode) {
    if (Injected(headless::FileOp::kAccess, path)) return false;
    // _access's modes are POSIX's own values; it refuses any other.
    static_assert(F_OK == kAccessExists && W_OK == kAccessWrite && R_OK == kAccessRead);
    if (mode != kAccessExists && mode != kAccessWrite && mode != kAccessRead && mode != kAccessReadWrite)
        return false;
    const std::string posix = Posix(path);
    return !posix.empty() && ::access(posix.c_str(), mode) == 0;
}

bool CreateDir(const std::string& path) {
    if (Injected(headless::FileOp::kCreateDir, path)) return false;
    const std::string posix = Posix(path);
    return !posix.empty() && ::mkdir(posix.c_str(), 0777) == 0;
}

bool RemoveDir(const std::string& path) {
    if (Injected(headless::FileOp::kRemoveDir, path)) return false;
    // A drive or share root is never removed, as on Windows; the folder it is
    // mapped to is not the program's to take away.
    const headless::ParsedPath parsed = headless::ParseWindowsPath(path);
    if (!parsed.valid || (!parsed.posix && parsed.parts.empty())) return false;
    const std::string posix = Posix(path);
    return !posix.empty() && ::rmdir(posix.c_str()) == 0;
}

bool DeleteFileAt(const std::string& path) {
    if (Injected(headless::FileOp::kDeleteFile, path)) return false;
    const std::string posix = Posix(path);
    struct stat st {};
    // DeleteFileW does not remove folders.
    if (posix.empty() || ::lstat(posix.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    return ::unlink(posix.c_str()) == 0;
}

bool MoveFileReplace(const std::string& from, const std::string& to, unsigned long* error) {
    const std::string posixFrom = Posix(from);
    const std::string posixTo = Posix(to);
    if (Injected(headless::FileOp::kMoveFile, from + " -> " + to) || posixFrom.empty() || posixTo.empty() ||
        std::rename(posixFrom.c_str(), posixTo.c_str()) != 0) {
        if (error != nullptr) *error = posixFrom.empty() || posixTo.empty() ? ENOENT : errno;
        return false;
    }
    // The new name lives in the folder's own blocks: synced too, or a power
    // cut may bring back the old name or none. The move itself is done.
    if (!headless::DiskSyncsSkipped()) SyncFolderOf(posixTo);
    return true;
}

bool ListFolder(const std::string& folder, std::vector<std::string>& names) {
    if (Injected(headless::FileOp::kList, folder)) return false;
    const std::string posix = Posix(folder.empty() ? "." : folder);
    DIR* dir = posix.empty() ? nullptr : ::opendir(posix.c_str());
    if (dir == nullptr) return false;
    while (const dirent* entry = ::readdir(dir)) {
        names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    return true;
}

int QueryDriveType(const std::string& root) {
    if (Injected(headless::FileOp::kDriveType, root)) return kDriveUnknown;
    // No root: the current directory's drive. "C:" counts as "C:\".
    std::string text = root.empty() ? headless::CurrentDirState() : root;
    const bool bareDrive = text.size() == 2 && text[1] == ':';
    if (bareDrive) text += '\\';
    headless::ParsedPath parsed = headless::ParseWindowsPath(text);
    if (!parsed.valid) return kDriveNoRootDir;
    if (parsed.posix) {
        struct stat st {};
        return (::stat(parsed.root.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) ? kDriveFixed : kDriveNoRootDir;
    }
    if (root.empty()) parsed.parts.clear();
    if (!parsed.parts.empty()) return kDriveNoRootDir;  // a folder, not a root
    const int type = headless::MappedDriveType(parsed.root);
    return type < 0 ? kDriveNoRootDir : type;
}

bool SkipRoot(const std::string& path, std::size_t& offset) {
    if (IsShareStart(path)) {
        // After the backslash that ends the share name.
        const std::size_t serverEnd = FindBackslash(path, 2);
        if (serverEnd == std::string::npos) return false;
        const std::size_t shareEnd = FindBackslash(path, serverEnd + 1);
        if (shareEnd == std::string::npos) return false;
        offset = shareEnd + 1;
        return true;
    }
    if (!IsDriveRoot(path)) return false;
    offset = 3;
    return true;
}

std::string StripToRoot(const std::string& path) {
    if (IsShareStart(path)) {
        // "\\server\share" without the backslash after it, or "\\server".
        const std::size_t serverEnd = FindBackslash(path, 2);
        if (serverEnd == std::string::npos) return path;
        const std::size_t shareEnd = FindBackslash(path, serverEnd + 1);
        return shareEnd == std::string::npos ? path : path.substr(0, shareEnd);
    }
    if (IsDriveRoot(path)) return path.substr(0, 3);
    if (!path.empty() && path[0] == '\\') return "\\";
    return std::string();  // relative, or a drive without its backslash
}

}  // namespace plat
