#pragma once
// Injected failures of the double's operations of platform/files.h, so
// tests can make any single step of a run fail the way the system would
// refuse it. Every operation is counted by kind from the last reset; a chosen
// one fails once, and writes can be made to fail once a byte budget is spent.
// One process-wide state; off (counting only) after a reset.
#include <cerrno>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace plat::headless {

enum class FileOp {
    kOpen,       // File::Open
    kRead,       // File::Read
    kWrite,      // File::Write
    kFlush,      // File::Flush
    kClose,      // File::Close of an open file: the handle goes all the same
    kStatus,     // PathExists, IsDirectory, GetFileStatus: "nothing there"
    kAccess,     // Access: refused
    kDriveType,  // QueryDriveType: kDriveUnknown
    kCreateDir,
    kRemoveDir,
    kDeleteFile,
    kMoveFile,
    kList,  // ListFolder
    kAny,   // a selector, never an operation
};

struct FileOpRecord {
    FileOp op = FileOp::kAny;
    std::string path;  // empty for reads, writes and closes
    bool failed = false;
};

const char* FileOpName(FileOp op);

// Forgets the counts, the log, the chosen failures, the byte budget and the hook.
void ResetFileFaults();
// The n-th operation (from 1, counted since the reset) of the kind, or of
// any kind for kAny, fails; 0 chooses none.
void FailFileOp(FileOp kind, long long n);
// The next count operations of the kind (kAny: of any kind) fail with error:
// EBUSY as when another process holds the file, EACCES as denied; 0: none.
void AnswerHeld(FileOp kind, long long count, int error = EBUSY);
// Called at the top of every operation with its kind and path, before it is
// counted: a test plays another process that changes the disk meanwhile.
void SetFileOpHook(std::function<void(FileOp, const std::string&)> hook);
// From now on a write that would take the bytes written past the budget
// writes nothing and fails as on a full disk (ENOSPC); so does every later
// one. -1 switches it off.
void FailWritesBeyond(long long bytes);
// Operations of the kind (kAny: all) since the reset.
long long FileOpCount(FileOp kind);
// The operations since the reset, in order.
const std::vector<FileOpRecord>& FileOpLog();
// Whether an injected failure has happened since the reset.
bool FileFaultInjected();
// With true, File::Flush and the folder sync of MoveFileReplace succeed
// without asking the disk (still counted): benchmarks measure what
// durability costs. Off after a reset.
void SkipDiskSyncs(bool skip);
bool DiskSyncsSkipped();

// Called by the backend at the top of each operation: counts it and says
// whether it is to fail, with errno set to what the caller should report.
bool InjectFileFault(FileOp op, const std::string& path = std::string(), std::size_t writeSize = 0);

}  // namespace plat::headless
