// The loader: what each file of a host data folder holds, read into a HostModel.
#include "host/host_loader.h"

#include <algorithm>
#include <new>
#include <set>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "host/folder_reader.h"
#include "host/host_files.h"
#include "host/host_text.h"
#include "host/records.h"
#include "host/totals_order.h"
#include "platform/files.h"
#include "platform/mbcs.h"

namespace host {
namespace {

constexpr std::size_t kMaxIdText = StDATAINFO::kIdSize - 1;
constexpr std::size_t kMaxCompanyName = StDATAINFO::kCompanyNameSize - 1;
constexpr std::size_t kMaxAccountName = StKAMOKUSUMINFO::kNameSize - 1;

using Row = FolderReader::Row;

// What each file of the folder holds, read into the model in the order the
// files depend on each other: host.ini, users, data sets, then per data set
// its account master and its totals.
class Loader {
public:
    Loader(std::string folder, LoadError& err) : m_in(std::move(folder), err) {}

    bool Load(HostModel& model) {
        // '?' stands for a character that code page 932 lacks.
        if (m_in.Folder().find('?') != std::string::npos)
            return m_in.Fail("", 0, "", "データフォルダの名前に使えない文字があります: " + m_in.Folder());
        if (!plat::IsDirectory(m_in.Folder()))
            return m_in.Fail("", 0, "", "データフォルダがありません: " + m_in.Folder());
        return LoadIni(model) && LoadUsers(model) && LoadDataSets(model) && LoadAccounts(model);
    }

private:
    // Stores a key's value where the key table says; a folder gets its
    // closing backslash before its length is checked.
    bool IniValue(int line, const std::string& keyText, const files::IniKey& key, const std::string& value,
                  HostModel& model) {
        const files::IniField field = key.field(model);
        if (std::string* const* out = std::get_if<std::string*>(&field)) {
            std::string v = value;
            if (key.section == files::Section::kFolders && !v.empty() && !plat::EndsWithBackslashChar(v))
                v += '\\';
            if (!m_in.CheckText(files::kHostIni, line, keyText, v, static_cast<std::size_t>(key.hi),
                                key.lo > 0))
                return false;
            **out = v;
            return true;
        }
        std::int64_t v = 0;
        if (!m_in.Integer(files::kHostIni, line, keyText, value, key.lo, key.hi, v)) return false;
        std::visit(
            [v](auto* out) {
                using T = std::remove_pointer_t<decltype(out)>;
                if constexpr (std::is_same_v<T, bool>) {
                    *out = v != 0;
                } else if constexpr (std::is_integral_v<T>) {
                    *out = static_cast<T>(v);
                }
            },
            field);
        return true;
    }

