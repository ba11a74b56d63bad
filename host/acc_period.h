#pragma once
// Period calculator of the host. Created and deleted by the system itself.
#include <cstddef>
#include <cstdint>
#include <new>

class ClAccPeriod {
public:
    ClAccPeriod() = default;
    virtual ~ClAccPeriod() = default;

    int SetPeriod(std::int32_t start, std::int32_t end);
    // Closing day of the data set whose period ends on end: 0 for month-end
    // closing, otherwise the day of the month (see docs/host-data.md).
    int GetClosingDayByEndDate(std::int32_t end, int flag, std::int32_t* closingDay);
    int SetClosingDay(std::int32_t closingDay);
    // Calendar month (1 to 12) of the accounting month that contains date.
    int GetAMonthByDate(std::int32_t date, std::int16_t* month, int flag);

    // Creation with std::nothrow fails (nullptr) while the host data asks for
    // it, so callers' handling of a failed creation can be exercised.
    static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
    static void* operator new(std::size_t size);
    static void operator delete(void* p) noexcept;

private:
    std::int32_t m_lStart = 0;
    std::int32_t m_lEnd = 0;
    std::int32_t m_lClosingDay = 0;
};
