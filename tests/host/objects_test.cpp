// The host classes over an in-memory model: record layouts, the walks, the
// lookups, the period rule, injected faults and the recorded calls.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <set>
#include <string>
#include <vector>

#include "host/acc_connect.h"
#include "host/acc_period.h"
#include "host/data_mgr.h"
#include "host/file_mgr.h"
#include "host/records.h"
#include "host/rule_kamoku.h"
#include "host/stand_in.h"
#include "host/uty_db_hpr.h"
#include "tests/support/host_models.h"
#include "tests/support/standin_fixture.h"
#include "tools/hostdata/synthetic.h"

namespace {

class HostObjects : public support::StandInTest {
protected:
    HostObjects() : StandInTest(true) { host::StandIn::Get().UseModel(support::SmallModel()); }
    host::HostModel& Model() { return host::StandIn::Get().Model(); }
    std::vector<std::string>& Calls() { return host::StandIn::Get().Calls(); }

public:
    static ClSetData* SetData() {
        return static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(ClDataMgr::kSetData, 1));
    }
    static ClSetKamoku* SetKamoku() {
        return static_cast<ClSetKamoku*>(ClDataMgr::Inst()->GetSetObject(ClDataMgr::kSetKamoku, 1));
    }
    // The whole walk over the data sets.
    static std::vector<StDATAINFO> WalkDataSets() {
        ClSetData* set = SetData();
        std::int32_t cursor = 0;
        EXPECT_EQ(set->GetDatCursor(&cursor), 0);
        EXPECT_EQ(set->ReadyDat(cursor, 0), 0);
        std::vector<StDATAINFO> records;
        StDATAINFO record;
        while (set->WalkDat(&record, cursor) == 0) records.push_back(record);
        EXPECT_EQ(set->ReleaseDatCursor(cursor), 0);
        return records;
    }
};

// A data set record naming only its ID and number.
StDATAINFO DataSetRecord(const char* id, std::int32_t no) {
    StDATAINFO record;
    record.SetText(0, 16, id);
    record.SetI32(16, no);
    return record;
}

// Offsets of bytes that are not zero.
template <std::size_t N>
std::set<std::size_t> NonZero(const ByteRecord<N>& r) {
    std::set<std::size_t> s;
    for (std::size_t i = 0; i < N; ++i) {
        if (r.Data()[i] != 0) s.insert(i);
    }
    return s;
}

TEST_F(HostObjects, DataSetWalkDeliversWholeRecordsAtTheirOffsets) {
    Model().dataSets[1].idText = "SET-B";
    Model().dataSets[1].companyName =
        "\x8A\x94\x8E\xAE\x89\xEF\x8E\xD0"
        "B";  // 株式会社B
    Model().dataSets[1].dataKind = -2;
    const std::vector<StDATAINFO> records = WalkDataSets();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].DataNo(), 1);
    const StDATAINFO& r = records[1];
    EXPECT_EQ(sizeof(r.Data()[0]) * StDATAINFO::Size(), 1506u);
    EXPECT_EQ(std::memcmp(r.Data(), "SET-B\0", 6), 0);
    const std::uint8_t no[4] = {2, 0, 0, 0};
    EXPECT_EQ(std::memcmp(r.Data() + 16, no, 4), 0);
    EXPECT_EQ(std::memcmp(r.Data() + 24,
                          "\x8A\x94\x8E\xAE\x89\xEF\x8E\xD0"
                          "B\0",
                          10),
              0);
    EXPECT_EQ(r.GetI32(284), 20250401);
    EXPECT_EQ(r.GetI32(288), 20260331);
    EXPECT_EQ(r.GetI32(304), 1);
    EXPECT_EQ(r.Data()[326], 0xFE);  // -2 as 16 bits, little-endian
    EXPECT_EQ(r.Data()[327], 0xFF);
    EXPECT_EQ(r.GetI32(StDATAINFO::kOffStandInTail), 2);
    // Nothing else is written.
    // 20250401 = 0x0134FF31 and 20260331 = 0x0135279B: no zero bytes.
    std::set<std::size_t> expected = {16, 284, 285, 286, 287, 288, 289, 290, 291, 304, 326, 327, 1502};
    for (std::size_t i = 0; i < 5; ++i) expected.insert(i);
    for (std::size_t i = 24; i < 33; ++i) expected.insert(i);
    EXPECT_EQ(NonZero(r), expected);

    // Past the end, and on a cursor that is not open.
    ClSetData* set = SetData();
    std::int32_t cursor = 0;
    ASSERT_EQ(set->GetDatCursor(&cursor), 0);
    StDATAINFO rec;
    EXPECT_EQ(set->WalkDat(&rec, cursor), 0);
    EXPECT_EQ(set->WalkDat(&rec, cursor), 0);
    EXPECT_EQ(set->WalkDat(&rec, cursor), ClSetData::kEndOfData);
    EXPECT_EQ(set->ReadyDat(cursor, 0), 0);  // from the start again
    EXPECT_EQ(set->WalkDat(&rec, cursor), 0);
    EXPECT_EQ(rec.DataNo(), 1);
    EXPECT_EQ(set->ReleaseDatCursor(cursor), 0);
    EXPECT_EQ(set->WalkDat(&rec, cursor), ClSetData::kInvalidCursor);
    EXPECT_NE(set->ReleaseDatCursor(cursor), 0);
}

