#include "report_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#ifndef _WIN32
#include <stdlib.h>
#endif

namespace rt {

std::unique_ptr<StKMKBALANCE> Entry(std::int32_t code, const std::string& name, std::uint8_t flag,
                                    std::int64_t zandaka) {
    auto entry = std::make_unique<StKMKBALANCE>();
    entry->lCode = code;
    std::memcpy(entry->szName, name.data(), name.size() < 16 ? name.size() : 16);
    entry->cHojyoFlg = flag;
    entry->llZandaka = zandaka;
    return entry;
}

StDATAINFO DataInfo(const std::string& company, std::int32_t from, std::int32_t to) {
    StDATAINFO info;
    info.SetText(StDATAINFO::kOffCompanyName, StDATAINFO::kCompanyNameSize, company);
    info.SetI32(StDATAINFO::kOffPeriodStart, from);
    info.SetI32(StDATAINFO::kOffPeriodEnd, to);
    return info;
}

std::string Head(const std::string& functionId, const std::string& programName,
                 const std::string& programVersion) {
    return "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n"
           "<REPORT>\r\n"
           "\t<SYSTEM>\r\n"
           "\t\t<GYOUMUPREFIX>ZQ13</GYOUMUPREFIX>\r\n"
           "\t\t<VERSION>1</VERSION>\r\n"
           "\t\t<FUNCTIONID>" +
           functionId +
           "</FUNCTIONID>\r\n"
           "\t\t<CONNECTEDPROGRAMVER>22.03.00</CONNECTEDPROGRAMVER>\r\n"
           "\t\t<PROGRAMNAME>" +
           programName +
           "</PROGRAMNAME>\r\n"
           "\t\t<PROGRAMVER>" +
           programVersion +
           "</PROGRAMVER>\r\n"
           "\t</SYSTEM>\r\n";
}

std::string Basic(const std::string& company, const std::string& from, const std::string& to) {
    return "\t<BASIC>\r\n"
           "\t\t<KOMONSAKINAME>" +
           company +
           "</KOMONSAKINAME>\r\n"
           "\t\t<JIGYOUNENDOFROM>" +
           from +
           "</JIGYOUNENDOFROM>\r\n"
           "\t\t<JIGYOUNENDOTO>" +
           to +
           "</JIGYOUNENDOTO>\r\n"
           "\t</BASIC>\r\n";
}

#ifndef _WIN32
namespace {

// The copies of one test binary's reports, checked when it ends.
class SchemaCheck : public ::testing::Environment {
public:
    void Add(const std::string& report) {
        if (m_folder.empty()) {
            char pattern[] = "/tmp/rep-reports-XXXXXX";
            const char* made = ::mkdtemp(pattern);
            EXPECT_NE(nullptr, made) << "no folder for the report copies";
            if (made == nullptr) return;
            m_folder = std::string(made) + "/";
        }
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(test->test_suite_name()) + "." + test->name();
        std::replace(name.begin(), name.end(), '/', '-');  // parameterised tests' names
        const std::string copy = m_folder + std::to_string(++m_count) + "-" + name + ".xml";
        std::error_code ec;
        std::filesystem::copy_file(std::filesystem::path(report), std::filesystem::path(copy), ec);
        EXPECT_FALSE(ec) << report << ": " << ec.message();
        if (!ec) m_copies.back() += " '" + copy + "'";
        // A command of its own every 64 KiB of paths: the shell takes the
        // whole command as one argument, which Linux bounds at 128 KiB.
        if (m_copies.back().size() > 65536) m_copies.emplace_back();
    }

    void TearDown() override {
        const std::string output = m_folder + "xmllint.txt";
        for (const std::string& copies : m_copies) {
            if (copies.empty()) continue;
            const std::string command = "xmllint --noout --schema '" REPORT_SOURCE_DIR "/docs/report.xsd'" +
                                        copies + " >'" + output + "' 2>&1";
            const int status = std::system(command.c_str());
            std::ifstream in(output, std::ios::binary);
            std::ostringstream text;
            text << in.rdbuf();
            EXPECT_EQ(0, status) << m_count << " reports, kept in " << m_folder << ":\n" << text.str();
            if (status != 0) return;  // left for a look
        }
        std::error_code ec;
        if (!m_folder.empty()) std::filesystem::remove_all(std::filesystem::path(m_folder), ec);
    }

private:
    std::string m_folder;                  // ends in '/'
    std::vector<std::string> m_copies{1};  // per command: quoted paths, each after a blank
    int m_count = 0;
};

SchemaCheck* const g_schemaCheck =
    static_cast<SchemaCheck*>(::testing::AddGlobalTestEnvironment(new SchemaCheck));

}  // namespace
#endif

void CheckWithSchemaAtExit(const support::ScratchFolder& dir, const std::string& reportName) {
#ifdef _WIN32
    (void)dir;
    (void)reportName;
#else
    g_schemaCheck->Add(dir.HostPath(reportName));
#endif
}

}  // namespace rt
