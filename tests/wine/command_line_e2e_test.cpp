// The program started from a path in a double-byte folder, unquoted and
// quoted, by the driver's parent window: the text after the program name
// still names the parent, which is disabled during the run and receives the
// result. The installed level 3 ends the run at once with a message owned by
// the parent and result 2, which is also the exit status.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "link_driver.h"

namespace {

constexpr int kFunctionId = 9;
constexpr DWORD kTimeoutMs = 30000;

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    const HANDLE h =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    return ok && written == bytes.size();
}

struct Case {
    const char* label;
    const char* folder;
    bool quoted;
};

class CommandLineE2eTest : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override {
        ASSERT_FALSE(Env("LINK_E2E_EXE").empty()) << "run through CTest";
        e2e::SetTimeoutReporter(
            [](const std::string& what) { ADD_FAILURE() << "timed out waiting for " << what; });
    }
    void TearDown() override {
        for (const std::string& file : m_files) DeleteFileA(file.c_str());
        for (auto it = m_folders.rbegin(); it != m_folders.rend(); ++it) RemoveDirectoryA(it->c_str());
    }
    std::string MakeFolder(const std::string& path) {
        if (CreateDirectoryA(path.c_str(), nullptr)) m_folders.push_back(path);
        return path;
    }

    e2e::LinkDriver m_driver;
    std::vector<std::string> m_files;
    std::vector<std::string> m_folders;
};

TEST_P(CommandLineE2eTest, ParentIsDisabledAndToldTheResult) {
    const Case& c = GetParam();
    MakeFolder(Env("LINK_E2E_WORK"));
    const std::string base = MakeFolder(Env("LINK_E2E_WORK") + "\\command-line");
    const std::string folder = MakeFolder(base + "\\" + c.folder);
    const std::string exe = folder + "\\Dorvik22ToZq13_U.exe";
    const std::string ini = folder + "\\KolvarenDef.ini";
    m_files = {exe, ini};
    ASSERT_TRUE(CopyFileA(Env("LINK_E2E_EXE").c_str(), exe.c_str(), FALSE)) << GetLastError();
    ASSERT_TRUE(WriteFileBytes(ini, "[ProgramLevel]\r\nZQ13_U=3\r\n"));
    SetEnvironmentVariableA("LINK_HOST_DATA", (Env("LINK_E2E_SOURCE") + "\\sample\\hostdata").c_str());

    ASSERT_TRUE(m_driver.Start(exe, m_driver.ParentCommandLine(kFunctionId, folder + "\\out.xml"), c.quoted));
    std::vector<e2e::MessageBoxSeen> boxes;
    ASSERT_TRUE(m_driver.WaitForExit(kTimeoutMs, IDOK, &boxes));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].owner, m_driver.ParentWindow());
    EXPECT_EQ(m_driver.EnableChanges(), (std::vector<bool>{false, true}));
    EXPECT_TRUE(IsWindowEnabled(m_driver.ParentWindow()));
    ASSERT_TRUE(m_driver.Posted());
    EXPECT_EQ(m_driver.PostedWParam(), static_cast<WPARAM>(kFunctionId));
    EXPECT_EQ(m_driver.PostedLParam(), 2);
    EXPECT_EQ(m_driver.ExitCode(), 2u);
}

// 会計 has second bytes of 0x80 and above, 表 the backslash; the quoted
// folder has a blank in it.
INSTANTIATE_TEST_SUITE_P(DoubleByteFolders, CommandLineE2eTest,
                         ::testing::Values(Case{"Kaikei", "会計", false}, Case{"Hyou", "表", false},
                                           Case{"QuotedWithBlank", "会計 表", true}),
                         [](const ::testing::TestParamInfo<Case>& param) {
                             return std::string(param.param.label);
                         });

}  // namespace
