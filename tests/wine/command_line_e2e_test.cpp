// The program started from a path in a double-byte folder, unquoted and
// quoted, by a parent window of this process: the text after the program name
// still names the parent, which is disabled during the run and receives the
// result. The installed level 3 ends the run at once with a message owned by
// the parent and result 2.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr UINT kNotifyMessage = WM_APP + 0x321;
constexpr int kFunctionId = 9;
constexpr DWORD kTimeoutMs = 30000;
const char kBoxCaption[] = "科目内訳書";
const char kClassName[] = "CommandLineParent";

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

// What the parent window hears from the child.
struct Heard {
    std::vector<bool> enables;  // WM_ENABLE in order (false: disabled)
    bool posted = false;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* heard = reinterpret_cast<Heard*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (heard != nullptr && msg == WM_ENABLE) heard->enables.push_back(wParam != 0);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

struct BoxSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindBox(HWND hwnd, LPARAM lParam) {
    auto* s = reinterpret_cast<BoxSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char cls[16] = {};
    char caption[64] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    GetWindowTextA(hwnd, caption, sizeof caption);
    if (pid == s->processId && IsWindowVisible(hwnd) && std::string(cls) == "#32770" &&
        std::string(caption) == kBoxCaption) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
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
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClassName;
        RegisterClassA(&wc);
        m_parent = CreateWindowA(kClassName, "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(m_parent, nullptr);
        SetWindowLongPtrA(m_parent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&m_heard));
    }
    void TearDown() override {
        if (m_pi.hProcess != nullptr) {
            if (WaitForSingleObject(m_pi.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(m_pi.hProcess, 1);
            WaitForSingleObject(m_pi.hProcess, 5000);
            CloseHandle(m_pi.hThread);
            CloseHandle(m_pi.hProcess);
        }
        for (const std::string& file : m_files) DeleteFileA(file.c_str());
        for (auto it = m_folders.rbegin(); it != m_folders.rend(); ++it) RemoveDirectoryA(it->c_str());
        if (m_parent != nullptr) DestroyWindow(m_parent);
    }

    std::string MakeFolder(const std::string& path) {
        if (CreateDirectoryA(path.c_str(), nullptr)) m_folders.push_back(path);
        return path;
    }

    void Drain() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.hwnd == m_parent && msg.message == kNotifyMessage) {
                m_heard.posted = true;
                m_heard.wParam = msg.wParam;
                m_heard.lParam = msg.lParam;
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    // Pumps until the child ends, answering its message boxes with OK; the
    // owners of the boxes met.
    std::vector<HWND> RunToEnd() {
        std::vector<HWND> owners;
        std::vector<HWND> answered;
        const DWORD start = GetTickCount();
        while (WaitForSingleObject(m_pi.hProcess, 0) != WAIT_OBJECT_0) {
            if (GetTickCount() - start > kTimeoutMs) {
                ADD_FAILURE() << "the program did not end";
                break;
            }
            BoxSearch s = {m_pi.dwProcessId, nullptr};
            EnumWindows(FindBox, reinterpret_cast<LPARAM>(&s));
            if (s.found != nullptr &&
                std::find(answered.begin(), answered.end(), s.found) == answered.end()) {
                answered.push_back(s.found);
                owners.push_back(GetWindow(s.found, GW_OWNER));
                PostMessageA(GetDlgItem(s.found, IDOK), BM_CLICK, 0, 0);
            }
            Drain();
            MsgWaitForMultipleObjects(1, &m_pi.hProcess, FALSE, 20, QS_ALLINPUT);
        }
        Drain();  // the posted result is queued by now
        return owners;
    }

    HWND m_parent = nullptr;
    Heard m_heard;
    PROCESS_INFORMATION m_pi = {};
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

    std::string cmd = c.quoted ? "\"" + exe + "\"" : exe;
    cmd += " " + std::to_string(reinterpret_cast<UINT_PTR>(m_parent)) + "," + std::to_string(kNotifyMessage) +
           "," + std::to_string(kFunctionId) + "," + folder + "\\out.xml";
    std::vector<char> line(cmd.begin(), cmd.end());
    line.push_back('\0');
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    ASSERT_TRUE(
        CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi))
        << GetLastError();

    EXPECT_EQ(RunToEnd(), std::vector<HWND>{m_parent});
    EXPECT_EQ(m_heard.enables, (std::vector<bool>{false, true}));
    EXPECT_TRUE(IsWindowEnabled(m_parent));
    ASSERT_TRUE(m_heard.posted);
    EXPECT_EQ(m_heard.wParam, static_cast<WPARAM>(kFunctionId));
    EXPECT_EQ(m_heard.lParam, 2);
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
