#include "report_test_util.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/files.h"
#include "platform/process.h"
#include "platform/types.h"

#ifndef _WIN32
#include <stdlib.h>

#include "platform/portable/drive_table.h"
#endif

namespace rt {

ScratchDir::ScratchDir() {
    m_previousDir = plat::GetCurrentDir();
#ifdef _WIN32
    const std::string temp = plat::GetTempDir();
    auto seed = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::string candidate = temp + "rep-report-" + std::to_string(seed + attempt);
        if (plat::CreateDir(candidate)) {
            m_base = candidate + "\\";
            break;
        }
    }
    m_host = m_base;
#else
    char pattern[] = "/tmp/rep-report-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    if (made != nullptr) {
        // The scratch folder is drive C: of the system's view.
        plat::portable::MapRoot("C:", made, plat::kDriveFixed);
        m_base = "C:\\";
        m_host = std::string(made) + "/";
    }
#endif
    EXPECT_FALSE(m_base.empty()) << "no scratch folder";
    EXPECT_TRUE(plat::SetCurrentDir(m_base)) << m_base;
}

ScratchDir::~ScratchDir() {
    plat::SetCurrentDir(m_previousDir);
    if (m_host.empty()) return;
    std::error_code ec;
    std::filesystem::remove_all(std::filesystem::path(m_host), ec);
}

int ScratchDir::EntryCount() const {
    std::error_code ec;
    int count = 0;
    for (auto it = std::filesystem::directory_iterator(std::filesystem::path(m_host), ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        ++count;
    }
    return count;
}

std::string ReadBytes(const std::string& path) {
    std::string content;
    if (!plat::ReadWholeFile(path, content)) return std::string();
    return content;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    plat::File file;
    if (!file.Open(path, plat::File::Mode::kWriteTruncate)) return false;
    const bool ok = bytes.empty() || file.Write(bytes.data(), bytes.size());
    file.Close();
    return ok;
}

bool Exists(const std::string& path) {
    return plat::PathExists(path);
}

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

std::string Hex(const std::string& bytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        if (!out.empty()) out += ' ';
        out += kDigits[c >> 4];
        out += kDigits[c & 15];
    }
    return out;
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
        const std::string copy = m_folder + std::to_string(++m_count) + "-" + test->test_suite_name() + "." +
                                 test->name() + ".xml";
        std::error_code ec;
        std::filesystem::copy_file(std::filesystem::path(report), std::filesystem::path(copy), ec);
        EXPECT_FALSE(ec) << report << ": " << ec.message();
        if (!ec) m_copies += " '" + copy + "'";
    }

    void TearDown() override {
        if (m_copies.empty()) return;
        const std::string output = m_folder + "xmllint.txt";
        const std::string command = "xmllint --noout --schema '" REPORT_SOURCE_DIR "/docs/report.xsd'" +
                                    m_copies + " >'" + output + "' 2>&1";
        const int status = std::system(command.c_str());
        std::ifstream in(output, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        EXPECT_EQ(0, status) << m_count << " reports, kept in " << m_folder << ":\n" << text.str();
        if (status != 0) return;  // left for a look
        std::error_code ec;
        std::filesystem::remove_all(std::filesystem::path(m_folder), ec);
    }

private:
    std::string m_folder;  // ends in '/'
    std::string m_copies;  // quoted paths, each after a blank
    int m_count = 0;
};

SchemaCheck* const g_schemaCheck =
    static_cast<SchemaCheck*>(::testing::AddGlobalTestEnvironment(new SchemaCheck));

}  // namespace
#endif

void CheckWithSchemaAtExit(const ScratchDir& dir, const std::string& reportName) {
#ifdef _WIN32
    (void)dir;
    (void)reportName;
#else
    g_schemaCheck->Add(dir.HostPath(reportName));
#endif
}

}  // namespace rt
