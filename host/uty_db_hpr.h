#pragma once
// Database helper library of the host: a data set record's ID as text.
#include <cstddef>

#include "host/records.h"

class ClUtyDBHpr {
public:
    static constexpr std::size_t kIdStrSize = 35;
    // The data set's ID as text (at most size - 1 bytes and a zero); 0 on success.
    static int MakeIDStr(const StDATAINFO* record, char* out, std::size_t size);
};
