// Headless double: the full-width mapping from our own table.
#include "platform/locale_map.h"

#include "fullwidth_table.h"
#include "platform/cp932.h"

namespace plat {

// Without the system's locale tables, the same mapping from our own table.
std::string MapToFullWidth(const std::string& text) {
    return headless::FullWidthByTable(KeepReadable(text));
}

}  // namespace plat
