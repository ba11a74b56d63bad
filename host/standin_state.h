#pragma once
// Inside the stand-in: what the host classes share. Lookups over the model,
// the creation of the classes the system creates itself, the session reset.
#include <cstddef>
#include <cstdint>

#include "host/host_model.h"

namespace host::detail {

// The data set the current user has selected (the "open" one), or nullptr.
const DataSetEntry* SelectedDataSet(const HostModel& model);

// operator new (std::nothrow) and delete of a host class that the system
// creates and deletes itself: recorded as "new <name>" and "delete <name>",
// on the host's own heap, which a program's operator new does not reach.
// While the fault is set, creation fails: nullptr.
void* RecordedNew(std::size_t size, const char* name, bool Faults::*fault);
void RecordedDelete(void* p, const char* name) noexcept;

// Forgets cursors, current data sets and the connection's title and owner: a
// fresh session.
void ResetSession();
void ResetDataObjects();  // data_mgr.cpp

}  // namespace host::detail
