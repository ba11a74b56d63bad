// ClReportWriter: the XML report written beside the destination, which it replaces once complete.
#include "report/report_writer.h"

#include <charconv>
#include <cstring>
#include <new>

#include "platform/mbcs.h"
#include "platform/resources.h"
#include "platform/safe_replace.h"
#include "report/full_width.h"
#include "report/support_info.h"

namespace {

constexpr char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n";
constexpr char kProductCode[] = "ZQ13";
constexpr char kFormatVersion[] = "1";
constexpr unsigned kIdsProgramVersion = 1;
constexpr char kDefaultProgramName[] = "KR9";
constexpr char kDefaultProgramVersion[] = "22.03.0X";
constexpr char kCount[] = "Count";

// Values are taken into buffers of 256 bytes: at most 255 bytes of text.
constexpr std::size_t kValueMax = 255;

constexpr std::int64_t kUnitsPerYen = 10000;
constexpr std::int64_t kMaxYen = 999999999999LL;  // twelve digits
constexpr std::int64_t kMinYen = -99999999999LL;  // minus sign and eleven digits

// Whole yen, truncated toward zero; empty for 0 and for amounts the
// tax-form application does not take (more than twelve characters).
void FormatZandaka(std::int64_t llZandaka, char (&out)[32]) {
    out[0] = '\0';
    const std::int64_t yen = llZandaka / kUnitsPerYen;
    if (yen == 0 || yen < kMinYen || yen > kMaxYen) return;
    const auto res = std::to_chars(out, out + sizeof(out) - 1, yen);
    *res.ptr = '\0';
}

// "%d".
void FormatInt(std::int32_t value, char (&out)[32]) {
    const auto res = std::to_chars(out, out + sizeof(out) - 1, value);
    *res.ptr = '\0';
}

// "%4d": right-aligned in four characters, wider numbers in full.
void FormatCount(int value, char (&out)[32]) {
    char digits[16];
    const auto res = std::to_chars(digits, digits + sizeof(digits), value);
    const auto length = static_cast<std::size_t>(res.ptr - digits);
    const std::size_t pad = length < 4 ? 4 - length : 0;
    std::memset(out, ' ', pad);
    std::memcpy(out + pad, digits, length);
    out[pad + length] = '\0';
}

}  // namespace

ClReportWriter::~ClReportWriter() = default;

void ClReportWriter::Pulse() {
    if (m_pProgress != nullptr) m_pProgress->Pulse();
}

void ClReportWriter::Advance(int from, int to) {
    if (m_pProgress != nullptr)
        m_pProgress->Advance(static_cast<std::int16_t>(from), static_cast<std::int16_t>(to));
}

const char* ClReportWriter::ToFullWidth(const char* text) {
    return report::ToFullWidth(text);
}

int ClReportWriter::Write(const std::string& path, std::int16_t functionId, const StDATAINFO& dataInfo) {
    // A viewer or a scanner may hold the old report for a moment.
    constexpr std::uint32_t kReplaceWaitMillis = 2000;
    int complete = 0;
    try {
        plat::SafeReplace replace(path);  // outlives the writer, which closes its file
        ClXmlWriter xml;
        std::string line;
        line.reserve(500);

        // Not examined: a temporary file that could not be created shows as
        // a failure inside SYSTEM.
        replace.Create();
        xml.Bind(&replace.Temp());
        xml.WriteText(kDeclaration);
        xml.WriteStartTag(line, "REPORT", 0);
        Pulse();
        if (WriteSystem(xml, functionId) == 1) {
            Pulse();
            if (WriteBasic(xml, dataInfo) == 1) {
                Pulse();
                if (WriteData(xml) == 1) {
                    Pulse();
                    complete = 1;
                }
            }
        }
        // The document is complete only with its last line, and only once
        // it has replaced the destination; until then an earlier report
        // stays whole.
        if (xml.WriteEndTag(line, "REPORT", 0) != 1) complete = 0;
        if (complete == 1 && !replace.Commit(plat::Deadline(kReplaceWaitMillis))) complete = 0;
    } catch (const std::bad_alloc&) {
        complete = 0;
    }
    return complete;
}

int ClReportWriter::WriteSystem(ClXmlWriter& xml, std::int16_t functionId) {
    std::string line;
    line.reserve(256);
    char value[32];

    if (xml.WriteStartTag(line, "SYSTEM", 1) != 1) return 0;
    if (xml.WriteElement(line, "GYOUMUPREFIX", kProductCode, 2) != 1) return 0;
    Pulse();
    if (xml.WriteElement(line, "VERSION", kFormatVersion, 2) != 1) return 0;
    Pulse();
    FormatInt(functionId, value);
    if (xml.WriteElement(line, "FUNCTIONID", value, 2) != 1) return 0;
    Pulse();
    const std::string version = plat::LoadResString(kIdsProgramVersion);
    if (xml.WriteElement(line, "CONNECTEDPROGRAMVER", version.c_str(), 2) != 1) return 0;
    Pulse();

    ClSupportInfo support;
    std::string productName = plat::CutOnCharBoundary(support.GetProductName(), kValueMax);
    if (productName.empty()) productName = kDefaultProgramName;
    std::string productVersion = plat::CutOnCharBoundary(support.GetProductVersion(), kValueMax);
    if (productVersion.empty()) productVersion = kDefaultProgramVersion;

    if (xml.WriteElement(line, "PROGRAMNAME", productName.c_str(), 2) != 1) return 0;
    Pulse();
    if (xml.WriteElement(line, "PROGRAMVER", productVersion.c_str(), 2) != 1) return 0;
    Pulse();
    if (xml.WriteEndTag(line, "SYSTEM", 1) != 1) return 0;
    Advance(m_nProgressBase, m_nProgressBase + 100);
    return 1;
}

