#pragma once
// Files and folders as the system answers them, shared by the Wine tests (the
// win32 backend on the real system) and the native tests (the headless
// double over POSIX), one named case a row in both. What the two answer
// differently comes with the System.
#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"
#include "platform/process.h"

namespace file_cases {

struct System {
    std::string folder;        // an empty folder, with its final backslash
    std::string unmappedRoot;  // a drive that names nothing: "Q:\"
    std::string fullDevice;    // a file that takes no byte
    unsigned long fileNotFound;
    unsigned long pathNotFound;  // a folder on the way missing
    unsigned long notOpen;       // a write without an open file
    unsigned long fileExists;    // a new file refused on a taken name
    unsigned long diskFull;      // a write to the full device refused
    unsigned long syncRefused;   // its flush refused
    // nullptr: read-only files not checked (root over POSIX writes any file)
    bool (*setReadOnly)(const std::string& path, bool readOnly);
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    plat::File file;
    EXPECT_TRUE(file.Open(path, plat::File::Mode::kWriteTruncate) && file.Write(bytes.data(), bytes.size()) &&
                file.Close())
        << path;
}

inline std::string ReadBytes(const std::string& path) {
    std::string content;
    return plat::ReadWholeFile(path, content) ? content : "(none)";
}

inline void WriteCreatesAndReadsBack(const System& s) {
    const std::string path = s.folder + "data.xml";
    const std::string bytes = std::string("<?xml?>\r\n\x95\x5C\x8E\x9A") + '\0' + "end";  // 0x5C, NUL
    WriteBytes(path, bytes);
    EXPECT_EQ(ReadBytes(path), bytes);
    plat::FileStatus status;
    ASSERT_TRUE(plat::GetFileStatus(path, status));
    EXPECT_EQ(status.size, bytes.size());
}

inline void WriteTruncatesAnExistingFile(const System& s) {
    const std::string path = s.folder + "t.txt";
    WriteBytes(path, "a long first content");
    WriteBytes(path, "new");
    EXPECT_EQ(ReadBytes(path), "new");
    WriteBytes(path, "");  // writing nothing is no failure
    EXPECT_EQ(ReadBytes(path), "");
}

inline void OpenFailuresAndAClosedFile(const System& s) {
    plat::File file;
    EXPECT_FALSE(file.Open(s.folder + "missing.txt", plat::File::Mode::kRead));
    EXPECT_EQ(file.LastError(), s.fileNotFound);
    EXPECT_FALSE(file.Open(s.folder + "no\\f.xml", plat::File::Mode::kWriteTruncate));
    EXPECT_EQ(file.LastError(), s.pathNotFound);
    EXPECT_FALSE(file.Open(s.unmappedRoot + "f.xml", plat::File::Mode::kWriteTruncate));
    EXPECT_NE(file.LastError(), 0u);
    ASSERT_TRUE(plat::CreateDir(s.folder + "dir"));
    EXPECT_FALSE(file.Open(s.folder + "dir", plat::File::Mode::kRead));  // a folder is not a file
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.Write("x", 1));
    EXPECT_EQ(file.LastError(), s.notOpen);
    char buffer[4];
    EXPECT_EQ(file.Read(buffer, sizeof buffer), -1);
    EXPECT_TRUE(file.Close());  // nothing open: nothing to fail
}

inline void ReadInPiecesBesideAnotherReader(const System& s) {
    WriteBytes(s.folder + "in.txt", "abcdef");
    plat::File file;
    ASSERT_TRUE(file.Open(s.folder + "in.txt", plat::File::Mode::kRead));
    EXPECT_EQ(ReadBytes(s.folder + "in.txt"), "abcdef");
    char buffer[4] = {};
    EXPECT_EQ(file.Read(buffer, 4), 4);
    EXPECT_EQ(std::string(buffer, 4), "abcd");
    EXPECT_EQ(file.Read(buffer, 4), 2);
    EXPECT_EQ(std::string(buffer, 2), "ef");
    EXPECT_EQ(file.Read(buffer, 4), 0);
    EXPECT_FALSE(file.Write("x", 1));  // opened for reading only
    EXPECT_NE(file.LastError(), 0u);
}

