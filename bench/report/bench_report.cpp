// The report writer against its floor: the same lines written with the same
// number of write calls by a bare loop. Each line costs one system call, so
// the writer's own work (composing, escaping, progress, the temporary file
// and its move) should stay small beside it. The writer runs with and
// without its disk syncs (the flush of the temporary file and of the folder
// after the move): the difference is what durability costs.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/headless_windows/file_faults.h"
#include "report/report_writer.h"
#include "tests/support/recording_progress.h"

namespace {

// The writer on the list, as the program sets it up, its progress dropped.
void Prepare(ClReportWriter& writer, ClBalanceList& list) {
    static support::NullProgress progress;
    writer.m_pProgress = &progress;
    writer.m_pBalanceList = &list;
    writer.SetProgressBase(500);
}

std::unique_ptr<StKMKBALANCE> Entry(std::int32_t code, const char* name, std::uint8_t flag,
                                    std::int64_t zandaka) {
    auto entry = std::make_unique<StKMKBALANCE>();
    entry->lCode = code;
    std::snprintf(entry->szName, sizeof(entry->szName), "%s", name);
    entry->cHojyoFlg = flag;
    entry->llZandaka = zandaka;
    return entry;
}

// The host's order: per account, sometimes three sub-accounts and the
// closing row, sometimes none. Exactly n entries.
ClBalanceList MakeList(int n) {
    ClBalanceList list;
    std::int32_t account = 1;
    while (static_cast<int>(list.size()) < n) {
        const std::int32_t code = account * 10000;
        if (account % 3 == 0 && n - static_cast<int>(list.size()) >= 5) {
            list.push_back(Entry(code, "売掛金", 1, 123456789012LL * account));
            for (int s = 1; s <= 3; ++s) list.push_back(Entry(code + s, "得意先&商事", 0, -98765432LL * s));
            list.push_back(Entry(code, "売掛金", 1, 123456789012LL * account));
        } else {
            list.push_back(Entry(code, "現金預金", 0, 5000000LL * account));
        }
        ++account;
    }
    return list;
}

struct Fixture {
    std::string folder;
    ClBalanceList list;
    StDATAINFO info;
    std::vector<std::string> lines;  // the report, one entry per line

    explicit Fixture(int n) : list(MakeList(n)) {
        char pattern[] = "/tmp/rep-bench-XXXXXX";
        folder = ::mkdtemp(pattern);
        info.SetText(StDATAINFO::kOffCompanyName, StDATAINFO::kCompanyNameSize, "ABC商事");
        info.SetI32(StDATAINFO::kOffPeriodStart, 20220401);
        info.SetI32(StDATAINFO::kOffPeriodEnd, 20230331);
        // The floor writes exactly the writer's lines.
        ClReportWriter writer;
        Prepare(writer, list);
        writer.Write(folder + "/reference.xml", 1, info);
        std::string content;
        plat::ReadWholeFile(folder + "/reference.xml", content);
        for (std::size_t pos = 0; pos < content.size();) {
            const std::size_t end = content.find('\n', pos);
            lines.push_back(content.substr(pos, end - pos + 1));
            pos = end + 1;
        }
    }
    ~Fixture() {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
};

Fixture& FixtureFor(int n) {
    static std::map<int, std::unique_ptr<Fixture>> fixtures;
    auto& slot = fixtures[n];
    if (!slot) slot = std::make_unique<Fixture>(n);
    return *slot;
}

void BM_ReportWriter(benchmark::State& state) {
    Fixture& f = FixtureFor(static_cast<int>(state.range(0)));
    ClReportWriter writer;
    Prepare(writer, f.list);
    const std::string path = f.folder + "/out.xml";
    plat::headless::SkipDiskSyncs(state.range(1) == 0);
    for (auto _ : state) {
        if (writer.Write(path, 1, f.info) != 1) state.SkipWithError("write failed");
    }
    plat::headless::SkipDiskSyncs(false);
    state.counters["lines"] = static_cast<double>(f.lines.size());
}

// One File::Write per line of the same document, nothing else.
void BM_WriteCallFloor(benchmark::State& state) {
    Fixture& f = FixtureFor(static_cast<int>(state.range(0)));
    const std::string path = f.folder + "/floor.xml";
    for (auto _ : state) {
        plat::File file;
        file.Open(path, plat::File::Mode::kWriteTruncate);
        for (const std::string& line : f.lines) {
            if (!file.Write(line.data(), line.size())) state.SkipWithError("write failed");
        }
        file.Close();
    }
    state.counters["lines"] = static_cast<double>(f.lines.size());
}

BENCHMARK(BM_ReportWriter)
    ->ArgNames({"entries", "sync"})
    ->ArgsProduct({{32768, 200000}, {1, 0}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteCallFloor)->Arg(32768)->Arg(200000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
