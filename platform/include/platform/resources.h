#pragma once
// The program's string resources.
#include <string>

namespace plat {

// String resource of the program; empty when there is none.
std::string LoadResString(unsigned id);

}  // namespace plat
