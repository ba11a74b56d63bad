#pragma once
// Helpers of the host stand-in's tests: scratch data folders written through
// the platform layer, and small models.
#include <string>
#include <vector>

#include "host/host_model.h"

namespace host_test {

// A fresh folder for one test, removed with everything written into it.
// Native: an absolute POSIX path (the portable backend takes it as-is);
// Windows: a folder under the system's temporary folder.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string FilePath(const std::string& name) const;
    bool Write(const std::string& name, const std::string& content);
    void Remove(const std::string& name);
    // Writes every file of FormatHostModel(model).
    bool WriteModel(const host::HostModel& model);

private:
    std::string m_path;
    std::vector<std::string> m_names;
};

// The sample data folder of the source tree, as a platform path.
std::string SampleFolder();

// Sixty amount cells dx0..ci14 holding yen, yen + 1, ..., yen + 59.
std::string AmountCells(long long yen);

// A minimal valid data folder's files (name, content), line by line as the
// malformed-data tests change them.
struct FolderFiles {
    std::vector<std::pair<std::string, std::vector<std::string>>> files;
    std::string lineEnd = "\r\n";  // after every line
    std::vector<std::string>& Lines(const std::string& name);
    bool WriteTo(TempFolder& folder) const;
};
FolderFiles MinimalFolder();

// A model with one data set and a few totals, for object tests.
host::HostModel SmallModel();

}  // namespace host_test
