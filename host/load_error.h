#pragma once
// What keeps a host data folder from loading, named by file, line and field
// for the user to fix.
#include <string>

namespace host {

struct LoadError {
    std::string file;   // file name inside the data folder
    int line = 0;       // 1-based, 0 when the whole file is meant
    std::string field;  // column or key name
    std::string message;
    std::string ToText() const;  // one line for the user, Shift_JIS
};

}  // namespace host
