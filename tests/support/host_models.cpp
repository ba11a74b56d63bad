#include "host_models.h"

#include <gtest/gtest.h>

#include "host/host_loader.h"
#include "scratch_folder.h"

namespace support {

host::DataSetEntry DataSet(std::int32_t no, const std::string& id, const std::string& company,
                           std::int32_t start, std::int32_t end) {
    host::DataSetEntry set;
    set.dataNo = no;
    set.idText = id;
    set.companyName = company;
    set.periodStart = start;
    set.periodEnd = end;
    return set;
}

host::HostModel OneUserModel(const std::string& user, std::int32_t selectedNo,
                             const std::vector<host::DataSetEntry>& sets) {
    host::HostModel model;
    model.currentUser = user;
    model.users = {{user, 1, selectedNo}};
    model.dataSets = sets;
    for (const host::DataSetEntry& set : sets) {
        model.masters[set.dataNo];
        model.totals[set.dataNo];
    }
    return model;
}

host::AccountTotal Total(std::int32_t code, const std::string& name, std::uint8_t nature,
                         std::int64_t openingYen, std::int64_t firstMonthYen) {
    host::AccountTotal t;
    t.code = code;
    t.name = name;
    t.nature = nature;
    t.debitExcl[0] = t.debitIncl[0] = openingYen * 10000;
    t.debitExcl[1] = t.debitIncl[1] = firstMonthYen * 10000;
    return t;
}

host::HostModel PeriodsModel(const std::vector<Period>& periods, bool failPeriodCreate) {
    std::vector<host::DataSetEntry> sets;
    for (const Period& p : periods) {
        const auto no = static_cast<std::int32_t>(sets.size() + 1);
        sets.push_back(DataSet(no, "DS" + std::to_string(no), "Company", p.start, p.end));
        sets.back().closingDay = p.closingDay;
    }
    host::HostModel model = OneUserModel("user1", 1, sets);
    model.faults.failPeriodCreate = failPeriodCreate;
    return model;
}

host::HostModel ShellModel() {
    host::HostModel m;
    m.currentUser = "TANAKA";
    m.taxFormProductName = "\x90\xC5\x96\xB1";  // 税務
    m.users = {{"SUZUKI", 1, 1}, {"TANAKA", 2, 3}};
    host::DataSetEntry mine =
        DataSet(3, "D0003", "\x8A\x94\x8E\xAE\x89\xEF\x8E\xD0 Test", 20250401, 20260331);  // 株式会社 Test
    mine.periodSetting = 1;
    m.dataSets = {DataSet(1, "D0001", "Other Co.", 20250101, 20251231), mine};
    return m;
}

host::HostModel ShellRunModel() {
    host::HostModel m = ShellModel();
    m.masters[3] = {{1110000, 0}, {1120000, 1}};
    m.totals[3] = {Total(1110000, "Cash", 1, 1000, 500), Total(1120000, "Bank", 1, 2000)};
    return m;
}

std::string SampleFolder() {
    return PlatformPath(LINK_SAMPLE_HOSTDATA);
}

host::HostModel SampleModel() {
    host::HostModel model;
    host::LoadError err;
    if (!host::LoadHostModel(SampleFolder(), model, err)) ADD_FAILURE() << err.ToText();
    return model;
}

host::HostModel SmallModel() {
    host::HostModel m;
    m.currentUser = "u1";
    m.users = {{"u1", 7, 2}, {"u2", 1, 3}};
    host::DataSetEntry b = DataSet(2, "SET-B", "B", 20250401, 20260331);
    b.periodSetting = 1;
    b.taxIncludedDefault = true;
    m.dataSets = {DataSet(1, "SET-A", "A", 20250101, 20251231), b};
    m.masters[2] = {{1000000, 0}, {1000001, 1}, {2000000, 2}};
    host::AccountTotal own = Total(1000000, "Own");
    own.hojyoFlg = 1;
    m.totals[2] = {own, Total(1000001, "Sub"), Total(1000000, "Own"), Total(2000000, "Single", 2)};
    return m;
}

}  // namespace support
