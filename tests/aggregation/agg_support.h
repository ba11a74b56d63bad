#pragma once
// Shared pieces of the aggregation tests: a connected host stand-in with one
// data set, and find-info records written item by item.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "aggregation/balance_list.h"
#include "aggregation/kmk_summary.h"
#include "host/acc_connect.h"
#include "host/data_mgr.h"
#include "host/records.h"
#include "host/stand_in.h"
#include "tests/support/host_models.h"
#include "tests/support/recording_progress.h"
#include "tests/support/standin_fixture.h"

namespace aggtest {

constexpr std::int64_t kYen = 10000;  // ten-thousandths per yen
constexpr std::int32_t kDataNo = 7;

using support::Total;

// A month condition item of the find-info.
inline void SetMonthItem(StFINDINFO& f, int item, std::int16_t compare, std::int16_t value,
                         std::int16_t link) {
    const std::size_t base = StFINDINFO::ItemOffset(item);
    f.SetI32(base + StFINDINFO::kOffFieldCode, StFINDINFO::kFieldMonth);
    f.SetI16(base + StFINDINFO::kOffCompare, compare);
    f.SetI16(base + StFINDINFO::kOffValueType, StFINDINFO::kValue16);
    f.SetI16(base + StFINDINFO::kOffValue, value);
    f.SetI16(base + StFINDINFO::kOffLink, link);
}

// Fiscal months from..to, then the extra month codes joined with "or".
inline StFINDINFO MonthFind(std::int16_t from, std::int16_t to, std::vector<std::int16_t> extras = {}) {
    StFINDINFO f;
    SetMonthItem(f, 0, 4, from, 1);
    SetMonthItem(f, 1, 6, to, extras.empty() ? 0 : 2);
    for (std::size_t i = 0; i < extras.size(); ++i) {
        SetMonthItem(f, static_cast<int>(i) + 2, 1, extras[i], i + 1 < extras.size() ? 2 : 0);
    }
    return f;
}

class AggregationFixture : public support::StandInTest {
protected:
    AggregationFixture() {
        m_dataInfo.SetI32(StDATAINFO::kOffDataNo, kDataNo);
        m_dataInfo.SetI32(StDATAINFO::kOffPeriodStart, 20230401);
        m_dataInfo.SetI32(StDATAINFO::kOffPeriodEnd, 20240331);
    }

    // Adds a total and, with class >= -128, its master record.
    void Add(const host::AccountTotal& t, int kmkClass = 0) {
        m_model.totals[kDataNo].push_back(t);
        if (kmkClass >= -128) {
            host::AccountMasterEntry m;
            m.code = t.code;
            m.kmkClass = static_cast<std::int8_t>(kmkClass);
            m_model.masters[kDataNo].push_back(m);
        }
    }
    host::Faults& Faults() { return m_model.faults; }
    void SetPeriodSetting(std::int32_t setting) {
        m_model.dataSets[0].periodSetting = setting;
        m_dataInfo.SetI32(StDATAINFO::kOffPeriodSetting, setting);
    }

    void Connect() { StandInTest::Connect(m_model); }
    // Connects, then runs one aggregation with a fresh engine.
    std::int32_t Run(const StFINDINFO& find, int taxIncluded = 0) {
        Connect();
        ClKmkSummary engine;
        engine.m_pProgress = &m_progress;
        engine.m_pBalanceList = &m_list;
        const std::int32_t result = engine.Execute(taxIncluded, find, m_dataInfo);
        m_bRuleHeld = RuleHeld();
        return result;
    }
    // The closing balance of the entry with the code; fails the test when
    // there is none.
    std::int64_t Balance(std::int32_t code) const {
        for (const auto& e : m_list) {
            if (e->lCode == code) return e->llZandaka;
        }
        ADD_FAILURE() << "no entry " << code;
        return 0;
    }
    std::vector<std::int32_t> Codes() const {
        std::vector<std::int32_t> codes;
        for (const auto& e : m_list) codes.push_back(e->lCode);
        return codes;
    }
    // Whether a rule object the engine created is still there (a failed
    // creation is recorded too, and leaves none).
    static bool RuleHeld() {
        return !host::StandIn::Get().Model().faults.failRuleCreate &&
               HostCalls("new ClRuleKamoku") > HostCalls("delete ClRuleKamoku");
    }
    // How often the host call was made since Connect.
    static long HostCalls(const std::string& call) {
        return static_cast<long>(host::StandIn::Get().CallCount(call));
    }

    host::HostModel m_model = support::OneUserModel(
        "tester", kDataNo, {support::DataSet(kDataNo, "AGG07", "Test", 20230401, 20240331)});
    StDATAINFO m_dataInfo;
    support::RecordingProgress m_progress;
    ClBalanceList m_list;
    bool m_bRuleHeld = false;
};

}  // namespace aggtest
