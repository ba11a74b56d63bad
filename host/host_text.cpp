// Amounts, integers, dates, CSV fields and Shift_JIS checks of the host data folder.
#include "host/host_text.h"

#include <limits>

#include "platform/mbcs.h"

namespace host::text {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool ParseAmount(std::string_view s, std::int64_t& out) {
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    std::size_t i = 0;
    // Magnitude in ten-thousandths; the limit is |INT64_MIN| for negatives.
    const std::uint64_t limit =
        negative ? static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + 1u
                 : static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    std::uint64_t whole = 0;
    std::size_t wholeDigits = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i, ++wholeDigits) {
        const auto d = static_cast<std::uint64_t>(s[i] - '0');
        if (whole > (limit / 10000u - d) / 10u) return false;  // whole * 10 + d would pass limit / 10000
        whole = whole * 10u + d;
    }
    if (wholeDigits == 0) return false;
    std::uint64_t fraction = 0;
    if (i < s.size()) {
        if (s[i] != '.') return false;
        ++i;
        std::size_t fracDigits = 0;
        for (; i < s.size() && IsDigit(s[i]); ++i, ++fracDigits) {
            if (fracDigits == 4) return false;
            fraction = fraction * 10u + static_cast<std::uint64_t>(s[i] - '0');
        }
        if (fracDigits == 0 || i != s.size()) return false;
        for (; fracDigits < 4; ++fracDigits) fraction *= 10u;
    }
    const std::uint64_t scaledWhole = whole * 10000u;  // whole <= limit / 10000: no wrap
    if (fraction > limit - scaledWhole) return false;
    const std::uint64_t magnitude = scaledWhole + fraction;
    if (negative) {
        // Two's complement of the magnitude, also right for |INT64_MIN|.
        out = static_cast<std::int64_t>(~magnitude + 1u);
    } else {
        out = static_cast<std::int64_t>(magnitude);
    }
    return true;
}

bool ParseInteger(std::string_view s, std::int64_t lo, std::int64_t hi, bool allowHex, std::int64_t& out) {
    if (allowHex && s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        std::uint64_t v = 0;
        for (std::size_t i = 2; i < s.size(); ++i) {
            const int h = HexValue(s[i]);
            if (h < 0 || v > (std::numeric_limits<std::uint64_t>::max() >> 4)) return false;
            v = (v << 4) | static_cast<std::uint64_t>(h);
        }
        if (v > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) return false;
        const auto value = static_cast<std::int64_t>(v);
        if (value < lo || value > hi) return false;
        out = value;
        return true;
    }
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty()) return false;
    const std::uint64_t limit =
        negative ? static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + 1u
                 : static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    std::uint64_t v = 0;
    for (char c : s) {
        if (!IsDigit(c)) return false;
        const auto d = static_cast<std::uint64_t>(c - '0');
        if (v > (limit - d) / 10u) return false;
        v = v * 10u + d;
    }
    const std::int64_t value = negative ? static_cast<std::int64_t>(~v + 1u) : static_cast<std::int64_t>(v);
    if (value < lo || value > hi) return false;
    out = value;
    return true;
}

int DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0)) return 29;
    return kDays[month - 1];
}

bool IsValidDate(std::int32_t yyyymmdd) {
    if (yyyymmdd <= 0) return false;
    const int year = yyyymmdd / 10000;
    const int month = (yyyymmdd / 100) % 100;
    const int day = yyyymmdd % 100;
    return year >= 1 && year <= 9999 && day >= 1 && day <= DaysInMonth(year, month);
}

const char* CheckSjis(std::string_view s) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (plat::IsCp932LeadByte(c)) {
            if (i + 1 >= s.size()) return "全角文字が途中で切れています";
            if (!plat::IsCp932SecondByte(static_cast<unsigned char>(s[i + 1])))
                return "Shift_JIS として正しくない文字があります";
            ++i;
        } else if (c < 0x20 || c == 0x7F) {
            return "制御文字があります";
        }
    }
    return nullptr;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.front() == '/') return folder.back() == '/' ? folder + name : folder + "/" + name;
    return plat::EndsWithBackslashChar(folder) ? folder + name : folder + "\\" + name;
}

std::string ReplaceToken(const std::string& s, std::string_view token, const std::string& with) {
    if (token.empty()) return s;
    std::string result;
    std::size_t i = 0;
    while (i < s.size()) {
        if (s.compare(i, token.size(), token) == 0) {
            result += with;
            i += token.size();
        } else if (plat::IsCp932LeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) {
            result.append(s, i, 2);
            i += 2;
        } else {
            result.push_back(s[i]);
            ++i;
        }
    }
    return result;
}

bool SplitCsvLine(std::string_view line, std::vector<std::string>& fields, std::string& reason) {
    fields.clear();
    std::size_t i = 0;
    for (;;) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        std::string field;
        if (i < line.size() && line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        field.push_back('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                field.push_back(line[i]);
                ++i;
            }
            if (!closed) {
                reason = "引用符が閉じていません";
                return false;
            }
            while (i < line.size() && IsBlank(line[i])) ++i;
            if (i < line.size() && line[i] != ',') {
                reason = "引用符の後に余分な文字があります";
                return false;
            }
        } else {
            const std::size_t start = i;
            while (i < line.size() && line[i] != ',') ++i;
            const std::string_view raw = Trim(line.substr(start, i - start));
            if (raw.find('"') != std::string_view::npos) {
                reason = "引用符の位置が正しくありません";
                return false;
            }
            field.assign(raw.data(), raw.size());
        }
        fields.push_back(std::move(field));
        if (i >= line.size()) return true;
        ++i;  // the comma
    }
}

std::vector<std::string_view> SplitLines(std::string_view content) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < content.size(); ++i) {
        if (content[i] == '\n' || content[i] == '\r') {
            lines.push_back(content.substr(start, i - start));
            if (content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    if (start < content.size()) lines.push_back(content.substr(start));
    return lines;
}

}  // namespace host::text
