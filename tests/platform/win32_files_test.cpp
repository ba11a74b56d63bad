// Files, folders, the process environment and ini files through the real
// system under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/file_lock.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/profile.h"
#include "platform/safe_replace.h"
#include "platform/types.h"
#include "profile_cases.h"
#include "tests/support/scratch_folder.h"

namespace {

class Win32Files : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return m_folder.Path(name); }
    static void WriteBytes(const std::string& path, const std::string& bytes) {
        plat::File file;
        ASSERT_TRUE(file.Open(path, plat::File::Mode::kWriteTruncate)) << path;
        ASSERT_TRUE(file.Write(bytes.data(), bytes.size()));
    }

    support::ScratchFolder m_folder;
};

TEST_F(Win32Files, WriteThenReadBack) {
    const std::string path = Path("data.xml");
    const std::string bytes = std::string("<?xml?>\r\n\x8A\xBF\x8E\x9A\0end", 16);
    WriteBytes(path, bytes);
    std::string content;
    ASSERT_TRUE(plat::ReadWholeFile(path, content));
    EXPECT_EQ(content, bytes);

    plat::FileStatus status;
    ASSERT_TRUE(plat::GetFileStatus(path, status));
    EXPECT_FALSE(status.isDirectory);
    EXPECT_EQ(status.size, bytes.size());
}

TEST_F(Win32Files, WriteTruncatesAnExistingFile) {
    const std::string path = Path("t.txt");
    WriteBytes(path, "a long first content");
    WriteBytes(path, "short");
    std::string content;
    ASSERT_TRUE(plat::ReadWholeFile(path, content));
    EXPECT_EQ(content, "short");
}

TEST_F(Win32Files, CreateNewTakesOnlyAFreeName) {
    const std::string taken = Path("~t.tmp");
    WriteBytes(taken, "someone else's");
    plat::File file;
    EXPECT_FALSE(file.Open(taken, plat::File::Mode::kWriteCreateNew));
    EXPECT_EQ(file.LastError(), static_cast<unsigned long>(ERROR_FILE_EXISTS));
    std::string content;
    ASSERT_TRUE(plat::ReadWholeFile(taken, content));
    EXPECT_EQ(content, "someone else's");

    const std::string fresh = Path("~n.tmp");
    ASSERT_TRUE(file.Open(fresh, plat::File::Mode::kWriteCreateNew));
    plat::File other;
    EXPECT_FALSE(other.Open(fresh, plat::File::Mode::kRead));  // not shared
    EXPECT_TRUE(file.Write("new", 3));
    EXPECT_TRUE(file.Flush());
    EXPECT_TRUE(file.Close());
    EXPECT_TRUE(file.Close());  // nothing open: nothing to fail
    EXPECT_FALSE(file.Flush());
    ASSERT_TRUE(plat::ReadWholeFile(fresh, content));
    EXPECT_EQ(content, "new");
}

TEST_F(Win32Files, FileOpenForWritingIsNotShared) {
    const std::string path = Path("locked.txt");
    plat::File writer;
    ASSERT_TRUE(writer.Open(path, plat::File::Mode::kWriteTruncate));
    plat::File reader;
    EXPECT_FALSE(reader.Open(path, plat::File::Mode::kRead));
    EXPECT_EQ(reader.LastError(), static_cast<unsigned long>(ERROR_SHARING_VIOLATION));
    std::string content;
    EXPECT_FALSE(plat::ReadWholeFile(path, content));
}

TEST_F(Win32Files, ReadingSharesWithAWriter) {
    const std::string path = Path("shared.txt");
    WriteBytes(path, "abc");
    plat::File reader;
    ASSERT_TRUE(reader.Open(path, plat::File::Mode::kRead));
    std::string content;
    EXPECT_TRUE(plat::ReadWholeFile(path, content));
    EXPECT_EQ(content, "abc");
    char buffer[8] = {};
    EXPECT_EQ(reader.Read(buffer, sizeof(buffer)), 3);
    EXPECT_EQ(reader.Read(buffer, sizeof(buffer)), 0);
}

TEST_F(Win32Files, WriteToAFullDiskFails) {
    // Wine maps Z: to the root of the host: /dev/full takes no byte.
    plat::File file;
    ASSERT_TRUE(file.Open("Z:\\dev\\full", plat::File::Mode::kWriteTruncate)) << file.LastError();
    const char bytes[] = "<REPORT>";
    EXPECT_FALSE(file.Write(bytes, sizeof(bytes) - 1));
    EXPECT_EQ(file.LastError(), static_cast<unsigned long>(ERROR_DISK_FULL));
}

