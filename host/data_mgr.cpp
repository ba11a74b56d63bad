// ClDataMgr and its objects: the user, the data sets, the consumption-tax settings, the account master.
#include "host/data_mgr.h"

#include <cstring>
#include <map>
#include <string>

#include "host/host_text.h"
#include "host/stand_in.h"
#include "host/standin_state.h"
#include "platform/mbcs.h"

namespace host {
namespace {

// First data set in walk order with the data number, or nullptr.
const DataSetEntry* FindDataSetByNo(const HostModel& model, std::int32_t dataNo) {
    for (const DataSetEntry& d : model.dataSets) {
        if (d.dataNo == dataNo) return &d;
    }
    return nullptr;
}

// The data set that a record's leading ID text names (the one whose data
// number also matches when several share the text), or nullptr.
const DataSetEntry* FindDataSetByRecord(const HostModel& model, const StDATAINFO* record) {
    if (record == nullptr) return nullptr;
    const std::string id = record->IdText();
    const DataSetEntry* byId = nullptr;
    for (const DataSetEntry& d : model.dataSets) {
        if (d.idText != id) continue;
        if (d.dataNo == record->DataNo()) return &d;
        if (byId == nullptr) byId = &d;
    }
    return byId;
}

// The whole 1,506-byte record of a data set.
void FillDataInfo(const DataSetEntry& entry, StDATAINFO& record) {
    record.Clear();
    record.SetText(StDATAINFO::kOffId, StDATAINFO::kIdSize,
                   plat::CutOnCharBoundary(entry.idText, StDATAINFO::kIdSize - 1));
    record.SetI32(StDATAINFO::kOffDataNo, entry.dataNo);
    record.SetText(StDATAINFO::kOffCompanyName, StDATAINFO::kCompanyNameSize,
                   plat::CutOnCharBoundary(entry.companyName, StDATAINFO::kCompanyNameSize - 1));
    record.SetI32(StDATAINFO::kOffPeriodStart, entry.periodStart);
    record.SetI32(StDATAINFO::kOffPeriodEnd, entry.periodEnd);
    record.SetI32(StDATAINFO::kOffPeriodSetting, entry.periodSetting);
    record.SetI16(StDATAINFO::kOffDataKind, entry.dataKind);
    record.SetI32(StDATAINFO::kOffStandInTail, entry.dataNo);
}

}  // namespace

const DataSetEntry* detail::SelectedDataSet(const HostModel& model) {
    for (const UserEntry& u : model.users) {
        if (u.id == model.currentUser) return FindDataSetByNo(model, u.selectedNo2);
    }
    return nullptr;
}

}  // namespace host

namespace {

using host::HotCall;
using host::StandIn;
namespace detail = host::detail;

ClSetKamoku g_setKamoku;
ClSetShohizei g_setShohizei;
ClSetData g_setData;
ClSysUser g_sysUser;
ClSetMgr g_setMgr;

// Open data cursors: cursor -> position of the next data set.
std::map<std::int32_t, std::size_t> g_datCursors;
std::int32_t g_nextDatCursor = 1;
std::int32_t g_nextKamokuCursor = 1;

}  // namespace

namespace host {

int DataSetAttach::AttachSetMgr(ClSetMgr* mgr) {
    StandIn::Get().Record("AttachSetMgr");
    return mgr == nullptr ? 1 : 0;
}

int DataSetAttach::SetCurDataID(const StDATAINFO* dataId) {
    StandIn::Get().Record("SetCurDataID");
    const DataSetEntry* entry = FindDataSetByRecord(StandIn::Get().Model(), dataId);
    m_bCurDataGiven = true;
    m_bHasCurData = entry != nullptr;
    m_lCurDataNo = entry != nullptr ? entry->dataNo : 0;
    return entry != nullptr ? 0 : 1;
}

bool DataSetAttach::CurrentDataNo(std::int32_t& dataNo) const {
    if (m_bCurDataGiven) return NamedDataNo(dataNo);
    const DataSetEntry* selected = detail::SelectedDataSet(StandIn::Get().Model());
    if (selected == nullptr) return false;
    dataNo = selected->dataNo;
    return true;
}

bool DataSetAttach::NamedDataNo(std::int32_t& dataNo) const {
    dataNo = m_lCurDataNo;
    return m_bCurDataGiven && m_bHasCurData;
}

}  // namespace host

namespace host::detail {

void ResetDataObjects() {
    g_setKamoku = ClSetKamoku();
    g_setShohizei = ClSetShohizei();
    g_setData = ClSetData();
    g_datCursors.clear();
    g_nextDatCursor = 1;
    g_nextKamokuCursor = 1;
}

}  // namespace host::detail

int ClSetData::GetDatCursor(std::int32_t* cursor) {
    StandIn::Get().Record("GetDatCursor");
    if (cursor == nullptr) return 1;
    *cursor = g_nextDatCursor++;
    g_datCursors[*cursor] = 0;
    return 0;
}

int ClSetData::ReadyDat(std::int32_t cursor, int mode) {
    StandIn::Get().Record("ReadyDat " + std::to_string(mode));
    auto it = g_datCursors.find(cursor);
    if (it == g_datCursors.end()) return 1;
    it->second = 0;
    return 0;
}

