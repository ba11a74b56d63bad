#include "host/host_data.h"

#include <cstring>
#include <set>
#include <string_view>

#include "host/host_text.h"
#include "host/standin_state.h"
#include "platform/files.h"
#include "platform/mbcs.h"
#include "platform/message_box.h"
#include "platform/process.h"

namespace host {
namespace {

constexpr std::int64_t kInt32Min = -2147483647 - 1;
constexpr std::int64_t kInt32Max = 2147483647;
constexpr std::int64_t kMaxAccount = 214747;  // account * 10000 + 9999 still fits 32 bits
constexpr std::int64_t kMaxSub = 9999;
constexpr std::size_t kMaxUserId = 64;
constexpr std::size_t kMaxIdText = StDATAINFO::kIdSize - 1;
constexpr std::size_t kMaxCompanyName = StDATAINFO::kCompanyNameSize - 1;
constexpr std::size_t kMaxAccountName = StKAMOKUSUMINFO::kNameSize - 1;
constexpr std::size_t kMaxFolder = 259;
constexpr std::size_t kMaxProductName = 255;

const char* const kHostIni = "host.ini";
const char* const kUsersCsv = "users.csv";
const char* const kDataSetsCsv = "datasets.csv";

const std::vector<std::string>& UserColumns() {
    static const std::vector<std::string> c = {"user", "selected1", "selected2"};
    return c;
}

const std::vector<std::string>& DataSetColumns() {
    static const std::vector<std::string> c = {"dataNo",      "id",          "company",
                                               "periodStart", "periodEnd",   "periodSetting",
                                               "dataKind",    "taxIncluded", "closingDay"};
    return c;
}

const std::vector<std::string>& MasterColumns() {
    static const std::vector<std::string> c = {"account", "sub", "class"};
    return c;
}

// account, sub, name, nature, hojyo, exclude1, exclude2, attributes, then the
// four arrays dx0..dx14, di0..di14, cx0..cx14, ci0..ci14.
constexpr std::size_t kTotalsFixedColumns = 8;
const char* const kArrayPrefixes[4] = {"dx", "di", "cx", "ci"};

const std::vector<std::string>& TotalsColumns() {
    static const std::vector<std::string> c = [] {
        std::vector<std::string> v = {"account", "sub",      "name",     "nature",
                                      "hojyo",   "exclude1", "exclude2", "attributes"};
        for (const char* prefix : kArrayPrefixes) {
            for (int e = 0; e < 15; ++e) v.push_back(prefix + std::to_string(e));
        }
        return v;
    }();
    return c;
}

std::string Lower(std::string_view s) {
    std::string r(s);
    for (char& c : r) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return r;
}

std::string_view TrimView(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool IsSkippedLine(std::string_view line) {
    const std::string_view t = TrimView(line);
    return t.empty() || t.front() == '#' || t.front() == ';';
}

class Loader {
public:
    Loader(std::string folder, LoadError& err) : m_folder(std::move(folder)), m_err(err) {}

    bool Load(HostModel& model) {
        if (m_folder.empty() || !plat::IsDirectory(m_folder)) {
            return Fail("", 0, "", "データフォルダがありません: " + m_folder);
        }
        return LoadIni(model) && LoadUsers(model) && LoadDataSets(model) && LoadAccounts(model);
    }

private:
    bool Fail(const std::string& file, int line, const std::string& field, const std::string& message) {
        m_err.file = file;
        m_err.line = line;
        m_err.field = field;
        m_err.message = message;
        return false;
    }

    bool ReadFile(const std::string& name, std::string& content) {
        content.clear();
        const std::string path = text::JoinPath(m_folder, name);
        if (!plat::PathExists(path)) return Fail(name, 0, "", "ファイルがありません");
        if (!plat::ReadWholeFile(path, content)) return Fail(name, 0, "", "ファイルを読めません");
        if (content.size() >= 3 && content.compare(0, 3, "\xEF\xBB\xBF") == 0) {
            return Fail(name, 1, "", "UTF-8 で保存されています。Shift_JIS で保存してください");
        }
        return true;
    }

    // Checks the text of a field (well-formed Shift_JIS, no control bytes,
    // at most maxBytes bytes).
    bool CheckText(const std::string& file, int line, const std::string& field, const std::string& value,
                   std::size_t maxBytes, bool required) {
        if (const char* reason = text::CheckSjis(value)) return Fail(file, line, field, reason);
        if (required && value.empty()) return Fail(file, line, field, "値がありません");
        if (value.size() > maxBytes) {
            return Fail(file, line, field, "長すぎます (" + std::to_string(maxBytes) + " バイトまで)");
        }
        return true;
    }

    // A number's text is checked as text first: a broken double-byte
    // character is named as such, not shown as the valid-looking digits
    // before it (the quote in the number message is cut on a character
    // boundary, which drops a lone lead byte).
    bool NumberText(const std::string& file, int line, const std::string& field, const std::string& value) {
        if (const char* reason = text::CheckSjis(value)) return Fail(file, line, field, reason);
        return true;
    }

    bool Integer(const std::string& file, int line, const std::string& field, const std::string& value,
                 std::int64_t lo, std::int64_t hi, std::int64_t& out, bool allowHex = false) {
        if (!NumberText(file, line, field, value)) return false;
        if (text::ParseInteger(value, lo, hi, allowHex, out)) return true;
        return Fail(file, line, field,
                    "整数 " + std::to_string(lo) + " から " + std::to_string(hi) + " ではありません: \"" +
                        plat::CutOnCharBoundary(value, 40) + "\"");
    }

    bool Date(const std::string& file, int line, const std::string& field, const std::string& value,
              std::int32_t& out) {
        std::int64_t v = 0;
        if (!NumberText(file, line, field, value)) return false;
        if (!text::ParseInteger(value, 0, kInt32Max, false, v) ||
            !text::IsValidDate(static_cast<std::int32_t>(v))) {
            return Fail(file, line, field,
                        "日付 (yyyymmdd) ではありません: \"" + plat::CutOnCharBoundary(value, 40) + "\"");
        }
        out = static_cast<std::int32_t>(v);
        return true;
    }

    // Calls row(line, fields) for every data line of a CSV file whose header
    // names the columns; checks the column count of every line.
    template <typename RowFn>
    bool ForEachRow(const std::string& name, const std::vector<std::string>& columns, RowFn row) {
        std::string content;
        if (!ReadFile(name, content)) return false;
        const std::vector<std::string_view> lines = text::SplitLines(content);
        std::vector<std::string> fields;
        std::string reason;
        bool headerSeen = false;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const int lineNo = static_cast<int>(i + 1);
            const std::string_view line = lines[i];
            if (line.find('\0') != std::string_view::npos)
                return Fail(name, lineNo, "", "NUL 文字があります");
            if (IsSkippedLine(line)) continue;
            if (!text::SplitCsvLine(line, fields, reason)) return Fail(name, lineNo, "", reason);
            if (!headerSeen) {
                headerSeen = true;
                if (fields.size() != columns.size()) {
                    return Fail(name, lineNo, "",
                                "見出し行の列数が " + std::to_string(fields.size()) + " です (" +
                                    std::to_string(columns.size()) + " 列のはずです)");
                }
                for (std::size_t c = 0; c < columns.size(); ++c) {
                    if (Lower(fields[c]) != Lower(columns[c])) {
                        return Fail(name, lineNo, columns[c],
                                    "見出しが違います: \"" + plat::CutOnCharBoundary(fields[c], 40) + "\"");
                    }
                }
                continue;
            }
            if (fields.size() != columns.size()) {
                return Fail(name, lineNo, "",
                            "列数が " + std::to_string(fields.size()) + " です (" +
                                std::to_string(columns.size()) + " 列のはずです)");
            }
            if (!row(lineNo, fields)) return false;
        }
        if (!headerSeen) return Fail(name, 0, "", "見出し行がありません");
        return true;
    }

    bool LoadIni(HostModel& model) {
        const std::string name = kHostIni;
        std::string content;
        if (!ReadFile(name, content)) return false;
        struct Key {
            const char* section;
            const char* key;
        };
        static const Key kKeys[] = {
            {"session", "user"},          {"session", "initiateresult"},  {"session", "expsyslinkresult"},
            {"folders", "output"},        {"folders", "settings"},        {"product", "taxformname"},
            {"faults", "failrulecreate"}, {"faults", "failperiodcreate"}, {"faults", "failgetsumcount"},
            {"faults", "failsetmovepos"}, {"faults", "failmovenextat"},   {"faults", "movenexterror"},
            {"faults", "reportedcount"},
        };
        std::set<std::string> seen;
        std::string section;
        bool userSeen = false;
        const std::vector<std::string_view> lines = text::SplitLines(content);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const int lineNo = static_cast<int>(i + 1);
            const std::string_view line = TrimView(lines[i]);
            if (line.find('\0') != std::string_view::npos)
                return Fail(name, lineNo, "", "NUL 文字があります");
            if (IsSkippedLine(line)) continue;
            if (line.front() == '[') {
                if (line.back() != ']') return Fail(name, lineNo, "", "セクション名の ] がありません");
                section = Lower(TrimView(line.substr(1, line.size() - 2)));
                if (section != "session" && section != "folders" && section != "product" &&
                    section != "faults") {
                    return Fail(name, lineNo, std::string(line), "知らないセクションです");
                }
                continue;
            }
            const std::size_t eq = line.find('=');
            if (eq == std::string_view::npos) return Fail(name, lineNo, "", "キー=値 の形ではありません");
            const std::string keyText(TrimView(line.substr(0, eq)));
            const std::string key = Lower(keyText);
            const std::string value(TrimView(line.substr(eq + 1)));
            if (section.empty()) return Fail(name, lineNo, keyText, "セクションの前にキーがあります");
            bool known = false;
            for (const Key& k : kKeys) known = known || (section == k.section && key == k.key);
            if (!known) return Fail(name, lineNo, keyText, "知らないキーです");
            if (!seen.insert(section + "." + key).second)
                return Fail(name, lineNo, keyText, "キーが重複しています");
            std::int64_t v = 0;
            if (key == "user") {
                if (!CheckText(name, lineNo, keyText, value, kMaxUserId, true)) return false;
                model.currentUser = value;
                userSeen = true;
            } else if (key == "initiateresult" || key == "expsyslinkresult") {
                if (!Integer(name, lineNo, keyText, value, kInt32Min, kInt32Max, v)) return false;
                (key == "initiateresult" ? model.initiateResult : model.expSysLinkResult) =
                    static_cast<int>(v);
            } else if (key == "output" || key == "settings") {
                std::string folder = value;
                if (!folder.empty() && !plat::EndsWithBackslashChar(folder)) folder += '\\';
                if (!CheckText(name, lineNo, keyText, folder, kMaxFolder, false)) return false;
                model.appFolder[key == "output" ? 0 : 1] = folder;
            } else if (key == "taxformname") {
                if (!CheckText(name, lineNo, keyText, value, kMaxProductName, false)) return false;
                model.taxFormProductName = value;
            } else if (key == "failmovenextat") {
                if (!Integer(name, lineNo, keyText, value, 0, kInt32Max, v)) return false;
                model.faults.failMoveNextAt = static_cast<int>(v);
            } else if (key == "movenexterror") {
                if (!Integer(name, lineNo, keyText, value, kInt32Min, kInt32Max, v)) return false;
                model.faults.moveNextError = static_cast<int>(v);
            } else if (key == "reportedcount") {
                if (!Integer(name, lineNo, keyText, value, -1, 4294967295LL, v)) return false;
                model.faults.reportedCount = v;
            } else {
                if (!Integer(name, lineNo, keyText, value, 0, 1, v)) return false;
                Faults& f = model.faults;
                bool& flag = key == "failrulecreate"     ? f.failRuleCreate
                             : key == "failperiodcreate" ? f.failPeriodCreate
                             : key == "failgetsumcount"  ? f.failGetSumCount
                                                         : f.failSetMovePos;
                flag = v != 0;
            }
        }
        if (!userSeen) return Fail(name, 0, "User", "[Session] の User がありません");
        return true;
    }

