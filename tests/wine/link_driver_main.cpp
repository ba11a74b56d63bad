// Drives the link component from the command line under Wine: starts it,
// then runs the given steps against its windows in order, prints what it
// sees (UTF-8) and what the program hands back.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "link_driver.h"

namespace {

const char kUsage[] =
    "usage: link_driver <exe> [--parent FID[,PATH]] [--timeout SECONDS] [step...]\n"
    "  --parent FID[,PATH]  start it as a parent application would: \"hwnd,msg,FID[,PATH]\"\n"
    "                       naming this program's window (no PATH: an incomplete line)\n"
    "steps, against the window last waited for:\n"
    "  dialog           wait for the conditions dialog and print its controls\n"
    "  progress [PCT]   wait for the progress window (and until its caption shows PCT%)\n"
    "  window CAPTION   wait for a window of the program with this caption\n"
    "  show             print the conditions dialog's controls\n"
    "  set ID TEXT      set a control's text (WM_SETTEXT)\n"
    "  type ID TEXT     type TEXT into a control (WM_CHAR)\n"
    "  to-month-end     set the to month (1000) to the month of the period's last day\n"
    "  click ID         click a button (BM_CLICK)\n"
    "  key KEY          press F12, ESC, RETURN, TAB or a virtual-key number at the focus\n"
    "  close            close the window by its close box\n"
    "  shot FILE.bmp    screenshot of the window (24-bit BMP)\n"
    "  box ANSWER       wait for the next message box, print it, click OK, YES or NO\n"
    "  sleep MS         wait, pumping messages\n"
    "  windows          list the program's windows\n"
    "  exit [ANSWER]    wait for the end, answering questions with ANSWER (OK by\n"
    "                   default; boxes without it get OK; 'none' leaves them to a\n"
    "                   person); the default last step\n"
    "exit status: 0 done, 3 a step failed or nothing was posted to the parent, 64 usage\n";

int ButtonOf(const std::string& name) {
    if (name == "OK" || name == "ok") return IDOK;
    if (name == "YES" || name == "yes") return IDYES;
    if (name == "NO" || name == "no") return IDNO;
    if (name == "none") return 0;
    return -1;
}

int KeyOf(const std::string& name) {
    if (name == "F12") return VK_F12;
    if (name == "ESC") return VK_ESCAPE;
    if (name == "RETURN" || name == "ENTER") return VK_RETURN;
    if (name == "TAB") return VK_TAB;
    return std::atoi(name.c_str());
}

void PrintDialog(HWND dialog) {
    struct Field {
        int id;
        const char* name;
    };
    static const Field kTexts[] = {{1006, "company"},  {1008, "period"},     {1010, "from month"},
                                   {1000, "to month"}, {1014, "dest group"}, {1015, "output path"}};
    for (const Field& f : kTexts) {
        std::printf("  %-12s [%s]%s\n", f.name, e2e::ToUtf8(e2e::ControlText(dialog, f.id)).c_str(),
                    e2e::IsControlEnabled(dialog, f.id) ? "" : " (disabled)");
    }
    std::printf("  %-12s %s\n", "tax incl.", e2e::IsChecked(dialog, 1004) ? "checked" : "not checked");
}

// The month of the period's last day, from the period text " yyyy/mm/dd～yyyy/mm/dd".
std::string PeriodEndMonth(HWND dialog) {
    const std::string period = e2e::ControlText(dialog, 1008);
    if (period.size() < 5) return "";
    return std::to_string(std::atoi(period.substr(period.size() - 5, 2).c_str()));
}

struct ListContext {
    DWORD processId;
    HWND parent;
};

BOOL CALLBACK PrintWindowOf(HWND hwnd, LPARAM lParam) {
    const auto* ctx = reinterpret_cast<const ListContext*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == ctx->processId && (GetParent(hwnd) == nullptr || GetParent(hwnd) == ctx->parent ||
                                  GetWindow(hwnd, GW_OWNER) != nullptr)) {
        char cls[64] = {};
        GetClassNameA(hwnd, cls, sizeof cls);
        std::printf("  %p %-10s %s [%s]\n", static_cast<void*>(hwnd), cls,
                    IsWindowVisible(hwnd) ? "visible" : "hidden", e2e::ToUtf8(e2e::WindowText(hwnd)).c_str());
    }
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs(kUsage, stderr);
        return 64;
    }
    std::vector<std::string> args(argv + 1, argv + argc);
    const std::string exe = args[0];
    std::string parent;
    DWORD timeoutMs = 120000;
    std::size_t i = 1;
    for (; i + 1 < args.size() && args[i].rfind("--", 0) == 0; i += 2) {
        if (args[i] == "--parent") {
            parent = args[i + 1];
        } else if (args[i] == "--timeout") {
            timeoutMs = static_cast<DWORD>(std::atol(args[i + 1].c_str())) * 1000;
        } else {
            std::fputs(kUsage, stderr);
            return 64;
        }
    }

    e2e::LinkDriver driver;
    std::string cmdLine;
    if (!parent.empty()) {
        const std::size_t comma = parent.find(',');
        const int fid = std::atoi(parent.substr(0, comma).c_str());
        cmdLine = comma == std::string::npos ? driver.ParentCommandLine(fid)
                                             : driver.ParentCommandLine(fid, parent.substr(comma + 1));
    }
    std::printf("starting: %s %s\n", exe.c_str(), cmdLine.c_str());
    std::fflush(stdout);
    if (!driver.Start(exe, cmdLine)) {
        std::printf("could not start the program\n");
        return 3;
    }

    HWND current = nullptr;
    bool ended = false;
    auto fail = [&](const std::string& step) {
        std::printf("step failed: %s\n", step.c_str());
        return 3;
    };
    auto needs = [&](std::size_t n) { return i + n < args.size(); };
    for (; i < args.size(); ++i) {
        const std::string& step = args[i];
        std::fflush(stdout);
        if (step == "dialog" || step == "progress" || (step == "window" && needs(1))) {
            const std::string caption = step == "dialog"     ? e2e::kDialogCaption
                                        : step == "progress" ? e2e::kProgressCaption
                                                             : args[++i];
            current = driver.WaitForWindow(caption, timeoutMs);
            if (current == nullptr) return fail(step);
            if (step == "progress" && needs(1) && std::isdigit(static_cast<unsigned char>(args[i + 1][0]))) {
                // The caption reads "集計中 NN％".
                const int percent = std::atoi(args[++i].c_str());
                const HWND window = current;
                auto reached = [&] {
                    const std::string text = e2e::WindowText(window);
                    return !IsWindow(window) ||
                           std::atoi(text.c_str() + std::min(text.size(), caption.size())) >= percent;
                };
                if (!driver.WaitFor(reached, timeoutMs, step) || !IsWindow(window)) return fail(step);
            }
            std::printf("window [%s]\n", e2e::ToUtf8(e2e::WindowText(current)).c_str());
            if (step == "dialog") PrintDialog(current);
        } else if (step == "show" && current) {
            PrintDialog(current);
        } else if ((step == "set" || step == "type") && needs(2) && current) {
            const int id = std::atoi(args[i + 1].c_str());
            const std::string& text = args[i + 2];
            i += 2;
            if (!(step == "set" ? e2e::SetControlText(current, id, text)
                                : driver.TypeChars(current, id, text))) {
                return fail(step);
            }
        } else if (step == "to-month-end" && current) {
            const std::string month = PeriodEndMonth(current);
            if (month.empty() || month == "0" || !e2e::SetControlText(current, 1000, month))
                return fail(step);
            std::printf("to month: %s\n", month.c_str());
        } else if (step == "click" && needs(1) && current) {
            if (!e2e::ClickButton(current, std::atoi(args[++i].c_str()))) return fail(step);
        } else if (step == "key" && needs(1)) {
            if (!driver.PressKey(KeyOf(args[++i]))) return fail(step);
        } else if (step == "close" && current) {
            if (!e2e::CloseByCloseBox(current)) return fail(step);
        } else if (step == "shot" && needs(1) && current) {
            const std::string& file = args[++i];
            if (!e2e::SaveScreenshot(current, file)) return fail(step);
            std::printf("screenshot: %s\n", file.c_str());
        } else if (step == "box" && needs(1) && ButtonOf(args[i + 1]) > 0) {
            const int button = ButtonOf(args[++i]);
            const e2e::MessageBoxSeen box = driver.WaitForMessageBox(timeoutMs);
            if (box.hwnd == nullptr) return fail(step);
            std::printf("message box [%s]: %s\n", e2e::ToUtf8(box.caption).c_str(),
                        e2e::ToUtf8(box.text).c_str());
            if (!driver.Answer(box, button)) return fail(step);
        } else if (step == "sleep" && needs(1)) {
            driver.Pump(static_cast<DWORD>(std::atol(args[++i].c_str())));
        } else if (step == "windows") {
            ListContext ctx = {driver.ProcessId(), driver.ParentWindow()};
            EnumWindows(PrintWindowOf, reinterpret_cast<LPARAM>(&ctx));
            EnumChildWindows(driver.ParentWindow(), PrintWindowOf, reinterpret_cast<LPARAM>(&ctx));
        } else if (step == "exit") {
            int answer = IDOK;
            if (needs(1) && ButtonOf(args[i + 1]) >= 0) answer = ButtonOf(args[++i]);
            std::vector<e2e::MessageBoxSeen> seen;
            // A person may take as long as they like.
            const bool done = driver.WaitForExit(answer == 0 ? INFINITE : timeoutMs, answer, &seen);
            for (const auto& box : seen) {
                std::printf("message box [%s]: %s\n", e2e::ToUtf8(box.caption).c_str(),
                            e2e::ToUtf8(box.text).c_str());
            }
            if (!done) return fail(step);
            ended = true;
        } else {
            std::fprintf(stderr, "bad step: %s\n%s", step.c_str(), kUsage);
            return 64;
        }
    }
    if (!ended && !driver.WaitForExit(timeoutMs)) return fail("exit");

    std::printf("exit status: %lu\n", static_cast<unsigned long>(driver.ExitCode()));
    bool wasDisabled = false;
    for (bool enabled : driver.EnableChanges()) wasDisabled = wasDisabled || !enabled;
    if (parent.empty()) {
        std::printf("ended\n");
        return 0;
    }
    std::printf("parent disabled during the run: %s\n", wasDisabled ? "yes" : "no");
    if (!driver.Posted()) {
        std::printf("no result was posted\n");
        return 3;
    }
    static const char* const kNames[] = {"completed", "cancelled", "failed"};
    const long result = static_cast<long>(driver.PostedLParam());
    std::printf("result: %ld (%s), function id: %d\n", result,
                result >= 0 && result <= 2 ? kNames[result] : "unknown",
                static_cast<int>(driver.PostedWParam()));
    return 0;
}
