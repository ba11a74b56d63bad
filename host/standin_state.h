#pragma once
// Inside the stand-in: lookups over the model shared by the host classes.
#include <cstdint>

#include "host/host_data.h"
#include "host/records.h"

namespace host::detail {

// First data set in walk order with the data number, or nullptr.
const DataSetEntry* FindDataSetByNo(const HostModel& model, std::int32_t dataNo);
// The data set that a record's leading ID text names (the one whose data
// number also matches when several share the text), or nullptr.
const DataSetEntry* FindDataSetByRecord(const HostModel& model, const StDATAINFO* record);
// The current user's entry, or nullptr.
const UserEntry* FindCurrentUser(const HostModel& model);
// The data set the current user has selected (the "open" one), or nullptr.
const DataSetEntry* SelectedDataSet(const HostModel& model);
// The whole 1,506-byte record of a data set.
void FillDataInfo(const DataSetEntry& entry, StDATAINFO& record);

// The data number a set or rule object works on (ClSetBase::CurrentDataNo).
bool ResolveCurrentDataNo(bool given, bool hasCur, std::int32_t curDataNo, std::int32_t& dataNo);

// Forgets cursors, current data sets and the connection: a fresh session.
void ResetSession();
void ResetDataObjects();  // data_mgr.cpp

}  // namespace host::detail
