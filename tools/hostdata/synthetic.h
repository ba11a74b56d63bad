#pragma once
// Synthetic host data of any size, for benchmarks, scale tests and the
// make_hostdata tool. Deterministic: the same size gives the same model.
#include <cstddef>

#include "host/host_model.h"

namespace hostdata {

// One data set (data number 1, fiscal year 1 April 2025 to 31 March 2026,
// period setting 1) selected by the current user "user01", with exactly
// `records` account totals in walk order: single accounts and accounts with
// 1 to 8 sub-accounts (own row, sub-account rows, closing row). About one
// single account in twenty is one that the aggregation's filters drop (an
// exclusion marker, attribute bit 27 or 28, or master class 2).
host::HostModel MakeSyntheticModel(std::size_t records);

}  // namespace hostdata
