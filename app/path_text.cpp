#include "app/path_text.h"

#include "platform/mbcs.h"

namespace {

// Byte offset of the last character that starts in text, walking from the
// start; npos for an empty text.
std::size_t LastCharStart(const std::string& text) {
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < text.size();) {
        last = i;
        i += plat::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
    }
    return last;
}

}  // namespace

bool EndsWithBackslashChar(const std::string& text) {
    const std::size_t last = LastCharStart(text);
    return last != std::string::npos && last == text.size() - 1 && text[last] == '\\';
}

std::string JoinFolderAndName(const std::string& folder, const std::string& name) {
    std::string path = folder;
    if (!path.empty() && !EndsWithBackslashChar(path)) path += '\\';
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

std::string CutOnCharBoundary(const std::string& text, std::size_t maxBytes) {
    std::size_t end = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t width = plat::IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
        if (i + width > maxBytes || i + width > text.size()) break;
        i += width;
        end = i;
    }
    return text.substr(0, end);
}
