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

}  // namespace host_test