TEST_F(HostObjects, LongTextsAreCutOnCharacterBoundaries) {
    std::string name(254, 'c');
    name += "\x95\x5C";  // 表 would take bytes 255 and 256
    Model().dataSets[0].companyName = name;
    Model().dataSets[0].idText = "ABCDEFGHIJKLMNOPQRS";
    Model().dataSets[1].companyName = std::string(255, 'x');
    const std::vector<StDATAINFO> records = WalkDataSets();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].CompanyName(), std::string(254, 'c'));
    EXPECT_EQ(records[0].IdText(), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(records[0].Data()[15], 0);
    EXPECT_EQ(records[1].CompanyName(), std::string(255, 'x'));
    EXPECT_EQ(records[1].Data()[24 + 255], 0);
}

TEST_F(HostObjects, DuplicateDataNumbersAndTheSelectedSet) {
    ClSetData* set = SetData();
    StDATAINFO* selected = set->GetSelectedInfo();
    ASSERT_NE(selected, nullptr);
    EXPECT_EQ(selected->DataNo(), 2);  // u1's second selection number
    EXPECT_EQ(selected->IdText(), "SET-B");
    EXPECT_EQ(set->GetSelectedInfo(), selected) << "the host keeps the record";

    host::DataSetEntry twin = Model().dataSets[1];
    twin.companyName = "twin";
    Model().dataSets.insert(Model().dataSets.begin(), twin);
    EXPECT_EQ(set->GetSelectedInfo()->CompanyName(), "twin") << "first in walk order";

    Model().currentUser = "nobody";
    EXPECT_EQ(set->GetSelectedInfo(), nullptr);
    Model().currentUser = "u2";
    EXPECT_EQ(set->GetSelectedInfo(), nullptr) << "u2 selects data number 3, which does not exist";

    Model().dataSets.clear();
    EXPECT_TRUE(WalkDataSets().empty());
}

TEST_F(HostObjects, UserIdAndSelectionNumbers) {
    ClSysUser* user = ClDataMgr::Inst()->GetSysUserObject();
    ASSERT_NE(user, nullptr);
    char id[ClSysUser::kUserIdSize + 3];
    std::memset(id, 0x7F, sizeof id);
    EXPECT_EQ(user->GetCurUserID(id, ClSysUser::kUserIdSize), 0);
    EXPECT_STREQ(id, "u1");

    // Never past the buffer, never half a character.
    Model().currentUser = std::string(64, 'a');
    std::memset(id, 0x7F, sizeof id);
    EXPECT_EQ(user->GetCurUserID(id, ClSysUser::kUserIdSize), 0);
    EXPECT_EQ(std::string(id), std::string(64, 'a'));
    EXPECT_EQ(id[65], 0x7F);
    Model().currentUser = "a\x94\x5C";  // a能
    std::memset(id, 0x7F, sizeof id);
    EXPECT_EQ(user->GetCurUserID(id, 3), 0);
    EXPECT_STREQ(id, "a");
    EXPECT_EQ(id[3], 0x7F);
    EXPECT_NE(user->GetCurUserID(nullptr, 10), 0);
    EXPECT_NE(user->GetCurUserID(id, 0), 0);
    Model().currentUser.clear();
    EXPECT_NE(user->GetCurUserID(id, 3), 0) << "no user logged on";

    std::int32_t first = -1;
    std::int32_t second = -1;
    EXPECT_EQ(user->GetSelectedNo("u1", &first, &second), 0);
    EXPECT_EQ(first, 7);
    EXPECT_EQ(second, 2);
    EXPECT_NE(user->GetSelectedNo("nobody", &first, &second), 0);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 0);
    EXPECT_NE(user->GetSelectedNo(nullptr, &first, &second), 0);
}

