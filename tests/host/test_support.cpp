#include "test_support.h"

#include <string>

namespace host_test {
std::string AmountCells(long long yen) {
    std::string s;
    for (int i = 0; i < 60; ++i) {
        if (i > 0) s += ',';
        s += std::to_string(yen + i);
    }
    return s;
}

std::vector<std::string>& FolderFiles::Lines(const std::string& name) {
    for (auto& f : files) {
        if (f.first == name) return f.second;
    }
    files.emplace_back(name, std::vector<std::string>{});
    return files.back().second;
}

bool FolderFiles::WriteTo(const support::ScratchFolder& folder) const {
    for (const auto& [name, lines] : files) {
        std::string content;
        for (const std::string& line : lines) content += line + lineEnd;
        if (!folder.Write(name, content)) return false;
    }
    return true;
}

FolderFiles MinimalFolder() {
    FolderFiles f;
    f.Lines("host.ini") = {"[Session]",      "User=u1",   "InitiateResult=0", "[Folders]",
                           "Output=C:\\out", "Settings=", "[Product]",        "TaxFormName=Prod"};
    f.Lines("users.csv") = {"user,selected1,selected2", "u1,1,1"};
    f.Lines("datasets.csv") = {
        "dataNo,id,company,periodStart,periodEnd,periodSetting,dataKind,taxIncluded,closingDay",
        "1,ID1,Co,20250401,20260331,1,0,0,0"};
    f.Lines("accounts-1.csv") = {"account,sub,class", "100,0,0", "100,1,0", "200,0,1"};
    std::string header = "account,sub,name,nature,hojyo,exclude1,exclude2,attributes";
    for (const char* p : {"dx", "di", "cx", "ci"}) {
        for (int e = 0; e < 15; ++e) header += std::string(",") + p + std::to_string(e);
    }
    // Line numbers: 1 header, 2 own row, 3 sub row, 4 closing row, 5 single account.
    f.Lines("totals-1.csv") = {
        header, "100,0,Cash,1,1,0,0,0," + AmountCells(1000), "100,1,Sub,1,0,0,0,0," + AmountCells(1000),
        "100,0,Cash,1,0,0,0,0," + AmountCells(1000), "200,0,Sales,2,0,0,0,0x08000000," + AmountCells(5)};
    return f;
}

host::HostModel SmallModel() {
    host::HostModel m;
    m.currentUser = "u1";
    m.users = {{"u1", 7, 2}, {"u2", 1, 3}};
    host::DataSetEntry a;
    a.dataNo = 1;
    a.idText = "SET-A";
    a.companyName = "A";
    a.periodStart = 20250101;
    a.periodEnd = 20251231;
    host::DataSetEntry b;
    b.dataNo = 2;
    b.idText = "SET-B";
    b.companyName = "B";
    b.periodStart = 20250401;
    b.periodEnd = 20260331;
    b.periodSetting = 1;
    b.taxIncludedDefault = true;
    m.dataSets = {a, b};
    m.masters[2] = {{1000000, 0}, {1000001, 1}, {2000000, 2}};
    host::AccountTotal own;
    own.code = 1000000;
    own.name = "Own";
    own.nature = 1;
    own.hojyoFlg = 1;
    host::AccountTotal sub = own;
    sub.code = 1000001;
    sub.name = "Sub";
    sub.hojyoFlg = 0;
    host::AccountTotal closing = own;
    closing.hojyoFlg = 0;
    host::AccountTotal single;
    single.code = 2000000;
    single.name = "Single";
    single.nature = 2;
    m.totals[2] = {own, sub, closing, single};
    return m;
}

}  // namespace host_test
