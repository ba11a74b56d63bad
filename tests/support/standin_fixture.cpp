#include "standin_fixture.h"

#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include "platform/headless_windows/headless_ui.h"
#endif

namespace support {
namespace {

#ifdef _WIN32
constexpr bool kRealBoxes = true;
// Under Wine the boxes are real: a hook on the test's thread reads each one
// once its dialog is set up and presses its first button, the default one.
std::vector<std::string> g_kept;
HHOOK g_hook = nullptr;

LRESULT CALLBACK KeepBox(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_INITDIALOG) {
        char title[256] = {}, text[1024] = {};
        GetWindowTextA(call->hwnd, title, sizeof title);
        GetDlgItemTextA(call->hwnd, 0xFFFF, text, sizeof text);
        g_kept.push_back(Box(plat::kNoWindow, 0, title, text));
        PostMessageA(call->hwnd, WM_COMMAND, GetDlgCtrlID(GetNextDlgTabItem(call->hwnd, nullptr, FALSE)), 0);
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}
#else
constexpr bool kRealBoxes = false;
#endif

}  // namespace

std::string Box(plat::WindowHandle owner, unsigned style, const std::string& title, const std::string& text) {
    const std::string asked = kRealBoxes ? "" : std::to_string(owner) + " " + std::to_string(style) + " ";
    return asked + title + ": " + text;
}

StandInTest::StandInTest(bool keepMessages) {
    host::StandIn::Get().Reset();
    if (!keepMessages) return;
#ifdef _WIN32
    g_kept.clear();
    g_hook = SetWindowsHookExA(WH_CALLWNDPROCRET, KeepBox, nullptr, GetCurrentThreadId());
#else
    plat::headless::HeadlessUi::Get().Reset();
#endif
}

StandInTest::~StandInTest() {
#ifdef _WIN32
    if (g_hook != nullptr) UnhookWindowsHookEx(std::exchange(g_hook, nullptr));
#endif
    host::StandIn::Get().Reset();
}

std::vector<std::string> StandInTest::Messages() const {
#ifdef _WIN32
    return g_kept;
#else
    std::vector<std::string> shown;
    const auto& boxes = plat::headless::HeadlessUi::Get().MessageBoxes();
    for (const auto& b : boxes) shown.push_back(Box(b.owner, b.style, b.caption, b.text));
    return shown;
#endif
}

void StandInTest::Connect(const host::HostModel& model) {
    InstallModel(model);
    ASSERT_EQ(0, ClAccConnect::Inst()->Initiate());
    host::StandIn::Get().ClearCalls();
}

void InstallModel(const host::HostModel& model) {
    host::StandIn::Get().Reset();
    host::StandIn::Get().UseModel(model);
}

}  // namespace support
