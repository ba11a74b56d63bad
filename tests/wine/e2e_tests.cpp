// The program across processes under Wine: a parent window of this test
// starts the real exe with "hwnd,msg,fid,path" and watches what comes back.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "parent_harness.h"

namespace {

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

// 科目内訳書 in code page 932.
const char kCaption[] = "\x89\xC8\x96\xDA\x93\xE0\x96\xF3\x8F\x91";

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(Env("LINK_E2E_EXE").empty()) << "run through CTest";
        const std::string work = Env("LINK_E2E_WORK");
        CreateDirectoryA(work.c_str(), nullptr);
        m_runDir = work + "\\" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        CreateDirectoryA(m_runDir.c_str(), nullptr);
        m_exe = m_runDir + "\\Dorvik22ToZq13_U.exe";
        ASSERT_TRUE(CopyFileA(Env("LINK_E2E_EXE").c_str(), m_exe.c_str(), FALSE));
        WriteIni("[ProgramLevel]\r\nZQ13_U=2\r\n");
        const std::string hostData = Env("LINK_E2E_SOURCE") + "\\sample\\hostdata";
        SetEnvironmentVariableA("LINK_HOST_DATA", hostData.c_str());
    }

    void WriteIni(const std::string& content) {
        const std::string path = m_runDir + "\\KolvarenDef.ini";
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(h);
    }

    std::string Line(const std::string& fid, bool complete = true) const {
        std::string line = std::to_string(reinterpret_cast<UINT_PTR>(m_parent.Window())) + "," +
                           std::to_string(ParentHarness::kNotifyMessage) + "," + fid;
        if (complete) line += "," + m_runDir + "\\out.xml";
        return line;
    }

    static bool WasDisabled(const ParentRunResult& r) {
        for (bool enabled : r.enableChanges) {
            if (!enabled) return true;
        }
        return false;
    }

    ParentHarness m_parent;
    std::string m_runDir;
    std::string m_exe;
};

TEST_F(EndToEndTest, RunsUnderCodePage932) {
    EXPECT_EQ(GetACP(), 932u);
}

TEST_F(EndToEndTest, ParentIsDisabledDuringTheRunAndReceivesTheResult) {
    const ParentRunResult r = m_parent.Run(m_exe, Line("7"));
    ASSERT_TRUE(r.started);
    EXPECT_TRUE(r.exited);
    EXPECT_TRUE(WasDisabled(r));
    ASSERT_FALSE(r.enableChanges.empty());
    EXPECT_TRUE(r.enableChanges.back());  // enabled again at the end
    EXPECT_TRUE(r.enabledAtEnd);
    ASSERT_TRUE(r.posted);
    EXPECT_EQ(r.wParam, 7u);
    // The conditions dialog is still a placeholder that cancels.
    EXPECT_EQ(r.lParam, 1);
    EXPECT_TRUE(r.messageBoxes.empty());
}

TEST_F(EndToEndTest, FunctionIdIsPostedSignExtended) {
    const ParentRunResult r = m_parent.Run(m_exe, Line("32769"));
    ASSERT_TRUE(r.posted);
    EXPECT_EQ(r.wParam, static_cast<WPARAM>(0xFFFF8001u));
    EXPECT_EQ(static_cast<int>(r.wParam), -32767);
}

TEST_F(EndToEndTest, IncompleteCommandLineNotifiesNobody) {
    const ParentRunResult r = m_parent.Run(m_exe, Line("7", false));
    EXPECT_TRUE(r.exited);
    EXPECT_FALSE(r.posted);
    EXPECT_FALSE(WasDisabled(r));
}

TEST_F(EndToEndTest, WrongProgramLevelShowsItsMessageOwnedByTheParent) {
    WriteIni("[ProgramLevel]\r\nZQ13_U=3\r\n");
    const ParentRunResult r = m_parent.Run(m_exe, Line("7"));
    ASSERT_EQ(r.messageBoxes.size(), 1u);
    EXPECT_EQ(r.messageBoxes[0].caption, kCaption);
    // "...最新版を入手して..." of the link-component message, token replaced.
    const std::string& text = r.messageBoxes[0].text;
    EXPECT_NE(text.find("\x98\x41\x93\xAE\x83\x52\x83\x93\x83\x7C\x81\x5B\x83\x6C\x83\x93\x83\x67\x82\xCC"
                        "\x8D\xC5\x90\x56\x94\xC5"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("ES_APRPACKAGENAME"), std::string::npos);
    EXPECT_TRUE(r.messageBoxes[0].ownedByParent);
    ASSERT_TRUE(r.posted);
    EXPECT_EQ(r.lParam, 2);
    EXPECT_TRUE(r.enabledAtEnd);
}

TEST_F(EndToEndTest, MissingHostDataEndsSilentlyWithoutTouchingTheParent) {
    SetEnvironmentVariableA("LINK_HOST_DATA", (m_runDir + "\\no-such-folder").c_str());
    const ParentRunResult r = m_parent.Run(m_exe, Line("7"));
    EXPECT_TRUE(r.exited);
    EXPECT_FALSE(r.posted);
    EXPECT_FALSE(WasDisabled(r));
    EXPECT_TRUE(r.messageBoxes.empty());
}

}  // namespace