    bool LoadUsers(HostModel& model) {
        const std::string name = kUsersCsv;
        std::set<std::string> ids;
        return ForEachRow(name, UserColumns(), [&](int line, const std::vector<std::string>& f) {
            UserEntry u;
            std::int64_t v1 = 0;
            std::int64_t v2 = 0;
            if (!CheckText(name, line, "user", f[0], kMaxUserId, true) ||
                !Integer(name, line, "selected1", f[1], kInt32Min, kInt32Max, v1) ||
                !Integer(name, line, "selected2", f[2], kInt32Min, kInt32Max, v2)) {
                return false;
            }
            if (!ids.insert(f[0]).second) return Fail(name, line, "user", "利用者が重複しています");
            u.id = f[0];
            u.selectedNo1 = static_cast<std::int32_t>(v1);
            u.selectedNo2 = static_cast<std::int32_t>(v2);
            model.users.push_back(std::move(u));
            return true;
        });
    }

    bool LoadDataSets(HostModel& model) {
        const std::string name = kDataSetsCsv;
        return ForEachRow(name, DataSetColumns(), [&](int line, const std::vector<std::string>& f) {
            DataSetEntry d;
            std::int64_t no = 0;
            std::int64_t setting = 0;
            std::int64_t kind = 0;
            std::int64_t taxIncl = 0;
            std::int64_t closing = 0;
            if (!Integer(name, line, "dataNo", f[0], 1, kInt32Max, no) ||
                !CheckText(name, line, "id", f[1], kMaxIdText, true) ||
                !CheckText(name, line, "company", f[2], kMaxCompanyName, false) ||
                !Date(name, line, "periodStart", f[3], d.periodStart) ||
                !Date(name, line, "periodEnd", f[4], d.periodEnd) ||
                !Integer(name, line, "periodSetting", f[5], kInt32Min, kInt32Max, setting) ||
                !Integer(name, line, "dataKind", f[6], -32768, 32767, kind) ||
                !Integer(name, line, "taxIncluded", f[7], 0, 1, taxIncl) ||
                !Integer(name, line, "closingDay", f[8], 0, 28, closing)) {
                return false;
            }
            if (d.periodEnd < d.periodStart) return Fail(name, line, "periodEnd", "期首より前の日付です");
            d.dataNo = static_cast<std::int32_t>(no);
            d.idText = f[1];
            d.companyName = f[2];
            d.periodSetting = static_cast<std::int32_t>(setting);
            d.dataKind = static_cast<std::int16_t>(kind);
            d.taxIncludedDefault = taxIncl != 0;
            d.closingDay = static_cast<std::int32_t>(closing);
            model.dataSets.push_back(std::move(d));
            return true;
        });
    }

