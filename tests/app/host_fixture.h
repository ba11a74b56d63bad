#pragma once
// A small host for the shell's tests: one user whose selected data set is
// number 3, installed in the stand-in and connected.
#include "host/acc_connect.h"
#include "host/host_data.h"

inline host::HostModel MakeShellModel() {
    host::HostModel m;
    m.currentUser = "TANAKA";
    m.taxFormProductName = "\x90\xC5\x96\xB1";  // 税務
    m.users.push_back({"SUZUKI", 1, 1});
    m.users.push_back({"TANAKA", 2, 3});
    host::DataSetEntry other;
    other.dataNo = 1;
    other.idText = "D0001";
    other.companyName = "Other Co.";
    other.periodStart = 20250101;
    other.periodEnd = 20251231;
    m.dataSets.push_back(other);
    host::DataSetEntry mine;
    mine.dataNo = 3;
    mine.idText = "D0003";
    mine.companyName = "\x8A\x94\x8E\xAE\x89\xEF\x8E\xD0 Test";  // 株式会社 Test
    mine.periodStart = 20250401;
    mine.periodEnd = 20260331;
    mine.periodSetting = 1;
    m.dataSets.push_back(mine);
    return m;
}

// Installs the model; the next Initiate uses it.
inline void InstallModel(const host::HostModel& model) {
    host::StandIn::Get().Reset();
    host::StandIn::Get().UseModel(model);
}

inline int CountCalls(const std::string& name) {
    int n = 0;
    for (const std::string& c : host::StandIn::Get().Calls()) n += c == name ? 1 : 0;
    return n;
}
