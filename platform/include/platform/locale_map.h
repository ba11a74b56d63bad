#pragma once
#include <string>

namespace plat {

// LCMapStringA with LCMAP_FULLWIDTH under the system default locale: every
// single-byte character that has a double-byte counterpart becomes it.
std::string MapToFullWidth(const std::string& text);

}  // namespace plat
