// Wall times of the real program under Wine, driven as a user would, and of
// its work without the progress window, for docs/progress.md.
//
//   run_timing exe <program> <output file> <runs> [parent]
//     Complete runs (F12 with the to month offered) and cancelled runs (Esc),
//     alternating, started alone or, with "parent", by the driver's window as
//     a parent application (a complete command line naming the output file);
//     one line per run:
//     <kind> <start-up ms> <dialog ms> <stretch ms> <total ms>
//     start-up: start to the dialog on screen; dialog: the driver's own time
//     in it; stretch: the key press to the completion (or cancel) message;
//     total: start to the end of the process.
//   run_timing window <records> <runs>
//     The progress window alone, in this process, through the calls of a
//     complete run over that many records (no work between them), from its
//     creation to its end: window <ms>.
//   run_timing work <host data folder> <output file> <runs>
//     The aggregation and the report in this process, no progress window:
//     work <aggregation ms> <report ms>, then the report's bytes written again
//     line by line through the same file calls: floor <ms>.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "aggregation/balance_list.h"
#include "aggregation/kmk_summary.h"
#include "app/link_app.h"
#include "app/progress_dlg.h"
#include "host/acc_connect.h"
#include "host/stand_in.h"
#include "link_driver.h"
#include "platform/files.h"
#include "report/report_writer.h"
#include "res/resource.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

int RunExe(const std::string& exe, const std::string& output, int runs, bool parent) {
    for (int i = 0; i < runs * 2; ++i) {
        const bool complete = i % 2 == 0;
        DeleteFileA(output.c_str());
        e2e::LinkDriver driver;
        const Clock::time_point start = Clock::now();
        if (!driver.Start(exe, parent ? driver.ParentCommandLine(7, output) : "")) return 1;
        const HWND dialog = driver.WaitForDialog(60000);
        if (dialog == nullptr) return 2;
        const Clock::time_point shown = Clock::now();
        if (complete) e2e::SetControlText(dialog, IDC_EDT_DEST_PATH, output);
        SetForegroundWindow(dialog);
        const Clock::time_point pressed = Clock::now();
        driver.PressKey(complete ? VK_F12 : VK_ESCAPE);
        const e2e::MessageBoxSeen box = driver.WaitForMessageBox(600000);
        const Clock::time_point told = Clock::now();
        if (box.hwnd == nullptr) return 3;
        driver.Answer(box, IDOK);
        if (!driver.WaitForExit(60000)) return 4;
        const Clock::time_point ended = Clock::now();
        std::printf("%s %.1f %.1f %.1f %.1f\n", complete ? "complete" : "cancel", Ms(start, shown),
                    Ms(shown, pressed), Ms(pressed, told), Ms(start, ended));
        std::fflush(stdout);
    }
    return 0;
}

int RunWindow(int records, int runs) {
    for (int i = 0; i < runs; ++i) {
        const Clock::time_point t0 = Clock::now();
        {
            ClProgressDlg progress;
            if (!progress.CreateWindowFromTemplate()) return 1;
            progress.Show(plat::kSwShow);
            progress.BeginProgress();
            // The aggregation: a sweep per record; the report: one per entry.
            progress.Advance(0, 100);
            progress.Advance(100, 300);
            progress.Advance(300, 400);
            for (int r = 0; r < records; ++r) progress.Pulse();
            progress.Advance(400, 500);
            progress.Advance(500, 600);
            progress.Advance(600, 700);
            for (int r = 0; r < records; ++r) progress.Pulse();
            progress.Advance(700, 1000);
            progress.EndDialog(1);
        }
        std::printf("window %.1f\n", Ms(t0, Clock::now()));
        std::fflush(stdout);
    }
    return 0;
}

int RunWork(const std::string& hostData, const std::string& output, int runs) {
    for (int i = 0; i < runs; ++i) {
        host::StandIn::Get().Reset();
        host::StandIn::Get().UseFolder(hostData);
        if (ClAccConnect::Inst()->Initiate() != 0) return 1;
        ClLinkApp app;
        StDATAINFO dataInfo;
        if (app.FindSelectedDataInfo(dataInfo) == 0) return 2;
        StFINDINFO findInfo;
        // The whole accounting period, as the completed runs of the program.
        const int first = (dataInfo.PeriodStart() % 10000) / 100;
        const int last = (dataInfo.PeriodEnd() % 10000) / 100;
        app.BuildFindInfo(findInfo, dataInfo, first, last);

        ClBalanceList list;
        const Clock::time_point t0 = Clock::now();
        {
            ClKmkSummary summary;
            summary.m_pBalanceList = &list;
            if (summary.Execute(0, findInfo, dataInfo) == 0) return 3;
        }
        const Clock::time_point t1 = Clock::now();
        ClReportWriter writer;
        writer.m_pBalanceList = &list;
        if (writer.Write(output, 1, dataInfo) == 0) return 4;
        const Clock::time_point t2 = Clock::now();
        ReleaseBalanceList(list);
        ClAccConnect::Inst()->LogOut();
        ClAccConnect::Inst()->Terminate();
        ClAccConnect::Inst()->Release();

        // The floor: the same lines through the same unbuffered file calls.
        std::string content;
        if (!plat::ReadWholeFile(output, content)) return 5;
        const std::string floorPath = output + ".floor";
        const Clock::time_point f0 = Clock::now();
        {
            plat::File file;
            if (!file.Open(floorPath, plat::File::Mode::kWriteTruncate)) return 6;
            std::size_t at = 0;
            while (at < content.size()) {
                std::size_t end = content.find('\n', at);
                end = end == std::string::npos ? content.size() : end + 1;
                if (!file.Write(content.data() + at, end - at)) return 7;
                at = end;
            }
            file.Close();
        }
        const Clock::time_point f1 = Clock::now();
        DeleteFileA(floorPath.c_str());
        std::printf("work %.1f %.1f floor %.1f\n", Ms(t0, t1), Ms(t1, t2), Ms(f0, f1));
        std::fflush(stdout);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "window" && argc == 4) return RunWindow(std::atoi(argv[2]), std::atoi(argv[3]));
    const bool parent = argc == 6 && std::string(argv[5]) == "parent";
    if (argc != 5 && !parent) {
        std::fprintf(stderr,
                     "usage: run_timing exe|work <program|host data> <output file> <runs> [parent]\n"
                     "       run_timing window <records> <runs>\n");
        return 64;
    }
    const int runs = std::atoi(argv[4]);
    if (mode == "exe") return RunExe(argv[2], argv[3], runs, parent);
    if (mode == "work") return RunWork(argv[2], argv[3], runs);
    return 64;
}
