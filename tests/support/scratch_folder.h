#pragma once
// A fresh folder for one test, named by a Windows path on both targets:
// natively a temporary POSIX folder mapped to drive T:, under Wine a folder in
// the system's temporary folder. Removed with everything in it at the end.
#include <string>

namespace support {

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder's Windows path, ending in a backslash, or that of a name in it.
    const std::string& Path() const { return m_path; }
    std::string Path(const std::string& relative) const { return m_path + relative; }
    // The same for programs outside the platform layer (xmllint).
    std::string HostPath(const std::string& relative) const { return m_host + relative; }
    // Writes a file (folders on the way must exist); false, with a failure, when it cannot.
    bool Write(const std::string& relative, const std::string& bytes) const;
    // A file's bytes, or "(none)" when it cannot be read.
    std::string Read(const std::string& relative) const;
    // Makes a folder; its path, ending in a backslash.
    std::string MakeDir(const std::string& relative) const;
    // How many entries the folder holds.
    int EntryCount() const;
    // The current directory until the folder goes.
    void MakeCurrent();

private:
    std::string m_path;
    std::string m_host;         // ends in the host's separator
    std::string m_previousDir;  // set when made current
};

// A path of the build machine (the source tree) as the platform names it:
// under Wine on drive Z:.
std::string PlatformPath(std::string posix);

}  // namespace support