inline void CreateNewTakesOnlyAFreeName(const System& s) {
    const std::string taken = s.folder + "~t.tmp";
    WriteBytes(taken, "someone else's");
    plat::File file;
    EXPECT_FALSE(file.Open(taken, plat::File::Mode::kWriteCreateNew));
    EXPECT_EQ(file.LastError(), s.fileExists);
    EXPECT_EQ(ReadBytes(taken), "someone else's");
    ASSERT_TRUE(file.Open(s.folder + "~n.tmp", plat::File::Mode::kWriteCreateNew));
    EXPECT_TRUE(file.Write("new", 3));
    EXPECT_TRUE(file.Flush());
    EXPECT_TRUE(file.Close());
    EXPECT_TRUE(file.Close());  // nothing open: nothing to fail
    EXPECT_FALSE(file.Flush());
    EXPECT_EQ(ReadBytes(s.folder + "~n.tmp"), "new");
}

inline void ExistenceAndStatus(const System& s) {
    ASSERT_TRUE(plat::CreateDir(s.folder + "d"));
    WriteBytes(s.folder + "f.txt", "x");
    const struct {
        std::string path;
        bool exists;
        bool folder;
    } rows[] = {{s.folder + "d", true, true},
                {s.folder + "d\\", true, true},
                {s.folder, true, true},
                {s.folder + "f.txt", true, false},
                {s.folder + "none", false, false},
                {s.unmappedRoot + "f.txt", false, false}};
    for (const auto& row : rows) {
        plat::FileStatus status;
        EXPECT_EQ(plat::PathExists(row.path), row.exists) << row.path;
        EXPECT_EQ(plat::IsDirectory(row.path), row.folder) << row.path;
        EXPECT_EQ(plat::GetFileStatus(row.path, status) && status.isDirectory == row.folder, row.exists)
            << row.path;
    }
}

inline void FoldersMadeAndRemovedFilesDeleted(const System& s) {
    const std::string dir = s.folder + "a";
    EXPECT_TRUE(plat::CreateDir(dir));
    EXPECT_FALSE(plat::CreateDir(dir));                // exists already
    EXPECT_FALSE(plat::CreateDir(s.folder + "x\\y"));  // one level at a time
    EXPECT_FALSE(plat::CreateDir(s.unmappedRoot + "a"));
    EXPECT_TRUE(plat::CreateDir(dir + "\\b\\"));
    WriteBytes(dir + "\\f.txt", "x");
    EXPECT_FALSE(plat::DeleteFileAt(dir + "\\b"));  // a folder is no file
    EXPECT_TRUE(plat::RemoveDir(dir + "\\b"));
    EXPECT_FALSE(plat::RemoveDir(dir));  // not empty
    EXPECT_TRUE(plat::DeleteFileAt(dir + "\\f.txt"));
    EXPECT_FALSE(plat::DeleteFileAt(dir + "\\f.txt"));
    EXPECT_TRUE(plat::RemoveDir(dir));
    EXPECT_FALSE(plat::RemoveDir(dir));
}

// "一覧表" ends in the byte 0x5C: the system takes the name whole.
inline void DoubleBytePathsWithTrailBackslash(const System& s) {
    const std::string folder = s.folder + "一覧表";
    ASSERT_TRUE(plat::CreateDir(folder));
    EXPECT_TRUE(plat::IsDirectory(folder + "\\"));
    WriteBytes(folder + "\\科目内訳書.xml", "x");
    EXPECT_TRUE(plat::PathExists(folder + "\\科目内訳書.xml"));
    EXPECT_FALSE(plat::PathExists(s.folder + "\x88\xEA\x97\x97\x95"));  // no folder cut at the 0x5C
    EXPECT_TRUE(plat::DeleteFileAt(folder + "\\科目内訳書.xml"));
    const std::string before = plat::GetCurrentDir();
    ASSERT_TRUE(plat::SetCurrentDir(folder));
    EXPECT_EQ(plat::GetCurrentDir(), folder);
    ASSERT_TRUE(plat::SetCurrentDir(before));
    EXPECT_TRUE(plat::RemoveDir(folder));
}

