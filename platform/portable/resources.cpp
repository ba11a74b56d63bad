// Portable backend: the program's string resources from the resource tables.
#include "platform/resources.h"

#include "resource_tables.h"

namespace plat {

std::string LoadResString(unsigned id) {
    const char* text = res::FindString(id);
    return text ? std::string(text) : std::string();
}

}  // namespace plat