TEST_F(HostObjects, IdTextConsumptionTaxAndFolders) {
    StDATAINFO* selected = SetData()->GetSelectedInfo();
    ASSERT_NE(selected, nullptr);
    char out[ClUtyDBHpr::kIdStrSize];
    std::memset(out, 0x7F, sizeof out);
    EXPECT_EQ(ClUtyDBHpr::MakeIDStr(selected, out, sizeof out), 0);
    EXPECT_STREQ(out, "SET-B");
    char small[4];
    std::memset(small, 0x7F, sizeof small);
    EXPECT_EQ(ClUtyDBHpr::MakeIDStr(selected, small, 3), 0);
    EXPECT_STREQ(small, "SE");
    EXPECT_EQ(small[3], 0x7F);
    EXPECT_NE(ClUtyDBHpr::MakeIDStr(nullptr, out, sizeof out), 0);

    auto* tax = static_cast<ClSetShohizei*>(ClDataMgr::Inst()->GetSetObject(ClDataMgr::kSetShohizei, 1));
    ASSERT_NE(tax, nullptr);
    EXPECT_EQ(ClDataMgr::Inst()->GetSetObject(2, 1), nullptr) << "no such set";
    StSHOHIZEIINFO info;
    info.SetU8(0, 0x55);
    EXPECT_NE(tax->Get(&info), 0) << "no data set named yet";
    EXPECT_EQ(info.GetU8(0), 0x55) << "a failed Get leaves the record alone";
    EXPECT_EQ(tax->AttachSetMgr(ClDataMgr::Inst()->GetSetMgr()), 0);
    EXPECT_EQ(tax->SetCurDataID(selected), 0);
    info.Clear();
    EXPECT_EQ(tax->Get(&info), 0);
    EXPECT_EQ(info.GetU8(StSHOHIZEIINFO::kOffTaxIncludedDefault), 1);
    EXPECT_EQ(NonZero(info), (std::set<std::size_t>{5}));

    // By the ID text; of data sets sharing it, the one whose number matches too.
    Model().dataSets[1].idText = "SET-A";
    StDATAINFO other = DataSetRecord("SET-A", 0);
    EXPECT_EQ(tax->SetCurDataID(&other), 0);
    EXPECT_EQ(tax->Get(&info), 0);
    EXPECT_EQ(info.GetU8(5), 0);
    other.SetI32(16, 2);
    EXPECT_EQ(tax->SetCurDataID(&other), 0);
    EXPECT_EQ(tax->Get(&info), 0);
    EXPECT_EQ(info.GetU8(5), 1);
    other.SetText(0, 16, "UNKNOWN");
    EXPECT_NE(tax->SetCurDataID(&other), 0);
    EXPECT_NE(tax->Get(&info), 0);

    Model().appFolder[0] = "C:\\out\\";
    Model().appFolder[1] = "C:\\settings\\";
    EXPECT_STREQ(ClFileMgr::Inst()->GetAppFolderPath(ClFileMgr::kFolderOutput), "C:\\out\\");
    EXPECT_STREQ(ClFileMgr::Inst()->GetAppFolderPath(ClFileMgr::kFolderSettings), "C:\\settings\\");
    EXPECT_STREQ(ClFileMgr::Inst()->GetAppFolderPath(2), "");
    EXPECT_STREQ(ClFileMgr::Inst()->GetAppFolderPath(-1), "");
}

