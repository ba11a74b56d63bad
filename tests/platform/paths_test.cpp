// The drive table: Windows paths to POSIX paths, the current directory, and
// the drive types GetDriveType reports.
#include <string>

#include "platform/files.h"
#include "platform/process.h"
#include "test_support.h"

namespace {

using plat::headless::MapRoot;
using plat::headless::ToPosixPath;
using platform_test::PlatformTest;

// "一覧表" in code page 932: the last character's second byte is 0x5C.
const char kIchiranHyo[] = "\x88\xEA\x97\x97\x95\x5C";

using PathsTest = PlatformTest;

TEST_F(PathsTest, DrivePathsMapBelowTheirFolder) {
    EXPECT_EQ(ToPosixPath("C:\\"), Root());
    EXPECT_EQ(ToPosixPath("C:\\a\\b.xml"), Root() + "/a/b.xml");
    EXPECT_EQ(ToPosixPath("c:\\a\\b.xml"), Root() + "/a/b.xml");
    EXPECT_EQ(ToPosixPath("C:/a/b.xml"), Root() + "/a/b.xml");
    EXPECT_EQ(ToPosixPath("C:\\a\\\\b\\"), Root() + "/a/b");
    EXPECT_EQ(ToPosixPath("C:\\a\\.\\b\\..\\c"), Root() + "/a/c");
    EXPECT_EQ(ToPosixPath("C:\\..\\..\\x"), Root() + "/x");  // never above the root
}

TEST_F(PathsTest, UnmappedRootsAndBadPathsGiveNothing) {
    for (const char* path :
         {"D:\\a", "", "\\\\server", "\\\\server\\", "\\\\\\share", "\\\\server\\share\\a"})
        EXPECT_EQ(ToPosixPath(path), "") << path;
}

TEST_F(PathsTest, SharesMapWithoutRegardToCase) {
    MapRoot("\\\\Server\\Share", Root() + "/share/", plat::kDriveRemote);
    EXPECT_EQ(ToPosixPath("\\\\server\\share"), Root() + "/share");
    EXPECT_EQ(ToPosixPath("\\\\SERVER\\SHARE\\dir\\f.xml"), Root() + "/share/dir/f.xml");
    EXPECT_EQ(ToPosixPath("\\\\server\\other\\f.xml"), "");
}

TEST_F(PathsTest, PosixPathsPassUnchanged) {
    EXPECT_EQ(ToPosixPath("/dev/full"), "/dev/full");
    EXPECT_EQ(ToPosixPath("/tmp/a\\b"), "/tmp/a\\b");
}

TEST_F(PathsTest, DoubleByteSecondByte5CIsNotASeparator) {
    const std::string windows = std::string("C:\\") + kIchiranHyo + "\\" + kIchiranHyo + "\\out.xml";
    EXPECT_EQ(ToPosixPath(windows), Root() + "/" + kIchiranHyo + "/" + kIchiranHyo + "/out.xml");
    // "表" alone at the end of a folder name, then the separator.
    EXPECT_EQ(ToPosixPath("C:\\\x95\x5C\\x"), Root() + "/\x95\x5C/x");
    // A folder that ends in 表 with no separator after it.
    EXPECT_EQ(ToPosixPath("C:\\\x95\x5C"), Root() + "/\x95\x5C");
    // ".." after such a folder removes the whole name.
    EXPECT_EQ(ToPosixPath("C:\\a\\\x95\x5C\\..\\b"), Root() + "/a/b");
}

TEST_F(PathsTest, RelativePathsResolveAgainstTheCurrentDirectory) {
    ASSERT_TRUE(plat::CreateDir("C:\\work"));
    ASSERT_TRUE(plat::CreateDir("C:\\work\\sub"));
    ASSERT_TRUE(plat::SetCurrentDir("C:\\work\\sub\\"));
    EXPECT_EQ(plat::GetCurrentDir(), "C:\\work\\sub");
    EXPECT_EQ(ToPosixPath("f.ini"), Root() + "/work/sub/f.ini");
    EXPECT_EQ(ToPosixPath("..\\f.ini"), Root() + "/work/f.ini");
    EXPECT_EQ(ToPosixPath("\\f.ini"), Root() + "/f.ini");           // the current drive's root
    EXPECT_EQ(ToPosixPath("C:f.ini"), Root() + "/work/sub/f.ini");  // the current folder of C:
    EXPECT_TRUE(plat::SetCurrentDir(".."));
    EXPECT_EQ(plat::GetCurrentDir(), "C:\\work");
    EXPECT_TRUE(plat::SetCurrentDir("C:\\"));
    EXPECT_EQ(plat::GetCurrentDir(), "C:\\");
}

TEST_F(PathsTest, SetCurrentDirRefusesWhatIsNoFolder) {
    ASSERT_TRUE(WritePosixFile(Root() + "/file.txt", "x"));
    for (const char* path : {"C:\\missing", "C:\\file.txt", "D:\\", ""})
        EXPECT_FALSE(plat::SetCurrentDir(path)) << path;
    EXPECT_EQ(plat::GetCurrentDir(), "C:\\");
}

TEST_F(PathsTest, CurrentDirectoryOnAnotherDrive) {
    MapRoot("D:", Root(), plat::kDriveFixed);
    ASSERT_TRUE(plat::CreateDir("D:\\d"));
    ASSERT_TRUE(plat::SetCurrentDir("D:\\d"));
    EXPECT_EQ(ToPosixPath("x"), Root() + "/d/x");
    EXPECT_EQ(ToPosixPath("C:x"), Root() + "/x");  // C: has no current folder of its own here
}

TEST_F(PathsTest, DriveTypesComeFromTheTable) {
    MapRoot("E:\\", Root(), plat::kDriveCdrom);
    MapRoot("\\\\srv\\share", Root(), plat::kDriveRemote);
    EXPECT_EQ(plat::QueryDriveType("C:\\"), plat::kDriveFixed);
    EXPECT_EQ(plat::QueryDriveType("c:\\"), plat::kDriveFixed);
    EXPECT_EQ(plat::QueryDriveType("C:"), plat::kDriveFixed);
    EXPECT_EQ(plat::QueryDriveType("E:\\"), plat::kDriveCdrom);
    EXPECT_EQ(plat::QueryDriveType("\\\\srv\\share\\"), plat::kDriveRemote);
    EXPECT_EQ(plat::QueryDriveType("Q:\\"), plat::kDriveNoRootDir);  // like a missing root
    EXPECT_EQ(plat::QueryDriveType("C:\\folder\\"), plat::kDriveNoRootDir);
    EXPECT_EQ(plat::QueryDriveType("1:\\"), plat::kDriveNoRootDir);
    EXPECT_EQ(plat::QueryDriveType(""), plat::kDriveFixed);  // the current drive
    // Mapping a root again replaces it.
    MapRoot("E:", Root(), plat::kDriveRemovable);
    EXPECT_EQ(plat::QueryDriveType("E:\\"), plat::kDriveRemovable);
    plat::headless::ClearRoots();
    EXPECT_EQ(plat::QueryDriveType("C:\\"), plat::kDriveNoRootDir);
}

}  // namespace
