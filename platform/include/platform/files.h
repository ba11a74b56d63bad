#pragma once
// Files and folders by Windows path (Shift_JIS text). The headless double maps
// drive letters and \\server\share roots to POSIX folders (drive_table.h).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace plat {

// An unbuffered file: every Write is one call into the operating system.
class File {
public:
    enum class Mode {
        kWriteTruncate,   // write only, created or truncated, not shared
        kWriteCreateNew,  // write only, created only when the name is free, not shared
        kRead,            // read only, shared for reading and writing
    };

    File() = default;
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool Open(const std::string& path, Mode mode);
    bool IsOpen() const;
    // Writes all bytes in one call; false (with LastError set) when the
    // system did not take all of them.
    bool Write(const void* data, std::size_t size);
    // Reads up to size bytes; returns the count read, or -1 on error.
    long long Read(void* buffer, std::size_t size);
    // Sends the bytes written so far to the disk (FlushFileBuffers; fsync on
    // POSIX), so that a power cut cannot leave the file shorter than written;
    // false (with LastError set) when the system reports a failure.
    bool Flush();
    // False (with LastError set) when the system reports a failure: bytes
    // written may not have reached the disk. The handle is gone either way;
    // closing a file that is not open succeeds.
    bool Close();
    // The operating system's error code of the last failure (0 when none).
    unsigned long LastError() const { return m_lastError; }

private:
    std::intptr_t m_handle = -1;
    unsigned long m_lastError = 0;
};

struct FileStatus {
    bool isDirectory = false;
    std::uint64_t size = 0;
    // Since the last write, by the system's clock; 0 for a time ahead of it.
    std::uint64_t ageSeconds = 0;
};

bool PathExists(const std::string& path);                         // PathFileExists
bool IsDirectory(const std::string& path);                        // PathIsDirectory
bool GetFileStatus(const std::string& path, FileStatus& status);  // false: nothing there
// The modes of the C runtime's _access; it refuses any other.
constexpr int kAccessExists = 0;
constexpr int kAccessWrite = 2;
constexpr int kAccessRead = 4;
constexpr int kAccessReadWrite = 6;
bool Access(const std::string& path, int mode);
bool CreateDir(const std::string& path);
bool RemoveDir(const std::string& path);
bool DeleteFileAt(const std::string& path);
// Moves from over to, replacing an existing to, and has the new name reach
// the disk before it returns (MoveFileExW with MOVEFILE_REPLACE_EXISTING and
// MOVEFILE_WRITE_THROUGH; on POSIX rename, then fsync of the folder). The
// result is the move's: once the name has changed, the old file is gone
// whatever the folder's sync reports. A failure's error code goes to error.
bool MoveFileReplace(const std::string& from, const std::string& to, unsigned long* error = nullptr);
// Reads a whole file; false (its error code in error) when it cannot.
bool ReadWholeFile(const std::string& path, std::string& content, unsigned long* error = nullptr);
// The names in a folder ("C:\dir\", "C:", empty: the current one); false when unreadable.
bool ListFolder(const std::string& folder, std::vector<std::string>& names);
int QueryDriveType(const std::string& root);

// PathSkipRoot: offset of the text after the root of a drive path "C:\..."
// or a share path "\\server\share\..."; false when there is no such root.
bool SkipRoot(const std::string& path, std::size_t& offset);
// PathStripToRoot: the root of the path ("C:\", "\\server\share", "\");
// empty when it has none.
std::string StripToRoot(const std::string& path);

}  // namespace plat
