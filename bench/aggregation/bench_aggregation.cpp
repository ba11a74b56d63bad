// Throughput of one aggregation run over the host stand-in's walk: the host
// delivers every total, the engine computes its balance, looks up its master
// class and appends its entry.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <new>
#include <string>

#include "aggregation/balance_list.h"
#include "aggregation/kmk_summary.h"
#include "host/acc_connect.h"
#include "host/data_mgr.h"
#include "host/records.h"
#include "host/rule_kamoku.h"
#include "host/stand_in.h"
#include "shared/progress.h"
#include "tools/hostdata/synthetic.h"

namespace {

// Headless progress: counts instead of painting.
class CountingProgress : public ClProgress {
public:
    void Advance(std::int16_t, std::int16_t) override { ++m_nAdvances; }
    void Pulse() override { ++m_nPulses; }
    long m_nAdvances = 0;
    long m_nPulses = 0;
};

// April to March with the year-end month: every period entry is summed.
StFINDINFO FullYearFind() {
    StFINDINFO f;
    const std::int16_t items[3][3] = {{4, 1, 1}, {6, 12, 2}, {1, 18, 0}};
    for (int i = 0; i < 3; ++i) {
        const std::size_t base = StFINDINFO::ItemOffset(i);
        f.SetI32(base + StFINDINFO::kOffFieldCode, StFINDINFO::kFieldMonth);
        f.SetI16(base + StFINDINFO::kOffCompare, items[i][0]);
        f.SetI16(base + StFINDINFO::kOffValueType, StFINDINFO::kValue16);
        f.SetI16(base + StFINDINFO::kOffValue, items[i][1]);
        f.SetI16(base + StFINDINFO::kOffLink, items[i][2]);
    }
    return f;
}

// kB value of a line of /proc/self/status ("VmHWM", "VmRSS").
long StatusKb(const char* key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::size_t keyLen = std::strlen(key);
    while (std::getline(in, line)) {
        if (line.compare(0, keyLen, key) == 0 && line.size() > keyLen && line[keyLen] == ':') {
            return std::stol(line.substr(keyLen + 1));
        }
    }
    return -1;
}

}  // namespace

// Net growth and peak of the heap while counting is on, by the allocator's
// usable size (what the process really holds). Off during the timed runs,
// so the timing sees the plain allocator.
namespace heap {
bool g_bCounting = false;
std::int64_t g_live = 0;
std::int64_t g_peak = 0;
std::int64_t g_kept = 0;
void Start() {
    g_live = 0;
    g_peak = 0;
    g_kept = 0;
    g_bCounting = true;
}
void Stop() {
    g_bCounting = false;
}
}  // namespace heap