// The first calendar month of the period, the way the conditions code asks.
int FirstMonth(std::int32_t start, std::int32_t end) {
    std::unique_ptr<ClAccPeriod> period(new (std::nothrow) ClAccPeriod);
    if (!period) return -1;
    std::int32_t closing = -1;
    std::int16_t month = 0;
    period->SetPeriod(start, end);
    period->GetClosingDayByEndDate(end, 0, &closing);
    period->SetClosingDay(closing);
    period->GetAMonthByDate(start, &month, 0);
    return month;
}

TEST_F(HostObjects, PeriodMonthFollowsTheClosingDay) {
    // Month-end closing: the calendar month of the start date.
    EXPECT_EQ(FirstMonth(20250401, 20260331), 4);
    EXPECT_EQ(FirstMonth(20250101, 20251231), 1);
    EXPECT_EQ(FirstMonth(20251001, 20260331), 10);

    // Closing day 20: 21 March to 20 April is April's accounting month.
    host::DataSetEntry closing20 = Model().dataSets[0];
    closing20.dataNo = 9;
    closing20.periodStart = 20250321;
    closing20.periodEnd = 20260320;
    closing20.closingDay = 20;
    Model().dataSets.push_back(closing20);
    EXPECT_EQ(FirstMonth(20250321, 20260320), 4);

    // The month of a date and the closing day of an end date, each negated
    // when the call fails (each output starts at 77).
    ClAccPeriod period;
    auto month = [&period](std::int32_t date) {
        std::int16_t m = 77;
        return period.GetAMonthByDate(date, &m, 0) == 0 ? m : -m;
    };
    auto closingDay = [&period](std::int32_t end) {
        std::int32_t day = 77;
        return period.GetClosingDayByEndDate(end, 0, &day) == 0 ? day : -1;
    };
    EXPECT_EQ(closingDay(20260320), 20);
    EXPECT_EQ(period.SetClosingDay(20), 0);
    EXPECT_EQ(month(20250320), 3);
    EXPECT_EQ(month(20250321), 4);
    EXPECT_EQ(month(20251221), 1) << "after the 20th of December comes January";
    EXPECT_EQ(month(20250231), -77) << "an invalid date fails and writes nothing";
    EXPECT_NE(period.SetClosingDay(29), 0);
    EXPECT_EQ(month(20251221), 1) << "the rejected closing day left 20 in place";

    // No data set ends on the date: the date itself tells the closing day.
    EXPECT_EQ(closingDay(20270315), 15);
    EXPECT_EQ(closingDay(20270228), 0);
    EXPECT_EQ(closingDay(20280228), 28) << "not the last day of a leap February";
    EXPECT_EQ(closingDay(20270330), 0);
    EXPECT_EQ(closingDay(20270230), -1);
}

TEST_F(HostObjects, CreationFailsWhileTheFaultIsSet) {
    Model().faults.failPeriodCreate = true;
    EXPECT_EQ(FirstMonth(20250401, 20260331), -1);
    Model().faults.failPeriodCreate = false;
    Model().faults.failRuleCreate = true;
    ClRuleKamoku* rule = new (std::nothrow) ClRuleKamoku;
    EXPECT_EQ(rule, nullptr);
    Model().faults.failRuleCreate = false;
    rule = new (std::nothrow) ClRuleKamoku;
    ASSERT_NE(rule, nullptr);
    delete rule;
    EXPECT_EQ(host::StandIn::Get().CallCount("new ClRuleKamoku"), 2u);
    EXPECT_EQ(host::StandIn::Get().CallCount("delete ClRuleKamoku"), 1u);
    EXPECT_EQ(host::StandIn::Get().CallCount("new ClAccPeriod"), 1u);
    EXPECT_EQ(host::StandIn::Get().CallCount("delete ClAccPeriod"), 0u);
}

// The account-master lookup as the aggregation makes it: one item, code equal.
int Lookup(std::int32_t code, StKAMOKUINFO& record) {
    StFINDINFO find;
    find.SetI32(StFINDINFO::kOffFieldCode, StFINDINFO::kFieldComposite);
    find.SetI16(StFINDINFO::kOffCompare, StFINDINFO::kCompareEqual);
    find.SetI16(StFINDINFO::kOffValueType, StFINDINFO::kValue32);
    find.SetI32(StFINDINFO::kOffValue, code);
    ClSetKamoku* master = HostObjects::SetKamoku();
    std::int32_t cursor = 0;
    master->GetCursor(&cursor);
    master->ReadyCursor(cursor);
    const int result = master->WalkFind(&find, &record, cursor);
    master->ReleaseCursor(cursor);
    return result;
}