TEST_F(Win32Files, ClosedFileRefusesEverything) {
    plat::File file;
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.Write("x", 1));
    EXPECT_NE(file.LastError(), 0u);
    char buffer[4];
    EXPECT_EQ(file.Read(buffer, sizeof(buffer)), -1);
    file.Close();  // harmless
    EXPECT_FALSE(file.Open(Path("missing\\nothing.txt"), plat::File::Mode::kRead));
    EXPECT_EQ(file.LastError(), static_cast<unsigned long>(ERROR_PATH_NOT_FOUND));
}

TEST_F(Win32Files, FoldersAndExistence) {
    const std::string sub = Path("sub");
    EXPECT_FALSE(plat::PathExists(sub));
    EXPECT_FALSE(plat::IsDirectory(sub));
    ASSERT_TRUE(plat::CreateDir(sub));
    EXPECT_FALSE(plat::CreateDir(sub));  // already there
    EXPECT_TRUE(plat::PathExists(sub));
    EXPECT_TRUE(plat::IsDirectory(sub));
    plat::FileStatus status;
    ASSERT_TRUE(plat::GetFileStatus(sub, status));
    EXPECT_TRUE(status.isDirectory);

    const std::string file = sub + "\\f.txt";
    WriteBytes(file, "x");
    EXPECT_TRUE(plat::PathExists(file));
    EXPECT_FALSE(plat::IsDirectory(file));
    EXPECT_FALSE(plat::RemoveDir(sub));  // not empty
    EXPECT_TRUE(plat::DeleteFileAt(file));
    EXPECT_FALSE(plat::DeleteFileAt(file));
    EXPECT_TRUE(plat::RemoveDir(sub));
    EXPECT_FALSE(plat::PathExists(sub));
    EXPECT_FALSE(plat::GetFileStatus(sub, status));
}

TEST_F(Win32Files, AccessModes) {
    const std::string file = Path("a.txt");
    WriteBytes(file, "x");
    EXPECT_TRUE(plat::Access(file, 0));
    EXPECT_TRUE(plat::Access(file, 2));
    EXPECT_TRUE(plat::Access(file, 4));
    EXPECT_TRUE(plat::Access(file, 6));
    EXPECT_FALSE(plat::Access(Path("none.txt"), 0));
    ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(plat::Access(file, 4));
    EXPECT_FALSE(plat::Access(file, 2));
    EXPECT_FALSE(plat::Access(file, 1));  // not a mode of the C runtime: refused, not passed on
    ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL));
}

TEST_F(Win32Files, MoveReplacesAnExistingFile) {
    const std::string from = Path("new.env");
    const std::string to = Path("old.env");
    WriteBytes(from, "new content");
    WriteBytes(to, "old");
    ASSERT_TRUE(plat::MoveFileReplace(from, to));
    EXPECT_FALSE(plat::PathExists(from));
    std::string content;
    ASSERT_TRUE(plat::ReadWholeFile(to, content));
    EXPECT_EQ(content, "new content");
    EXPECT_FALSE(plat::MoveFileReplace(Path("gone"), to));
}

TEST_F(Win32Files, LockIsExclusiveAndLeavesNoFile) {
    const std::string path = Path("x.env.lock");
    plat::FileLock lock;
    ASSERT_TRUE(lock.Acquire(path, plat::Deadline(0)));
    plat::FileLock other;
    EXPECT_FALSE(other.Acquire(path, plat::Deadline(0)));
    lock.Release();
    EXPECT_FALSE(plat::PathExists(path));
    EXPECT_TRUE(other.Acquire(path, plat::Deadline(0)));
}

TEST_F(Win32Files, DoubleBytePathsWithTrailBackslash) {
    // "表" and "ソ" end in the byte 0x5C: the system must take them whole.
    const std::string folder = Path("表ソ");
    ASSERT_TRUE(plat::CreateDir(folder));
    EXPECT_TRUE(plat::IsDirectory(folder));
    const std::string file = folder + "\\科目内訳書.xml";
    WriteBytes(file, "x");
    EXPECT_TRUE(plat::PathExists(file));
    EXPECT_TRUE(plat::DeleteFileAt(file));

    const std::string before = plat::GetCurrentDir();
    ASSERT_TRUE(plat::SetCurrentDir(folder));
    EXPECT_EQ(plat::GetCurrentDir(), folder);
    ASSERT_TRUE(plat::SetCurrentDir(before));
    EXPECT_TRUE(plat::RemoveDir(folder));
}

