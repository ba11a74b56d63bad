#pragma once
// Period calculator of the host. Created and deleted by the system itself.
#include <cstddef>
#include <cstdint>
#include <new>

class ClAccPeriod {
public:
    static constexpr std::int32_t kMaxClosingDay = 28;

    ClAccPeriod() = default;
    virtual ~ClAccPeriod() = default;

    int SetPeriod(std::int32_t start, std::int32_t end);  // 1 for invalid dates
    // Closing day of the data set whose period ends on end (the open data set
    // first): 0 for month-end closing, otherwise the day of the month, 1 to
    // 28 (docs/host-data.md). Without such a data set, the day that end
    // implies: 0 when end is its month's last day.
    int GetClosingDayByEndDate(std::int32_t end, int flag, std::int32_t* closingDay);
    int SetClosingDay(std::int32_t closingDay);  // 1 (and unchanged) outside 0 to 28
    // The month (1 to 12) that names the accounting month containing date:
    // with closing day d, the date's own month up to day d and the next
    // calendar month after it (closing day 20: 21 December gives 1); with
    // month-end closing, the date's own month. 1 (and nothing written) for an
    // invalid date.
    int GetAMonthByDate(std::int32_t date, std::int16_t* month, int flag);

    // Created with std::nothrow only; fails (nullptr) while the host data
    // asks for it, so callers' handling of a failed creation can be exercised.
    static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
    static void operator delete(void* p) noexcept;

private:
    std::int32_t m_lClosingDay = 0;
};
