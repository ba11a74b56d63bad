// The application object's run: ExitInstance once, whatever InitInstance says.
#include "platform/app_entry.h"

#include <gtest/gtest.h>

#include <string>
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

TEST(RunApplication, CallsExitInstanceOnceAfterSuccessfulInit) {
    RecordingApp app(true, 0);
    EXPECT_EQ(plat::RunApplication(app), 0);
    EXPECT_EQ(app.calls, (std::vector<std::string>{"init", "exit"}));
}

TEST(RunApplication, CallsExitInstanceOnceAfterFailedInit) {
    RecordingApp app(false, 2);
    EXPECT_EQ(plat::RunApplication(app), 2);
    EXPECT_EQ(app.calls, (std::vector<std::string>{"init", "exit"}));
}

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
