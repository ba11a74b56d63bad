// A host data folder's files, rows and values read for the loader, each error with its place.
#include "host/folder_reader.h"

#include <new>

#include "host/host_text.h"
#include "platform/files.h"
#include "platform/mbcs.h"

namespace host {
namespace {

std::size_t g_rowsUntilStorageFault = 0;  // 0: none armed

// Quoted values in messages: at most 40 bytes, cut on a character boundary.
std::string Quote(const std::string& value) {
    return "\"" + plat::CutOnCharBoundary(value, 40) + "\"";
}

}  // namespace

void FailRowStorageAt(std::size_t row) {
    g_rowsUntilStorageFault = row;
}

bool FolderReader::Row::Amount(std::size_t c, std::int64_t& out) const {
    out = 0;
    if (!m_reader.NumberText(m_file, m_line, m_columns[c], m_fields[c])) return false;
    if (m_fields[c].empty() || text::ParseAmount(m_fields[c], out)) return true;
    return Fail(c, "金額 (円、小数4桁まで、64ビットの範囲) ではありません: " + Quote(m_fields[c]));
}

bool FolderReader::Row::Code(std::int32_t& code) const {
    std::int64_t account = 0;
    std::int64_t sub = 0;
    if (!Int(0, 1, kMaxAccount, account) || !Int(1, 0, kMaxSub, sub)) return false;
    code = static_cast<std::int32_t>(account * 10000 + sub);
    return true;
}

bool FolderReader::Fail(const std::string& file, int line, const std::string& field,
                        const std::string& message) {
    m_err.file = file;
    m_err.line = line;
    m_err.field = field;
    m_err.message = message;
    return false;
}

bool FolderReader::ReadFile(const std::string& name, std::string& content) {
    content.clear();
    const std::string path = text::JoinPath(m_folder, name);
    if (!plat::PathExists(path)) return Fail(name, 0, "", "ファイルがありません");
    if (!plat::ReadWholeFile(path, content)) return Fail(name, 0, "", "ファイルを読めません");
    if (content.size() >= 3 && content.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        return Fail(name, 1, "", "UTF-8 で保存されています。Shift_JIS で保存してください");
    }
    return true;
}

bool FolderReader::CheckText(const std::string& file, int line, const std::string& field,
                             const std::string& value, std::size_t maxBytes, bool required) {
    if (const char* reason = text::CheckSjis(value)) return Fail(file, line, field, reason);
    if (required && value.empty()) return Fail(file, line, field, "値がありません");
    if (value.size() > maxBytes) {
        return Fail(file, line, field, "長すぎます (" + std::to_string(maxBytes) + " バイトまで)");
    }
    return true;
}

// A number's text is checked as text first: a broken double-byte character
// is named as such, not shown as the valid-looking digits before it (the
// quote in the number message is cut on a character boundary, which drops a
// lone lead byte).
bool FolderReader::NumberText(const std::string& file, int line, const std::string& field,
                              const std::string& value) {
    if (const char* reason = text::CheckSjis(value)) return Fail(file, line, field, reason);
    return true;
}

bool FolderReader::Integer(const std::string& file, int line, const std::string& field,
                           const std::string& value, std::int64_t lo, std::int64_t hi, std::int64_t& out,
                           bool allowHex) {
    if (!NumberText(file, line, field, value)) return false;
    if (text::ParseInteger(value, lo, hi, allowHex, out)) return true;
    return Fail(
        file, line, field,
        "整数 " + std::to_string(lo) + " から " + std::to_string(hi) + " ではありません: " + Quote(value));
}

bool FolderReader::Date(const std::string& file, int line, const std::string& field, const std::string& value,
                        std::int32_t& out) {
    std::int64_t v = 0;
    if (!NumberText(file, line, field, value)) return false;
    if (!text::ParseInteger(value, 0, INT32_MAX, false, v) ||
        !text::IsValidDate(static_cast<std::int32_t>(v))) {
        return Fail(file, line, field, "日付 (yyyymmdd) ではありません: " + Quote(value));
    }
    out = static_cast<std::int32_t>(v);
    return true;
}

bool FolderReader::ForEachRow(const files::CsvFile& kind, std::int32_t dataNo,
                              const std::function<bool(const Row&)>& row) {
    const std::string name = kind.Name(dataNo);
    const std::vector<std::string>& columns = kind.columns;
    std::string content;
    if (!ReadFile(name, content)) return false;
    const std::vector<std::string_view> lines = text::SplitLines(content);
    std::vector<std::string> fields;
    std::string reason;
    bool headerSeen = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int lineNo = static_cast<int>(i + 1);
        const std::string_view line = lines[i];
        if (line.find('\0') != std::string_view::npos) return Fail(name, lineNo, "", "NUL 文字があります");
        if (IsSkippedLine(line)) continue;
        if (!text::SplitCsvLine(line, fields, reason)) return Fail(name, lineNo, "", reason);
        const auto count = [&] {
            return "列数が " + std::to_string(fields.size()) + " です (" + std::to_string(columns.size()) +
                   " 列のはずです)";
        };
        if (!headerSeen) {
            headerSeen = true;
            if (fields.size() != columns.size()) return Fail(name, lineNo, "", "見出し行の" + count());
            for (std::size_t c = 0; c < columns.size(); ++c) {
                if (Lower(fields[c]) != Lower(columns[c])) {
                    return Fail(name, lineNo, columns[c], "見出しが違います: " + Quote(fields[c]));
                }
            }
            continue;
        }
        if (fields.size() != columns.size()) return Fail(name, lineNo, "", count());
        if (g_rowsUntilStorageFault != 0 && --g_rowsUntilStorageFault == 0) throw std::bad_alloc();
        if (!row(Row(*this, name, lineNo, columns, fields))) return false;
    }
    if (!headerSeen) return Fail(name, 0, "", "見出し行がありません");
    return true;
}

bool FolderReader::IsSkippedLine(std::string_view line) {
    const std::string_view t = text::Trim(line);
    return t.empty() || t.front() == '#' || t.front() == ';';
}

std::string FolderReader::Lower(std::string_view s) {
    std::string r(s);
    for (char& c : r) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return r;
}

}  // namespace host
