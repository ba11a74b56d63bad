#include "parent_harness.h"

#include <cstdio>
#include <set>

namespace {

const char kClassName[] = "LinkParentHarness";

struct FindBoxContext {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindChildMessageBox(HWND hWnd, LPARAM lParam) {
    auto* ctx = reinterpret_cast<FindBoxContext*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    char cls[64] = {};
    GetClassNameA(hWnd, cls, sizeof cls);
    // A message box is a dialog with the static text control 0xFFFF.
    if (pid == ctx->processId && std::string(cls) == "#32770" && IsWindowVisible(hWnd) &&
        GetDlgItem(hWnd, 0xFFFF) != nullptr) {
        ctx->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

std::string WindowText(HWND hWnd) {
    char buf[2048] = {};
    GetWindowTextA(hWnd, buf, sizeof buf);
    return buf;
}

}  // namespace

std::string WindowsPathOf(const std::string& posixPath) {
    std::string p = "Z:" + posixPath;
    for (char& c : p) {
        if (c == '/') c = '\\';
    }
    return p;
}

ParentHarness::ParentHarness() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
    m_hWnd = CreateWindowA(kClassName, "Link parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 400, 300,
                           nullptr, nullptr, GetModuleHandleA(nullptr), this);
}

ParentHarness::~ParentHarness() {
    if (m_hWnd) DestroyWindow(m_hWnd);
}

LRESULT CALLBACK ParentHarness::WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<ParentHarness*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (self && self->m_current) {
        if (msg == WM_ENABLE) self->m_current->enableChanges.push_back(wParam != 0);
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

void ParentHarness::Drain(ParentRunResult& result) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.hwnd == m_hWnd && msg.message == kNotifyMessage) {
            result.posted = true;
            result.message = msg.message;
            result.wParam = msg.wParam;
            result.lParam = msg.lParam;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

ParentRunResult ParentHarness::Run(const std::string& exePath, const std::string& commandLine,
                                   DWORD timeoutMs, std::function<int(const ChildMessageBox&)> answer) {
    ParentRunResult result;
    m_current = &result;

    std::string cmd = "\"" + exePath + "\" " + commandLine;
    std::vector<char> cmdBuf(cmd.begin(), cmd.end());
    cmdBuf.push_back('\0');
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, cmdBuf.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        m_current = nullptr;
        return result;
    }
    result.started = true;

    std::set<HWND> answered;  // a box may stay visible a moment after its click
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        Drain(result);
        FindBoxContext ctx = {pi.dwProcessId, nullptr};
        EnumWindows(FindChildMessageBox, reinterpret_cast<LPARAM>(&ctx));
        if (ctx.found && answered.insert(ctx.found).second) {
            ChildMessageBox box;
            box.caption = WindowText(ctx.found);
            char text[2048] = {};
            GetDlgItemTextA(ctx.found, 0xFFFF, text, sizeof text);
            box.text = text;
            box.ownedByParent = GetWindow(ctx.found, GW_OWNER) == m_hWnd;
            result.messageBoxes.push_back(box);
            const int button = answer ? answer(box) : IDOK;
            PostMessageA(ctx.found, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(ctx.found, button)));
        }
        if (!result.exited && WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) {
            result.exited = true;
        }
        if (result.exited) {
            // A posted message may still be queued: drain once more, then stop.
            Drain(result);
            break;
        }
        MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 50, QS_ALLINPUT);
    }
    result.enabledAtEnd = IsWindowEnabled(m_hWnd) != FALSE;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    m_current = nullptr;
    return result;
}
