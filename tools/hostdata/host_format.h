#pragma once
// The formatter: a HostModel written as the files of a host data folder,
// which the loader reads back unchanged (values with blanks at either end of
// a host.ini value excepted).
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "host/host_model.h"

namespace hostdata {

// Pairs of file name and Shift_JIS content, host.ini first.
std::vector<std::pair<std::string, std::string>> FormatHostModel(const host::HostModel& model);

// The shortest text that host::text::ParseAmount reads back as v.
std::string FormatAmount(std::int64_t v);
// A field written so that host::text::SplitCsvLine reads it back unchanged.
std::string QuoteCsvField(const std::string& s);

}  // namespace hostdata