    bool LoadIni(HostModel& model) {
        const std::string name = files::kHostIni;
        std::string content;
        if (!m_in.ReadFile(name, content)) return false;
        const std::vector<files::IniKey>& keys = files::IniKeys();
        std::vector<bool> seen(keys.size(), false);
        std::string section;  // lower case
        const auto inSection = [&section](const files::IniKey& k) {
            return FolderReader::Lower(files::SectionName(k.section)) == section;
        };
        const std::vector<std::string_view> lines = text::SplitLines(content);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const int lineNo = static_cast<int>(i + 1);
            const std::string_view line = text::Trim(lines[i]);
            if (line.find('\0') != std::string_view::npos)
                return m_in.Fail(name, lineNo, "", "NUL 文字があります");
            if (FolderReader::IsSkippedLine(line)) continue;
            if (line.front() == '[') {
                if (line.back() != ']') return m_in.Fail(name, lineNo, "", "セクション名の ] がありません");
                section = FolderReader::Lower(text::Trim(line.substr(1, line.size() - 2)));
                if (std::none_of(keys.begin(), keys.end(), inSection)) {
                    return m_in.Fail(name, lineNo, std::string(line), "知らないセクションです");
                }
                continue;
            }
            const std::size_t eq = line.find('=');
            if (eq == std::string_view::npos)
                return m_in.Fail(name, lineNo, "", "キー=値 の形ではありません");
            const std::string keyText(text::Trim(line.substr(0, eq)));
            const std::string value(text::Trim(line.substr(eq + 1)));
            if (section.empty()) return m_in.Fail(name, lineNo, keyText, "セクションの前にキーがあります");
            const auto key = std::find_if(keys.begin(), keys.end(), [&](const files::IniKey& k) {
                return inSection(k) && FolderReader::Lower(k.name) == FolderReader::Lower(keyText);
            });
            if (key == keys.end()) return m_in.Fail(name, lineNo, keyText, "知らないキーです");
            const auto k = static_cast<std::size_t>(key - keys.begin());
            if (seen[k]) return m_in.Fail(name, lineNo, keyText, "キーが重複しています");
            seen[k] = true;
            if (!IniValue(lineNo, keyText, *key, value, model)) return false;
        }
        for (std::size_t k = 0; k < keys.size(); ++k) {
            const bool required =
                std::holds_alternative<std::string*>(keys[k].field(model)) && keys[k].lo > 0;
            if (required && !seen[k]) {
                return m_in.Fail(name, 0, keys[k].name,
                                 std::string("[") + files::SectionName(keys[k].section) + "] の " +
                                     keys[k].name + " がありません");
            }
        }
        return true;
    }

    bool LoadUsers(HostModel& model) {
        std::set<std::string> ids;
        return m_in.ForEachRow(files::Users(), 0, [&](const Row& r) {
            UserEntry u;
            std::int64_t v1 = 0;
            std::int64_t v2 = 0;
            if (!r.Text(0, files::kMaxUserId, true) || !r.Int(1, INT32_MIN, INT32_MAX, v1) ||
                !r.Int(2, INT32_MIN, INT32_MAX, v2)) {
                return false;
            }
            if (!ids.insert(r[0]).second) return r.Fail(0, "利用者が重複しています");
            u.id = r[0];
            u.selectedNo1 = static_cast<std::int32_t>(v1);
            u.selectedNo2 = static_cast<std::int32_t>(v2);
            model.users.push_back(std::move(u));
            return true;
        });
    }

    bool LoadDataSets(HostModel& model) {
        return m_in.ForEachRow(files::DataSets(), 0, [&](const Row& r) {
            DataSetEntry d;
            std::int64_t no = 0;
            std::int64_t setting = 0;
            std::int64_t kind = 0;
            std::int64_t taxIncl = 0;
            std::int64_t closing = 0;
            if (!r.Int(0, 1, INT32_MAX, no) || !r.Text(1, kMaxIdText, true) ||
                !r.Text(2, kMaxCompanyName, false) || !r.Date(3, d.periodStart) || !r.Date(4, d.periodEnd) ||
                !r.Int(5, INT32_MIN, INT32_MAX, setting) || !r.Int(6, -32768, 32767, kind) ||
                !r.Int(7, 0, 1, taxIncl) || !r.Int(8, 0, 28, closing)) {
                return false;
            }
            if (d.periodEnd < d.periodStart) return r.Fail(4, "期首より前の日付です");
            d.dataNo = static_cast<std::int32_t>(no);
            d.idText = r[1];
            d.companyName = r[2];
            d.periodSetting = static_cast<std::int32_t>(setting);
            d.dataKind = static_cast<std::int16_t>(kind);
            d.taxIncludedDefault = taxIncl != 0;
            d.closingDay = static_cast<std::int32_t>(closing);
            model.dataSets.push_back(std::move(d));
            return true;
        });
    }

    bool LoadAccounts(HostModel& model) {
        std::set<std::int32_t> done;
        for (const DataSetEntry& d : model.dataSets) {
            if (!done.insert(d.dataNo).second) continue;  // data sets sharing a number share the files
            if (!LoadMaster(d.dataNo, model.masters[d.dataNo])) return false;
            if (!LoadTotals(d.dataNo, model.masters[d.dataNo], model.totals[d.dataNo])) return false;
        }
        return true;
    }