TEST_F(HostObjects, AccountMasterLookupByCompositeCode) {
    StKAMOKUINFO record;
    ASSERT_EQ(Lookup(1000001, record), 0);
    EXPECT_EQ(StKAMOKUINFO::Size(), 221u);
    EXPECT_EQ(record.GetI32(16), 1000001);
    EXPECT_EQ(record.GetI8(112), 1);
    EXPECT_EQ(NonZero(record), (std::set<std::size_t>{16, 17, 18, 112}));  // 1000001 = 0x0F4241
    ASSERT_EQ(Lookup(2000000, record), 0);
    EXPECT_EQ(record.GetI8(112), 2);

    // Not there: non-zero, the record untouched.
    record.Data()[16] = 0xAB;
    record.Data()[112] = 0xCD;
    for (std::size_t i = 0; i < 221; ++i) record.Data()[i] = static_cast<std::uint8_t>(i);
    const StKAMOKUINFO before = record;
    EXPECT_NE(Lookup(3000000, record), 0);
    EXPECT_EQ(std::memcmp(before.Data(), record.Data(), 221), 0);

    // Another kind of find-info is not a lookup the master answers.
    StFINDINFO month;
    month.SetI32(0, StFINDINFO::kFieldMonth);
    month.SetI16(6, StFINDINFO::kCompareEqual);
    month.SetI16(10, StFINDINFO::kValue32);
    month.SetI32(18, 1000001);
    EXPECT_NE(SetKamoku()->WalkFind(&month, &record, 1), 0);
    EXPECT_NE(SetKamoku()->WalkFind(nullptr, &record, 1), 0);

    // A master changed in place, and one replaced.
    Model().masters[2][1].kmkClass = -3;
    ASSERT_EQ(Lookup(1000001, record), 0);
    EXPECT_EQ(record.GetI8(112), -3);
    Model().masters[2] = {{4000000, 0}};
    EXPECT_NE(Lookup(1000001, record), 0);
    EXPECT_EQ(Lookup(4000000, record), 0);

    // The current data set named with SetCurDataID decides, once named.
    StDATAINFO setA = DataSetRecord("SET-A", 1);
    EXPECT_EQ(SetKamoku()->SetCurDataID(&setA), 0);
    EXPECT_NE(Lookup(4000000, record), 0) << "data set 1 has no master";
}

// Rule walk helpers: the account walk made ready as the aggregation asks.
int Ready(ClRuleKamoku& rule, const StFINDINFO* find) {
    return rule.MoveReady(_RuleKamokuSumType_Base_Kamoku, _RuleKamokuSumType_Bmn_None,
                          _RuleKamokuSumType_Disptype_Normal, find, nullptr, _RuleKamokuSumType_Past_None);
}

struct Walk {
    std::vector<StKAMOKUSUMINFO> records;
    int end = 0;
};

Walk WalkTotals(ClRuleKamoku& rule, std::uint32_t* countOut = nullptr) {
    Walk w;
    StFINDINFO find;
    find.SetI32(0, StFINDINFO::kFieldMonth);
    EXPECT_EQ(Ready(rule, &find), 0);
    std::uint32_t count = 0;
    EXPECT_EQ(rule.GetSumCount(&count), 0);
    if (countOut != nullptr) *countOut = count;
    EXPECT_EQ(rule.SetMovePos(0), 0);
    StKAMOKUSUMINFO record;
    for (;;) {
        record.Clear();
        w.end = rule.MoveNext(&record);
        if (w.end != 0) break;
        w.records.push_back(record);
    }
    rule.MoveFinish();
    return w;
}

