// GetPrivateProfileStringW as observed: sections and keys without regard to
// case, blanks around keys and values dropped, one pair of enclosing quotes
// dropped, ';' lines ignored, the first of duplicate keys wins.
#include "platform/profile.h"

#include <cstddef>
#include <string>

#include "platform/files.h"
#include "platform/mbcs.h"

namespace plat {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string Trim(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    // A double-byte character's second byte is never a blank, so trimming
    // from the end cannot split one.
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

std::string TrimRight(const std::string& text) {
    std::size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1])) --end;
    return text.substr(0, end);
}

// Compares ASCII letters without regard to case; double-byte characters
// must match exactly.
bool EqualNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; };
    for (std::size_t i = 0; i < a.size(); i += CharAt(a, i).size()) {
        const std::string_view ca = CharAt(a, i);
        if (ca.size() == 2 ? ca != CharAt(b, i) : lower(ca[0]) != lower(b[i])) return false;
    }
    return true;
}

// The bytes that fit a buffer of bufferSize with its terminating zero,
// without leaving half of a double-byte character at the end.
std::string CutToBuffer(const std::string& text, std::size_t bufferSize) {
    if (bufferSize == 0) return std::string();
    const std::size_t room = bufferSize - 1;
    if (text.size() <= room) return text;
    return CutOnCharBoundary(text, room);
}

// The position of the last c that is a character of its own (not the
// second byte of a double-byte character), or npos.
std::size_t LastSingleByte(const std::string& text, char c) {
    std::size_t found = std::string::npos;
    for (std::size_t i = 0; i < text.size(); i += CharAt(text, i).size()) {
        if (text[i] == c) found = i;
    }
    return found;
}

// Finds the value of key in section; false when there is none.
bool FindValue(const std::string& content, const std::string& section, const std::string& key,
               std::string& value) {
    bool inSection = false;
    std::size_t pos = 0;
    // A UTF-8 byte order mark is not part of the first line.
    if (content.compare(0, 3, "\xEF\xBB\xBF") == 0) pos = 3;
    while (pos <= content.size()) {
        std::size_t end = content.find('\n', pos);
        if (end == std::string::npos) end = content.size();
        const std::string line = Trim(content.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            const std::size_t close = LastSingleByte(line, ']');
            const std::string name =
                Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            inSection = EqualNoCase(name, section);
            continue;
        }
        if (!inSection) continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;  // a line without a value
        if (!EqualNoCase(Trim(line.substr(0, equals)), key)) continue;
        std::string found = Trim(line.substr(equals + 1));
        if (found.size() >= 2 && (found[0] == '"' || found[0] == '\'') && found.back() == found[0]) {
            found = found.substr(1, found.size() - 2);
        }
        value = found;
        return true;
    }
    return false;
}

}  // namespace

std::string ReadProfileString(const std::string& section, const std::string& key, const std::string& def,
                              std::size_t bufferSize, const std::string& path) {
    // Trailing blanks of the default are dropped, as the platform does.
    std::string result = TrimRight(def);
    std::string content;
    std::string value;
    if (ReadWholeFile(path, content) && FindValue(content, section, key, value)) result = value;
    return CutToBuffer(result, bufferSize);
}

}  // namespace plat
