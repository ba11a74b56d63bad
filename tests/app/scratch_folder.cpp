#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>

#include "platform/files.h"
#include "platform/mbcs.h"
#include "platform/process.h"
#include "platform/types.h"

#ifndef _WIN32
#include <cstdlib>

#include "platform/portable/drive_table.h"
#else
#include <windows.h>
#endif

namespace {
std::atomic<int> g_counter{0};

#ifdef _WIN32
// Removes a folder tree by Windows (code page 932) path.
void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            const std::string full = folder + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full + "\\");
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(folder.c_str());
}
#endif
}  // namespace

ScratchFolder::ScratchFolder() {
#ifdef _WIN32
    m_path = plat::GetTempDir() + "linktest_" + std::to_string(GetCurrentProcessId()) + "_" +
             std::to_string(g_counter++) + "\\";
    plat::CreateDir(m_path);
#else
    char tmpl[] = "/tmp/linktest.XXXXXX";
    const char* dir = mkdtemp(tmpl);
    EXPECT_NE(dir, nullptr);
    m_posix = dir ? dir : "/tmp";
    plat::portable::MapRoot("T:", m_posix, plat::kDriveFixed);
    m_path = "T:\\";
    ++g_counter;
#endif
}

ScratchFolder::~ScratchFolder() {
#ifdef _WIN32
    RemoveTree(m_path);
#else
    std::error_code ec;
    std::filesystem::remove_all(m_posix, ec);
#endif
}

std::string ScratchFolder::Write(const std::string& relative, const std::string& bytes) const {
    const std::string path = m_path + relative;
    plat::File f;
    EXPECT_TRUE(f.Open(path, plat::File::Mode::kWriteTruncate)) << path;
    if (!bytes.empty()) {
        EXPECT_TRUE(f.Write(bytes.data(), bytes.size()));
    }
    f.Close();
    return path;
}

std::string ScratchFolder::MakeDir(const std::string& relative) const {
    std::string path = m_path + relative;
    EXPECT_TRUE(plat::CreateDir(path)) << path;
    if (!plat::EndsWithBackslashChar(path)) path += '\\';
    return path;
}
