#pragma once
// A file's new content written beside it, which then replaces it in one
// step: whatever fails, the old file stays whole and the new one goes.
#include <cstdint>
#include <string>
#include <utility>

#include "platform/file_wait.h"
#include "platform/files.h"

namespace plat {

class SafeReplace {
public:
    explicit SafeReplace(std::string target) : m_target(std::move(target)) {}
    ~SafeReplace();  // removes the temporary file unless it replaced the target

    // The index-th name of process pid's temporary file: "<target>.<pid>.tmp",
    // then "<target>.<pid>-<index>.tmp"; past the system's path limit
    // (kMaxPath) "~<pid>[-<index>].tmp" in the target's folder, unless that
    // is past it too.
    static std::string TempPath(const std::string& target, std::uint32_t pid, int index);
    // Removes temporary files left over ten minutes ago (64 at most): the
    // target's, and the "~" ones of any target in its folder. Then creates
    // this process's (write only, not shared) under its first name that can
    // be had; a file at a name of this ID is a leftover.
    bool Create();
    File& Temp() { return m_file; }
    // Flushes, closes and replaces the target, waiting until the deadline
    // while it is held or denied (a reader not sharing deletion), not at all
    // when it is read-only or a folder. False: the target is as it was.
    bool Commit(const Deadline& deadline);

private:
    std::string m_target;
    std::string m_temp;  // once created
    File m_file;
    bool m_committed = false;
};

}  // namespace plat
