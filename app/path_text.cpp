// A folder and a file name joined, Shift_JIS aware.
#include "app/path_text.h"

#include "platform/mbcs.h"

std::string JoinFolderAndName(const std::string& folder, const std::string& name) {
    std::string path = folder;
    if (!path.empty() && !plat::EndsWithBackslashChar(path)) path += '\\';
    return path + name;
}
