// Files and folders by Windows path over POSIX calls.
#include "platform/files.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "file_cases.h"
#include "platform/clock.h"
#include "platform/file_lock.h"
#include "platform/headless_windows/file_faults.h"
#include "platform/process.h"
#include "platform/safe_replace.h"
#include "test_support.h"

namespace {

using platform_test::PlatformTest;

using FilesTest = PlatformTest;

class SharedFileCases : public PlatformTest, public ::testing::WithParamInterface<file_cases::FileCase> {};

TEST_P(SharedFileCases, MatchTheSystem) {
    GetParam().run({"C:\\", "Y:\\", "/dev/full", ENOENT, ENOENT, EBADF, EEXIST, ENOSPC, EINVAL, nullptr});
}

INSTANTIATE_TEST_SUITE_P(Files, SharedFileCases, ::testing::ValuesIn(file_cases::kCases),
                         file_cases::CaseName);

TEST_F(FilesTest, ShortWriteIsAFailureOfItsOwn) {
    // A file size limit of 4 bytes makes the system take only part of the
    // data; that one call is all Write makes. Run in a child process so the
    // limit stays there.
    plat::File file;
    ASSERT_TRUE(file.Open("C:\\short.bin", plat::File::Mode::kWriteTruncate));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit {};
        limit.rlim_cur = 4;
        limit.rlim_max = 4;
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(3);
        const bool written = file.Write("0123456789", 10);
        ::_exit(!written && file.LastError() == static_cast<unsigned long>(ENOSPC) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    file.Close();
    EXPECT_EQ(ReadPosixFile(Root() + "/short.bin"), "0123");
}

TEST_F(FilesTest, ReadWholeFile) {
    const std::string bytes("line1\r\n\x95\x5C\0end", 13);
    ASSERT_TRUE(WritePosixFile(Root() + "/whole.txt", bytes));
    std::string content = "previous";
    ASSERT_TRUE(plat::ReadWholeFile("C:\\whole.txt", content));
    EXPECT_EQ(content, bytes);
    content = "kept";
    EXPECT_FALSE(plat::ReadWholeFile("C:\\missing.txt", content));
    EXPECT_FALSE(plat::ReadWholeFile("C:\\", content));
    EXPECT_EQ(content, "kept");
    ASSERT_TRUE(WritePosixFile(Root() + "/empty.txt", ""));
    EXPECT_TRUE(plat::ReadWholeFile("C:\\empty.txt", content));
    EXPECT_EQ(content, "");
}

// The folder a drive is mapped to is not the program's to take away, even
// when it is empty.
TEST_F(FilesTest, DriveRootsAreNeverRemoved) {
    EXPECT_FALSE(plat::RemoveDir("C:\\"));
    EXPECT_FALSE(plat::RemoveDir("C:\\a\\.."));
    EXPECT_TRUE(plat::IsDirectory("C:\\"));
}

TEST_F(FilesTest, RelativeFilePathsUseTheCurrentDirectory) {
    ASSERT_TRUE(plat::CreateDir("C:\\prog"));
    ASSERT_TRUE(plat::SetCurrentDir("C:\\prog"));
    plat::File file;
    ASSERT_TRUE(file.Open("rel.txt", plat::File::Mode::kWriteTruncate));
    EXPECT_TRUE(file.Write("r", 1));
    file.Close();
    EXPECT_EQ(ReadPosixFile(Root() + "/prog/rel.txt"), "r");
}

namespace pp = plat::headless;

// Every wait answers "held" (EBUSY) or "denied" (EACCES) a number of times;
// the clock moves only by the wait's own sleeps, each with its keep-alive.
TEST_F(FilesTest, WaitsTellHeldFromDeniedWithinTheirDeadline) {
    constexpr long long kEver = 1000000;
    const struct {
        const char* name;
        pp::FileOp op;  // kOpen: the lock, kRead: a read, kMoveFile: a replace
        int error;
        long long answers;
        bool readOnlyTarget;
        bool done;
        int millis;
    } rows[] = {
        {"lock held a moment", pp::FileOp::kOpen, EBUSY, 50, false, true, 500},
        {"lock held past the deadline", pp::FileOp::kOpen, EBUSY, kEver, false, false, 1000},
        {"lock file being deleted", pp::FileOp::kOpen, EACCES, 5, false, true, 50},
        {"lock not this user's", pp::FileOp::kOpen, EACCES, kEver, false, false, 200},
        {"read held a moment", pp::FileOp::kRead, EBUSY, 50, false, true, 500},
        {"read denied", pp::FileOp::kRead, EACCES, kEver, false, false, 200},
        {"target read without shared deletion", pp::FileOp::kMoveFile, EACCES, 50, false, true, 500},
        {"target so read past the deadline", pp::FileOp::kMoveFile, EACCES, kEver, false, false, 1000},
        {"read-only target", pp::FileOp::kMoveFile, EACCES, kEver, true, false, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(WritePosixFile(Root() + "/f.txt", "old"));
        Ui().Reset();
        pp::ResetFileFaults();
        pp::SetClockMicros(0);
        pp::AnswerHeld(row.op, row.answers, row.error);
        if (row.readOnlyTarget) pp::FailFileOp(pp::FileOp::kAccess, 1);
        const plat::Deadline deadline(1000);
        bool done = false;
        std::string content;
        plat::FileLock lock;
        plat::SafeReplace replace("C:\\f.txt");
        if (row.op == pp::FileOp::kOpen) done = lock.Acquire("C:\\f.lock", deadline);
        if (row.op == pp::FileOp::kRead) done = plat::ReadWholeFileWaiting("C:\\f.txt", content, deadline);
        if (row.op == pp::FileOp::kMoveFile) done = replace.Create() && replace.Commit(deadline);
        EXPECT_EQ(done, row.done);
        EXPECT_EQ(plat::MonotonicMicros(), row.millis * 1000u);
        const auto& events = Ui().Events();
        EXPECT_EQ(std::count(events.begin(), events.end(), "answer-sent"), row.millis / 10);
        pp::SetClockMicros(std::nullopt);
    }
    pp::ResetFileFaults();
}

// A failure that leaves no code of its own is not taken for the held file
// an earlier call left in errno.
TEST_F(FilesTest, StaleErrorDecidesNoWait) {
    pp::SetClockMicros(0);
    errno = EBUSY;
    std::string content;
    EXPECT_FALSE(plat::ReadWholeFileWaiting("Q:\\f.txt", content, plat::Deadline(1000)));
    EXPECT_EQ(plat::MonotonicMicros(), 0u);
    pp::SetClockMicros(std::nullopt);
}

TEST_F(FilesTest, TemporaryIsNamedBesideItsTargetWithTheProcessId) {
    const std::string folder = "C:\\" + std::string(240, 'd') + "\\";
    std::string wide = "C:\\";
    for (int i = 0; i < 120; ++i) wide += "表";
    const struct {
        std::string target;
        int index;
        std::string temp;
    } rows[] = {
        {"C:\\dir\\out.xml", 0, "C:\\dir\\out.xml.77.tmp"},
        {"C:\\dir\\out.xml", 2, "C:\\dir\\out.xml.77-2.tmp"},
        {"out.xml", 0, "out.xml.77.tmp"},
        {"C:\\表\\ソ表", 0, "C:\\表\\ソ表.77.tmp"},  // second bytes 0x5C
        // Past the system's 259 characters, which count a double-byte one once.
        {folder + std::string(14, 'n'), 1, folder + "~77-1.tmp"},
        {folder + std::string(8, 'n'), 0, folder + std::string(8, 'n') + ".77.tmp"},
        {wide + "\\" + std::string(14, 'n'), 0, wide + "\\" + std::string(14, 'n') + ".77.tmp"},
        // Neither fits: the long form carries the first.
        {"C:\\" + std::string(253, 'd') + "\\x.xml", 0, "C:\\" + std::string(253, 'd') + "\\x.xml.77.tmp"},
    };
    for (const auto& row : rows) EXPECT_EQ(plat::SafeReplace::TempPath(row.target, 77, row.index), row.temp);
}

// Crashed runs' temporaries of the target, and "~" ones of any target, go
// once they are ten minutes old, 64 at a time; nothing younger, nothing of
// another target or another naming, no folder. A folder at this process's
// own name: the next name, a file left there is this process's.
TEST_F(FilesTest, TemporaryLeftoversOfTheTargetGoOnceTenMinutesOld) {
    const std::string own = "t.env." + std::to_string(plat::CurrentProcessId()) + ".tmp";
    const std::set<std::string> kept = {
        "t.env",         "t.env.333.tmp", "t.env.1x.tmp", "t.env.-1.tmp", "u.env.444.tmp",
        "t.env.555.tmp", "~124.tmp",      "~abc.tmp",     "x~1.tmp",      own};
    std::vector<std::pair<std::string, int>> planted = {
        {"t.env.111.tmp", 600}, {"t.env.222-1.tmp", 660}, {"t.env.333.tmp", 540},  {"t.env.1x.tmp", 660},
        {"t.env.-1.tmp", 660},  {"u.env.444.tmp", 660},   {"t.env.555.tmp", -660}, {"~123.tmp", 660},
        {"~123-2.tmp", 660},    {"~124.tmp", 540},        {"~abc.tmp", 660},       {"x~1.tmp", 660}};
    for (int i = 1000; i < 1064; ++i) planted.emplace_back("t.env." + std::to_string(i) + ".tmp", 700);
    ASSERT_TRUE(WritePosixFile(Root() + "/t.env", "old"));
    ASSERT_TRUE(plat::CreateDir("C:\\" + own));
    ASSERT_TRUE(
        WritePosixFile(Root() + "/t.env." + std::to_string(plat::CurrentProcessId()) + "-1.tmp", "left"));
    for (const auto& [name, age] : planted) {
        const std::string path = Root() + "/" + name;
        ASSERT_TRUE(age < 0 ? plat::CreateDir("C:\\" + name) : WritePosixFile(path, "x"));
        const timespec when = {std::time(nullptr) - std::abs(age), 0};
        const timespec times[2] = {when, when};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    }
    for (const std::size_t left : {4u, 0u}) {
        plat::SafeReplace replace("C:\\t.env");
        ASSERT_TRUE(replace.Create());
        ASSERT_TRUE(replace.Temp().Write("new", 3));
        ASSERT_TRUE(replace.Commit(plat::Deadline(0)));
        EXPECT_EQ(ReadPosixFile(Root() + "/t.env"), "new");
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Root()))
            names.insert(entry.path().filename());
        EXPECT_TRUE(std::includes(names.begin(), names.end(), kept.begin(), kept.end()));
        EXPECT_EQ(names.size(), kept.size() + left);
    }
}

// Whatever step fails, the target stays as it was and nothing else is left.
TEST_F(FilesTest, SafeReplaceLeavesTheTargetWholeOnAnyFailure) {
    for (const pp::FileOp op : {pp::FileOp::kOpen, pp::FileOp::kWrite, pp::FileOp::kFlush, pp::FileOp::kClose,
                                pp::FileOp::kMoveFile}) {
        SCOPED_TRACE(pp::FileOpName(op));
        ASSERT_TRUE(WritePosixFile(Root() + "/f.txt", "old"));
        pp::ResetFileFaults();
        pp::FailFileOp(op, 1);
        {
            plat::SafeReplace replace("C:\\f.txt");
            EXPECT_FALSE(replace.Create() && replace.Temp().Write("new", 3) &&
                         replace.Commit(plat::Deadline(0)));
        }
        pp::ResetFileFaults();
        EXPECT_EQ(ReadPosixFile(Root() + "/f.txt"), "old");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Root()), {}), 1);
    }
}

}  // namespace
