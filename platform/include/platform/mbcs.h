#pragma once
// Code page 932 (Shift_JIS) character classification.
namespace plat {

// True when c is the first byte of a double-byte character.
bool IsLeadByte(unsigned char c);

}  // namespace plat
