#pragma once
// The XML report: root REPORT with SYSTEM (what produced the file), BASIC
// (company and fiscal period) and DATA (the account balances, each account
// with its sub-accounts), in Shift_JIS, for the tax-form application.
#include <cstdint>
#include <string>

#include "aggregation/balance_list.h"
#include "host/records.h"
#include "report/xml_writer.h"
#include "shared/progress.h"

class ClReportWriter {
public:
    ClReportWriter() = default;
    virtual ~ClReportWriter();
    ClReportWriter(const ClReportWriter&) = delete;
    ClReportWriter& operator=(const ClReportWriter&) = delete;

    void SetProgressBase(std::int16_t base) { m_nProgressBase = base; }

    // Writes the whole report to path. The document goes to a temporary file
    // beside it first and replaces path only once it is complete, so a failed
    // run leaves an earlier report untouched and never leaves a partial one;
    // a file the system fails to close counts as a failed write.
    // 1 when all three sections were written and the file is in place, else 0.
    int Write(const std::string& path, std::int16_t functionId, const StDATAINFO& dataInfo);
    int WriteSystem(ClXmlWriter& xml, std::int16_t functionId);
    int WriteBasic(ClXmlWriter& xml, const StDATAINFO& dataInfo);
    int WriteData(ClXmlWriter& xml);

    // The company name in full width, at most 32 bytes (process-wide buffer).
    static const char* ToFullWidth(const char* text);

    ClProgress* m_pProgress = nullptr;              // not owned
    const ClBalanceList* m_pBalanceList = nullptr;  // not owned, only read

private:
    void Pulse();
    void Advance(int from, int to);

    ClBalanceList::const_iterator m_itCur;
    std::int16_t m_nProgressBase = 0;
};
