// ClRuleKamoku: the walk over a data set's account totals, one whole record per row.
#include "host/rule_kamoku.h"

#include "host/host_text.h"
#include "host/stand_in.h"
#include "host/standin_state.h"
#include "platform/mbcs.h"

namespace {

// The account totals of the data set the walk reads, or nullptr when the
// model has none for it.
const std::vector<host::AccountTotal>* TotalsOf(std::int32_t dataNo) {
    const auto& totals = host::StandIn::Get().Model().totals;
    const auto it = totals.find(dataNo);
    return it == totals.end() ? nullptr : &it->second;
}

// The fifteen amounts of one array, 8 bytes each.
void FillArray(StKAMOKUSUMINFO& record, std::size_t offset, const host::PeriodAmounts& amounts) {
    for (const std::int64_t amount : amounts) {
        record.SetI64(offset, amount);
        offset += 8;
    }
}

}  // namespace

ClLinkMgr* ClLinkMgr::Inst() {
    static ClLinkMgr mgr;
    return &mgr;
}

ClOptLink* ClLinkMgr::GetOptLink() {
    static ClOptLink link;
    host::StandIn::Get().Record("GetOptLink");
    return &link;
}

int ClRuleBase::AttachOptLink(ClOptLink* link) {
    host::StandIn::Get().Record("AttachOptLink");
    return link == nullptr ? 1 : 0;
}

void* ClRuleKamoku::operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return host::detail::RecordedNew(size, "ClRuleKamoku", &host::Faults::failRuleCreate);
}

void ClRuleKamoku::operator delete(void* p) noexcept {
    host::detail::RecordedDelete(p, "ClRuleKamoku");
}

int ClRuleKamoku::MoveReady(_RuleKamokuSumType_Base base, _RuleKamokuSumType_Bmn bmn,
                            _RuleKamokuSumType_Disptype dispType, const StFINDINFO* find,
                            const StBUMONINFO* bumon, _RuleKamokuSumType_Past past) {
    // The arguments as given, the find-info's bytes as they are: the months
    // asked for filter nothing here, so the log is where a caller's choice shows.
    const std::string findBytes =
        find != nullptr ? std::string(reinterpret_cast<const char*>(find->Data()), StFINDINFO::kSize) : "-";
    host::StandIn::Get().Record("MoveReady " + std::to_string(base) + " " + std::to_string(bmn) + " " +
                                std::to_string(dispType) + " " + findBytes + " " +
                                (bumon != nullptr ? "given" : "-") + " " + std::to_string(past));
    m_nPos = 0;
    m_nCalls = 0;
    m_bReady = false;
    if (!CurrentDataNo(m_lWalkDataNo)) return 1;
    m_bReady = true;
    return 0;
}

int ClRuleKamoku::GetSumCount(std::uint32_t* count) {
    host::StandIn& standIn = host::StandIn::Get();
    standIn.Record("GetSumCount");
    const host::Faults& faults = standIn.Model().faults;
    if (count == nullptr || !m_bReady || faults.failGetSumCount) return 1;
    if (faults.reportedCount >= 0) {
        *count = static_cast<std::uint32_t>(faults.reportedCount);  // host.ini keeps it within 32 bits
        return 0;
    }
    const auto* totals = TotalsOf(m_lWalkDataNo);
    *count = totals == nullptr ? 0u : static_cast<std::uint32_t>(totals->size());
    return 0;
}

int ClRuleKamoku::SetMovePos(std::uint32_t pos) {
    host::StandIn& standIn = host::StandIn::Get();
    standIn.Record("SetMovePos " + std::to_string(pos));
    if (!m_bReady || standIn.Model().faults.failSetMovePos) return 1;
    const auto* totals = TotalsOf(m_lWalkDataNo);
    const std::size_t size = totals == nullptr ? 0u : totals->size();
    if (pos > size) return 1;
    m_nPos = pos;
    return 0;
}

int ClRuleKamoku::MoveNext(StKAMOKUSUMINFO* record) {
    host::StandIn& standIn = host::StandIn::Get();
    standIn.RecordHot(host::HotCall::kMoveNext);
    const host::Faults& faults = standIn.Model().faults;
    ++m_nCalls;
    if (faults.failMoveNextAt > 0 && m_nCalls == static_cast<std::uint32_t>(faults.failMoveNextAt)) {
        return faults.moveNextError;
    }
    if (record == nullptr || !m_bReady) return kNotReady;
    const auto* totals = TotalsOf(m_lWalkDataNo);
    if (totals == nullptr || m_nPos >= totals->size()) return kEndOfRecords;
    const host::AccountTotal& t = (*totals)[m_nPos++];
    record->Clear();
    record->SetI32(StKAMOKUSUMINFO::kOffCode, t.code);
    // Cut in place: no copy of the name per record.
    const std::string_view name(t.name);
    record->SetText(StKAMOKUSUMINFO::kOffName, StKAMOKUSUMINFO::kNameSize,
                    name.substr(0, plat::CharBoundaryLength(name, StKAMOKUSUMINFO::kNameSize - 1)));
    record->SetU8(StKAMOKUSUMINFO::kOffExclude1, t.exclude1);
    record->SetU8(StKAMOKUSUMINFO::kOffExclude2, t.exclude2);
    record->SetU8(StKAMOKUSUMINFO::kOffHojyoFlg, t.hojyoFlg);
    record->SetU8(StKAMOKUSUMINFO::kOffNature, t.nature);
    record->SetU32(StKAMOKUSUMINFO::kOffAttributes, t.attributes);
    FillArray(*record, StKAMOKUSUMINFO::kOffDebitExcl, t.debitExcl);
    FillArray(*record, StKAMOKUSUMINFO::kOffDebitIncl, t.debitIncl);
    FillArray(*record, StKAMOKUSUMINFO::kOffCreditExcl, t.creditExcl);
    FillArray(*record, StKAMOKUSUMINFO::kOffCreditIncl, t.creditIncl);
    return 0;
}

int ClRuleKamoku::MoveFinish() {
    host::StandIn::Get().Record("MoveFinish");
    m_bReady = false;
    return 0;
}
