#pragma once
// The aggregation engine: walks the host's account totals for the chosen
// month range and tax mode and appends the closing balance of every account
// and sub-account to be reported to the balance list.
#include <cstdint>
#include <memory>

#include "aggregation/balance_list.h"
#include "host/records.h"
#include "host/rule_kamoku.h"
#include "shared/progress.h"

class ClKmkSummary {
public:
    // Master classes that are reported; any other class drops the record.
    static constexpr std::int16_t kReportedClassA = 0;
    static constexpr std::int16_t kReportedClassB = 1;
    static constexpr std::int16_t kClassUnknown = -1;

    ClKmkSummary();
    virtual ~ClKmkSummary();
    ClKmkSummary(const ClKmkSummary&) = delete;
    ClKmkSummary& operator=(const ClKmkSummary&) = delete;

    // 1 when the walk ended normally, 0 on any failure (the entries appended
    // before it stay in the list). taxIncluded 1 totals the tax-inclusive
    // amounts. Nothing is thrown out of it.
    std::int32_t Execute(int taxIncluded, const StFINDINFO& findInfo, const StDATAINFO& dataInfo);
    // Master class byte of the account with the composite code, or -1 when
    // the account master holds no such account.
    std::int16_t GetKmkClass(std::int32_t code);

    ClProgress* m_pProgress = nullptr;        // not owned
    ClBalanceList* m_pBalanceList = nullptr;  // not owned, only appended to

private:
    std::int32_t Run(int taxIncluded, const StFINDINFO& findInfo, const StDATAINFO& dataInfo);
    bool PrepareRule();
    // Computes one record's closing balance, filters it and appends its
    // entry; throws when the sum overflows or memory runs out.
    void ProcessRecord(const StKAMOKUSUMINFO& record);
    void Advance(std::int16_t from, std::int16_t to);
    void Pulse();

    std::unique_ptr<ClRuleKamoku> m_pRuleKamoku;

    // Per-run settings taken from the find-info, the data set and the tax mode.
    std::size_t m_debitOffset = StKAMOKUSUMINFO::kOffDebitExcl;
    std::size_t m_creditOffset = StKAMOKUSUMINFO::kOffCreditExcl;
    int m_nFromIndex = 0;
    int m_nToIndex = 0;
    bool m_bYearEnd = false;
    bool m_bMidYear = false;

    // Account-master lookup: its find-info and the record it delivers.
    StFINDINFO m_kmkFind;
    StKAMOKUINFO m_kmkInfo;
};
