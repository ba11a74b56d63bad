// ClAccPeriod: closing days and accounting months over the model's data sets.
#include "host/acc_period.h"

#include "host/host_text.h"
#include "host/stand_in.h"
#include "host/standin_state.h"

namespace {

// The closing day an end date implies when no data set ends on it: month-end
// closing when the date is its month's last day, else the date's day.
std::int32_t ClosingDayOfDate(std::int32_t date) {
    const int year = date / 10000;
    const int month = (date / 100) % 100;
    const int day = date % 100;
    if (day >= host::text::DaysInMonth(year, month) || day > ClAccPeriod::kMaxClosingDay) return 0;
    return day;
}

}  // namespace

void* ClAccPeriod::operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return host::detail::RecordedNew(size, "ClAccPeriod", &host::Faults::failPeriodCreate);
}

void ClAccPeriod::operator delete(void* p) noexcept {
    host::detail::RecordedDelete(p, "ClAccPeriod");
}

int ClAccPeriod::SetPeriod(std::int32_t start, std::int32_t end) {
    host::StandIn::Get().Record("SetPeriod");
    return host::text::IsValidDate(start) && host::text::IsValidDate(end) && start <= end ? 0 : 1;
}

int ClAccPeriod::GetClosingDayByEndDate(std::int32_t end, int /*flag*/, std::int32_t* closingDay) {
    const host::HostModel& model = host::StandIn::Get().Model();
    host::StandIn::Get().Record("GetClosingDayByEndDate");
    if (closingDay == nullptr || !host::text::IsValidDate(end)) return 1;
    // The open data set first, then any data set ending on that day.
    const host::DataSetEntry* entry = host::detail::SelectedDataSet(model);
    if (entry == nullptr || entry->periodEnd != end) {
        entry = nullptr;
        for (const host::DataSetEntry& d : model.dataSets) {
            if (d.periodEnd == end) {
                entry = &d;
                break;
            }
        }
    }
    *closingDay = entry != nullptr ? entry->closingDay : ClosingDayOfDate(end);
    return 0;
}

int ClAccPeriod::SetClosingDay(std::int32_t closingDay) {
    host::StandIn::Get().Record("SetClosingDay");
    if (closingDay < 0 || closingDay > kMaxClosingDay) return 1;
    m_lClosingDay = closingDay;
    return 0;
}

int ClAccPeriod::GetAMonthByDate(std::int32_t date, std::int16_t* month, int /*flag*/) {
    host::StandIn::Get().Record("GetAMonthByDate");
    if (month == nullptr || !host::text::IsValidDate(date)) return 1;
    int m = (date / 100) % 100;
    // With closing day d, accounting month m runs from day d + 1 of the
    // calendar month before to day d of month m.
    if (m_lClosingDay != 0 && date % 100 > m_lClosingDay) m = m % 12 + 1;
    *month = static_cast<std::int16_t>(m);
    return 0;
}
