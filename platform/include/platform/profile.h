#pragma once
// A value of an ini file, read as the system reads profiles.
#include <cstddef>
#include <string>

namespace plat {

// GetPrivateProfileStringW: the value of key in section of the ini file at
// path, cut to bufferSize - 1 bytes as the platform does; def when the file,
// the section or the key is missing.
std::string ReadProfileString(const std::string& section, const std::string& key, const std::string& def,
                              std::size_t bufferSize, const std::string& path);

}  // namespace plat
