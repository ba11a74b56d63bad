#pragma once
// The loader: a host data folder's files read once into a HostModel, every
// value checked (docs/host-data.md). What is missing or malformed is named by
// file, line and field for the user to fix.
#include <cstddef>
#include <string>

#include "host/host_model.h"

namespace host {

struct LoadError {
    std::string file;   // file name inside the data folder
    int line = 0;       // 1-based, 0 when the whole file is meant
    std::string field;  // column or key name
    std::string message;
    std::string ToText() const;  // one line for the user, Shift_JIS
};

// Reads a host data folder (a Windows path, resolved through the platform
// layer). false with err filled when a file is missing or malformed, or when
// the folder does not fit in memory; model is changed only on success.
bool LoadHostModel(const std::string& folder, HostModel& model, LoadError& err);

// Tests: the row-th CSV row stored from now on (1-based) fails as an
// allocation does when the address space is used up; 0 disarms it.
void FailRowStorageAt(std::size_t row);

}  // namespace host