    bool LoadMaster(std::int32_t dataNo, std::vector<AccountMasterEntry>& master) {
        std::set<std::int32_t> codes;
        return m_in.ForEachRow(files::Accounts(), dataNo, [&](const Row& r) {
            AccountMasterEntry e;
            std::int64_t cls = 0;
            if (!r.Code(e.code) || !r.Int(2, -128, 127, cls)) return false;
            if (!codes.insert(e.code).second) return r.Fail(1, "科目コードが重複しています");
            e.kmkClass = static_cast<std::int8_t>(cls);
            master.push_back(e);
            return true;
        });
    }

    bool LoadTotals(std::int32_t dataNo, const std::vector<AccountMasterEntry>& master,
                    std::vector<AccountTotal>& totals) {
        std::set<std::int32_t> known;
        for (const AccountMasterEntry& e : master) known.insert(e.code);
        TotalsOrder order;
        TotalsOrder::Break brk;
        const std::string name = files::Totals().Name(dataNo);
        const auto broken = [&] { return m_in.Fail(name, brk.line, brk.field, brk.message); };
        const bool ok = m_in.ForEachRow(files::Totals(), dataNo, [&](const Row& r) {
            AccountTotal t;
            std::int64_t v[5] = {};
            if (!r.Code(t.code) || !r.Text(2, kMaxAccountName, false)) return false;
            t.name = r[2];
            for (std::size_t c = 3; c <= 6; ++c) {
                if (!r.Int(c, 0, 255, v[c - 3])) return false;
            }
            if (!r.Int(7, 0, 0xFFFFFFFFLL, v[4], true)) return false;
            t.nature = static_cast<std::uint8_t>(v[0]);
            t.hojyoFlg = static_cast<std::uint8_t>(v[1]);
            t.exclude1 = static_cast<std::uint8_t>(v[2]);
            t.exclude2 = static_cast<std::uint8_t>(v[3]);
            t.attributes = static_cast<std::uint32_t>(v[4]);
            PeriodAmounts* arrays[4] = {&t.debitExcl, &t.debitIncl, &t.creditExcl, &t.creditIncl};
            for (std::size_t a = 0; a < 4; ++a) {
                for (std::size_t e = 0; e < files::kPeriodEntries; ++e) {
                    if (!r.Amount(files::kFirstAmountColumn + a * files::kPeriodEntries + e, (*arrays[a])[e]))
                        return false;
                }
            }
            if (known.count(t.code) == 0) {
                return r.Fail(0, "科目 " + std::to_string(t.code) + " が " + files::Accounts().Name(dataNo) +
                                     " にありません");
            }
            if (!order.Next(r.Line(), t.code, t.hojyoFlg != 0, brk)) return broken();
            totals.push_back(std::move(t));
            return true;
        });
        if (!ok) return false;
        return order.End(brk) || broken();
    }

    FolderReader m_in;
};

}  // namespace

std::string LoadError::ToText() const {
    std::string s = "ホストデータを読み込めません: ";
    if (!file.empty()) {
        s += file;
        if (line > 0) s += " " + std::to_string(line) + "行目";
        if (!field.empty()) s += " 「" + field + "」";
        s += ": ";
    }
    s += message;
    // One line for the user: no line breaks from the data.
    for (char& c : s) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return s;
}

bool LoadHostModel(const std::string& folder, HostModel& model, LoadError& err) {
    // A folder too large for the address space must not end the process:
    // what was loaded so far is gone when this is caught, and the caller
    // can say why there is no connection.
    try {
        HostModel loaded;
        Loader loader(folder, err);
        if (!loader.Load(loaded)) return false;
        model = std::move(loaded);
        return true;
    } catch (const std::bad_alloc&) {
        err = LoadError{};
        err.message = "メモリが足りません: " + folder;
        return false;
    }
}

}  // namespace host
