#pragma once
// Shared helpers of the report tests: list entries and the data-set record,
// the document's fixed parts and (natively) the schema check.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "aggregation/balance_list.h"
#include "host/records.h"
#include "tests/support/scratch_folder.h"

namespace rt {

std::unique_ptr<StKMKBALANCE> Entry(std::int32_t code, const std::string& name, std::uint8_t flag,
                                    std::int64_t zandaka);
StDATAINFO DataInfo(const std::string& company, std::int32_t from, std::int32_t to);

// The documents' fixed parts, for the default test setting: no support
// file, function ID 1.
std::string Head(const std::string& functionId = "1", const std::string& programName = "KR9",
                 const std::string& programVersion = "22.03.0X");
std::string Basic(const std::string& company, const std::string& from, const std::string& to);

// Keeps a copy of the completed report reportName. When the test binary
// ends, xmllint reads every copy in one run, strictly as Shift_JIS XML and
// against docs/report.xsd; a failure names the test the copy came from.
// Does nothing on Windows, where the tool is not at hand.
void CheckWithSchemaAtExit(const support::ScratchFolder& dir, const std::string& reportName);

}  // namespace rt
