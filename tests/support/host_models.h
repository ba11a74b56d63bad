#pragma once
// Host data for the tests, built in memory.
#include <cstdint>
#include <string>
#include <vector>

#include "host/host_model.h"

namespace support {

// A data set: number, ID, company and fiscal period (yyyymmdd).
host::DataSetEntry DataSet(std::int32_t no, const std::string& id, const std::string& company,
                           std::int32_t start, std::int32_t end);
// A host whose one user has selected data set selectedNo; every data set gets
// an empty account master and totals.
host::HostModel OneUserModel(const std::string& user, std::int32_t selectedNo,
                             const std::vector<host::DataSetEntry>& sets);
// An account total of the nature (1 debit) with its opening balance and the
// first month's debits in yen, tax-exclusive and inclusive alike.
host::AccountTotal Total(std::int32_t code, const std::string& name, std::uint8_t nature = 1,
                         std::int64_t openingYen = 0, std::int64_t firstMonthYen = 0);

// An accounting period, first and last day, and the closing day (0 month end).
struct Period {
    std::int32_t start;
    std::int32_t end;
    std::int32_t closingDay = 0;
};
constexpr Period kJanDec{20230101, 20231231};
constexpr Period kAprMar{20230401, 20240331};
constexpr Period kAugDec{20230801, 20231231};
constexpr Period kOctMar{20231001, 20240331};
// One user's host with a data set per period (data numbers 1, 2, ...), the
// first selected; failPeriodCreate: no period calculator can be made.
host::HostModel PeriodsModel(const std::vector<Period>& periods, bool failPeriodCreate = false);

// The shell's host: of two users and two data sets, TANAKA has selected number
// 3, "株式会社 Test" from April 2025 to March 2026; the tax-form product is 税務.
host::HostModel ShellModel();
// The same with two accounts in data set 3: cash (1,000 yen at the opening,
// 500 debited in the first month) and bank (2,000 yen at the opening).
host::HostModel ShellRunModel();
// The sample company's data folder of the source tree (sample/hostdata), as
// the platform names it, and its model, loaded; a failure names the place.
std::string SampleFolder();
host::HostModel SampleModel();
// u1 has selected SET-B, the second of two data sets, which holds an account
// with one sub-account (and its closing row) and a single account.
host::HostModel SmallModel();

}  // namespace support