TEST_F(HostObjects, RuleWalkFillsTheSumRecordAtItsOffsets) {
    host::AccountTotal& t = Model().totals[2][3];
    t.name = std::string(60, 'n');
    t.exclude1 = 0x11;
    t.exclude2 = 0x22;
    t.hojyoFlg = 0x33;
    t.nature = 0x44;
    t.attributes = 0x18000001u;
    for (std::size_t e = 0; e < 15; ++e) {
        t.debitExcl[e] = 0x0102030405060708LL + static_cast<std::int64_t>(e);
        t.debitIncl[e] = -1 - static_cast<std::int64_t>(e);
        t.creditExcl[e] = static_cast<std::int64_t>(e) * 10000;
        t.creditIncl[e] = std::int64_t{1} << (e * 4);
    }
    ClRuleKamoku rule;
    StDATAINFO* selected = SetData()->GetSelectedInfo();
    EXPECT_EQ(rule.AttachSetMgr(ClDataMgr::Inst()->GetSetMgr()), 0);
    EXPECT_EQ(rule.SetCurDataID(selected), 0);
    EXPECT_EQ(rule.AttachOptLink(ClLinkMgr::Inst()->GetOptLink()), 0);
    std::uint32_t count = 0;
    const Walk w = WalkTotals(rule, &count);
    EXPECT_EQ(count, 4u);
    EXPECT_EQ(w.end, ClRuleKamoku::kEndOfRecords);
    ASSERT_EQ(w.records.size(), 4u);
    EXPECT_EQ(w.records[0].GetI32(32), 1000000);
    EXPECT_EQ(w.records[0].GetU8(129), 1);
    EXPECT_EQ(w.records[1].GetI32(32), 1000001);
    EXPECT_EQ(w.records[2].GetI32(32), 1000000);
    EXPECT_EQ(w.records[2].GetU8(129), 0);

    const StKAMOKUSUMINFO& r = w.records[3];
    EXPECT_EQ(StKAMOKUSUMINFO::Size(), 636u);
    EXPECT_EQ(r.GetI32(32), 2000000);
    EXPECT_EQ(r.GetText(69, 100), std::string(56, 'n'));
    EXPECT_EQ(r.GetU8(124), 'n');
    EXPECT_EQ(r.GetU8(125), 0);
    EXPECT_EQ(r.GetU8(126), 0x11);
    EXPECT_EQ(r.GetU8(127), 0x22);
    EXPECT_EQ(r.GetU8(128), 0);
    EXPECT_EQ(r.GetU8(129), 0x33);
    EXPECT_EQ(r.GetU8(130), 0x44);
    const std::uint8_t attr[4] = {0x01, 0x00, 0x00, 0x18};
    EXPECT_EQ(std::memcmp(r.Data() + 136, attr, 4), 0);
    const std::uint8_t first[8] = {0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01};
    EXPECT_EQ(std::memcmp(r.Data() + 152, first, 8), 0) << "little-endian";
    for (int e = 0; e < 15; ++e) {
        const auto k = static_cast<std::size_t>(e);
        EXPECT_EQ(r.GetI64(152 + 8 * k), t.debitExcl[k]);
        EXPECT_EQ(r.GetI64(272 + 8 * k), -1 - e);
        EXPECT_EQ(r.GetI64(392 + 8 * k), e * 10000);
        EXPECT_EQ(r.GetI64(512 + 8 * k), std::int64_t{1} << (e * 4));
    }
    EXPECT_EQ(r.GetI64(632 - 8), std::int64_t{1} << 56);
    // Bytes no field covers stay zero.
    for (std::size_t i : {0u, 31u, 36u, 68u, 128u, 131u, 135u, 140u, 151u, 632u, 635u}) {
        EXPECT_EQ(r.GetU8(i), 0) << i;
    }
}

TEST_F(HostObjects, RuleWalkWithoutANamedDataSetUsesTheOpenOne) {
    ClRuleKamoku open;
    EXPECT_EQ(WalkTotals(open).records.size(), 4u);

    StDATAINFO setA = DataSetRecord("SET-A", 1);
    ClRuleKamoku other;
    EXPECT_EQ(other.SetCurDataID(&setA), 0);
    EXPECT_EQ(WalkTotals(other).records.size(), 0u) << "data set 1 has no totals";

    ClRuleKamoku unknown;
    setA.SetText(0, 16, "SET-X");
    EXPECT_NE(unknown.SetCurDataID(&setA), 0);
    EXPECT_NE(Ready(unknown, nullptr), 0);
    std::uint32_t count = 99;
    EXPECT_NE(unknown.GetSumCount(&count), 0);
    StKAMOKUSUMINFO record;
    EXPECT_EQ(unknown.MoveNext(&record), ClRuleKamoku::kNotReady);
}

