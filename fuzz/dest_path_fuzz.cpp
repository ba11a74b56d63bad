// The destination checks over the drive table: the pure checks on the raw
// text, then the folder chain below the scratch folder (T:). Nothing appears
// outside it; a failed CreateFolderTree leaves the tree as it was (for a path
// the destination checks refuse, or with a ".." level: loses nothing); a
// successful one only adds folders, and the folder exists afterwards.
// Input: one byte choosing the set-up, then the path text.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "conditions/dest_path.h"
#include "platform/files.h"
#include "support/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::Scratch& scratch = fz::Scratch::Get();
    scratch.Reset();
    fz::Reader in(data, size);
    const std::uint8_t setup = in.Byte();
    const std::string text = in.Rest();

    // The pure checks on any text (they only look at the system).
    dest::IsValidDestChars(text);
    dest::IsValidDestDrive(text);
    std::string dir = text;
    const bool hasDir = dest::GetDirPart(dir);
    fz::Check(hasDir || dir == text, "GetDirPart changed the text on failure", text);
    fz::Check(!hasDir || dir.size() <= text.size(), "GetDirPart grew the text", text);

    // A tree to start from: a folder, a file in the way, a double-byte name.
    const std::string& root = scratch.Posix();
    if (setup & 1) plat::CreateDir(scratch.Win() + "base");
    if (setup & 2) plat::CreateDir(scratch.Win() + "base\\a");
    if (setup & 4) fz::WritePosixFile(root + "/file", "x");
    if (setup & 8) plat::CreateDir(scratch.Win() + "\x95\x5C");

    const std::set<std::string> before = fz::Snapshot(root);
    const std::string folder = scratch.Win() + text;
    if (setup & 0x10) {
        // The rollback alone, from a folder below the scratch root.
        dest::RemoveCreatedFolders(folder, scratch.Win() + ((setup & 0x20) ? "base\\" : ""));
        const std::set<std::string> after = fz::Snapshot(root);
        for (const std::string& entry : after) fz::Check(before.count(entry) == 1, "created " + entry, text);
        for (const std::string& entry : before) {
            if (entry[0] == 'f') fz::Check(after.count(entry) == 1, "removed file " + entry, text);
        }
    } else {
        const bool created = dest::CreateFolderTree(folder);
        const std::set<std::string> after = fz::Snapshot(root);
        if (!created && dest::IsValidDestChars(folder) && text.find("..") == std::string::npos) {
            fz::Check(after == before, "failed CreateFolderTree changed the tree", text);
        } else if (!created) {
            // Known: a level named ".." or one the system reads through a
            // slash ("a\\/\\", which the destination checks refuse) counts as
            // the last existing folder for the rollback, so levels created
            // before it stay. Nothing that was there may go.
            for (const std::string& entry : before) fz::Check(after.count(entry) == 1, "lost " + entry, text);
        } else {
            for (const std::string& entry : before) fz::Check(after.count(entry) == 1, "lost " + entry, text);
            for (const std::string& entry : after) {
                fz::Check(before.count(entry) == 1 || entry[0] == 'd', "created a file " + entry, text);
            }
            fz::Check(dest::IsFolder(folder), "created tree is no folder", text);
        }
    }
    const std::set<std::string> outside = fz::Snapshot(scratch.Parent());
    for (const std::string& entry : outside) {
        fz::Check(
            entry == "d scratch" || entry.rfind("d scratch/", 0) == 0 || entry.rfind("f scratch/", 0) == 0,
            "created outside the scratch folder: " + entry, text);
    }
    return 0;
}
