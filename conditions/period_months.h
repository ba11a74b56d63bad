#pragma once
// Month arithmetic between the calendar months the user chooses and the
// accounting period of the data set.
#include <cstdint>

// Added to the last month of a period that runs into the next calendar year.
constexpr std::int16_t kPeriodWrapMark = 100;

// First and last calendar month of the accounting period start..end (dates
// yyyymmdd). The first month follows the host's closing-day rule; the last
// is the calendar month of end, plus 100 when the period runs into the next
// calendar year. Either output may be null. When the host's period
// calculator cannot be created, nothing is written.
void GetPeriodMonths(std::int32_t start, std::int32_t end, std::int16_t* first, std::int16_t* last);

// True when the calendar months from..to form a range inside the accounting
// period periodStart..periodEnd, counted from the period's first month.
bool IsValidMonthRange(std::int16_t from, std::int16_t to, std::int32_t periodStart, std::int32_t periodEnd);
