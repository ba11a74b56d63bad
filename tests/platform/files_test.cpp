// Files and folders by Windows path over POSIX calls.
#include "platform/files.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <string>

#include "platform/process.h"
#include "test_support.h"

namespace {

using platform_test::PlatformTest;

using FilesTest = PlatformTest;

TEST_F(FilesTest, WriteFailureOnAFullDeviceIsReported) {
    plat::File file;
    ASSERT_TRUE(file.Open("/dev/full", plat::File::Mode::kWriteTruncate));
    EXPECT_EQ(file.LastError(), 0u);
    const std::string line = "<REPORT>\r\n";
    EXPECT_FALSE(file.Write(line.data(), line.size()));
    EXPECT_EQ(file.LastError(), static_cast<unsigned long>(ENOSPC));
    // A device that cannot be synced: the flush says so.
    EXPECT_FALSE(file.Flush());
    EXPECT_EQ(file.LastError(), static_cast<unsigned long>(EINVAL));
    file.Close();
    EXPECT_FALSE(file.IsOpen());
}

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

TEST_F(FilesTest, WriteTruncatesAnExistingFileOnOpen) {
    ASSERT_TRUE(WritePosixFile(Root() + "/out.xml", "old content that is long"));
    plat::File file;
    ASSERT_TRUE(file.Open("C:\\out.xml", plat::File::Mode::kWriteTruncate));
    EXPECT_TRUE(file.Write("new", 3));
    EXPECT_TRUE(file.Write("", 0));
    file.Close();
    EXPECT_EQ(ReadPosixFile(Root() + "/out.xml"), "new");
}

TEST_F(FilesTest, WriteCreatesTheFileAndKeepsBytes) {
    plat::File file;
    const std::string bytes("\x95\x5C\r\n\0z", 6);
    ASSERT_TRUE(file.Open("C:\\new.xml", plat::File::Mode::kWriteTruncate));
    EXPECT_TRUE(file.Write(bytes.data(), bytes.size()));
    file.Close();
    EXPECT_EQ(ReadPosixFile(Root() + "/new.xml"), bytes);
}

TEST_F(FilesTest, CreateNewTakesOnlyAFreeName) {
    ASSERT_TRUE(WritePosixFile(Root() + "/~t.tmp", "someone else's"));
    ASSERT_EQ(::symlink((Root() + "/elsewhere").c_str(), (Root() + "/~l.tmp").c_str()), 0);
    plat::File file;
    EXPECT_FALSE(file.Open("C:\\~t.tmp", plat::File::Mode::kWriteCreateNew));
    EXPECT_EQ(file.LastError(), static_cast<unsigned long>(EEXIST));
    EXPECT_FALSE(file.Open("C:\\~l.tmp", plat::File::Mode::kWriteCreateNew));  // not even through a link
    EXPECT_EQ(ReadPosixFile(Root() + "/~t.tmp"), "someone else's");
    EXPECT_NE(::access((Root() + "/elsewhere").c_str(), F_OK), 0);

    ASSERT_TRUE(file.Open("C:\\~n.tmp", plat::File::Mode::kWriteCreateNew));
    EXPECT_TRUE(file.Write("new", 3));
    EXPECT_TRUE(file.Flush());
    EXPECT_TRUE(file.Close());
    EXPECT_TRUE(file.Close());  // nothing open: nothing to fail
    EXPECT_FALSE(file.Flush());
    EXPECT_EQ(ReadPosixFile(Root() + "/~n.tmp"), "new");
}

TEST_F(FilesTest, OpenFailures) {
    plat::File file;
    EXPECT_FALSE(file.Open("C:\\missing.txt", plat::File::Mode::kRead));
    EXPECT_EQ(file.LastError(), static_cast<unsigned long>(ENOENT));
    EXPECT_FALSE(file.Open("C:\\no\\such\\folder\\f.xml", plat::File::Mode::kWriteTruncate));
    EXPECT_EQ(file.LastError(), static_cast<unsigned long>(ENOENT));
    EXPECT_FALSE(file.Open("Z:\\f.xml", plat::File::Mode::kWriteTruncate));  // unmapped drive
    EXPECT_NE(file.LastError(), 0u);
    ASSERT_TRUE(plat::CreateDir("C:\\dir"));
    EXPECT_FALSE(file.Open("C:\\dir", plat::File::Mode::kRead));  // a folder is not a file
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.Write("x", 1));
    EXPECT_EQ(file.LastError(), static_cast<unsigned long>(EBADF));
    char buffer[4];
    EXPECT_EQ(file.Read(buffer, sizeof buffer), -1);
}