TEST_F(HostObjects, RuleWalkFaults) {
    ClRuleKamoku rule;
    auto ready = [&rule] { return Ready(rule, nullptr); };
    std::uint32_t count = 0;
    StKAMOKUSUMINFO record;

    Model().faults.failGetSumCount = true;
    ASSERT_EQ(ready(), 0);
    count = 12;
    EXPECT_NE(rule.GetSumCount(&count), 0);
    EXPECT_EQ(count, 12u);
    Model().faults.failGetSumCount = false;

    Model().faults.reportedCount = 40000;
    EXPECT_EQ(rule.GetSumCount(&count), 0);
    EXPECT_EQ(count, 40000u);
    Model().faults.reportedCount = 0;
    EXPECT_EQ(rule.GetSumCount(&count), 0);
    EXPECT_EQ(count, 0u);
    Model().faults.reportedCount = -1;

    Model().faults.failSetMovePos = true;
    EXPECT_NE(rule.SetMovePos(0), 0);
    Model().faults.failSetMovePos = false;
    EXPECT_EQ(rule.SetMovePos(0), 0);
    EXPECT_NE(rule.SetMovePos(5), 0) << "past the end";

    Model().faults.failMoveNextAt = 2;
    Model().faults.moveNextError = 4242;
    ASSERT_EQ(ready(), 0);
    EXPECT_EQ(rule.MoveNext(&record), 0);
    EXPECT_EQ(rule.MoveNext(&record), 4242);
    EXPECT_EQ(rule.MoveNext(&record), 0);
    EXPECT_EQ(record.GetI32(32), 1000001) << "the failed call delivered nothing";
    ASSERT_EQ(ready(), 0);  // the count starts again with the walk
    EXPECT_EQ(rule.MoveNext(&record), 0);
    EXPECT_EQ(rule.MoveNext(&record), 4242);
    Model().faults.failMoveNextAt = 0;

    // A walk that delivers nothing.
    Model().totals[2].clear();
    ASSERT_EQ(ready(), 0);
    EXPECT_EQ(rule.GetSumCount(&count), 0);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(rule.MoveNext(&record), ClRuleKamoku::kEndOfRecords);
}

TEST_F(HostObjects, ConnectionSequenceIsRecordedAndRepeatable) {
    Model().expSysLinkResult = 1;
    ClAccConnect* c = ClAccConnect::Inst();
    for (int run = 0; run < 2; ++run) {
        host::StandIn::Get().ClearCalls();
        c->m_pszTitle = "T";
        c->SetAppType(5);
        c->SetUseDataType(1);
        EXPECT_EQ(c->Initiate(), 0);
        EXPECT_EQ(c->ExpSysLink(), 1);
        ClDataMgr::Inst()->GetSetObject(ClDataMgr::kSetData, 1);
        EXPECT_EQ(c->LogOut(), 0);
        EXPECT_EQ(c->Terminate(), 0);
        EXPECT_EQ(c->Release(), 0);
        EXPECT_EQ(c->m_pszTitle, nullptr);
        EXPECT_EQ(Calls(),
                  (std::vector<std::string>{"SetAppType 5", "SetUseDataType 1", "Initiate", "ExpSysLink",
                                            "GetSetObject 5 1", "LogOut", "Terminate", "Release"}));
    }
    EXPECT_TRUE(Messages().empty());
    host::StandIn::Get().UseModel(support::SmallModel());
    EXPECT_TRUE(Calls().empty()) << "a new model starts a new record";
}

