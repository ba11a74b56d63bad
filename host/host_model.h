#pragma once
// The host as the data folder describes it (docs/host-data.md): one record per
// line of its files. The loader fills it, the formatter writes it back, and
// the stand-in answers the host calls from it.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "host/records.h"

namespace host {

// Ten-thousandths of a yen per period entry: 0 opening .. 12 months, 13
// year-end, 14 mid-year.
using PeriodAmounts = std::array<std::int64_t, StKAMOKUSUMINFO::kPeriodEntries>;

struct UserEntry {
    std::string id;  // at most 64 bytes
    std::int32_t selectedNo1 = 0;
    std::int32_t selectedNo2 = 0;  // data number of the user's selected data set
};

struct DataSetEntry {
    std::int32_t dataNo = 0;
    std::string idText;  // at most 15 bytes
    std::string companyName;
    std::int32_t periodStart = 0;  // yyyymmdd
    std::int32_t periodEnd = 0;
    std::int32_t periodSetting = 0;
    std::int16_t dataKind = 0;  // 99 = past results
    bool taxIncludedDefault = false;
    std::int32_t closingDay = 0;  // 0 = month end, else 1 to 28
};

// The parts of a composite code: account 1 to kMaxAccount, sub-account 0 to
// kMaxSub (0 the account itself); the largest code still fits 32 bits.
constexpr std::int32_t kMaxAccount = 214747;
constexpr std::int32_t kMaxSub = 9999;

// Data set files are kept per data number; several data sets may share one.
struct AccountMasterEntry {
    std::int32_t code = 0;  // composite: account * 10000 + sub-account
    std::int8_t kmkClass = 0;
};

struct AccountTotal {
    std::int32_t code = 0;
    std::string name;         // Shift_JIS, at most 56 bytes
    std::uint8_t nature = 0;  // 1 debit nature
    std::uint8_t hojyoFlg = 0;
    std::uint8_t exclude1 = 0;
    std::uint8_t exclude2 = 0;
    std::uint32_t attributes = 0;
    PeriodAmounts debitExcl{};
    PeriodAmounts debitIncl{};
    PeriodAmounts creditExcl{};
    PeriodAmounts creditIncl{};
};

// Faults a test or a hand-edited data folder can ask the stand-in to play.
struct Faults {
    bool failRuleCreate = false;
    bool failPeriodCreate = false;
    bool failGetSumCount = false;
    bool failSetMovePos = false;
    int failMoveNextAt = 0;  // the k-th MoveNext (1-based) returns moveNextError; 0 never
    int moveNextError = 9999;
    std::int64_t reportedCount = -1;  // GetSumCount reports this instead of the real count, when >= 0
};

struct HostModel {
    std::string currentUser;
    int initiateResult = 0;
    int expSysLinkResult = 0;
    std::string appFolder[2];  // 0 default output, 1 settings; each ends in a backslash or is empty
    // The host may answer with no text at all; its callers must not take it.
    bool appFolderNull[2] = {false, false};
    std::string taxFormProductName;
    std::vector<UserEntry> users;
    std::vector<DataSetEntry> dataSets;
    // Per data number: the account master and the account totals in walk order.
    std::map<std::int32_t, std::vector<AccountMasterEntry>> masters;
    std::map<std::int32_t, std::vector<AccountTotal>> totals;
    Faults faults;
};

}  // namespace host