    bool Code(const std::string& name, int line, const std::vector<std::string>& f, std::int32_t& code) {
        std::int64_t account = 0;
        std::int64_t sub = 0;
        if (!Integer(name, line, "account", f[0], 1, kMaxAccount, account) ||
            !Integer(name, line, "sub", f[1], 0, kMaxSub, sub)) {
            return false;
        }
        code = static_cast<std::int32_t>(account * 10000 + sub);
        return true;
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
        const std::string name = "accounts-" + std::to_string(dataNo) + ".csv";
        std::set<std::int32_t> codes;
        return ForEachRow(name, MasterColumns(), [&](int line, const std::vector<std::string>& f) {
            AccountMasterEntry e;
            std::int64_t cls = 0;
            if (!Code(name, line, f, e.code) || !Integer(name, line, "class", f[2], -128, 127, cls))
                return false;
            if (!codes.insert(e.code).second) return Fail(name, line, "sub", "科目コードが重複しています");
            e.kmkClass = static_cast<std::int8_t>(cls);
            master.push_back(e);
            return true;
        });
    }

    bool LoadTotals(std::int32_t dataNo, const std::vector<AccountMasterEntry>& master,
                    std::vector<AccountTotal>& totals) {
        const std::string name = "totals-" + std::to_string(dataNo) + ".csv";
        const std::vector<std::string>& columns = TotalsColumns();
        std::set<std::int32_t> known;
        for (const AccountMasterEntry& e : master) known.insert(e.code);

        // Walk order: an account's row; when its hojyo marker is set, its
        // sub-account rows and one more row with the account's own code.
        enum class State { kNone, kAccount, kSubs };
        State state = State::kNone;
        std::int32_t groupAccount = 0;
        int groupLine = 0;
        bool groupFlag = false;
        std::set<std::int32_t> seen;
        int lastLine = 0;
        const bool ok = ForEachRow(name, columns, [&](int line, const std::vector<std::string>& f) {
            lastLine = line;
            AccountTotal t;
            std::int64_t v = 0;
            if (!Code(name, line, f, t.code)) return false;
            if (!CheckText(name, line, "name", f[2], kMaxAccountName, false)) return false;
            t.name = f[2];
            if (!Integer(name, line, "nature", f[3], 0, 255, v)) return false;
            t.nature = static_cast<std::uint8_t>(v);
            if (!Integer(name, line, "hojyo", f[4], 0, 255, v)) return false;
            t.hojyoFlg = static_cast<std::uint8_t>(v);
            if (!Integer(name, line, "exclude1", f[5], 0, 255, v)) return false;
            t.exclude1 = static_cast<std::uint8_t>(v);
            if (!Integer(name, line, "exclude2", f[6], 0, 255, v)) return false;
            t.exclude2 = static_cast<std::uint8_t>(v);
            if (!Integer(name, line, "attributes", f[7], 0, 0xFFFFFFFFLL, v, true)) return false;
            t.attributes = static_cast<std::uint32_t>(v);
            std::array<std::int64_t, 15>* arrays[4] = {&t.debitExcl, &t.debitIncl, &t.creditExcl,
                                                       &t.creditIncl};
            for (std::size_t a = 0; a < 4; ++a) {
                for (std::size_t e = 0; e < 15; ++e) {
                    const std::size_t col = kTotalsFixedColumns + a * 15 + e;
                    std::int64_t amount = 0;
                    if (!NumberText(name, line, columns[col], f[col])) return false;
                    if (!f[col].empty() && !text::ParseAmount(f[col], amount)) {
                        return Fail(name, line, columns[col],
                                    "金額 (円、小数4桁まで、64ビットの範囲) ではありません: \"" +
                                        plat::CutOnCharBoundary(f[col], 40) + "\"");
                    }
                    (*arrays[a])[e] = amount;
                }
            }
            if (known.count(t.code) == 0) {
                return Fail(name, line, "account",
                            "科目 " + std::to_string(t.code) + " が accounts-" + std::to_string(dataNo) +
                                ".csv にありません");
            }
            const std::int32_t account = t.code / 10000;
            const bool isSub = t.code % 10000 != 0;
            if (!isSub) {
                if (state == State::kSubs) {
                    if (account != groupAccount) {
                        return Fail(name, line, "account",
                                    "補助科目の後に科目 " + std::to_string(groupAccount) +
                                        " の締めの行 (補助コード 0) がありません");
                    }
                    // The group's closing row: delivered like any other row.
                    state = State::kNone;
                    totals.push_back(std::move(t));
                    return true;
                }
                if (state == State::kAccount && groupFlag) {
                    return Fail(name, groupLine, "hojyo",
                                "補助科目ありの科目ですが、補助科目の行が続きません");
                }
                if (!seen.insert(t.code).second) return Fail(name, line, "account", "科目が重複しています");
                state = State::kAccount;
                groupAccount = account;
                groupLine = line;
                groupFlag = t.hojyoFlg != 0;
            } else {
                if ((state != State::kAccount && state != State::kSubs) || account != groupAccount) {
                    return Fail(name, line, "account", "補助科目の前に、その科目の行がありません");
                }
                if (state == State::kAccount && !groupFlag) {
                    return Fail(name, groupLine, "hojyo",
                                "補助科目の行が続く科目は hojyo を 1 にしてください");
                }
                if (!seen.insert(t.code).second) return Fail(name, line, "sub", "補助科目が重複しています");
                state = State::kSubs;
            }
            totals.push_back(std::move(t));
            return true;
        });
        if (!ok) return false;
        if (state == State::kSubs) {
            return Fail(name, lastLine, "account",
                        "ファイルの終わりに科目 " + std::to_string(groupAccount) + " の締めの行がありません");
        }
        if (state == State::kAccount && groupFlag) {
            return Fail(name, groupLine, "hojyo", "補助科目ありの科目ですが、補助科目の行が続きません");
        }
        return true;
    }

