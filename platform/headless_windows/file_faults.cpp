// Headless double: injected failures of the file operations.
#include "platform/headless_windows/file_faults.h"

#include <array>
#include <cerrno>
#include <utility>

namespace plat::headless {
namespace {

constexpr std::size_t kKinds = static_cast<std::size_t>(FileOp::kAny);

struct State {
    std::array<long long, kKinds> counts{};
    long long total = 0;
    FileOp failKind = FileOp::kAny;
    long long failAt = 0;  // 0: none
    FileOp heldKind = FileOp::kAny;
    long long heldLeft = 0;
    int heldError = 0;
    long long byteBudget = -1;
    long long bytesWritten = 0;
    bool budgetSpent = false;
    bool injected = false;
    bool syncsSkipped = false;
    std::vector<FileOpRecord> log;
};

State& Faults() {
    static State state;
    return state;
}

std::function<void(FileOp, const std::string&)>& Hook() {
    static std::function<void(FileOp, const std::string&)> hook;
    return hook;
}

}  // namespace

const char* FileOpName(FileOp op) {
    switch (op) {
        case FileOp::kOpen:
            return "open";
        case FileOp::kRead:
            return "read";
        case FileOp::kWrite:
            return "write";
        case FileOp::kFlush:
            return "flush";
        case FileOp::kClose:
            return "close";
        case FileOp::kStatus:
            return "status";
        case FileOp::kAccess:
            return "access";
        case FileOp::kDriveType:
            return "drive-type";
        case FileOp::kCreateDir:
            return "create-dir";
        case FileOp::kRemoveDir:
            return "remove-dir";
        case FileOp::kDeleteFile:
            return "delete";
        case FileOp::kMoveFile:
            return "move";
        case FileOp::kList:
            return "list";
        case FileOp::kAny:
            break;
    }
    return "any";
}

void ResetFileFaults() {
    Faults() = State();
    Hook() = nullptr;
}

void FailFileOp(FileOp kind, long long n) {
    Faults().failKind = kind;
    Faults().failAt = n;
}

void AnswerHeld(FileOp kind, long long count, int error) {
    Faults().heldKind = kind;
    Faults().heldLeft = count;
    Faults().heldError = error;
}

void SetFileOpHook(std::function<void(FileOp, const std::string&)> hook) {
    Hook() = std::move(hook);
}

void FailWritesBeyond(long long bytes) {
    Faults().byteBudget = bytes;
    Faults().bytesWritten = 0;
    Faults().budgetSpent = false;
}

long long FileOpCount(FileOp kind) {
    const State& s = Faults();
    return kind == FileOp::kAny ? s.total : s.counts[static_cast<std::size_t>(kind)];
}

const std::vector<FileOpRecord>& FileOpLog() {
    return Faults().log;
}

bool FileFaultInjected() {
    return Faults().injected;
}

void SkipDiskSyncs(bool skip) {
    Faults().syncsSkipped = skip;
}

bool DiskSyncsSkipped() {
    return Faults().syncsSkipped;
}

bool InjectFileFault(FileOp op, const std::string& path, std::size_t writeSize) {
    if (Hook()) Hook()(op, path);
    State& s = Faults();
    if (op == FileOp::kAny) return false;
    const long long nth = ++s.counts[static_cast<std::size_t>(op)];
    ++s.total;
    bool fail = s.failAt > 0 && (s.failKind == FileOp::kAny ? s.total : nth) == s.failAt &&
                (s.failKind == FileOp::kAny || s.failKind == op);
    int error = EIO;
    if (s.heldLeft > 0 && (s.heldKind == FileOp::kAny || s.heldKind == op)) {
        --s.heldLeft;
        fail = true;
        error = s.heldError;
    }
    if (op == FileOp::kWrite && s.byteBudget >= 0) {
        if (s.budgetSpent || s.bytesWritten + static_cast<long long>(writeSize) > s.byteBudget) {
            s.budgetSpent = true;
            fail = true;
            error = ENOSPC;
        } else if (!fail) {
            s.bytesWritten += static_cast<long long>(writeSize);
        }
    }
    s.log.push_back(FileOpRecord{op, path, fail});
    if (!fail) return false;
    s.injected = true;
    errno = error;
    return true;
}

}  // namespace plat::headless
