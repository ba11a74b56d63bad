#include "conditions/dest_path.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/types.h"
#include "tests/support/scratch_folder.h"

#ifndef _WIN32
#include <filesystem>

#include "platform/headless_windows/drive_table.h"
#include "platform/headless_windows/file_faults.h"
#endif

namespace {

// Double-byte characters by their bytes: "表" ends in 0x5C (the backslash),
// "ポ" in 0x7C (the vertical bar); "ア" and "ヂ" differ only where ASCII
// would see the letters 'A' and 'a'.
#define HYO "\x95\x5C"
#define PO "\x83\x7C"
#define KA_A "\x83\x41"
#define KA_DI "\x83\x61"

TEST(DestPathParts, FolderFileDriveParts) {
    struct Case {
        const char* path;
        const char* folder;
        const char* file;
        const char* drive;
        const char* afterDrive;
    };
    const Case cases[] = {
        {"C:\\out\\r.xml", "C:\\out\\", "r.xml", "C:", "\\out\\r.xml"},
        {"r.xml", "", "r.xml", "", "r.xml"},
        {"C:\\out\\", "C:\\out\\", "", "C:", "\\out\\"},
        {"C:\\a" HYO "\\" HYO ".xml", "C:\\a" HYO "\\", HYO ".xml", "C:", "\\a" HYO "\\" HYO ".xml"},
        {"C:\\out\\a" HYO, "C:\\out\\", "a" HYO, "C:", "\\out\\a" HYO},
        {"C:a:b.xml", "", "C:a:b.xml", "C:a:", "b.xml"},
        {"\\\\srv\\sh\\r.xml", "\\\\srv\\sh\\", "r.xml", "", "\\\\srv\\sh\\r.xml"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dest::GetFolderPart(c.path), c.folder) << c.path;
        EXPECT_EQ(dest::GetFileNamePart(c.path), c.file) << c.path;
        EXPECT_EQ(dest::GetDrivePart(c.path), c.drive) << c.path;
        EXPECT_EQ(dest::GetAfterDrivePart(c.path), c.afterDrive) << c.path;
    }
}

TEST(DestPathParts, DbcsBytesAreFoundFromTheStart) {
    // "\x95\x95\\": the second 0x95 is a second byte, so the backslash after
    // it stands alone, which a look at the byte before it would miss.
    EXPECT_EQ(dest::GetFolderPart("a" HYO "\\\x95\x95\\r.xml"), "a" HYO "\\\x95\x95\\");
    EXPECT_EQ(dest::GetFileNamePart("a" HYO "\\\x95\x95\\r.xml"), "r.xml");
}

TEST(DestPathParts, AddTrailingBackslash) {
    const std::string b259(259, 'b');
    const std::string b260(260, 'b');
    const std::string hyo259 = std::string(257, 'b') + HYO;
    struct Case {
        std::string text;
        std::size_t size;
        bool ok;
        std::string after;
    };
    const Case cases[] = {
        {"", 261, false, ""},
        {"C:\\out", 261, true, "C:\\out\\"},
        {"C:\\out\\", 261, true, "C:\\out\\"},
        {"C:\\a" HYO, 261, true, "C:\\a" HYO "\\"},
        {b259, 261, true, b259 + "\\"},
        {hyo259, 261, true, hyo259 + "\\"},
        {b260, 261, false, b260},
        {b259 + "\\", 261, true, b259 + "\\"},
        {"ab", 3, false, "ab"},
        {"ab", 4, true, "ab\\"},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(dest::AddTrailingBackslash(text, c.size), c.ok) << c.text;
        EXPECT_EQ(text, c.after) << c.text;
    }
}

TEST(DestPathParts, GetDirPartSplitsLikeTheRuntime) {
    struct Case {
        const char* text;
        bool ok;
        const char* after;
    };
    const Case cases[] = {
        {"C:\\out\\r.xml", true, "C:\\out\\"},
        {"C:r.xml", true, "C:"},
        {"C:\\a/r.xml", true, "C:\\a/"},
        {"C:\\a" HYO "\\f" HYO, true, "C:\\a" HYO "\\"},
        {"\\\\srv\\sh\\r.xml", true, "\\\\srv\\sh\\"},
        {"r" HYO, false, "r" HYO},
        {"", false, ""},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(dest::GetDirPart(text), c.ok) << c.text;
        EXPECT_EQ(text, c.after) << c.text;
    }
}

TEST(DestPathChars, ForbiddenCharactersAndDoubledBackslashes) {
    struct Case {
        std::string path;
        bool valid;
    };
    std::vector<Case> cases = {
        {"C:\\out\\r.xml", true},           {"out\\r.xml", true},
        {"C:\\a" HYO "\\r.xml", true},  // 0x5C 0x5C, but not two backslashes
        {"C:\\" PO "\\r.xml", true},    // 0x7C inside a character is no bar
        {"C:\\out\\*.xml", false},          {"C:\\\\out\\r.xml", false},
        {"C:\\out\\\\r.xml", false},        {"\\\\srv\\share\\r.xml", true},
        {"\\\\srv\\share\\\\r.xml", false}, {"\\\\s\\\\r.xml", false},
        {"\\\\srv\\share\\c:r.xml", false},
    };
    for (const char c : {'/', ':', ',', ';', '*', '?', '"', '>', '<', '|'}) {
        cases.push_back({std::string("C:\\out\\r") + c + ".xml", false});
        cases.push_back({std::string("C:\\o") + c + "ut\\r.xml", false});
    }
    for (const Case& c : cases) {
        EXPECT_EQ(dest::IsValidDestChars(c.path), c.valid) << c.path;
    }
}

#ifndef _WIN32
// Drives and shares of the headless double's drive table.
class DestDrives : public ::testing::Test {
protected:
    std::string Folder() const { return plat::headless::ToPosixPath(m_scratch.Path()); }
    std::string Missing() const { return Folder() + "/missing"; }

