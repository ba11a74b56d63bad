#pragma once
// Text helpers of the host data folder: exact amounts, integers, CSV fields and
// Shift_JIS checks, as the loader reads them.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace host::text {

// Yen with at most four decimals ("-12.5", "0.0001", "1000") into
// ten-thousandths, exactly; false for anything else or outside 64 bits.
bool ParseAmount(std::string_view s, std::int64_t& out);

// Decimal with an optional sign, or hexadecimal after "0x" when allowHex;
// false when malformed or outside [lo, hi].
bool ParseInteger(std::string_view s, std::int64_t lo, std::int64_t hi, bool allowHex, std::int64_t& out);

// A valid calendar date written yyyymmdd (years 1 to 9999).
bool IsValidDate(std::int32_t yyyymmdd);
int DaysInMonth(int year, int month);

// Double-byte aware: a lead byte followed by a valid trail byte. nullptr when
// the text is well formed, else a short reason.
const char* CheckSjis(std::string_view s);
// folder + separator + name: '/' after a POSIX folder, else a backslash.
std::string JoinPath(const std::string& folder, const std::string& name);
// Every occurrence of token at a character boundary replaced by with.
std::string ReplaceToken(const std::string& s, std::string_view token, const std::string& with);

// One CSV line split into trimmed fields; quoted fields ("...", "" for a
// quote) keep their blanks. false with the reason on a malformed quote.
bool SplitCsvLine(std::string_view line, std::vector<std::string>& fields, std::string& reason);

// A file's text split into lines (LF, CR LF or a lone CR end a line).
std::vector<std::string_view> SplitLines(std::string_view content);
// Without the blanks (spaces and tabs) at either end.
std::string_view Trim(std::string_view s);

}  // namespace host::text
