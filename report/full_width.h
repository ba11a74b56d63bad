#pragma once
// Full-width form of the company name for the report: every single-byte
// character that has a double-byte counterpart becomes it, and the result is
// cut to at most 32 bytes without splitting a double-byte character.
#include <cstddef>

namespace report {

constexpr std::size_t kFullWidthMaxBytes = 32;
constexpr std::size_t kFullWidthBufferSize = 128;

// Returns a buffer of 128 bytes shared by the whole process, holding at most
// 32 bytes of text and its terminator; valid until the next call. A null
// text gives the empty text.
const char* ToFullWidth(const char* text);

}  // namespace report
