#include "app/path_text.h"

#include "platform/mbcs.h"

std::string JoinFolderAndName(const std::string& folder, const std::string& name) {
    std::string path = folder;
    if (!path.empty() && !plat::EndsWithBackslashChar(path)) path += '\\';
    return path + name;
}

std::string FolderOfPath(const std::string& path) {
    std::size_t end = 0;
    for (std::size_t i = 0; i < path.size();) {
        if (plat::IsLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
            i += 2;
            continue;
        }
        if (path[i] == '\\') end = i + 1;
        ++i;
    }
    return path.substr(0, end);
}
