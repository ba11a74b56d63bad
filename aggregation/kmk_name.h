#pragma once
// Name of a balance entry, cut to its 16 bytes on a character boundary.
#include <cstddef>
#include <cstdint>

constexpr std::size_t kKmkNameBytes = 16;

// Copies at most 16 bytes of the zero-terminated Shift_JIS text src (read no
// further than srcSize bytes) into dest and zero-fills the rest of dest's 17
// bytes. A double-byte character that would not fit whole, or whose lead
// byte is followed by the terminator, is left out.
void CopyKmkName(char (&dest)[kKmkNameBytes + 1], const std::uint8_t* src, std::size_t srcSize);
