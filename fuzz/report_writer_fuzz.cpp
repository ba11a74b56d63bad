// The report with fuzzed company name, support-file values, account codes,
// names, sub-account flags and balances: the file is well-formed XML, with
// no control byte but TAB, LF and CR. Names reach the list as the
// aggregation copies them (CopyKmkName). Input: function ID, company name,
// product name and version, then entries of code, flag, balance and name.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "aggregation/balance_list.h"
#include "aggregation/kmk_name.h"
#include "host/records.h"
#include "platform/files.h"
#include "report/report_writer.h"
#include "support/fuzz_support.h"
#include "tests/support/recording_progress.h"

namespace {

// Control bytes and broken double-byte characters may come from outside
// (a hand-edited SUPPORT.INF, a damaged host record): the writer leaves them
// out. Single bytes that are no Shift_JIS character at all (DEL, 0x80, 0xA0,
// 0xFD and above) are passed over; code page 932 readers take them.
bool IsOutsideText(const std::string& text) {
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b == 0x7F || b == 0x80 || b == 0xA0 || b >= 0xFD) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::Scratch& scratch = fz::Scratch::Get();
    scratch.Reset();
    fz::Reader in(data, size);
    const auto functionId = static_cast<std::int16_t>(in.I32());
    const std::string company = in.Bytes(StDATAINFO::kCompanyNameSize - 1);
    const std::string productName = in.Bytes(255);
    const std::string productVersion = in.Bytes(255);
    if (!IsOutsideText(company) || !IsOutsideText(productName) || !IsOutsideText(productVersion)) return -1;
    fz::WritePosixFile(scratch.Posix() + "/SUPPORT.INF",
                       "[=製品名=]" + productName + "\r\n[=製品ﾊﾞｰｼﾞｮﾝ=]" + productVersion + "\r\n");

    ClBalanceList list;
    while (!in.Empty() && list.size() < 200) {
        auto entry = std::make_unique<StKMKBALANCE>();
        entry->lCode = in.I32();
        entry->cHojyoFlg = in.Byte();
        entry->llZandaka = in.I64();
        const std::string name = in.Bytes(64);
        if (!IsOutsideText(name)) return -1;
        CopyKmkName(entry->szName, reinterpret_cast<const std::uint8_t*>(name.data()), name.size());
        list.push_back(std::move(entry));
    }

    StDATAINFO info;
    info.SetText(StDATAINFO::kOffCompanyName, StDATAINFO::kCompanyNameSize, company);
    info.SetI32(StDATAINFO::kOffPeriodStart, 20220401);
    info.SetI32(StDATAINFO::kOffPeriodEnd, 20230331);

    support::NullProgress progress;
    ClReportWriter writer;
    writer.m_pProgress = &progress;
    writer.m_pBalanceList = &list;
    const std::string path = scratch.Win() + "out.xml";
    fz::Check(writer.Write(path, functionId, info) == 1, "report not written");
    std::string doc;
    fz::Check(plat::ReadWholeFile(path, doc), "report not readable");
    const std::string problem = fz::XmlProblem(doc);
    fz::Check(problem.empty(), "report is not well-formed: " + problem, doc);
    return 0;
}
