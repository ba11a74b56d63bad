// The report with fuzzed company name, account codes, names, sub-account
// flags and balances: the file is well-formed XML. Names reach the list as
// the aggregation copies them (CopyKmkName). Input: function ID, company
// name, then entries of code, flag, balance and name.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "aggregation/balance_list.h"
#include "aggregation/kmk_name.h"
#include "app/progress_dlg.h"
#include "host/records.h"
#include "platform/files.h"
#include "report/report_writer.h"
#include "support/fuzz_support.h"

namespace {

class SilentProgress : public ClProgressDlg {
public:
    void Advance(std::int16_t, std::int16_t) override {}
    void Pulse() override {}
};

// Host texts are well-formed Shift_JIS without control characters (the host
// data loader refuses others); the report writes texts byte for byte, so
// only what the program itself cuts or converts can break them.
bool IsHostText(const std::string& text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    }
    return fz::IsWellFormedSjis(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::Scratch& scratch = fz::Scratch::Get();
    scratch.Reset();
    fz::Reader in(data, size);
    const auto functionId = static_cast<std::int16_t>(in.I32());
    const std::string company = in.Bytes(StDATAINFO::kCompanyNameSize - 1);
    if (!IsHostText(company)) return -1;

    ClBalanceList list;
    while (!in.Empty() && list.size() < 200) {
        auto entry = std::make_unique<StKMKBALANCE>();
        entry->lCode = in.I32();
        entry->cHojyoFlg = in.Byte();
        entry->llZandaka = in.I64();
        const std::string name = in.Bytes(64);
        if (!IsHostText(name)) return -1;
        CopyKmkName(entry->szName, reinterpret_cast<const std::uint8_t*>(name.data()), name.size());
        list.push_back(std::move(entry));
    }

    StDATAINFO info;
    info.SetText(StDATAINFO::kOffCompanyName, StDATAINFO::kCompanyNameSize, company);
    info.SetI32(StDATAINFO::kOffPeriodStart, 20220401);
    info.SetI32(StDATAINFO::kOffPeriodEnd, 20230331);

    SilentProgress progress;
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