    support::ScratchFolder m_scratch;
};

TEST_F(DestDrives, UsableByDriveTypeAndAccess) {
    struct Case {
        int type;
        bool existing;
        bool usable;
    };
    const Case cases[] = {
        {plat::kDriveUnknown, true, false},     {plat::kDriveNoRootDir, false, true},
        {plat::kDriveRemovable, true, true},    {plat::kDriveRemovable, false, false},
        {plat::kDriveFixed, true, true},        {plat::kDriveFixed, false, false},
        {plat::kDriveRemote, true, true},       {plat::kDriveRemote, false, false},
        {plat::kDriveCdrom, true, false},       {plat::kDriveRamdisk, true, false},
        {plat::kDriveRamdisk + 1, false, true},
    };
    for (const Case& c : cases) {
        plat::headless::MapRoot("J:", c.existing ? Folder() : Missing(), c.type);
        EXPECT_EQ(dest::IsUsableDrive('J'), c.usable) << c.type << " " << c.existing;
        EXPECT_EQ(dest::IsUsableDrive('j'), c.usable) << c.type << " " << c.existing;
        EXPECT_EQ(dest::IsValidDestDrive("J:\\out\\r.xml"), c.usable) << c.type << " " << c.existing;
    }
}

// Drive paths by their first character, network paths by their share root.
TEST_F(DestDrives, PathsByTheirDriveOrShare) {
    plat::headless::MapRoot("J:", Folder(), plat::kDriveFixed);
    plat::headless::MapRoot("K:", Folder(), plat::kDriveCdrom);
    plat::headless::MapRoot("\\\\srv\\share", Folder(), plat::kDriveRemote);
    plat::headless::MapRoot("\\\\srv\\gone", Missing(), plat::kDriveRemote);
    struct Case {
        const char* path;
        bool valid;
    };
    const Case cases[] = {
        {"J:\\r.xml", true},
        {"Jr.xml", true},
        {"j:r.xml", true},
        {"K:\\r.xml", false},
        {"J:\\\\r.xml", false},
        {"1:\\r.xml", false},
        {"[:\\r.xml", false},
        {"`:\\r.xml", false},
        {HYO ":\\r.xml", false},
        {"", false},
        {"\\\\srv\\share\\r.xml", true},
        {"\\\\SRV\\Share\\out\\r.xml", true},
        {"\\\\srv\\gone\\r.xml", false},
        {"\\\\srv\\other\\r.xml", false},
        {"\\\\srv\\share", false},
        {"\\\\srv\\", false},
        {"\\\\srv", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dest::IsValidDestDrive(c.path), c.valid) << c.path;
    }
}
#endif

TEST(DestDrivesOnTheSystem, ScratchFolderDriveIsUsable) {
    const support::ScratchFolder scratch;
    EXPECT_TRUE(dest::IsUsableDrive(scratch.Path()[0]));
    EXPECT_TRUE(dest::IsValidDestDrive(scratch.Path() + "r.xml"));
}

TEST(DestFolderTree, IsFolderLooksAtTheFolderPart) {
    const support::ScratchFolder scratch;
    scratch.MakeDir("a" HYO);
    scratch.Write("a" HYO "\\f.xml", "x");
    EXPECT_TRUE(dest::IsFolder(scratch.Path() + "a" HYO "\\r.xml"));
    EXPECT_FALSE(dest::IsFolder(scratch.Path() + "a" HYO "\\f.xml\\r.xml"));
    EXPECT_FALSE(dest::IsFolder(scratch.Path() + "missing\\r.xml"));
    EXPECT_FALSE(dest::IsFolder("r.xml"));
}

TEST(DestFolderTree, CreatesEveryMissingLevel) {
    struct Case {
        const char* folder;                 // below the scratch folder
        std::vector<const char*> existing;  // folders there afterwards
        std::vector<const char*> absent;
    };
    const std::vector<Case> cases = {
        {"new\\deeper\\", {"new", "new\\deeper"}, {}},
        {"base\\new\\deeper\\r.xml", {"base\\new\\deeper"}, {"base\\new\\deeper\\r.xml"}},
        {"a" HYO "\\", {"a" HYO}, {"a\x95"}},
        {"a" HYO "\\b" HYO "\\f" HYO, {"a" HYO "\\b" HYO}, {"a" HYO "\\b" HYO "\\f" HYO}},
    };
    for (const Case& c : cases) {
        const support::ScratchFolder scratch;
        scratch.MakeDir("base");
        EXPECT_TRUE(dest::CreateFolderTree(scratch.Path() + c.folder)) << c.folder;
        for (const char* folder : c.existing) {
            EXPECT_TRUE(plat::IsDirectory(scratch.Path() + folder)) << c.folder << ": " << folder;
        }
        for (const char* path : c.absent) {
            EXPECT_FALSE(plat::PathExists(scratch.Path() + path)) << c.folder << ": " << path;
        }
    }
}

TEST(DestFolderTree, FailedLevelTakesBackTheCreatedOnes) {
    const support::ScratchFolder scratch;
    scratch.MakeDir("base");
    // A slash separates for the system too: the level "x/y" needs a folder
    // "x" that is not there, so it cannot be created after "new" was.
    EXPECT_FALSE(dest::CreateFolderTree(scratch.Path() + "base\\new\\x/y\\"));
    EXPECT_TRUE(plat::IsDirectory(scratch.Path() + "base"));
    EXPECT_FALSE(plat::PathExists(scratch.Path() + "base\\new"));
    // Two backslashes in a row and "." name "new" once more, not a folder that was there.
    for (const char* path : {"base\\new\\\\x/y\\", "base\\new\\.\\x/y\\"}) {
        EXPECT_FALSE(dest::CreateFolderTree(scratch.Path() + path));
        EXPECT_FALSE(plat::PathExists(scratch.Path() + "base\\new")) << path;
    }

    // A file in the way of the first missing level: nothing was created.
    scratch.Write("base\\file", "x");
    EXPECT_FALSE(dest::CreateFolderTree(scratch.Path() + "base\\file\\sub\\"));
    EXPECT_TRUE(plat::PathExists(scratch.Path() + "base\\file"));
}

#ifndef _WIN32
// Another process makes a level between this call's look and its creation:
// the level counts as there, and a failure further down never removes it.
TEST(DestFolderTree, LevelMadeMeanwhileByAnotherProcessIsThereAndStaysTheirs) {
    namespace pp = plat::headless;
    struct Case {
        const char* theirs;
        long long failingCreate;  // this call's n-th creation fails (0: none)
        bool created;
        const char* present;
        const char* absent;
    };
    const Case cases[] = {
        {"base\\new", 0, true, "base\\new\\mid\\deep", nullptr},
        {"base\\new\\mid", 3, false, "base\\new\\mid", "base\\new\\mid\\deep"},
    };
    for (const Case& c : cases) {
        const support::ScratchFolder scratch;
        scratch.MakeDir("base");
        const std::string theirs = scratch.Path() + c.theirs + "\\";
        pp::ResetFileFaults();
        pp::SetFileOpHook([&](pp::FileOp op, const std::string& path) {
            if (op == pp::FileOp::kCreateDir && path == theirs)
                std::filesystem::create_directory(pp::ToPosixPath(path));
        });
        pp::FailFileOp(pp::FileOp::kCreateDir, c.failingCreate);
        EXPECT_EQ(dest::CreateFolderTree(scratch.Path() + "base\\new\\mid\\deep\\"), c.created) << c.theirs;
        pp::ResetFileFaults();
        EXPECT_TRUE(plat::IsDirectory(scratch.Path() + c.present)) << c.theirs;
        if (c.absent != nullptr) {
            EXPECT_FALSE(plat::PathExists(scratch.Path() + c.absent)) << c.theirs;
        }
    }
}
#endif

std::string UpperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

TEST(DestFolderTree, RemoveCreatedFoldersStopsAtExistingAndFailure) {
    struct Case {
        const char* name;
        const char* made;       // below the scratch folder, level by level
        const char* file;       // written there, or nullptr
        const char* failed;     // below the scratch folder
        std::string existing;   // full path; "*" stands for the scratch folder, "^" for it in capitals
        const char* remaining;  // with the levels above it
        const char* removed;    // or nullptr
    };
    const Case cases[] = {
        {"stops_at_existing", "base\\a\\b\\c", nullptr, "base\\a\\b\\c\\r.xml", "*base\\a\\", "base\\a",
         "base\\a\\b"},
        {"existing_in_other_case", "base\\a\\b", nullptr, "base\\a\\b\\", "^BASE\\", "base", "base\\a"},
        {"missing_level_passed_over", "base\\a", nullptr, "base\\a\\gone\\", "*base\\", "base", "base\\a"},
        {"first_failure_stops", "base\\a\\b\\c", "base\\a\\b\\f", "base\\a\\b\\c\\", "*base\\", "base\\a\\b",
         "base\\a\\b\\c"},
        {"not_below_existing", "base\\a", nullptr, "base\\a\\", "*other\\", "base\\a", nullptr},
        {"empty_name_is_the_level_above", "base", nullptr, "base\\\\gone\\", "*base\\", "base", nullptr},
        {"dot_is_the_level_above", "base", nullptr, "base\\.\\gone\\", "*base\\", "base", nullptr},
        {"dbcs_second_byte_is_no_letter", KA_DI "\\x", nullptr, KA_DI "\\x\\", "*" KA_A "\\", KA_DI "\\x",
         nullptr},
        {"other_root", "base\\a", nullptr, "base\\a\\", "Q:\\base\\", "base\\a", nullptr},
    };
    for (const Case& c : cases) {
        const support::ScratchFolder scratch;
        const std::string made = c.made;
        for (std::size_t end = made.find('\\'); end != std::string::npos; end = made.find('\\', end + 1))
            scratch.MakeDir(made.substr(0, end));
        scratch.MakeDir(made);
        if (c.file != nullptr) scratch.Write(c.file, "x");
        std::string existing = c.existing;
        if (existing[0] == '*') existing = scratch.Path() + existing.substr(1);
        if (existing[0] == '^') existing = UpperAscii(scratch.Path()) + existing.substr(1);
        dest::RemoveCreatedFolders(scratch.Path() + c.failed, existing);
        EXPECT_TRUE(plat::IsDirectory(scratch.Path() + c.remaining)) << c.name;
        if (c.removed != nullptr) {
            EXPECT_FALSE(plat::PathExists(scratch.Path() + c.removed)) << c.name;
        }
    }
}

}  // namespace