void* operator new(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) throw std::bad_alloc();
    if (heap::g_bCounting) {
        heap::g_live += static_cast<std::int64_t>(malloc_usable_size(p));
        if (heap::g_live > heap::g_peak) heap::g_peak = heap::g_live;
    }
    return p;
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return ::operator new(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size) {
    return ::operator new(size);
}
void operator delete(void* p) noexcept {
    if (p == nullptr) return;
    if (heap::g_bCounting) heap::g_live -= static_cast<std::int64_t>(malloc_usable_size(p));
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    ::operator delete(p);
}
void operator delete[](void* p) noexcept {
    ::operator delete(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    ::operator delete(p);
}

namespace {

// One aggregation into a fresh list; entries, when asked, gets the list's
// size, and the heap kept by the list is noted before it is freed.
bool RunOnce(ClProgress& progress, const StFINDINFO& find, const StDATAINFO& dataInfo, std::size_t* entries) {
    ClBalanceList list;
    ClKmkSummary engine;
    engine.m_pProgress = &progress;
    engine.m_pBalanceList = &list;
    if (engine.Execute(0, find, dataInfo) != 1) return false;
    heap::g_kept = heap::g_live;
    if (entries) *entries = list.size();
    return true;
}

void BM_Aggregate(benchmark::State& state) {
    const auto records = static_cast<std::size_t>(state.range(0));
    host::StandIn& standIn = host::StandIn::Get();
    standIn.Reset();

    // The host's model, with the master index it builds on the first
    // lookup: the first run is counted with it.
    const StFINDINFO find = FullYearFind();
    CountingProgress progress;
    heap::Start();
    standIn.UseModel(hostdata::MakeSyntheticModel(records));
    if (ClAccConnect::Inst()->Initiate() != 0) {
        state.SkipWithError("Initiate failed");
        return;
    }
    auto* setData = dynamic_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(ClDataMgr::kSetData, 1));
    const StDATAINFO* selected = setData ? setData->GetSelectedInfo() : nullptr;
    if (selected == nullptr) {
        state.SkipWithError("no selected data set");
        return;
    }
    const StDATAINFO dataInfo = *selected;
    if (!RunOnce(progress, find, dataInfo, nullptr)) {
        state.SkipWithError("Execute failed");
        return;
    }
    heap::Stop();
    const std::int64_t heapModel = heap::g_live;

    // One more run outside the timing for the engine's memory: the peak of
    // live heap during the run (host walk included) and what the list keeps.
    std::size_t entries = 0;
    heap::Start();
    if (!RunOnce(progress, find, dataInfo, &entries)) {
        state.SkipWithError("Execute failed");
        return;
    }
    heap::Stop();
    const double peakPerRecord = static_cast<double>(heap::g_peak) / static_cast<double>(records);
    const double keptPerRecord = static_cast<double>(heap::g_kept) / static_cast<double>(records);

    for (auto _ : state) {
        ClBalanceList list;
        ClKmkSummary engine;
        engine.m_pProgress = &progress;
        engine.m_pBalanceList = &list;
        if (engine.Execute(0, find, dataInfo) != 1) {
            state.SkipWithError("Execute failed");
            break;
        }
        benchmark::DoNotOptimize(list.size());
    }

    const auto processed = static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(records);
    state.SetItemsProcessed(processed);
    // Seconds per record, printed with its SI prefix (e.g. "350n" = 350 ns).
    state.counters["time_per_rec"] = benchmark::Counter(
        static_cast<double>(processed), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["entries"] = static_cast<double>(entries);
    state.counters["peak_B_per_rec"] = peakPerRecord;
    state.counters["kept_B_per_rec"] = keptPerRecord;
    state.counters["model_B_per_rec"] = static_cast<double>(heapModel) / static_cast<double>(records);
    state.counters["VmHWM_MB"] = static_cast<double>(StatusKb("VmHWM")) / 1024.0;
    standIn.Reset();
}

// The host's part alone: the same walk and one master lookup per record,
// without balances or entries. The difference to BM_Aggregate is the
// engine's own cost.
void BM_HostWalkOnly(benchmark::State& state) {
    const auto records = static_cast<std::size_t>(state.range(0));
    host::StandIn& standIn = host::StandIn::Get();
    standIn.Reset();
    standIn.UseModel(hostdata::MakeSyntheticModel(records));
    if (ClAccConnect::Inst()->Initiate() != 0) {
        state.SkipWithError("Initiate failed");
        return;
    }
    auto* setData = dynamic_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(ClDataMgr::kSetData, 1));
    const StFINDINFO find = FullYearFind();
    for (auto _ : state) {
        ClRuleKamoku rule;
        rule.AttachSetMgr(ClDataMgr::Inst()->GetSetMgr());
        rule.SetCurDataID(setData ? setData->GetSelectedInfo() : nullptr);
        rule.MoveReady(_RuleKamokuSumType_Base_Kamoku, _RuleKamokuSumType_Bmn_None,
                       _RuleKamokuSumType_Disptype_Normal, &find, nullptr, _RuleKamokuSumType_Past_None);
        std::uint32_t count = 0;
        rule.GetSumCount(&count);
        rule.SetMovePos(0);
        StKAMOKUSUMINFO record;
        StFINDINFO lookup;
        lookup.SetI32(StFINDINFO::kOffFieldCode, StFINDINFO::kFieldComposite);
        lookup.SetI16(StFINDINFO::kOffCompare, StFINDINFO::kCompareEqual);
        lookup.SetI16(StFINDINFO::kOffValueType, StFINDINFO::kValue32);
        StKAMOKUINFO info;
        std::int64_t sum = 0;
        for (std::uint32_t i = 0; i < count && rule.MoveNext(&record) == 0; ++i) {
            auto* master =
                dynamic_cast<ClSetKamoku*>(ClDataMgr::Inst()->GetSetObject(ClDataMgr::kSetKamoku, 1));
            lookup.SetI32(StFINDINFO::kOffValue, record.GetI32(StKAMOKUSUMINFO::kOffCode));
            std::int32_t cursor = 0;
            master->GetCursor(&cursor);
            master->ReadyCursor(cursor);
            master->WalkFind(&lookup, &info, cursor);
            master->ReleaseCursor(cursor);
            sum += info.GetI8(StKAMOKUINFO::kOffClass);
        }
        rule.MoveFinish();
        benchmark::DoNotOptimize(sum);
    }
    const auto processed = static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(records);
    state.SetItemsProcessed(processed);
    state.counters["time_per_rec"] = benchmark::Counter(
        static_cast<double>(processed), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    standIn.Reset();
}

BENCHMARK(BM_Aggregate)->Arg(1000)->Arg(32768)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HostWalkOnly)->Arg(1000)->Arg(32768)->Arg(200000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
