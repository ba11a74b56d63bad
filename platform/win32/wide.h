#pragma once
// The code page 932 boundary of the Windows backend: every text it hands the
// system goes through Wide, every text it takes from the system through
// Narrow (platform/cp932.h). Neither depends on the system's code page.
#include <optional>
#include <string>
#include <string_view>

namespace plat::win32 {

// Shift_JIS bytes as the W functions take them; none for bytes that are no
// code page 932 text.
std::optional<std::wstring> Wide(std::string_view cp932);
// A text of the system as Shift_JIS; none when a character of it has no form
// of its own in code page 932 (the text is then unusable to the program).
std::optional<std::string> Narrow(std::wstring_view text);
// The same with '?' for each such character: what a user typed.
std::string NarrowMarked(std::wstring_view text);

}  // namespace plat::win32
