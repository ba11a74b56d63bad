#pragma once
// Code page 932 (Shift_JIS) character classification, and the few text
// operations that must walk a text from its start to know where characters
// begin: a byte after a lead byte is a second byte, whatever its value (the
// second byte of 表 is 0x5C, the backslash). The program's texts are code
// page 932 whatever the system's code page.
#include <cstddef>
#include <string>
#include <string_view>

namespace plat {

constexpr bool IsCp932LeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
constexpr bool IsCp932SecondByte(unsigned char c) {
    return c >= 0x40 && c <= 0xFC && c != 0x7F;
}

// The character that starts at byte i (< text.size()): two bytes when a lead
// byte has a second after it, else one. Every walk steps by it.
constexpr std::string_view CharAt(std::string_view text, std::size_t i) {
    return text.substr(i, IsCp932LeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1);  // at most the rest
}

// Length of the longest start of text that has at most maxBytes bytes and
// ends on a whole character; a lead byte without its second byte (at the end
// of text) counts as half a character and is left out.
std::size_t CharBoundaryLength(std::string_view text, std::size_t maxBytes);
// text cut to CharBoundaryLength bytes.
std::string CutOnCharBoundary(std::string_view text, std::size_t maxBytes);
// True when text ends in a backslash that is a character of its own.
bool EndsWithBackslashChar(std::string_view text);
// Length of the folder part of a Windows path: up to and including its last
// backslash or slash, or the colon of a drive ("C:name"); 0 when none.
std::size_t FolderPartLength(std::string_view path);

}  // namespace plat