inline void AccessModes(const System& s) {
    const std::string file = s.folder + "a.txt";
    WriteBytes(file, "x");
    for (int mode : {plat::kAccessExists, plat::kAccessWrite, plat::kAccessRead, plat::kAccessReadWrite}) {
        EXPECT_TRUE(plat::Access(file, mode) && plat::Access(s.folder, mode)) << mode;
        EXPECT_FALSE(plat::Access(s.folder + "none.txt", mode) || plat::Access(s.unmappedRoot, mode)) << mode;
    }
    EXPECT_FALSE(plat::Access(file, 1));  // not a mode of the C runtime: refused, not passed on
    EXPECT_FALSE(plat::Access(file, -1));
    if (s.setReadOnly == nullptr) return;
    ASSERT_TRUE(s.setReadOnly(file, true));
    EXPECT_TRUE(plat::Access(file, plat::kAccessRead));
    EXPECT_FALSE(plat::Access(file, plat::kAccessWrite));
    ASSERT_TRUE(s.setReadOnly(file, false));
}

inline void MoveReplacesTheTarget(const System& s) {
    WriteBytes(s.folder + "new.env", "new content");
    WriteBytes(s.folder + "old.env", "old");
    ASSERT_TRUE(plat::MoveFileReplace(s.folder + "new.env", s.folder + "old.env"));
    EXPECT_FALSE(plat::PathExists(s.folder + "new.env"));
    EXPECT_FALSE(plat::MoveFileReplace(s.folder + "new.env", s.folder + "old.env"));
    EXPECT_FALSE(plat::MoveFileReplace(s.folder + "old.env", s.unmappedRoot + "old.env"));
    EXPECT_EQ(ReadBytes(s.folder + "old.env"), "new content");
}

inline void WriteToAFullDiskFails(const System& s) {
    plat::File file;
    ASSERT_TRUE(file.Open(s.fullDevice, plat::File::Mode::kWriteTruncate)) << file.LastError();
    EXPECT_EQ(file.LastError(), 0u);
    EXPECT_FALSE(file.Write("<REPORT>\r\n", 10));
    EXPECT_EQ(file.LastError(), s.diskFull);
    EXPECT_FALSE(file.Flush());  // a device that cannot be synced: the flush says so
    EXPECT_EQ(file.LastError(), s.syncRefused);
}

struct FileCase {
    const char* name;
    void (*run)(const System& system);
};

inline constexpr FileCase kCases[] = {
    {"WriteCreatesAndReadsBack", WriteCreatesAndReadsBack},
    {"WriteTruncatesAnExistingFile", WriteTruncatesAnExistingFile},
    {"OpenFailuresAndAClosedFile", OpenFailuresAndAClosedFile},
    {"ReadInPiecesBesideAnotherReader", ReadInPiecesBesideAnotherReader},
    {"CreateNewTakesOnlyAFreeName", CreateNewTakesOnlyAFreeName},
    {"ExistenceAndStatus", ExistenceAndStatus},
    {"FoldersMadeAndRemovedFilesDeleted", FoldersMadeAndRemovedFilesDeleted},
    {"DoubleBytePathsWithTrailBackslash", DoubleBytePathsWithTrailBackslash},
    {"AccessModes", AccessModes},
    {"MoveReplacesTheTarget", MoveReplacesTheTarget},
    {"WriteToAFullDiskFails", WriteToAFullDiskFails},
};

inline std::string CaseName(const ::testing::TestParamInfo<FileCase>& info) {
    return info.param.name;
}

}  // namespace file_cases
