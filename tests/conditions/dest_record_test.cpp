// The remembered destinations file, on real files: the headless double
// natively, the real API under Wine. Every case asserts the file's bytes.
#include "conditions/dest_record.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "conditions/cond_dlg.h"
#include "host/stand_in.h"
#include "platform/files.h"
#include "platform/process.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/standin_fixture.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <set>
#include <sstream>

#include "platform/clock.h"
#include "platform/file_lock.h"
#include "platform/headless_windows/drive_table.h"
#include "platform/headless_windows/file_faults.h"
#include "platform/headless_windows/test_knobs.h"
#endif

namespace {

constexpr const char* kFileName = "Dorvik22ToZq13_U.env";

class DestRecordTest : public support::StandInTest {
protected:
    void SetUp() override { UseFolder(m_scratch.Path() + "set\\"); }

    // The host names this folder for the settings; the file goes in it.
    void UseFolder(const std::string& folder) {
        host::HostModel model;
        model.appFolder[1] = folder;
        support::InstallModel(model);
        m_folder = folder;
    }
    std::string FilePath() const { return m_folder + kFileName; }
    void WriteFile(const std::string& bytes) {
        if (!plat::IsDirectory(m_folder)) {
            ASSERT_TRUE(plat::CreateDir(m_folder));
        }
        plat::File f;
        ASSERT_TRUE(f.Open(FilePath(), plat::File::Mode::kWriteTruncate));
        ASSERT_TRUE(f.Write(bytes.data(), bytes.size()));
    }
    // The file's bytes, or "<none>".
    std::string FileBytes() const {
        std::string bytes;
        return plat::ReadWholeFile(FilePath(), bytes) ? bytes : "<none>";
    }
    void SetKey(const std::string& user, const std::string& data) {
        ASSERT_LT(user.size(), sizeof m_dlg.m_szUserID);
        ASSERT_LT(data.size(), sizeof m_dlg.m_szDataID);
        user.copy(m_dlg.m_szUserID, user.size());
        m_dlg.m_szUserID[user.size()] = '\0';
        data.copy(m_dlg.m_szDataID, data.size());
        m_dlg.m_szDataID[data.size()] = '\0';
    }
    // Load's result and outputs as one text, "0" alone when not found (the
    // outputs must then be untouched).
    std::string Load() {
        std::int16_t tax = -99;
        std::int16_t month = -99;
        std::string path = "untouched";
        const int result = m_dlg.LoadDestRecord(tax, month, path);
        if (result == 0) {
            EXPECT_EQ(tax, -99);
            EXPECT_EQ(month, -99);
            EXPECT_EQ(path, "untouched");
            return "0";
        }
        return std::to_string(result) + " " + std::to_string(tax) + " " + std::to_string(month) + " [" +
               path + "]";
    }

