// Character-boundary walks of Shift_JIS texts, shared by both backends.
#include "platform/mbcs.h"

namespace plat {

std::size_t CharBoundaryLength(std::string_view text, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t width = IsLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
        if (end + width > maxBytes || end + width > text.size()) break;
        end += width;
    }
    return end;
}

std::string CutOnCharBoundary(std::string_view text, std::size_t maxBytes) {
    return std::string(text.substr(0, CharBoundaryLength(text, maxBytes)));
}

bool EndsWithBackslashChar(std::string_view text) {
    bool last = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
            last = false;
            ++i;
        } else {
            last = text[i] == '\\';
        }
    }
    return last;
}

std::size_t FolderPartLength(std::string_view path) {
    std::size_t folder = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        if (IsLeadByte(c) && i + 1 < path.size()) {
            ++i;
        } else if (c == '\\' || c == '/' || (c == ':' && i == 1)) {
            folder = i + 1;
        }
    }
    return folder;
}

}  // namespace plat