// The replace on the real system: a read-only file at this process's own
// name is passed by, a temporary left over ten minutes ago goes. (Wine
// replaces a read-only target, which Windows refuses.)
TEST_F(Win32Files, SafeReplacePassesItsOwnLeftoverAndRemovesAnOldOne) {
    const std::string target = Path("t.env");
    const std::string own = target + "." + std::to_string(plat::CurrentProcessId()) + ".tmp";
    WriteBytes(own, "left");
    WriteBytes(target + ".1.tmp", "crashed");
    ASSERT_TRUE(SetFileAttributesA(own.c_str(), FILE_ATTRIBUTE_READONLY));
    const HANDLE crashed = CreateFileA((target + ".1.tmp").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ULARGE_INTEGER when;
    GetSystemTimeAsFileTime(reinterpret_cast<FILETIME*>(&when));
    when.QuadPart -= 600ULL * 10000000u;
    ASSERT_TRUE(SetFileTime(crashed, nullptr, nullptr, reinterpret_cast<FILETIME*>(&when)));
    CloseHandle(crashed);
    plat::SafeReplace replace(target);
    ASSERT_TRUE(replace.Create());
    ASSERT_TRUE(replace.Temp().Write("new", 3));
    ASSERT_TRUE(replace.Commit(plat::Deadline(0)));
    std::string content;
    ASSERT_TRUE(plat::ReadWholeFile(target, content));
    EXPECT_EQ(content, "new");
    EXPECT_FALSE(plat::PathExists(target + ".1.tmp"));
    ASSERT_TRUE(SetFileAttributesA(own.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(m_folder.EntryCount(), 2);
}

TEST(Win32Drives, FixedAndUnmappedDrives) {
    EXPECT_EQ(plat::QueryDriveType("C:\\"), plat::kDriveFixed);
    const DWORD drives = GetLogicalDrives();
    char unmapped = 0;
    for (char letter = 'Y'; letter >= 'D'; --letter) {
        if ((drives & (1u << (letter - 'A'))) == 0) {
            unmapped = letter;
            break;
        }
    }
    ASSERT_NE(unmapped, 0);
    EXPECT_EQ(plat::QueryDriveType(std::string(1, unmapped) + ":\\"), plat::kDriveNoRootDir);
}

TEST(Win32Process, ModulePathAndCurrentDirectory) {
    const std::string module = plat::GetModuleFilePath();
    ASSERT_GT(module.size(), 4u);
    EXPECT_EQ(module.substr(module.size() - 4), ".exe");
    EXPECT_EQ(module[1], ':');

    const std::string before = plat::GetCurrentDir();
    ASSERT_FALSE(before.empty());
    const std::string folder = module.substr(0, module.rfind('\\'));
    ASSERT_TRUE(plat::SetCurrentDir(folder));
    EXPECT_EQ(plat::GetCurrentDir(), folder);
    EXPECT_FALSE(plat::SetCurrentDir(folder + "\\no such folder"));
    EXPECT_EQ(plat::GetCurrentDir(), folder);
    ASSERT_TRUE(plat::SetCurrentDir(before));
}

TEST(Win32Process, EnvironmentAndTemporaryFolder) {
    ASSERT_TRUE(SetEnvironmentVariableA("PWIN_TEST_VALUE", "値=1"));
    EXPECT_EQ(plat::GetEnvVar("PWIN_TEST_VALUE"), "値=1");
    const std::string longValue(5000, 'v');
    ASSERT_TRUE(SetEnvironmentVariableA("PWIN_TEST_VALUE", longValue.c_str()));
    EXPECT_EQ(plat::GetEnvVar("PWIN_TEST_VALUE"), longValue);
    ASSERT_TRUE(SetEnvironmentVariableA("PWIN_TEST_VALUE", nullptr));
    EXPECT_EQ(plat::GetEnvVar("PWIN_TEST_VALUE"), "");
    EXPECT_EQ(plat::GetEnvVar(""), "");

    const std::string temp = plat::GetTempDir();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), '\\');
    EXPECT_TRUE(plat::IsDirectory(temp));
}

// The shared table of ini cases, against the system's own reader.
TEST_F(Win32Files, PrivateProfileCasesMatchTheSystem) {
    int index = 0;
    for (const profile_cases::ProfileCase& c : profile_cases::kCases) {
        // A file name of its own per case: the system may cache an ini file.
        const std::string path = Path("KolvarenDef" + std::to_string(index++) + ".ini");
        if (c.content != nullptr) WriteBytes(path, c.content);
        const std::string value = plat::ReadProfileString(c.section, c.key, c.def, c.bufferSize, path);
        EXPECT_EQ(value, c.expected) << c.name;
    }
}

TEST_F(Win32Files, PrivateProfileNeverExceedsItsBuffer) {
    const std::string path = Path("long.ini");
    WriteBytes(path, "[S]\r\nK=" + std::string(3000, '7') + "\r\n");
    EXPECT_EQ(plat::ReadProfileString("S", "K", "", 16, path), std::string(15, '7'));
    EXPECT_EQ(plat::ReadProfileString("S", "K", "", 4096, path), std::string(3000, '7'));
    EXPECT_EQ(plat::ReadProfileString("S", "K", "d", 0, path), "");
}

}  // namespace
