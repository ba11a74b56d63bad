#pragma once
// The find-info record that selects the months of the aggregation range.
#include "host/records.h"

// Writes the month conditions for the calendar months fromMonth..toMonth
// (their low 16 bits) of the data set's accounting period into record, which
// the caller has zero-filled: fiscal month at least the from index and at
// most the to index, or the mid-year adjustment month 15 (period setting 1
// and a range ending with the sixth fiscal month), or the year-end
// adjustment month 18 (a range ending with the period's last month).
void BuildMonthFindInfo(StFINDINFO& record, const StDATAINFO& dataInfo, int fromMonth, int toMonth);
