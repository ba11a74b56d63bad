#pragma once
// The full-width mapping of code page 932 as the system performs it
// (LCMapStringEx with LCMAP_FULLWIDTH and ja-JP), as plain data: the
// double's MapToFullWidth, which has no such system function.
#include <string>

namespace plat::headless {

// Maps every single-byte character that has a double-byte counterpart to it;
// half-width katakana with a following voiced or semi-voiced mark become one
// character where the system composes them. Double-byte characters are kept,
// except the few that the system writes back in another (canonical) form.
// A lead byte at the very end is copied as it is.
std::string FullWidthByTable(const std::string& text);

}  // namespace plat::headless
