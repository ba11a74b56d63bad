// The application object's run: ExitInstance once, whatever InitInstance says.
#include "platform/app_entry.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

class RecordingApp : public plat::WinApp {
public:
    RecordingApp(bool initResult, int exitCode) : m_initResult(initResult), m_exitCode(exitCode) {}
    bool InitInstance() override {
        calls.push_back("init");
        return m_initResult;
    }
    int ExitInstance() override {
        calls.push_back("exit");
        return m_exitCode;
    }
    std::vector<std::string> calls;

private:
    bool m_initResult;
    int m_exitCode;
};

// Whether InitInstance succeeds, and ExitInstance's exit code.
class RunApplication : public ::testing::TestWithParam<std::pair<bool, int>> {};

TEST_P(RunApplication, CallsExitInstanceOnce) {
    RecordingApp app(GetParam().first, GetParam().second);
    EXPECT_EQ(plat::RunApplication(app), GetParam().second);
    EXPECT_EQ(app.calls, (std::vector<std::string>{"init", "exit"}));
}

INSTANTIATE_TEST_SUITE_P(AfterInit, RunApplication,
                         ::testing::Values(std::pair(true, 0), std::pair(false, 2)),
                         [](const auto& row) { return row.param.first ? "Succeeded" : "Failed"; });

TEST(WinApp, CurrentIsTheLastConstructedUntilDestroyed) {
    EXPECT_EQ(plat::WinApp::Current(), nullptr);
    {
        RecordingApp first(true, 0);
        EXPECT_EQ(plat::WinApp::Current(), &first);
        {
            RecordingApp second(true, 0);
            EXPECT_EQ(plat::WinApp::Current(), &second);
        }
        EXPECT_EQ(plat::WinApp::Current(), nullptr);
    }
    EXPECT_EQ(plat::WinApp::Current(), nullptr);
}

}  // namespace
