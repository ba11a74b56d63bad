#pragma once
// The loader: a host data folder's files read once into a HostModel, every
// value checked (docs/host-data.md).
#include <string>

#include "host/host_model.h"
#include "host/load_error.h"

namespace host {

// Reads a host data folder (a Windows path, resolved through the platform
// layer). false with err filled when a file is missing or malformed, or when
// the folder does not fit in memory; model is changed only on success.
bool LoadHostModel(const std::string& folder, HostModel& model, LoadError& err);

}  // namespace host
