#pragma once
// Helpers of the host stand-in's tests: the sample folder and a minimal data
// folder to break line by line.
#include <string>
#include <vector>

#include "host/host_model.h"
#include "tests/support/scratch_folder.h"

namespace host_test {

// The sample data folder of the source tree, as a platform path.
inline std::string SampleFolder() {
    return support::PlatformPath(LINK_SAMPLE_HOSTDATA);
}

// Sixty amount cells dx0..ci14 holding yen, yen + 1, ..., yen + 59.
std::string AmountCells(long long yen);

// A minimal valid data folder's files (name, content), line by line as the
// malformed-data tests change them.
struct FolderFiles {
    std::vector<std::pair<std::string, std::vector<std::string>>> files;
    std::string lineEnd = "\r\n";  // after every line
    std::vector<std::string>& Lines(const std::string& name);
    bool WriteTo(const support::ScratchFolder& folder) const;
};
FolderFiles MinimalFolder();

}  // namespace host_test
