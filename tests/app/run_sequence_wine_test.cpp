// A complete run on the real Windows API under Wine: the progress window from
// its template, the report on disk, and the completion message owned by the
// progress window after it has gone. A second thread plays the user at the
// message box.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/app_texts.h"
#include "app/link_app.h"
#include "conditions/cond_dlg.h"
#include "platform/files.h"
#include "platform/process.h"
#include "tests/support/host_models.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/standin_fixture.h"

namespace {

struct SeenBox {
    std::string caption;
    std::string text;
    bool ownerVisible = true;
    HWND owner = nullptr;
};

// Answers every message box of this process with OK and keeps what it saw.
class BoxAnswerer {
public:
    BoxAnswerer() : m_thread([this] { Loop(); }) {}
    ~BoxAnswerer() {
        m_stop = true;
        m_thread.join();
    }
    std::vector<SeenBox> Seen() {
        std::vector<SeenBox> copy;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            copy = m_seen;
        }
        return copy;
    }

private:
    static BOOL CALLBACK Find(HWND hWnd, LPARAM lParam) {
        DWORD pid = 0;
        GetWindowThreadProcessId(hWnd, &pid);
        char cls[16] = {};
        GetClassNameA(hWnd, cls, sizeof cls);
        if (pid == GetCurrentProcessId() && std::string(cls) == "#32770" && IsWindowVisible(hWnd) &&
            GetDlgItem(hWnd, 0xFFFF) != nullptr) {
            *reinterpret_cast<HWND*>(lParam) = hWnd;
            return FALSE;
        }
        return TRUE;
    }
    void Loop() {
        std::vector<HWND> answered;
        while (!m_stop) {
            HWND box = nullptr;
            EnumWindows(Find, reinterpret_cast<LPARAM>(&box));
            if (box != nullptr && std::find(answered.begin(), answered.end(), box) == answered.end()) {
                answered.push_back(box);
                SeenBox seen;
                char text[1024] = {};
                GetWindowTextA(box, text, sizeof text);
                seen.caption = text;
                GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                seen.text = text;
                seen.owner = GetWindow(box, GW_OWNER);
                seen.ownerVisible = seen.owner != nullptr && IsWindowVisible(seen.owner);
                {
                    std::lock_guard<std::mutex> lock(m_mutex);
                    m_seen.push_back(seen);
                }
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            }
            Sleep(50);
        }
    }

    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::vector<SeenBox> m_seen;
    std::thread m_thread;
};

class RunningApp : public ClLinkApp {
public:
    std::string destPath;

protected:
    int RunCondDlg(ClCondDlg& dlg) override {
        dlg.m_strFromMonth = "4";
        dlg.m_strToMonth = "3";
        dlg.m_nTaxIncluded = 0;
        dlg.m_strDestPath = destPath;
        return ClCondDlg::kResultRun;
    }
};

using RunSequenceOnWindows = support::StandInTest;

TEST_F(RunSequenceOnWindows, CompleteRunWritesTheReportAndSaysSoAfterTheProgressWindow) {
    // The program's folder is this test's: the ini file goes beside it.
    const std::string savedDir = plat::GetCurrentDir();
    const std::string module = plat::GetModuleFilePath();
    const std::string ini = module.substr(0, module.find_last_of('\\') + 1) + "KolvarenDef.ini";
    {
        plat::File f;
        ASSERT_TRUE(f.Open(ini, plat::File::Mode::kWriteTruncate));
        const std::string content = "[ProgramLevel]\r\nZQ13_U=2\r\n";
        ASSERT_TRUE(f.Write(content.data(), content.size()));
    }
    support::ScratchFolder out;
    support::InstallModel(support::ShellRunModel());

    RunningApp app;
    app.destPath = out.Path() + "report.xml";
    {
        BoxAnswerer answerer;
        plat::RunApplication(app);
        const std::vector<SeenBox> seen = answerer.Seen();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].caption, texts::kCaption);
        EXPECT_EQ(seen[0].text, texts::kCompleted);
        EXPECT_NE(seen[0].owner, nullptr);   // the progress window...
        EXPECT_FALSE(seen[0].ownerVisible);  // ...already off the screen
    }
    EXPECT_EQ(app.m_nResult, 0);
    std::string report;
    ASSERT_TRUE(plat::ReadWholeFile(app.destPath, report));
    EXPECT_EQ(report.rfind("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<REPORT>\r\n", 0), 0u);
    EXPECT_NE(report.find("<KANJYOKAMOKU_ZANDAKA>1500</KANJYOKAMOKU_ZANDAKA>"), std::string::npos);

    plat::DeleteFileAt(ini);
    plat::SetCurrentDir(savedDir);
}

}  // namespace
