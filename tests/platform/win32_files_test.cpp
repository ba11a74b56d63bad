// Files, folders, the process environment and ini files through the real
// system under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "file_cases.h"
#include "platform/file_lock.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/profile.h"
#include "platform/safe_replace.h"
#include "platform/types.h"
#include "platform/win32/wide.h"
#include "profile_cases.h"
#include "tests/support/scratch_folder.h"

namespace {

using file_cases::ReadBytes;
using file_cases::WriteBytes;

// A drive letter that names nothing here: "Q:\".
std::string UnmappedRoot() {
    const DWORD drives = GetLogicalDrives();
    for (char letter = 'Y'; letter >= 'D'; --letter) {
        if ((drives & (1u << (letter - 'A'))) == 0) return std::string(1, letter) + ":\\";
    }
    return std::string();
}

bool SetReadOnly(const std::string& path, bool readOnly) {
    return SetFileAttributesA(path.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL) !=
           FALSE;
}

class Win32Files : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return m_folder.Path(name); }

    support::ScratchFolder m_folder;
};

class SharedFileCases : public Win32Files, public ::testing::WithParamInterface<file_cases::FileCase> {};

// Wine maps Z: to the root of the host: /dev/full takes no byte.
TEST_P(SharedFileCases, MatchTheSystem) {
    ASSERT_FALSE(UnmappedRoot().empty());
    GetParam().run({m_folder.Path(), UnmappedRoot(), "Z:\\dev\\full", ERROR_FILE_NOT_FOUND,
                    ERROR_PATH_NOT_FOUND, ERROR_INVALID_HANDLE, ERROR_FILE_EXISTS, ERROR_DISK_FULL,
                    ERROR_INVALID_PARAMETER, SetReadOnly});
}

INSTANTIATE_TEST_SUITE_P(Files, SharedFileCases, ::testing::ValuesIn(file_cases::kCases),
                         file_cases::CaseName);

TEST_F(Win32Files, FileOpenForWritingIsNotShared) {
    const std::string path = Path("locked.txt");
    plat::File writer;
    ASSERT_TRUE(writer.Open(path, plat::File::Mode::kWriteTruncate));
    plat::File reader;
    EXPECT_FALSE(reader.Open(path, plat::File::Mode::kRead));
    EXPECT_EQ(reader.LastError(), static_cast<unsigned long>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(ReadBytes(path), "(none)");
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
    EXPECT_EQ(ReadBytes(target), "new");
    EXPECT_FALSE(plat::PathExists(target + ".1.tmp"));
    ASSERT_TRUE(SetFileAttributesA(own.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(m_folder.EntryCount(), 2);
}

// Paths as long as a folder's limit (MAX_PATH - 12) go to the system in the
// long form, resolved first; shorter ones as they are.
TEST(Win32LongPaths, TakeTheLongFormAtTheFoldersLimit) {
    const std::string a244(244, 'a');
    const std::wstring a245(245, L'a');
    const struct {
        std::string path;
        std::wstring wide;
    } rows[] = {
        {"C:\\x\\b.xml", L"C:\\x\\b.xml"},
        {"C:\\" + a244, L"C:\\" + std::wstring(244, L'a')},
        {"C:\\" + a244 + "a", L"\\\\?\\C:\\" + a245},
        {"C:\\x\\..\\" + a244 + "a/b", L"\\\\?\\C:\\" + a245 + L"\\b"},
        {"\\\\srv\\share\\" + a244, L"\\\\?\\UNC\\srv\\share\\" + std::wstring(244, L'a')},
        {"\\\\?\\C:\\x", L"\\\\?\\C:\\x"},
    };
    for (const auto& row : rows) EXPECT_EQ(plat::win32::WidePath(row.path), row.wide) << row.path;
}

// Every file function takes a path past the system's limit.
TEST_F(Win32Files, PathsPastTheSystemsLimitAreUsable) {
    const std::string folder = Path(std::string(200, 'f')) + "\\";
    const std::string sub = folder + std::string(100, 's') + "\\";
    ASSERT_TRUE(plat::CreateDir(folder));
    ASSERT_TRUE(plat::CreateDir(sub));
    EXPECT_TRUE(plat::IsDirectory(sub));
    WriteBytes(sub + "a.xml", "report");
    EXPECT_TRUE(plat::MoveFileReplace(sub + "a.xml", sub + "b.xml"));
    EXPECT_FALSE(plat::IsDirectory(sub + "b.xml"));
    EXPECT_TRUE(plat::PathExists(sub + "b.xml"));
    EXPECT_FALSE(plat::PathExists(sub + "a.xml"));
    EXPECT_TRUE(plat::Access(sub + "b.xml", plat::kAccessReadWrite));
    std::vector<std::string> names;
    EXPECT_TRUE(plat::ListFolder(sub, names));
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", "b.xml"}));
    EXPECT_TRUE(plat::DeleteFileAt(sub + "b.xml"));
    EXPECT_TRUE(plat::RemoveDir(sub));
    EXPECT_FALSE(plat::PathExists(sub));
}

TEST(Win32Drives, FixedAndUnmappedDrives) {
    EXPECT_EQ(plat::QueryDriveType("C:\\"), plat::kDriveFixed);
    ASSERT_FALSE(UnmappedRoot().empty());
    EXPECT_EQ(plat::QueryDriveType(UnmappedRoot()), plat::kDriveNoRootDir);
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

// The shared table of ini cases against the system's own reader, each in a
// folder of its own: the system may cache an ini file.
class Win32Profile : public Win32Files, public ::testing::WithParamInterface<profile_cases::ProfileCase> {};

TEST_P(Win32Profile, MatchesTheSystem) {
    const profile_cases::ProfileCase& c = GetParam();
    if (c.content != nullptr) WriteBytes(Path("KolvarenDef.ini"), c.content);
    EXPECT_EQ(plat::ReadProfileString(c.section, c.key, c.def, c.bufferSize, Path("KolvarenDef.ini")),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(Shared, Win32Profile, ::testing::ValuesIn(profile_cases::kCases),
                         profile_cases::CaseName);

TEST_F(Win32Files, PrivateProfileNeverExceedsItsBuffer) {
    const std::string path = Path("long.ini");
    WriteBytes(path, "[S]\r\nK=" + std::string(3000, '7') + "\r\n");
    EXPECT_EQ(plat::ReadProfileString("S", "K", "", 16, path), std::string(15, '7'));
    EXPECT_EQ(plat::ReadProfileString("S", "K", "", 4096, path), std::string(3000, '7'));
    EXPECT_EQ(plat::ReadProfileString("S", "K", "d", 0, path), "");
}

}  // namespace