    support::ScratchFolder m_scratch;
    std::string m_folder;
    ClCondDlg m_dlg;
};

TEST_F(DestRecordTest, FirstSaveCreatesFolderChainAndOneLine) {
    UseFolder(m_scratch.Path() + "a\\b\\");
    SetKey("U", "D");
    EXPECT_EQ(m_dlg.SaveDestRecord(1, 12, "P"), 1);
    EXPECT_EQ(FileBytes(), "U/D:1/12/P\n");
    EXPECT_EQ(host::StandIn::Get().Calls(), std::vector<std::string>{"GetAppFolderPath 1"});
    EXPECT_EQ(Load(), "1 1 12 [P]");
    EXPECT_EQ(host::StandIn::Get().Calls(),
              (std::vector<std::string>{"GetAppFolderPath 1", "GetAppFolderPath 1"}));
}

// The merge alone: every record of the key goes, the new one goes last.
TEST(DestRecordMerge, ReplacesEveryRecordOfTheKeyAndAppends) {
    struct Case {
        const char* name;
        const char* before;
        const char* key;
        const char* path;
        bool takeOldPath;
        const char* after;
    };
    const Case cases[] = {
        {"no file", "", "U/D:", "P", false, "U/D:1/12/P\n"},
        {"same key moves to the end", "A/D:0/3/x\nU/D:0/4/old\nB/E:1/5/y\n", "U/D:", "P", false,
         "A/D:0/3/x\nB/E:1/5/y\nU/D:1/12/P\n"},
        {"other data set appends", "U/D:0/4/old\n", "U/E:", "P", false, "U/D:0/4/old\nU/E:1/12/P\n"},
        {"tail of another user's ID", "XU/D:0/3/theirs\n", "U/D:", "P", false,
         "XU/D:0/3/theirs\nU/D:1/12/P\n"},
        {"own record after the other user's", "XU/D:0/3/theirs\nU/D:0/4/old\n", "U/D:", "P", false,
         "XU/D:0/3/theirs\nU/D:1/12/P\n"},
        {"record without slashes replaced", "U/D:junk\nA/D:0/1/a\n", "U/D:", "P", false,
         "A/D:0/1/a\nU/D:1/12/P\n"},
        {"last line without LF kept whole", "A/D:0/1/a", "U/D:", "P", false, "A/D:0/1/a\nU/D:1/12/P\n"},
        {"own last line without LF", "A/D:0/1/a\nU/D:0/1/q", "U/D:", "P", false, "A/D:0/1/a\nU/D:1/12/P\n"},
        {"every record of the key goes", "U/D:0/4/old\nA/D:0/3/x\nU/D:1/5/stale\n", "U/D:", "P", false,
         "A/D:0/3/x\nU/D:1/12/P\n"},
        {"no path: the first record's", "U/D:0/4/first\nU/D:1/5/second\n", "U/D:", "", true,
         "U/D:1/12/first\n"},
        {"no path, one remembered", "U/D:0/4/first\n", "U/D:", "R", true, "U/D:1/12/R\n"},
        {"an empty path given", "U/D:0/4/first\n", "U/D:", "", false, "U/D:1/12/\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MergeDestRecord(c.before, c.key, {1, 12, c.path}, c.takeOldPath), c.after) << c.name;
    }
}

struct LoadCase {
    const char* name;
    const char* file;
    const char* user;
    const char* expected;  // Load()
};

TEST_F(DestRecordTest, LoadFindsTheRecordAtALineStart) {
    const LoadCase cases[] = {
        {"several users and data sets", "A/D:0/3/a\nU/D:1/5/b\nU/E:0/7/c\n", "U", "1 1 5 [b]"},
        {"empty path", "U/D:0/4/\n", "U", "1 0 4 []"},
        {"only another user's tail", "XU/D:1/9/theirs\n", "U", "0"},
        {"own record after another's tail", "XU/D:1/9/theirs\nU/D:0/2/mine\n", "U", "1 0 2 [mine]"},
        {"no slashes", "U/D:junk\n", "U", "0"},
        {"one slash", "U/D:1/junk\n", "U", "0"},
        {"last record without LF", "A/D:0/1/a\nU/D:1/11/P", "U", "1 1 11 [P]"},
        // atol on each part, last slash ends the month text, 16 bits kept.
        {"numbers as atol reads them", "U/D:65537/ -3x/a/b\n", "U", "1 1 -3 [b]"},
        {"no digits", "U/D:/x/p\n", "U", "1 0 0 [p]"},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(c.file);
        SetKey(c.user, "D");
        EXPECT_EQ(Load(), c.expected);
    }
}

TEST_F(DestRecordTest, NoFileLoadsNothing) {
    SetKey("U", "D");
    EXPECT_EQ(Load(), "0");
}

TEST_F(DestRecordTest, WithoutPathSavesTheRememberedOneWhole) {
    WriteFile("U/D:0/3/C:\\old.xml\n");
    SetKey("U", "D");
    // Longer than a path buffer: kept whole, never cut.
    m_dlg.m_szSavedDestPath = "C:\\" + std::string(300, 'r') + ".xml";
    EXPECT_EQ(m_dlg.SaveDestRecord(1, 4, nullptr), 1);
    EXPECT_EQ(FileBytes(), "U/D:1/4/" + m_dlg.m_szSavedDestPath + "\n");
    EXPECT_EQ(Load(), "1 1 4 [" + m_dlg.m_szSavedDestPath + "]");
}

// A key that cannot start exactly one line is neither loaded nor saved; the
// file holds a record under that very key, untouched.
TEST_F(DestRecordTest, KeyOverFiftyBytesOrWithAControlByteIsNeitherLoadedNorSaved) {
    struct KeyCase {
        const char* name;
        std::string user;
        std::string data;
        bool usable;
    };
    // "/D:" makes three bytes of the key.
    const KeyCase cases[] = {
        {"50 bytes", std::string(47, 'u'), "D", true},
        {"51 bytes", std::string(48, 'u'), "D", false},
        {"line feed in the user", "U\n", "D", false},
        {"carriage return in the data set", "U", "D\r", false},
        {"byte 0x1F", "U\x1F", "D", false},
        {"space", "U ", "D", true},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = "A/D:0/1/a\n" + c.user + "/" + c.data + ":0/2/b\n";
        WriteFile(file);
        SetKey(c.user, c.data);
        EXPECT_EQ(Load(), c.usable ? "1 0 2 [b]" : "0");
        EXPECT_EQ(m_dlg.SaveDestRecord(1, 12, "P"), c.usable ? 1 : 0);
        EXPECT_EQ(FileBytes(), c.usable ? "A/D:0/1/a\n" + c.user + "/" + c.data + ":1/12/P\n" : file);
    }
}

TEST_F(DestRecordTest, EmptyOrNoFolderTextIsNoFile) {
    for (const bool hostAnswersNull : {false, true}) {
        SCOPED_TRACE(hostAnswersNull ? "no text" : "empty text");
        host::HostModel model;
        model.appFolderNull[1] = hostAnswersNull;
        support::InstallModel(model);
        SetKey("U", "D");
        EXPECT_EQ(m_dlg.SaveDestRecord(1, 12, "P"), 0);
        EXPECT_EQ(Load(), "0");
        EXPECT_EQ(host::StandIn::Get().Calls(),
                  (std::vector<std::string>{"GetAppFolderPath 1", "GetAppFolderPath 1"}));
        EXPECT_FALSE(plat::PathExists(kFileName));
    }
}

TEST_F(DestRecordTest, FailedSaveLeavesTheOldFileAndNoTemporaryFile) {
    const std::string old = "A/D:0/1/a\nU/D:0/4/old\n";
    WriteFile(old);
#ifdef _WIN32
    // Another program has the file open without sharing its deletion: it can
    // be read but not replaced, past the bound.
    const HANDLE holder = CreateFileA(FilePath().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
#else
    // The temporary file takes no bytes: the disk is full.
    plat::headless::FailWritesBeyond(0);
#endif
    SetKey("U", "D");
    EXPECT_EQ(m_dlg.SaveDestRecord(1, 12, "P"), 0);
    EXPECT_EQ(FileBytes(), old);
#ifdef _WIN32
    CloseHandle(holder);
#else
    plat::headless::ResetFileFaults();
#endif
    EXPECT_EQ(m_scratch.EntryCount(), 1);
}

#ifndef _WIN32
namespace pp = plat::headless;

// A child process that runs body once the gate opens (every write end
// closed) and ends with its result, skipping the parent's exit handlers.
pid_t Child(int (&gate)[2], const std::function<int()>& body) {
    const pid_t pid = fork();
    if (pid == 0) {
        close(gate[1]);
        (void)!read(gate[0], gate, 1);
        _exit(body());
    }
    return pid;
}

int ExitCode(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::set<std::string> Names(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(pp::ToPosixPath(folder)))
        names.insert(e.path().filename().string());
    return names;
}

TEST_F(DestRecordTest, SavesOfProcessesEndingTogetherKeepEveryRecord) {
    for (const bool folderThere : {true, false}) {
        SCOPED_TRACE(folderThere ? "folder there" : "two levels missing");
        UseFolder(m_scratch.Path() + (folderThere ? "there\\" : "new\\set\\"));
        std::string expected = folderThere ? "A/D:0/1/a\n" : "";
        if (folderThere) WriteFile(expected);
        int gate[2];
        ASSERT_EQ(pipe(gate), 0);
        std::vector<pid_t> savers;
        for (char user = 'a'; user < 'i'; ++user) {
            expected += std::string(1, user) + "/D:1/12/P\n";
            savers.push_back(Child(gate, [&, user] {
                SetKey(std::string(1, user), "D");
                return m_dlg.SaveDestRecord(1, 12, "P");
            }));
        }
        close(gate[0]);
        close(gate[1]);
        for (const pid_t saver : savers) EXPECT_EQ(ExitCode(saver), 1);
        const auto sorted = [](const std::string& text) {
            std::vector<std::string> lines;
            std::istringstream in(text);
            for (std::string line; std::getline(in, line);) lines.push_back(line);
            std::sort(lines.begin(), lines.end());
            return lines;
        };
        EXPECT_EQ(sorted(FileBytes()), sorted(expected));
        EXPECT_EQ(Names(m_folder), std::set<std::string>{kFileName});
    }
}

// Another process holds the lock and ends without letting go: the save
// lands once the system has let go for it.
TEST_F(DestRecordTest, SaveWaitsForTheLockOfAnotherProcessForABoundedTime) {
    SetKey("U", "D");
    WriteFile("A/D:0/1/a\n");
    int gate[2], held[2];
    ASSERT_TRUE(pipe(gate) == 0 && pipe(held) == 0);
    const pid_t holder = Child(gate, [&] {
        plat::FileLock lock;
        if (!lock.Acquire(FilePath() + ".lock", plat::Deadline(0))) return 1;
        close(held[1]);
        usleep(300000);
        _exit(0);
    });
    close(held[1]);
    close(gate[0]);
    close(gate[1]);
    (void)!read(held[0], gate, 1);  // end of file: the child holds the lock
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(m_dlg.SaveDestRecord(1, 12, "P"), 1);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));
    EXPECT_EQ(FileBytes(), "A/D:0/1/a\nU/D:1/12/P\n");
    EXPECT_EQ(Names(m_folder).size(), 1u);
    ExitCode(holder);
    close(held[0]);
}

// The lock, the read and the replace of a save share one deadline of 5 s
// (the clock moving only by the save's own sleeps); a load waits for a read
// held for a moment.
TEST_F(DestRecordTest, HeldFileIsWaitedForWithinOneDeadline) {
    SetKey("U", "D");
    WriteFile("U/D:0/4/old\n");
    pp::AnswerHeld(pp::FileOp::kRead, 3);
    EXPECT_EQ(Load(), "1 0 4 [old]");
    const struct {
        const char* name;
        pp::FileOp first;  // held until the clock reads firstMillis
        int firstMillis;
        pp::FileOp then;  // then held for ever
        int result;
        int millis;
    } rows[] = {
        {"the replace held 3 s", pp::FileOp::kMoveFile, 3000, pp::FileOp::kAny, 1, 3000},
        {"the lock held 4 s, then the replace", pp::FileOp::kOpen, 4000, pp::FileOp::kMoveFile, 0, 5000},
        {"the lock held 3 s, then the read", pp::FileOp::kOpen, 3000, pp::FileOp::kRead, 0, 5000},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        WriteFile("U/D:0/4/old\n");
        pp::SetClockMicros(0);
        pp::SetFileOpHook([&row](pp::FileOp op, const std::string&) {
            if ((op == row.first && plat::MonotonicMicros() < row.firstMillis * 1000u) || op == row.then) {
                pp::AnswerHeld(op, 1);
            }
        });
        EXPECT_EQ(m_dlg.SaveDestRecord(1, 12, "P"), row.result);
        EXPECT_EQ(plat::MonotonicMicros(), row.millis * 1000u);
        pp::SetClockMicros(std::nullopt);
        pp::ResetFileFaults();
        EXPECT_EQ(FileBytes(), row.result == 1 ? "U/D:1/12/P\n" : "U/D:0/4/old\n");
        EXPECT_EQ(Names(m_folder), std::set<std::string>{kFileName});
    }
}
#endif

}  // namespace
