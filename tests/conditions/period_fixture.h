#pragma once
// A connected host stand-in whose data sets carry the accounting periods the
// month tests need.
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/host_models.h"
#include "tests/support/standin_fixture.h"

struct PeriodSpec {
    std::int32_t start;
    std::int32_t end;
    std::int32_t closingDay;  // 0 month end
};

class PeriodFixture : public support::StandInTest {
protected:
    // Connects with one data set per period (data numbers 1, 2, ...).
    void Connect(const std::vector<PeriodSpec>& periods, bool failPeriodCreate = false) {
        std::vector<host::DataSetEntry> sets;
        for (const PeriodSpec& p : periods) {
            const auto no = static_cast<std::int32_t>(sets.size() + 1);
            sets.push_back(support::DataSet(no, "DS" + std::to_string(no), "Company", p.start, p.end));
            sets.back().closingDay = p.closingDay;
        }
        host::HostModel model = support::OneUserModel("user1", 1, sets);
        model.faults.failPeriodCreate = failPeriodCreate;
        StandInTest::Connect(model);
    }
};

// The periods of the month tests.
constexpr PeriodSpec kJanDec{20230101, 20231231, 0};
constexpr PeriodSpec kAprMar{20230401, 20240331, 0};
constexpr PeriodSpec kAugDec{20230801, 20231231, 0};
constexpr PeriodSpec kOctMar{20231001, 20240331, 0};