int ClSetData::WalkDat(StDATAINFO* record, std::int32_t cursor) {
    StandIn::Get().RecordHot(HotCall::kWalkDat);
    auto it = g_datCursors.find(cursor);
    if (it == g_datCursors.end()) return kInvalidCursor;
    const auto& sets = StandIn::Get().Model().dataSets;
    if (it->second >= sets.size()) return kEndOfData;
    if (record == nullptr) return kInvalidCursor;
    host::FillDataInfo(sets[it->second], *record);
    ++it->second;
    return 0;
}

int ClSetData::ReleaseDatCursor(std::int32_t cursor) {
    StandIn::Get().Record("ReleaseDatCursor");
    return g_datCursors.erase(cursor) == 1 ? 0 : 1;
}

StDATAINFO* ClSetData::GetSelectedInfo() {
    StandIn::Get().Record("GetSelectedInfo");
    const host::DataSetEntry* selected = detail::SelectedDataSet(StandIn::Get().Model());
    if (selected == nullptr) return nullptr;
    host::FillDataInfo(*selected, m_selectedInfo);
    return &m_selectedInfo;
}

int ClSetShohizei::Get(StSHOHIZEIINFO* record) {
    StandIn::Get().Record("ClSetShohizei::Get");
    // Only after SetCurDataID: the settings are read for a named data set.
    std::int32_t dataNo = 0;
    if (record == nullptr || !NamedDataNo(dataNo)) return 1;
    const host::DataSetEntry* entry = host::FindDataSetByNo(StandIn::Get().Model(), dataNo);
    if (entry == nullptr) return 1;
    record->Clear();
    record->SetU8(StSHOHIZEIINFO::kOffTaxIncludedDefault, entry->taxIncludedDefault ? 1 : 0);
    return 0;
}

int ClSetKamoku::GetCursor(std::int32_t* cursor) {
    StandIn::Get().RecordHot(HotCall::kGetCursor);
    if (cursor == nullptr) return 1;
    *cursor = g_nextKamokuCursor++;
    return 0;
}

int ClSetKamoku::ReadyCursor(std::int32_t cursor) {
    StandIn::Get().RecordHot(HotCall::kReadyCursor);
    return cursor > 0 ? 0 : 1;
}

int ClSetKamoku::WalkFind(const StFINDINFO* find, StKAMOKUINFO* record, std::int32_t cursor) {
    StandIn& standIn = StandIn::Get();
    standIn.RecordHot(HotCall::kWalkFind);
    if (find == nullptr || record == nullptr || cursor <= 0) return kNotFound;
    // Only the lookup by composite code is supported: one item, code equal.
    if (find->FieldCode(0) != StFINDINFO::kFieldComposite || find->Compare(0) != StFINDINFO::kCompareEqual ||
        find->ValueType(0) != StFINDINFO::kValue32) {
        return kNotFound;
    }
    std::int32_t dataNo = 0;
    if (!CurrentDataNo(dataNo)) return kNotFound;
    const host::AccountMasterEntry* entry = standIn.FindMaster(dataNo, find->Value32(0));
    if (entry == nullptr) return kNotFound;
    record->Clear();
    record->SetI32(StKAMOKUINFO::kOffCode, entry->code);
    record->SetI8(StKAMOKUINFO::kOffClass, entry->kmkClass);
    return 0;
}

int ClSetKamoku::ReleaseCursor(std::int32_t cursor) {
    StandIn::Get().RecordHot(HotCall::kReleaseCursor);
    return cursor > 0 ? 0 : 1;
}

int ClSysUser::GetCurUserID(char* out, std::size_t size) {
    StandIn::Get().Record("GetCurUserID");
    if (out == nullptr || size == 0) return 1;
    const std::string& user = StandIn::Get().Model().currentUser;
    const std::string cut = plat::CutOnCharBoundary(user, size - 1);
    std::memcpy(out, cut.data(), cut.size());
    out[cut.size()] = '\0';
    return user.empty() ? 1 : 0;
}

int ClSysUser::GetSelectedNo(const char* userId, std::int32_t* first, std::int32_t* second) {
    StandIn::Get().Record("GetSelectedNo");
    std::int32_t no1 = 0;
    std::int32_t no2 = 0;
    bool found = false;
    if (userId != nullptr) {
        for (const host::UserEntry& u : StandIn::Get().Model().users) {
            if (u.id == userId) {
                no1 = u.selectedNo1;
                no2 = u.selectedNo2;
                found = true;
                break;
            }
        }
    }
    if (first != nullptr) *first = no1;
    if (second != nullptr) *second = no2;
    return found ? 0 : 1;
}

ClDataMgr* ClDataMgr::Inst() {
    static ClDataMgr mgr;
    return &mgr;
}

ClSysUser* ClDataMgr::GetSysUserObject() {
    StandIn::Get().Record("GetSysUserObject");
    return &g_sysUser;
}

ClSetMgr* ClDataMgr::GetSetMgr() {
    StandIn::Get().Record("GetSetMgr");
    return &g_setMgr;
}

ClSetBase* ClDataMgr::GetSetObject(int id, int mode) {
    if (id == kSetKamoku && mode == 1) {
        StandIn::Get().RecordHot(HotCall::kGetSetObjectKamoku);
    } else {
        StandIn::Get().Record("GetSetObject " + std::to_string(id) + " " + std::to_string(mode));
    }
    switch (id) {
        case kSetKamoku:
            return &g_setKamoku;
        case kSetShohizei:
            return &g_setShohizei;
        case kSetData:
            return &g_setData;
        default:
            return nullptr;
    }
}
