// A HostModel written as the files of a host data folder.
#include "tools/hostdata/host_format.h"

#include <set>
#include <string>
#include <type_traits>
#include <variant>

#include "host/host_files.h"
#include "host/host_text.h"

namespace hostdata {

using namespace host;

namespace {

constexpr const char* kEol = "\r\n";

void AppendRow(std::string& out, std::initializer_list<std::string> fields) {
    bool first = true;
    for (const std::string& f : fields) {
        if (!first) out += ',';
        out += QuoteCsvField(f);
        first = false;
    }
    out += kEol;
}

// The column names joined by commas.
std::string Header(const files::CsvFile& kind) {
    std::string header;
    for (const std::string& c : kind.columns) header += (header.empty() ? "" : ",") + c;
    return header;
}

// A key's value as host.ini writes it.
std::string IniValue(const files::IniKey& key, const HostModel& model) {
    // Only read: the key table hands out the places the loader fills.
    const files::IniField field = key.field(const_cast<HostModel&>(model));
    return std::visit(
        [](auto* value) -> std::string {
            using T = std::remove_pointer_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::string>) {
                return *value;
            } else if constexpr (std::is_same_v<T, bool>) {
                return *value ? "1" : "0";
            } else {
                return std::to_string(*value);
            }
        },
        field);
}

// [Faults] is written only when a fault is asked for.
bool AnyFault(const HostModel& model) {
    const HostModel none;
    for (const files::IniKey& key : files::IniKeys()) {
        if (key.section == files::Section::kFaults && IniValue(key, model) != IniValue(key, none))
            return true;
    }
    return false;
}

std::string FormatIni(const HostModel& model) {
    std::string s;
    bool written = false;
    const files::IniKey* previous = nullptr;
    for (const files::IniKey& key : files::IniKeys()) {
        if (previous == nullptr || previous->section != key.section) {
            written = key.section != files::Section::kFaults || AnyFault(model);
            if (written) s += std::string("[") + files::SectionName(key.section) + "]" + kEol;
        }
        if (written) s += std::string(key.name) + "=" + IniValue(key, model) + kEol;
        previous = &key;
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

std::string FormatAmount(std::int64_t v) {
    const bool negative = v < 0;
    const std::uint64_t magnitude =
        negative ? ~static_cast<std::uint64_t>(v) + 1u : static_cast<std::uint64_t>(v);
    std::string s = std::to_string(magnitude / 10000u);
    std::uint64_t fraction = magnitude % 10000u;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction);
        digits.insert(0, 4 - digits.size(), '0');
        while (!digits.empty() && digits.back() == '0') digits.pop_back();
        s += '.';
        s += digits;
    }
    return negative ? "-" + s : s;
}

std::string QuoteCsvField(const std::string& s) {
    // Quoted: blanks at either end, which the reader trims, and a leading # or
    // ; which would make the line a comment.
    const bool plain = !s.empty() && s.find_first_of(",\"") == std::string::npos &&
                       text::Trim(s).size() == s.size() && s.front() != '#' && s.front() != ';';
    if (plain || s.empty()) return s;
    std::string q = "\"";
    for (char c : s) {
        if (c == '"') q.push_back('"');
        q.push_back(c);
    }
    q.push_back('"');
    return q;
}

std::vector<std::pair<std::string, std::string>> FormatHostModel(const HostModel& model) {
    std::vector<std::pair<std::string, std::string>> out;
    out.emplace_back(files::kHostIni, FormatIni(model));

    std::string users = Header(files::Users()) + kEol;
    for (const UserEntry& u : model.users) {
        AppendRow(users, {u.id, std::to_string(u.selectedNo1), std::to_string(u.selectedNo2)});
    }
    out.emplace_back(files::Users().Name(), users);

    std::string sets = Header(files::DataSets()) + kEol;
    for (const DataSetEntry& d : model.dataSets) {
        AppendRow(sets,
                  {std::to_string(d.dataNo), d.idText, d.companyName, std::to_string(d.periodStart),
                   std::to_string(d.periodEnd), std::to_string(d.periodSetting), std::to_string(d.dataKind),
                   d.taxIncludedDefault ? "1" : "0", std::to_string(d.closingDay)});
    }
    out.emplace_back(files::DataSets().Name(), sets);

    std::set<std::int32_t> done;
    for (const DataSetEntry& d : model.dataSets) {
        if (!done.insert(d.dataNo).second) continue;
        std::string master = Header(files::Accounts()) + kEol;
        const auto mit = model.masters.find(d.dataNo);
        if (mit != model.masters.end()) {
            for (const AccountMasterEntry& e : mit->second) {
                AppendRow(master, {std::to_string(e.code / 10000), std::to_string(e.code % 10000),
                                   std::to_string(e.kmkClass)});
            }
        }
        out.emplace_back(files::Accounts().Name(d.dataNo), master);

        std::string totals = Header(files::Totals()) + kEol;
        const auto tit = model.totals.find(d.dataNo);
        if (tit != model.totals.end()) {
            for (const AccountTotal& t : tit->second) {
                std::string row = std::to_string(t.code / 10000) + "," + std::to_string(t.code % 10000) +
                                  "," + QuoteCsvField(t.name) + "," + std::to_string(t.nature) + "," +
                                  std::to_string(t.hojyoFlg) + "," + std::to_string(t.exclude1) + "," +
                                  std::to_string(t.exclude2) + "," + Hex(t.attributes);
                for (const auto* a : {&t.debitExcl, &t.debitIncl, &t.creditExcl, &t.creditIncl}) {
                    for (std::int64_t v : *a) row += "," + FormatAmount(v);
                }
                totals += row + kEol;
            }
        }
        out.emplace_back(files::Totals().Name(d.dataNo), totals);
    }
    return out;
}

}  // namespace hostdata