int ClReportWriter::WriteBasic(ClXmlWriter& xml, const StDATAINFO& dataInfo) {
    std::string line;
    line.reserve(256);
    char value[32];

    if (xml.WriteStartTag(line, "BASIC", 1) != 1) return 0;
    const std::string company = dataInfo.CompanyName();
    if (xml.WriteElement(line, "KOMONSAKINAME", ToFullWidth(company.c_str()), 2) != 1) return 0;
    Pulse();
    FormatInt(dataInfo.PeriodStart(), value);
    if (xml.WriteElement(line, "JIGYOUNENDOFROM", value, 2) != 1) return 0;
    Pulse();
    FormatInt(dataInfo.PeriodEnd(), value);
    if (xml.WriteElement(line, "JIGYOUNENDOTO", value, 2) != 1) return 0;
    Pulse();
    if (xml.WriteEndTag(line, "BASIC", 1) != 1) return 0;
    Advance(m_nProgressBase + 100, m_nProgressBase + 200);
    return 1;
}

// The host delivers each account whose flag is set followed by its
// sub-accounts and then once more by the account's own row, which closes the
// group and is not written. A list that breaks that order must still give
// balanced XML, so a group is closed by whatever cannot belong to it (an
// account row, a sub-account of another account, the end of the list), only
// the open account's own row is taken as its closing row, and a sub-account
// with no group of its own account open is left out.
int ClReportWriter::WriteData(ClXmlWriter& xml) {
    std::string line;
    line.reserve(256);
    char value[32];
    int accountCount = 1;
    int subCount = 1;
    char name[sizeof(StKMKBALANCE::szName)];
    bool groupOpen = false;         // a KANJYOKAMOKU element waits for its end tag
    bool awaitClosingRow = false;   // the flagged account's own row is still to come
    std::int32_t groupAccount = 0;  // the account of both

    auto closeGroup = [&]() -> int {
        groupOpen = false;
        if (xml.WriteEndTag(line, "KANJYOKAMOKU", 2) != 1) return 0;
        subCount = 1;
        ++accountCount;
        return 1;
    };

    if (xml.WriteStartTag(line, "DATA", 1) != 1) return 0;
    if (m_pBalanceList != nullptr) {
        for (m_itCur = m_pBalanceList->begin(); m_itCur != m_pBalanceList->end(); ++m_itCur) {
            Pulse();
            const StKMKBALANCE& entry = **m_itCur;
            const std::int32_t account = entry.lCode / 10000;
            const std::int32_t sub = entry.lCode % 10000;
            // At most 16 bytes, whatever the entry holds.
            std::memcpy(name, entry.szName, sizeof(name) - 1);
            name[sizeof(name) - 1] = '\0';

            if (sub != 0) {
                if (!groupOpen || account != groupAccount) {
                    if (groupOpen && closeGroup() != 1) return 0;
                    continue;  // no group of its own account to go into
                }
                FormatCount(subCount, value);
                if (xml.WriteStartTag(line, "HOJYOKAMOKU", 3, kCount, value) != 1) return 0;
                FormatInt(sub, value);
                if (xml.WriteElement(line, "HOJYOKAMOKU_CODE", value, 4) != 1) return 0;
                if (xml.WriteElement(line, "HOJYOKAMOKU_NAME", name, 4) != 1) return 0;
                FormatZandaka(entry.llZandaka, value);
                if (xml.WriteElement(line, "HOJYOKAMOKU_ZANDAKA", value, 4) != 1) return 0;
                if (xml.WriteEndTag(line, "HOJYOKAMOKU", 3) != 1) return 0;
                ++subCount;
                continue;
            }

            if (groupOpen && closeGroup() != 1) return 0;
            if (awaitClosingRow) {
                awaitClosingRow = false;
                if (account == groupAccount) continue;  // the group's closing row
            }
            FormatCount(accountCount, value);
            if (xml.WriteStartTag(line, "KANJYOKAMOKU", 2, kCount, value) != 1) return 0;
            FormatInt(account, value);
            if (xml.WriteElement(line, "KANJYOKAMOKU_CODE", value, 3) != 1) return 0;
            if (xml.WriteElement(line, "KANJYOKAMOKU_NAME", name, 3) != 1) return 0;
            FormatZandaka(entry.llZandaka, value);
            if (xml.WriteElement(line, "KANJYOKAMOKU_ZANDAKA", value, 3) != 1) return 0;
            if (entry.cHojyoFlg != 0) {
                groupOpen = true;
                awaitClosingRow = true;
                groupAccount = account;
            } else {
                if (xml.WriteEndTag(line, "KANJYOKAMOKU", 2) != 1) return 0;
                ++accountCount;
            }
        }
    }
    if (groupOpen && closeGroup() != 1) return 0;
    if (xml.WriteEndTag(line, "DATA", 1) != 1) return 0;
    Advance(m_nProgressBase + 200, ClProgress::kScaleEnd);
    return 1;
}
