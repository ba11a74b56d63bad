// ClKmkSummary: the walk over the host's account totals and the closing balance of each.
#include "aggregation/kmk_summary.h"

#include <new>

#include "aggregation/dec_amount.h"
#include "aggregation/kmk_name.h"
#include "host/data_mgr.h"

namespace {

constexpr std::uint8_t kDebitNature = 1;

// Where the aggregation's stages end on the overall scale; the walk ends at
// ClProgress::kReportStart.
constexpr std::int16_t kStarted = 100;
constexpr std::int16_t kRuleSetUp = 300;
constexpr std::int16_t kCounted = 400;

// Find-info offsets the engine reads (items of 34 bytes).
constexpr std::size_t kOffItem2Link = StFINDINFO::ItemOffset(1) + StFINDINFO::kOffLink;
constexpr std::size_t kOffItem3Value = StFINDINFO::ItemOffset(2) + StFINDINFO::kOffValue;
constexpr std::size_t kOffItem3Link = StFINDINFO::ItemOffset(2) + StFINDINFO::kOffLink;
constexpr std::size_t kOffItem4Value = StFINDINFO::ItemOffset(3) + StFINDINFO::kOffValue;

bool IsPeriodEntry(int k) {
    return k >= 0 && k < StKAMOKUSUMINFO::kPeriodEntries;
}

// Entry k (0..14) of the amount array at offset array, 8 bytes each.
std::int64_t EntryAt(const StKAMOKUSUMINFO& record, std::size_t array, int k) {
    return record.GetI64(array + static_cast<std::size_t>(k) * 8);
}

// Running total of period entries in ten-thousandths, exact as long as it
// fits 64 bits; beyond, ClDecAmount's overflow error ends the walk.
class ExactSum {
public:
    void Add(std::int64_t v) {
        if (__builtin_add_overflow(m_llSum, v, &m_llSum)) throw ClDecOverflow();
    }
    std::int64_t Value() const { return m_llSum; }

private:
    std::int64_t m_llSum = 0;
};

}  // namespace

ClKmkSummary::ClKmkSummary() {
    m_kmkFind.SetI32(StFINDINFO::kOffFieldCode, StFINDINFO::kFieldComposite);
    m_kmkFind.SetI16(StFINDINFO::kOffCompare, StFINDINFO::kCompareEqual);
    m_kmkFind.SetI16(StFINDINFO::kOffValueType, StFINDINFO::kValue32);
    m_kmkFind.SetI16(StFINDINFO::kOffLink, StFINDINFO::kLinkNone);
}

ClKmkSummary::~ClKmkSummary() = default;

void ClKmkSummary::Advance(std::int16_t from, std::int16_t to) {
    if (m_pProgress) m_pProgress->Advance(from, to);
}

void ClKmkSummary::Pulse() {
    if (m_pProgress) m_pProgress->Pulse();
}

std::int32_t ClKmkSummary::Execute(int taxIncluded, const StFINDINFO& findInfo, const StDATAINFO& dataInfo) {
    // An overflow or a failed allocation inside the walk leaves the rule
    // object held and the walk unfinished, like any failed host call; the
    // entries appended so far stay.
    try {
        return Run(taxIncluded, findInfo, dataInfo);
    } catch (...) {
        return 0;
    }
}

bool ClKmkSummary::PrepareRule() {
    if (m_pRuleKamoku) return true;
    // The host's classes are created only without exceptions.
    m_pRuleKamoku.reset(new (std::nothrow) ClRuleKamoku());
    if (!m_pRuleKamoku) return false;
    ClDataMgr* dataMgr = ClDataMgr::Inst();
    m_pRuleKamoku->AttachSetMgr(dataMgr->GetSetMgr());
    auto* setData = dynamic_cast<ClSetData*>(dataMgr->GetSetObject(ClDataMgr::kSetData, 1));
    m_pRuleKamoku->SetCurDataID(setData ? setData->GetSelectedInfo() : nullptr);
    m_pRuleKamoku->AttachOptLink(ClLinkMgr::Inst()->GetOptLink());
    return true;
}

std::int32_t ClKmkSummary::Run(int taxIncluded, const StFINDINFO& findInfo, const StDATAINFO& dataInfo) {
    if (!m_pBalanceList) return 0;
    Advance(0, kStarted);
    if (!PrepareRule()) return 0;
    Advance(kStarted, kRuleSetUp);

    m_debitOffset = taxIncluded == 1 ? StKAMOKUSUMINFO::kOffDebitIncl : StKAMOKUSUMINFO::kOffDebitExcl;
    m_creditOffset = taxIncluded == 1 ? StKAMOKUSUMINFO::kOffCreditIncl : StKAMOKUSUMINFO::kOffCreditExcl;
    m_nFromIndex = findInfo.Value16(0);
    m_nToIndex = findInfo.Value16(1);
    m_bYearEnd = findInfo.GetI16(kOffItem2Link) != 0 &&
                 (findInfo.GetI16(kOffItem3Value) == StFINDINFO::kMonthYearEnd ||
                  (findInfo.GetI16(kOffItem3Link) != 0 &&
                   findInfo.GetI16(kOffItem4Value) == StFINDINFO::kMonthYearEnd));
    m_bMidYear = dataInfo.PeriodSetting() == 1 && m_nToIndex == StFINDINFO::kMidYearFiscalMonth;

    m_pRuleKamoku->MoveReady(_RuleKamokuSumType_Base_Kamoku, _RuleKamokuSumType_Bmn_None,
                             _RuleKamokuSumType_Disptype_Normal, &findInfo, nullptr,
                             _RuleKamokuSumType_Past_None);
    std::uint32_t count = 0;
    if (m_pRuleKamoku->GetSumCount(&count) != 0) return 0;
    Advance(kRuleSetUp, kCounted);
    if (m_pRuleKamoku->SetMovePos(0) != 0) return 0;

    // Every record the host reports is read; the walk also ends early when
    // the host says there are no more.
    int status = 0;
    StKAMOKUSUMINFO record;
    for (std::uint32_t i = 0; i < count; ++i) {
        Pulse();
        record.Clear();
        status = m_pRuleKamoku->MoveNext(&record);
        if (status != 0) break;
        ProcessRecord(record);
    }
    if (status != 0 && status != ClRuleKamoku::kEndOfRecords) return 0;

    Advance(kCounted, ClProgress::kReportStart);
    m_pRuleKamoku->MoveFinish();
    m_pRuleKamoku.reset();
    return 1;
}

