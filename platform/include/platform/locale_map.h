#pragma once
// The system's full-width mapping of a code page 932 text.
#include <string>

namespace plat {

// LCMapStringEx with LCMAP_FULLWIDTH and Japanese named (ja-JP), not the
// system's locale: every single-byte character that has a double-byte
// counterpart becomes it. Only the characters code page 932 reads are
// mapped (KeepReadable): a name cut inside a character keeps the rest.
std::string MapToFullWidth(const std::string& text);

}  // namespace plat
