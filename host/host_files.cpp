// The tables of a host data folder's files: names, columns and the keys of host.ini.
#include "host/host_files.h"

#include "platform/types.h"

namespace host::files {
namespace {

constexpr std::int64_t kMaxFolder = plat::kPathBytes - 1;  // with its closing backslash: one short of a path
constexpr std::int64_t kMaxProductName = 255;

}  // namespace

std::string CsvFile::Name(std::int32_t dataNo) const {
    return std::string(stem) + (perDataSet ? std::to_string(dataNo) : "") + ".csv";
}

const CsvFile& Users() {
    static const CsvFile f{"users", false, {"user", "selected1", "selected2"}};
    return f;
}

const CsvFile& DataSets() {
    static const CsvFile f{"datasets",
                           false,
                           {"dataNo", "id", "company", "periodStart", "periodEnd", "periodSetting",
                            "dataKind", "taxIncluded", "closingDay"}};
    return f;
}

const CsvFile& Accounts() {
    static const CsvFile f{"accounts-", true, {"account", "sub", "class"}};
    return f;
}

const CsvFile& Totals() {
    static const CsvFile f = [] {
        CsvFile t{"totals-",
                  true,
                  {"account", "sub", "name", "nature", "hojyo", "exclude1", "exclude2", "attributes"}};
        for (const char* prefix : {"dx", "di", "cx", "ci"}) {
            for (std::size_t e = 0; e < kPeriodEntries; ++e) t.columns.push_back(prefix + std::to_string(e));
        }
        return t;
    }();
    return f;
}

const char* SectionName(Section section) {
    static const char* const kNames[] = {"Session", "Folders", "Product", "Faults"};
    return kNames[static_cast<std::size_t>(section)];
}

const std::vector<IniKey>& IniKeys() {
    using S = Section;
    static const std::vector<IniKey> keys = {
        {S::kSession, "User", 1, kMaxUserId, [](HostModel& m) -> IniField { return &m.currentUser; }},
        {S::kSession, "InitiateResult", INT32_MIN, INT32_MAX,
         [](HostModel& m) -> IniField { return &m.initiateResult; }},
        {S::kSession, "ExpSysLinkResult", INT32_MIN, INT32_MAX,
         [](HostModel& m) -> IniField { return &m.expSysLinkResult; }},
        {S::kFolders, "Output", 0, kMaxFolder, [](HostModel& m) -> IniField { return &m.appFolder[0]; }},
        {S::kFolders, "Settings", 0, kMaxFolder, [](HostModel& m) -> IniField { return &m.appFolder[1]; }},
        {S::kProduct, "TaxFormName", 0, kMaxProductName,
         [](HostModel& m) -> IniField { return &m.taxFormProductName; }},
        {S::kFaults, "FailRuleCreate", 0, 1,
         [](HostModel& m) -> IniField { return &m.faults.failRuleCreate; }},
        {S::kFaults, "FailPeriodCreate", 0, 1,
         [](HostModel& m) -> IniField { return &m.faults.failPeriodCreate; }},
        {S::kFaults, "FailGetSumCount", 0, 1,
         [](HostModel& m) -> IniField { return &m.faults.failGetSumCount; }},
        {S::kFaults, "FailSetMovePos", 0, 1,
         [](HostModel& m) -> IniField { return &m.faults.failSetMovePos; }},
        {S::kFaults, "FailMoveNextAt", 0, INT32_MAX,
         [](HostModel& m) -> IniField { return &m.faults.failMoveNextAt; }},
        {S::kFaults, "MoveNextError", INT32_MIN, INT32_MAX,
         [](HostModel& m) -> IniField { return &m.faults.moveNextError; }},
        {S::kFaults, "ReportedCount", -1, 4294967295LL,
         [](HostModel& m) -> IniField { return &m.faults.reportedCount; }},
    };
    return keys;
}

}  // namespace host::files
