#include <set>
#include <string>

#include "host/host_data.h"
#include "host/host_text.h"

namespace host {
namespace {

constexpr const char* kEol = "\r\n";

void AppendRow(std::string& out, std::initializer_list<std::string> fields) {
    bool first = true;
    for (const std::string& f : fields) {
        if (!first) out += ',';
        out += text::QuoteCsvField(f);
        first = false;
    }
    out += kEol;
}

std::string FormatIni(const HostModel& m) {
    std::string s;
    s += std::string("[Session]") + kEol;
    s += "User=" + m.currentUser + kEol;
    s += "InitiateResult=" + std::to_string(m.initiateResult) + kEol;
    s += "ExpSysLinkResult=" + std::to_string(m.expSysLinkResult) + kEol;
    s += std::string("[Folders]") + kEol;
    s += "Output=" + m.appFolder[0] + kEol;
    s += "Settings=" + m.appFolder[1] + kEol;
    s += std::string("[Product]") + kEol;
    s += "TaxFormName=" + m.taxFormProductName + kEol;
    const Faults& f = m.faults;
    const Faults none;
    if (f.failRuleCreate != none.failRuleCreate || f.failPeriodCreate != none.failPeriodCreate ||
        f.failGetSumCount != none.failGetSumCount || f.failSetMovePos != none.failSetMovePos ||
        f.failMoveNextAt != none.failMoveNextAt || f.moveNextError != none.moveNextError ||
        f.reportedCount != none.reportedCount) {
        s += std::string("[Faults]") + kEol;
        s += "FailRuleCreate=" + std::to_string(f.failRuleCreate ? 1 : 0) + kEol;
        s += "FailPeriodCreate=" + std::to_string(f.failPeriodCreate ? 1 : 0) + kEol;
        s += "FailGetSumCount=" + std::to_string(f.failGetSumCount ? 1 : 0) + kEol;
        s += "FailSetMovePos=" + std::to_string(f.failSetMovePos ? 1 : 0) + kEol;
        s += "FailMoveNextAt=" + std::to_string(f.failMoveNextAt) + kEol;
        s += "MoveNextError=" + std::to_string(f.moveNextError) + kEol;
        s += "ReportedCount=" + std::to_string(f.reportedCount) + kEol;
    }
    return s;
}

std::string Hex(std::uint32_t v) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string s = "0x";
    for (int shift = 28; shift >= 0; shift -= 4) s += kDigits[(v >> shift) & 0xFu];
    return s;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> FormatHostModel(const HostModel& model) {
    std::vector<std::pair<std::string, std::string>> files;
    files.emplace_back("host.ini", FormatIni(model));

    std::string users = std::string("user,selected1,selected2") + kEol;
    for (const UserEntry& u : model.users) {
        AppendRow(users, {u.id, std::to_string(u.selectedNo1), std::to_string(u.selectedNo2)});
    }
    files.emplace_back("users.csv", users);

    std::string sets =
        std::string("dataNo,id,company,periodStart,periodEnd,periodSetting,dataKind,taxIncluded,closingDay") +
        kEol;
    for (const DataSetEntry& d : model.dataSets) {
        AppendRow(sets,
                  {std::to_string(d.dataNo), d.idText, d.companyName, std::to_string(d.periodStart),
                   std::to_string(d.periodEnd), std::to_string(d.periodSetting), std::to_string(d.dataKind),
                   d.taxIncludedDefault ? "1" : "0", std::to_string(d.closingDay)});
    }
    files.emplace_back("datasets.csv", sets);

    std::set<std::int32_t> done;
    for (const DataSetEntry& d : model.dataSets) {
        if (!done.insert(d.dataNo).second) continue;
        std::string master = std::string("account,sub,class") + kEol;
        const auto mit = model.masters.find(d.dataNo);
        if (mit != model.masters.end()) {
            for (const AccountMasterEntry& e : mit->second) {
                AppendRow(master, {std::to_string(e.code / 10000), std::to_string(e.code % 10000),
                                   std::to_string(e.kmkClass)});
            }
        }
        files.emplace_back("accounts-" + std::to_string(d.dataNo) + ".csv", master);

        std::string totals = "account,sub,name,nature,hojyo,exclude1,exclude2,attributes";
        for (const char* prefix : {"dx", "di", "cx", "ci"}) {
            for (int e = 0; e < 15; ++e) totals += std::string(",") + prefix + std::to_string(e);
        }
        totals += kEol;
        const auto tit = model.totals.find(d.dataNo);
        if (tit != model.totals.end()) {
            for (const AccountTotal& t : tit->second) {
                std::string row = std::to_string(t.code / 10000) + "," + std::to_string(t.code % 10000) +
                                  "," + text::QuoteCsvField(t.name) + "," + std::to_string(t.nature) + "," +
                                  std::to_string(t.hojyoFlg) + "," + std::to_string(t.exclude1) + "," +
                                  std::to_string(t.exclude2) + "," + Hex(t.attributes);
                for (const auto* a : {&t.debitExcl, &t.debitIncl, &t.creditExcl, &t.creditIncl}) {
                    for (std::int64_t v : *a) row += "," + text::FormatAmount(v);
                }
                totals += row + kEol;
            }
        }
        files.emplace_back("totals-" + std::to_string(d.dataNo) + ".csv", totals);
    }
    return files;
}

}  // namespace host
