#pragma once
// Code page 932 (Shift_JIS) and UTF-16, with the code page named explicitly:
// the program's texts are Shift_JIS whatever code page the system runs with.
// The Windows backend talks to the system in UTF-16 and converts every text
// here; the headless double converts the same way (iconv), so that one table
// of cases holds for both.
#include <string>
#include <string_view>

namespace plat {

// Shift_JIS bytes as UTF-16; false (out unchanged) when the bytes are no
// code page 932 text: a lead byte without its second byte, an unassigned code.
bool Cp932ToUtf16(std::string_view bytes, std::u16string& out);
// UTF-16 as Shift_JIS; false (out unchanged) when a character has no form of
// its own in code page 932: no best fit (U+00A5 does not become 0x5C), no lone
// surrogate. A character with several codes gets one of them, always the same.
bool Utf16ToCp932(std::u16string_view text, std::string& out);
// The same for text a user typed: each character without a form of its own
// becomes '?', which every check of a path or a month refuses.
std::string Utf16ToCp932Marked(std::u16string_view text);
// The characters of text that code page 932 reads, in their order: a lead
// byte without its second byte (a name cut by bytes), a byte no character
// starts with, or an unassigned code is left out, not the whole text.
std::string KeepReadable(std::string_view text);

}  // namespace plat
