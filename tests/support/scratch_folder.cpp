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

#include "platform/headless_windows/drive_table.h"
#endif

namespace support {
namespace {
namespace fs = std::filesystem;
std::atomic<int> g_counter{0};
}  // namespace

ScratchFolder::ScratchFolder() {
#ifdef _WIN32
    m_path = plat::GetTempDir() + "linktest_" + std::to_string(plat::CurrentProcessId()) + "_" +
             std::to_string(g_counter++) + "\\";
    EXPECT_TRUE(plat::CreateDir(m_path)) << m_path;
    m_host = m_path;
#else
    char tmpl[] = "/tmp/linktest.XXXXXX";
    const char* dir = mkdtemp(tmpl);
    EXPECT_NE(dir, nullptr);
    m_host = std::string(dir ? dir : "/tmp") + "/";
    plat::headless::MapRoot("T:", m_host, plat::kDriveFixed);
    m_path = "T:\\";
#endif
}

ScratchFolder::~ScratchFolder() {
    if (!m_previousDir.empty()) plat::SetCurrentDir(m_previousDir);
    std::error_code ec;
    fs::remove_all(fs::path(m_host), ec);
}

bool ScratchFolder::Write(const std::string& relative, const std::string& bytes) const {
    plat::File f;
    const bool ok = f.Open(Path(relative), plat::File::Mode::kWriteTruncate) &&
                    (bytes.empty() || f.Write(bytes.data(), bytes.size())) && f.Close();
    EXPECT_TRUE(ok) << Path(relative);
    return ok;
}

std::string ScratchFolder::Read(const std::string& relative) const {
    std::string bytes;
    return plat::ReadWholeFile(Path(relative), bytes) ? bytes : "(none)";
}

std::string ScratchFolder::MakeDir(const std::string& relative) const {
    std::string path = Path(relative);
    EXPECT_TRUE(plat::CreateDir(path)) << path;
    if (!plat::EndsWithBackslashChar(path)) path += '\\';
    return path;
}

int ScratchFolder::EntryCount() const {
    std::error_code ec;
    int count = 0;
    for (auto it = fs::directory_iterator(fs::path(m_host), ec); !ec && it != fs::directory_iterator();
         it.increment(ec)) {
        ++count;
    }
    return count;
}

void ScratchFolder::MakeCurrent() {
    if (m_previousDir.empty()) m_previousDir = plat::GetCurrentDir();
    EXPECT_TRUE(plat::SetCurrentDir(m_path)) << m_path;
}

std::string PlatformPath(std::string posix) {
#ifdef _WIN32
    for (char& c : posix) c = c == '/' ? '\\' : c;
    posix = "Z:" + posix;
#endif
    return posix;
}

}  // namespace support
