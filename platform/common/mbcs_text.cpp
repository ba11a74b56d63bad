// Character-boundary walks of Shift_JIS texts, shared by both backends.
#include "platform/mbcs.h"

namespace plat {

std::size_t CharBoundaryLength(std::string_view text, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t next = end + CharAt(text, end).size();
        // A lead byte without its second byte is half a character.
        if (next > maxBytes || (next == end + 1 && IsCp932LeadByte(static_cast<unsigned char>(text[end]))))
            break;
        end = next;
    }
    return end;
}

std::string CutOnCharBoundary(std::string_view text, std::size_t maxBytes) {
    return std::string(text.substr(0, CharBoundaryLength(text, maxBytes)));
}

bool EndsWithBackslashChar(std::string_view text) {
    std::string_view last;
    for (std::size_t i = 0; i < text.size(); i += last.size()) last = CharAt(text, i);
    return last == "\\";
}

std::size_t FolderPartLength(std::string_view path) {
    std::size_t folder = 0;
    for (std::size_t i = 0; i < path.size();) {
        const std::string_view c = CharAt(path, i);
        i += c.size();
        if (c == "\\" || c == "/" || (c == ":" && i == 2)) folder = i;
    }
    return folder;
}

}  // namespace plat
