#pragma once
// A connected host stand-in whose data sets carry the accounting periods the
// month tests need.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "host/acc_connect.h"
#include "host/host_data.h"

struct PeriodSpec {
    std::int32_t start;
    std::int32_t end;
    std::int32_t closingDay;  // 0 month end
};

class PeriodFixture : public ::testing::Test {
protected:
    // Connects with one data set per period (data numbers 1, 2, ...).
    void Connect(const std::vector<PeriodSpec>& periods, bool failPeriodCreate = false) {
        host::HostModel model;
        model.currentUser = "user1";
        host::UserEntry user;
        user.id = "user1";
        user.selectedNo1 = 1;
        user.selectedNo2 = 1;
        model.users.push_back(user);
        std::int32_t no = 1;
        for (const PeriodSpec& p : periods) {
            host::DataSetEntry set;
            set.dataNo = no;
            set.idText = "DS" + std::to_string(no);
            set.companyName = "Company";
            set.periodStart = p.start;
            set.periodEnd = p.end;
            set.closingDay = p.closingDay;
            model.dataSets.push_back(set);
            model.masters[no];
            model.totals[no];
            ++no;
        }
        model.faults.failPeriodCreate = failPeriodCreate;
        host::StandIn::Get().Reset();
        host::StandIn::Get().UseModel(model);
        ASSERT_EQ(0, ClAccConnect::Inst()->Initiate());
        host::StandIn::Get().ClearCalls();
    }
    void TearDown() override { host::StandIn::Get().Reset(); }
};

// The periods of the month tests.
constexpr PeriodSpec kJanDec{20230101, 20231231, 0};
constexpr PeriodSpec kAprMar{20230401, 20240331, 0};
constexpr PeriodSpec kAugDec{20230801, 20231231, 0};
constexpr PeriodSpec kOctMar{20231001, 20240331, 0};