TEST_F(HostObjects, DispMsgNamesTheTaxFormProduct) {
    Model().taxFormProductName = "Kolvaren \x90\x5C\x8D\x90";  // Kolvaren 申告
    const int result =
        ClAccConnect::Inst()->DispMsg(0x55,
                                      "\x93\xAE\x8D\xEC\x82\xAA\x95\x73\x90\xB3\x82\xC5\x82\xB7\x81\x42\n"
                                      "ES_APRPACKAGENAME\x82\xC6"
                                      "ES_APRPACKAGENAME\x83"
                                      "ES_APRPACKAGENAME",
                                      "\x89\xC8\x96\xDA\x93\xE0\x96\xF3\x8F\x91", 0x34);
    EXPECT_EQ(result, plat::kIdYes);
    EXPECT_EQ(ClAccConnect::Inst()->DispMsg(0, nullptr, nullptr, 0), plat::kIdOk);
    // Both tokens at character boundaries replaced; the one whose 'E' is the
    // second byte of 0x83 0x45 stays as it is.
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{
                  support::Box(0x55, 0x34, "\x89\xC8\x96\xDA\x93\xE0\x96\xF3\x8F\x91",
                               "\x93\xAE\x8D\xEC\x82\xAA\x95\x73\x90\xB3\x82\xC5\x82\xB7\x81\x42\n"
                               "Kolvaren \x90\x5C\x8D\x90\x82\xC6Kolvaren \x90\x5C\x8D\x90\x83"
                               "ES_APRPACKAGENAME"),
                  support::Box(0, 0, "", "")}));
    EXPECT_EQ(host::StandIn::Get().CallCount("DispMsg"), 2u);
}

TEST_F(HostObjects, PerRecordCallsAreCountedButRecordedOnlyUpToTheCap) {
    host::StandIn::Get().UseModel(hostdata::MakeSyntheticModel(250));
    ClRuleKamoku rule;
    const Walk w = WalkTotals(rule);
    ASSERT_EQ(w.records.size(), 250u);
    StKAMOKUINFO info;
    for (const StKAMOKUSUMINFO& r : w.records) EXPECT_EQ(Lookup(r.GetI32(32), info), 0);
    const host::StandIn& s = host::StandIn::Get();
    EXPECT_EQ(s.CallCount("MoveNext"), 251u);
    EXPECT_EQ(s.CallCount("WalkFind"), 250u);
    EXPECT_EQ(s.CallCount("GetSetObject 1 1"), 250u);
    std::size_t recordedMoveNext = 0;
    for (const std::string& c : Calls()) recordedMoveNext += c == "MoveNext";
    EXPECT_EQ(recordedMoveNext, host::StandIn::kMaxRecordedPerKind);
    EXPECT_EQ(Calls()[0].rfind("MoveReady ", 0), 0u);
    EXPECT_EQ(Calls()[1], "GetSumCount");
    EXPECT_EQ(Calls()[2], "SetMovePos 0");
    EXPECT_EQ(Calls()[3], "MoveNext");
    EXPECT_LE(Calls().size(), 8 * host::StandIn::kMaxRecordedPerKind);
    host::StandIn::Get().ClearCalls();
    EXPECT_EQ(s.CallCount("MoveNext"), 0u);
}

// Past 65,536 records, where a 16-bit position or count would wrap.
TEST_F(HostObjects, LargeWalkStaysExactAndBounded) {
    const std::size_t n = 65537;
    host::StandIn::Get().UseModel(hostdata::MakeSyntheticModel(n));
    const std::vector<host::AccountTotal>& totals = Model().totals.at(1);
    ClRuleKamoku rule;
    StFINDINFO find;
    ASSERT_EQ(Ready(rule, &find), 0);
    std::uint32_t count = 0;
    ASSERT_EQ(rule.GetSumCount(&count), 0);
    ASSERT_EQ(count, n);
    ASSERT_EQ(rule.SetMovePos(0), 0);
    StKAMOKUSUMINFO record;
    StKAMOKUINFO info;
    std::size_t i = 0;
    std::size_t mismatches = 0;
    while (rule.MoveNext(&record) == 0) {
        mismatches +=
            record.GetI32(32) != totals[i].code || record.GetI64(392 + 8 * 5) != totals[i].creditExcl[5];
        if (i % 97 == 0) mismatches += Lookup(record.GetI32(32), info) != 0;
        ++i;
    }
    EXPECT_EQ(i, n);
    EXPECT_EQ(mismatches, 0u);
    EXPECT_LE(Calls().size(), 8 * host::StandIn::kMaxRecordedPerKind);
}

}  // namespace