void ClKmkSummary::ProcessRecord(const StKAMOKUSUMINFO& record) {
    const std::size_t debit = m_debitOffset;
    const std::size_t credit = m_creditOffset;
    const bool bDebitNature = record.GetU8(StKAMOKUSUMINFO::kOffNature) == kDebitNature;

    // Brought forward: the opening balance and the months before the range.
    ExactSum debitSum;
    ExactSum creditSum;
    for (int k = 0; k < m_nFromIndex && IsPeriodEntry(k); ++k) {
        debitSum.Add(EntryAt(record, debit, k));
        creditSum.Add(EntryAt(record, credit, k));
    }
    const ClDecAmount broughtForward = bDebitNature
                                           ? ClDecAmount(debitSum.Value()) - ClDecAmount(creditSum.Value())
                                           : ClDecAmount(creditSum.Value()) - ClDecAmount(debitSum.Value());

    // Movements: the year-end adjustment month when the range takes it in,
    // the months of the range and the mid-year adjustment month.
    debitSum = ExactSum();
    creditSum = ExactSum();
    if (m_bYearEnd) {
        debitSum.Add(EntryAt(record, debit, StKAMOKUSUMINFO::kEntryYearEnd));
        creditSum.Add(EntryAt(record, credit, StKAMOKUSUMINFO::kEntryYearEnd));
    }
    for (int k = m_nFromIndex; k <= m_nToIndex; ++k) {
        if (!IsPeriodEntry(k)) continue;
        debitSum.Add(EntryAt(record, debit, k));
        creditSum.Add(EntryAt(record, credit, k));
    }
    if (m_bMidYear) {
        debitSum.Add(EntryAt(record, debit, StKAMOKUSUMINFO::kEntryMidYear));
        creditSum.Add(EntryAt(record, credit, StKAMOKUSUMINFO::kEntryMidYear));
    }
    const ClDecAmount debitTotal(debitSum.Value());
    const ClDecAmount creditTotal(creditSum.Value());

    // Only the own side's sum is bound-checked; it is checked before the
    // filters, so a dropped record can still end the run.
    const ClDecAmount closing = bDebitNature ? broughtForward.CheckedAdd(debitTotal) - creditTotal
                                             : broughtForward.CheckedAdd(creditTotal) - debitTotal;

    if (record.GetU8(StKAMOKUSUMINFO::kOffExclude1) != 0) return;
    if (record.GetU8(StKAMOKUSUMINFO::kOffExclude2) != 0) return;
    if ((record.GetU32(StKAMOKUSUMINFO::kOffAttributes) & StKAMOKUSUMINFO::kAttrExcludeMask) != 0) return;
    const std::int32_t code = record.GetI32(StKAMOKUSUMINFO::kOffCode);
    const std::int16_t kmkClass = GetKmkClass(code);
    if (kmkClass != kReportedClassA && kmkClass != kReportedClassB) return;

    auto entry = std::make_unique<StKMKBALANCE>();
    entry->lCode = code;
    CopyKmkName(entry->szName, record.Data() + StKAMOKUSUMINFO::kOffName, StKAMOKUSUMINFO::kNameSize);
    entry->cHojyoFlg = record.GetU8(StKAMOKUSUMINFO::kOffHojyoFlg);
    entry->llZandaka = closing.Scaled();
    m_pBalanceList->push_back(std::move(entry));
}

std::int16_t ClKmkSummary::GetKmkClass(std::int32_t code) {
    auto* master = dynamic_cast<ClSetKamoku*>(ClDataMgr::Inst()->GetSetObject(ClDataMgr::kSetKamoku, 1));
    if (!master) return kClassUnknown;

    // The one-item find-info (composite code equal to code) is built once;
    // only its value changes from lookup to lookup.
    m_kmkFind.SetI32(StFINDINFO::kOffValue, code);

    std::int32_t cursor = 0;
    master->GetCursor(&cursor);
    master->ReadyCursor(cursor);
    // A walk that delivers nothing must not pass for the account with code 0
    // (or for the account of an earlier lookup): its record is not read then.
    const bool bDelivered = master->WalkFind(&m_kmkFind, &m_kmkInfo, cursor) == 0;
    const std::int16_t kmkClass = (bDelivered && m_kmkInfo.GetI32(StKAMOKUINFO::kOffCode) == code)
                                      ? static_cast<std::int16_t>(m_kmkInfo.GetI8(StKAMOKUINFO::kOffClass))
                                      : kClassUnknown;
    master->ReleaseCursor(cursor);
    return kmkClass;
}