TEST_F(FilesTest, ReadInPieces) {
    ASSERT_TRUE(WritePosixFile(Root() + "/in.txt", "abcdef"));
    plat::File file;
    ASSERT_TRUE(file.Open("C:\\in.txt", plat::File::Mode::kRead));
    char buffer[4] = {};
    EXPECT_EQ(file.Read(buffer, 4), 4);
    EXPECT_EQ(std::string(buffer, 4), "abcd");
    EXPECT_EQ(file.Read(buffer, 4), 2);
    EXPECT_EQ(std::string(buffer, 2), "ef");
    EXPECT_EQ(file.Read(buffer, 4), 0);
    EXPECT_FALSE(file.Write("x", 1));  // opened for reading only
    EXPECT_NE(file.LastError(), 0u);
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

TEST_F(FilesTest, ExistenceFolderAndStatus) {
    ASSERT_TRUE(WritePosixFile(Root() + "/f.txt", "12345"));
    ASSERT_TRUE(plat::CreateDir("C:\\d"));
    EXPECT_TRUE(plat::PathExists("C:\\f.txt"));
    EXPECT_TRUE(plat::PathExists("C:\\d"));
    EXPECT_FALSE(plat::PathExists("C:\\none"));
    EXPECT_FALSE(plat::PathExists("Y:\\f.txt"));
    EXPECT_TRUE(plat::IsDirectory("C:\\d"));
    EXPECT_TRUE(plat::IsDirectory("C:\\d\\"));
    EXPECT_TRUE(plat::IsDirectory("C:\\"));
    EXPECT_FALSE(plat::IsDirectory("C:\\f.txt"));
    EXPECT_FALSE(plat::IsDirectory("C:\\none"));

    plat::FileStatus status;
    ASSERT_TRUE(plat::GetFileStatus("C:\\f.txt", status));
    EXPECT_FALSE(status.isDirectory);
    EXPECT_EQ(status.size, 5u);
    ASSERT_TRUE(plat::GetFileStatus("C:\\d", status));
    EXPECT_TRUE(status.isDirectory);
    EXPECT_FALSE(plat::GetFileStatus("C:\\none", status));
}

TEST_F(FilesTest, AccessModes) {
    ASSERT_TRUE(WritePosixFile(Root() + "/f.txt", "x"));
    for (int mode : {0, 2, 4, 6}) {
        EXPECT_TRUE(plat::Access("C:\\f.txt", mode)) << mode;
        EXPECT_TRUE(plat::Access("C:\\", mode)) << mode;
        EXPECT_FALSE(plat::Access("C:\\none", mode)) << mode;
        EXPECT_FALSE(plat::Access("X:\\", mode)) << mode;
    }
    EXPECT_FALSE(plat::Access("C:\\f.txt", 1));  // not a mode _access knows
    EXPECT_FALSE(plat::Access("C:\\f.txt", -1));
}

TEST_F(FilesTest, CreateAndRemoveFolders) {
    EXPECT_TRUE(plat::CreateDir("C:\\a"));
    EXPECT_FALSE(plat::CreateDir("C:\\a"));     // exists already
    EXPECT_FALSE(plat::CreateDir("C:\\x\\y"));  // one level at a time
    EXPECT_TRUE(plat::CreateDir("C:\\a\\b\\"));
    EXPECT_FALSE(plat::RemoveDir("C:\\a"));  // not empty
    EXPECT_TRUE(plat::RemoveDir("C:\\a\\b"));
    EXPECT_TRUE(plat::RemoveDir("C:\\a"));
    EXPECT_FALSE(plat::RemoveDir("C:\\a"));
    EXPECT_FALSE(plat::RemoveDir("C:\\a\\.."));  // the root, even when empty
    EXPECT_FALSE(plat::RemoveDir("C:\\"));
    EXPECT_FALSE(plat::CreateDir("V:\\a"));
}

TEST_F(FilesTest, DeleteFilesButNotFolders) {
    ASSERT_TRUE(WritePosixFile(Root() + "/f.txt", "x"));
    ASSERT_TRUE(plat::CreateDir("C:\\d"));
    EXPECT_FALSE(plat::DeleteFileAt("C:\\d"));
    EXPECT_TRUE(plat::IsDirectory("C:\\d"));
    EXPECT_TRUE(plat::DeleteFileAt("C:\\f.txt"));
    EXPECT_FALSE(plat::PathExists("C:\\f.txt"));
    EXPECT_FALSE(plat::DeleteFileAt("C:\\f.txt"));
}

TEST_F(FilesTest, MoveReplacesTheTarget) {
    ASSERT_TRUE(WritePosixFile(Root() + "/from.tmp", "new"));
    ASSERT_TRUE(WritePosixFile(Root() + "/to.env", "old"));
    EXPECT_TRUE(plat::MoveFileReplace("C:\\from.tmp", "C:\\to.env"));
    EXPECT_EQ(ReadPosixFile(Root() + "/to.env"), "new");
    EXPECT_FALSE(plat::PathExists("C:\\from.tmp"));
    EXPECT_FALSE(plat::MoveFileReplace("C:\\from.tmp", "C:\\to.env"));
    EXPECT_FALSE(plat::MoveFileReplace("C:\\to.env", "W:\\to.env"));
    EXPECT_EQ(ReadPosixFile(Root() + "/to.env"), "new");
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

}  // namespace
