#pragma once
// The files of a host data folder, one table per kind: its name and its
// columns, or for host.ini its keys and where each one lands in the model.
// The loader reads by these tables and the formatter writes by them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include "host/host_model.h"

namespace host::files {

constexpr const char* kHostIni = "host.ini";
constexpr std::size_t kMaxUserId = 64;  // bytes, in users.csv and as host.ini's User

// A kind of CSV file: its name (with the data number for a file per data
// set) and its columns in the order the header names them.
struct CsvFile {
    const char* stem;  // "users", or "accounts-" for a file per data set
    bool perDataSet;
    std::vector<std::string> columns;

    std::string Name(std::int32_t dataNo = 0) const;
};

const CsvFile& Users();     // users.csv
const CsvFile& DataSets();  // datasets.csv
const CsvFile& Accounts();  // accounts-<dataNo>.csv
// totals-<dataNo>.csv: account, sub, name, nature, hojyo, exclude1,
// exclude2, attributes, then the arrays dx0..dx14, di0..di14, cx0..cx14,
// ci0..ci14.
const CsvFile& Totals();
constexpr std::size_t kFirstAmountColumn = 8;
constexpr std::size_t kPeriodEntries = std::tuple_size_v<PeriodAmounts>;

enum class Section { kSession, kFolders, kProduct, kFaults };
const char* SectionName(Section section);  // as written: "Session"

// Where a key's value lands: a text (a folder under [Folders]), an integer
// or a flag of 0 or 1.
using IniField = std::variant<std::string*, int*, std::int64_t*, bool*>;

struct IniKey {
    Section section;
    const char* name;  // as written; read in any letter case
    std::int64_t lo;   // integers: the lowest value; texts: 1 when required
    std::int64_t hi;   // integers: the highest value; texts: the most bytes
    IniField (*field)(HostModel& model);
};
// Every key of host.ini, in the order the formatter writes them.
const std::vector<IniKey>& IniKeys();

}  // namespace host::files