    std::string m_folder;
    LoadError& m_err;
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
    HostModel loaded;
    Loader loader(folder, err);
    if (!loader.Load(loaded)) return false;
    model = std::move(loaded);
    return true;
}

std::string DefaultDataFolder() {
    const std::string fromEnv = plat::GetEnvVar(kDataFolderEnvVar);
    if (!fromEnv.empty()) return fromEnv;
    const std::string module = plat::GetModuleFilePath();
    const std::size_t folder = plat::FolderPartLength(module);
    if (folder == 0) return "";
    return module.substr(0, folder) + "hostdata";
}

StandIn& StandIn::Get() {
    static StandIn standIn;
    return standIn;
}

void StandIn::UseModel(const HostModel& model) {
    UseModel(HostModel(model));
}

void StandIn::UseModel(HostModel&& model) {
    detail::ResetSession();
    m_model = std::move(model);
    m_folder.clear();
    m_bUseModel = true;
    m_bLoaded = true;
    m_masterIndex.clear();
    ++m_generation;
    ClearCalls();
}

void StandIn::UseFolder(const std::string& folder) {
    detail::ResetSession();
    m_model = HostModel{};
    m_folder = folder;
    m_bUseModel = false;
    m_bLoaded = false;
    m_masterIndex.clear();
    ++m_generation;
    ClearCalls();
}

void StandIn::Reset() {
    UseFolder("");
}

bool StandIn::Load(LoadError& err, bool& folderMissing) {
    folderMissing = false;
    if (m_bUseModel) {
        m_bLoaded = true;
        return true;
    }
    const std::string folder = m_folder.empty() ? DefaultDataFolder() : m_folder;
    if (folder.empty() || !plat::IsDirectory(folder)) {
        folderMissing = true;
        err = LoadError{};
        err.message = "データフォルダがありません: " + folder;
        return false;
    }
    HostModel model;
    if (!LoadHostModel(folder, model, err)) return false;
    m_model = std::move(model);
    m_masterIndex.clear();
    ++m_generation;
    m_bLoaded = true;
    return true;
}

const char* StandIn::HotCallName(HotCall call) {
    switch (call) {
        case HotCall::kMoveNext:
            return "MoveNext";
        case HotCall::kGetSetObjectKamoku:
            return "GetSetObject 1 1";
        case HotCall::kGetCursor:
            return "GetCursor";
        case HotCall::kReadyCursor:
            return "ReadyCursor";
        case HotCall::kWalkFind:
            return "WalkFind";
        case HotCall::kReleaseCursor:
            return "ReleaseCursor";
        case HotCall::kWalkDat:
            return "WalkDat";
        case HotCall::kCount:
            break;
    }
    return "";
}

std::size_t StandIn::CallCount(const std::string& call) const {
    for (std::size_t k = 0; k < m_hotCounts.size(); ++k) {
        if (call == HotCallName(static_cast<HotCall>(k))) return m_hotCounts[k];
    }
    std::size_t n = 0;
    for (const std::string& c : m_calls) n += c == call ? 1 : 0;
    return n;
}

void StandIn::ClearCalls() {
    m_calls.clear();
    m_hotCounts.fill(0);
}

int StandIn::ShowMessage(plat::WindowHandle owner, const std::string& text, const std::string& caption,
                         unsigned style) {
    if (m_messageFn) return m_messageFn(owner, text, caption, style);
    return plat::ShowMessageBox(owner, text, caption, style);
}

const AccountMasterEntry* StandIn::FindMaster(std::int32_t dataNo, std::int32_t code) {
    const auto mit = m_model.masters.find(dataNo);
    if (mit == m_model.masters.end()) return nullptr;
    const std::vector<AccountMasterEntry>& master = mit->second;
    MasterIndex& index = m_masterIndex[dataNo];
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (attempt == 1 || index.base != master.data() || index.size != master.size() ||
            index.generation != m_generation) {
            index.byCode.clear();
            index.byCode.reserve(master.size());
            for (std::size_t i = 0; i < master.size(); ++i) index.byCode.emplace(master[i].code, i);
            index.base = master.data();
            index.size = master.size();
            index.generation = m_generation;
        }
        const auto it = index.byCode.find(code);
        if (it == index.byCode.end()) return nullptr;
        if (it->second < master.size() && master[it->second].code == code) return &master[it->second];
        // The master changed in place without ModelChanged(): index again once.
    }
    return nullptr;
}

}  // namespace host
