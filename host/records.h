#pragma once
// The host's records as the system uses them: sizes and the offsets of the
// fields it reads or writes.
#include <cstdint>

#include "host/byte_record.h"

// One data set of the host (ClSetData::WalkDat, ClSetData::GetSelectedInfo).
class StDATAINFO : public ByteRecord<1506> {
public:
    static constexpr std::size_t kOffId = 0;  // data set ID text, the record's leading bytes
    static constexpr std::size_t kIdSize = 16;
    static constexpr std::size_t kOffDataNo = 16;
    static constexpr std::size_t kOffCompanyName = 24;
    static constexpr std::size_t kCompanyNameSize = 256;
    static constexpr std::size_t kOffPeriodStart = 284;
    static constexpr std::size_t kOffPeriodEnd = 288;
    static constexpr std::size_t kOffPeriodSetting = 304;
    static constexpr std::size_t kOffDataKind = 326;
    static constexpr std::int16_t kDataKindPastResults = 99;
    // Stand-in only: the data number again in the record's last bytes, so a
    // copy that is not whole can be told from a whole one.
    static constexpr std::size_t kOffStandInTail = 1502;

    std::string IdText() const { return GetText(kOffId, kIdSize); }
    std::int32_t DataNo() const { return GetI32(kOffDataNo); }
    std::string CompanyName() const { return GetText(kOffCompanyName, kCompanyNameSize); }
    std::int32_t PeriodStart() const { return GetI32(kOffPeriodStart); }
    std::int32_t PeriodEnd() const { return GetI32(kOffPeriodEnd); }
    std::int32_t PeriodSetting() const { return GetI32(kOffPeriodSetting); }
    std::int16_t DataKind() const { return GetI16(kOffDataKind); }
};

// Find-info: four condition items of 34 bytes.
class StFINDINFO : public ByteRecord<136> {
public:
    static constexpr std::size_t kItemSize = 34;
    static constexpr int kItemCount = 4;
    // Offsets inside one item.
    static constexpr std::size_t kOffFieldCode = 0;
    static constexpr std::size_t kOffReserved = 4;
    static constexpr std::size_t kOffCompare = 6;
    static constexpr std::size_t kOffValueType = 10;
    static constexpr std::size_t kOffValue = 18;
    static constexpr std::size_t kOffLink = 30;

    static constexpr std::int32_t kFieldComposite = 2;
    static constexpr std::int32_t kFieldMonth = 17;
    static constexpr std::int16_t kCompareEqual = 1;
    static constexpr std::int16_t kCompareAtLeast = 4;
    static constexpr std::int16_t kCompareAtMost = 6;
    static constexpr std::int16_t kValue16 = 2;
    static constexpr std::int16_t kValue32 = 3;
    static constexpr std::int16_t kLinkNone = 0;
    static constexpr std::int16_t kLinkAnd = 1;
    static constexpr std::int16_t kLinkOr = 2;
    // Values of the month field beyond the fiscal months 1 to 12: the
    // mid-year and the year-end closing adjustments.
    static constexpr std::int16_t kMonthMidYear = 15;
    static constexpr std::int16_t kMonthYearEnd = 18;
    // The fiscal month that closes the first half of a period with period
    // setting 1, which the mid-year adjustments follow.
    static constexpr std::int16_t kMidYearFiscalMonth = 6;

    static constexpr std::size_t ItemOffset(int item) { return static_cast<std::size_t>(item) * kItemSize; }
    std::int32_t FieldCode(int item) const { return GetI32(ItemOffset(item) + kOffFieldCode); }
    std::int16_t Compare(int item) const { return GetI16(ItemOffset(item) + kOffCompare); }
    std::int16_t ValueType(int item) const { return GetI16(ItemOffset(item) + kOffValueType); }
    std::int16_t Value16(int item) const { return GetI16(ItemOffset(item) + kOffValue); }
    std::int32_t Value32(int item) const { return GetI32(ItemOffset(item) + kOffValue); }
    std::int16_t Link(int item) const { return GetI16(ItemOffset(item) + kOffLink); }
};

// One account or sub-account total (ClRuleKamoku::MoveNext).
class StKAMOKUSUMINFO : public ByteRecord<636> {
public:
    static constexpr std::size_t kOffCode = 32;
    static constexpr std::size_t kOffName = 69;
    static constexpr std::size_t kNameSize = 57;  // up to offset 126
    static constexpr std::size_t kOffExclude1 = 126;
    static constexpr std::size_t kOffExclude2 = 127;
    static constexpr std::size_t kOffHojyoFlg = 129;
    static constexpr std::size_t kOffNature = 130;
    static constexpr std::size_t kOffAttributes = 136;
    static constexpr std::size_t kOffDebitExcl = 152;
    static constexpr std::size_t kOffDebitIncl = 272;
    static constexpr std::size_t kOffCreditExcl = 392;
    static constexpr std::size_t kOffCreditIncl = 512;
    static constexpr int kPeriodEntries = 15;
    static constexpr int kEntryYearEnd = 13;
    static constexpr int kEntryMidYear = 14;
    static constexpr std::uint32_t kAttrExcludeMask = 0x18000000u;
};

// One account-master record (ClSetKamoku::WalkFind).
class StKAMOKUINFO : public ByteRecord<221> {
public:
    static constexpr std::size_t kOffCode = 16;
    static constexpr std::size_t kOffClass = 112;
};

// Consumption-tax settings (ClSetShohizei::Get).
class StSHOHIZEIINFO : public ByteRecord<20> {
public:
    static constexpr std::size_t kOffTaxIncludedDefault = 5;
};

// Department record; the system never passes one.
class StBUMONINFO;
