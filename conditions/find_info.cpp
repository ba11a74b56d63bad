// The find-info's month conditions for the range chosen in the dialog.
#include "conditions/find_info.h"

#include <cstdint>
#include <cstring>

#include "conditions/period_months.h"

namespace {

// Appends month conditions to a find-info, item after item; never more than
// the record's four items.
class MonthItemWriter {
public:
    explicit MonthItemWriter(StFINDINFO& record) : m_record(record) {}

    void Add(std::int16_t compare, std::int16_t value, std::int16_t link) {
        if (m_nCount >= StFINDINFO::kItemCount) return;
        const std::size_t base = StFINDINFO::ItemOffset(m_nCount);
        std::memset(m_record.Data() + base, 0, StFINDINFO::kItemSize);
        m_record.SetI32(base + StFINDINFO::kOffFieldCode, StFINDINFO::kFieldMonth);
        m_record.SetI16(base + StFINDINFO::kOffReserved, 0);
        m_record.SetI16(base + StFINDINFO::kOffCompare, compare);
        m_record.SetI16(base + StFINDINFO::kOffValueType, StFINDINFO::kValue16);
        m_record.SetI16(base + StFINDINFO::kOffValue, value);
        m_record.SetI16(base + StFINDINFO::kOffLink, link);
        ++m_nCount;
    }
    // Joins one more item to the last one written with "or".
    void AddAlternative(std::int16_t value) {
        if (m_nCount == 0 || m_nCount >= StFINDINFO::kItemCount) return;
        m_record.SetI16(StFINDINFO::ItemOffset(m_nCount - 1) + StFINDINFO::kOffLink, StFINDINFO::kLinkOr);
        Add(StFINDINFO::kCompareEqual, value, StFINDINFO::kLinkNone);
    }

private:
    StFINDINFO& m_record;
    int m_nCount = 0;
};

}  // namespace

void BuildMonthFindInfo(StFINDINFO& record, const StDATAINFO& dataInfo, int fromMonth, int toMonth) {
    const int nFrom = static_cast<std::int16_t>(fromMonth);
    const int nTo = static_cast<std::int16_t>(toMonth);

    std::int16_t nStart = 0;
    std::int16_t nLast = 0;
    GetPeriodMonths(dataInfo.PeriodStart(), dataInfo.PeriodEnd(), &nStart, &nLast);
    const int S = nStart;
    const int nEnd = nLast % kPeriodWrapMark;
    const bool bWrapping = (nLast / kPeriodWrapMark) != 0;

    int nFromIndex = 1;
    if (nFrom > S) {
        nFromIndex = nFrom - S + 1;
    } else if (nFrom < S) {
        nFromIndex = nFrom - S + 13;
    }
    const int nToIndex = (bWrapping && nTo <= nEnd) ? nTo - S + 13 : nTo - S + 1;

    MonthItemWriter writer(record);
    writer.Add(StFINDINFO::kCompareAtLeast, static_cast<std::int16_t>(nFromIndex), StFINDINFO::kLinkAnd);
    writer.Add(StFINDINFO::kCompareAtMost, static_cast<std::int16_t>(nToIndex), StFINDINFO::kLinkNone);
    if (dataInfo.PeriodSetting() == 1 && nToIndex == StFINDINFO::kMidYearFiscalMonth)
        writer.AddAlternative(StFINDINFO::kMonthMidYear);
    if (nTo == nEnd) writer.AddAlternative(StFINDINFO::kMonthYearEnd);
}
