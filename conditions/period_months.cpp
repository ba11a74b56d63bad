// The dialog's calendar months against the fiscal months of the data set's period.
#include "conditions/period_months.h"

#include <memory>
#include <new>

#include "host/acc_period.h"

namespace {

std::int16_t CalendarMonth(std::int32_t date) {
    return static_cast<std::int16_t>((date % 10000) / 100);
}

}  // namespace

void GetPeriodMonths(std::int32_t start, std::int32_t end, std::int16_t* first, std::int16_t* last) {
    std::int16_t nFirst = CalendarMonth(start);
    std::int16_t nLast = CalendarMonth(end);

    std::unique_ptr<ClAccPeriod> period(new (std::nothrow) ClAccPeriod());
    if (!period) return;

    // Only the first month goes through the closing-day rule: with a closing
    // day other than month end, the start date may belong to the accounting
    // month named after the next calendar month.
    std::int32_t lClosingDay = 0;
    period->SetPeriod(start, end);
    period->GetClosingDayByEndDate(end, 0, &lClosingDay);
    period->SetClosingDay(lClosingDay);
    period->GetAMonthByDate(start, &nFirst, 0);
    period.reset();

    if (nLast < nFirst) nLast = static_cast<std::int16_t>(nLast + kPeriodWrapMark);

    if (first) *first = nFirst;
    if (last) *last = nLast;
}

bool IsValidMonthRange(std::int16_t from, std::int16_t to, std::int32_t periodStart, std::int32_t periodEnd) {
    std::int16_t nStart = 0;  // stays 0 when the period calculator is missing: every range fails
    std::int16_t nLast = 0;
    GetPeriodMonths(periodStart, periodEnd, &nStart, &nLast);
    const bool bWrapping = (nLast / kPeriodWrapMark) != 0;
    const int nEnd = nLast % kPeriodWrapMark;
    const int F = from;
    const int T = to;
    const int S = nStart;

    if (T < 1 || T > 12) return false;
    if (!bWrapping) {
        if (F < S) return false;
        if (T > nEnd) return false;
        if (S >= 1 && nEnd <= 12 && F > T) return false;
        return true;
    }
    // A from month in the later calendar year needs a to month between it
    // and the period's last month.
    if (1 <= F && F <= nEnd && (F > T || T > nEnd)) return false;
    if (nEnd < F && F < S) return false;
    if (nEnd < T && T < S) return false;
    return true;
}
