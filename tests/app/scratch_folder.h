#pragma once
// A fresh folder for one test, named by a Windows path on both targets:
// natively a temporary POSIX folder mapped to drive T:, under Wine a folder in
// the system's temporary folder. Removed with everything in it at the end.
#include <string>

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder's Windows path, ending in a backslash.
    const std::string& Path() const { return m_path; }
    // Writes a file (folders on the way must exist); returns its path.
    std::string Write(const std::string& relative, const std::string& bytes) const;
    std::string MakeDir(const std::string& relative) const;

private:
    std::string m_path;
    std::string m_posix;  // native only
};
