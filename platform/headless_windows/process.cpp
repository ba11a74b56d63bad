// The process as the headless double presents it: settable module path and
// temporary folder, and a Windows current directory over the drive table.
#include "platform/process.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "headless_state.h"
#include "platform/headless_windows/drive_table.h"
#include "platform/headless_windows/test_knobs.h"
#include "platform/mbcs.h"

namespace plat {
namespace headless {
namespace {

std::string& ModulePathState() {
    static std::string path = "C:\\Program Files\\Link\\Dorvik22ToZq13_U.exe";
    return path;
}

std::string& TempDirState() {
    static std::string path = "C:\\Temp\\";
    return path;
}

}  // namespace

std::string& CurrentDirState() {
    static std::string path = "C:\\";
    return path;
}

void SetModuleFilePath(const std::string& windowsPath) {
    ModulePathState() = windowsPath;
}

void SetTempDir(const std::string& windowsPath) {
    TempDirState() = windowsPath;
}

}  // namespace headless

std::string GetModuleFilePath() {
    return headless::ModulePathState();
}

std::string GetCurrentDir() {
    return headless::CurrentDirState();
}

bool SetCurrentDir(const std::string& path) {
    const headless::ParsedPath parsed = headless::ParseWindowsPath(path);
    if (!parsed.valid) return false;
    const std::string full = headless::JoinWindowsPath(parsed);
    const std::string posix = headless::ToPosixPath(full);
    struct stat st {};
    if (posix.empty() || ::stat(posix.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    std::string stored = full;
    // Like GetCurrentDirectoryW: no final backslash except on a drive root.
    // The last byte may be the second byte of a double-byte character (表 is
    // 0x95 0x5C): only a backslash that is a character of its own goes.
    if (!parsed.posix && !parsed.parts.empty() && EndsWithBackslashChar(stored)) stored.pop_back();
    headless::CurrentDirState() = stored;
    return true;
}

bool MakeProgramFolderCurrent() {
    const std::string module = GetModuleFilePath();
    const std::size_t folder = FolderPartLength(module);
    return folder > 0 && SetCurrentDir(module.substr(0, folder));
}

std::string GetEnvVar(const std::string& name) {
    if (name.empty()) return std::string();
    const char* value = std::getenv(name.c_str());
    return value ? std::string(value) : std::string();
}

std::string GetTempDir() {
    return headless::TempDirState();
}

std::uint32_t CurrentProcessId() {
    return static_cast<std::uint32_t>(::getpid());
}

}  // namespace plat
