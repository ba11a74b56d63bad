// Coverage for libFuzzer from gcc-instrumented code. gcc's
// -fsanitize-coverage=trace-pc calls __sanitizer_cov_trace_pc() in every
// basic block, which clang 14's libFuzzer no longer counts (its own
// definition aborts; the build weakens it). Here each call site's return
// address picks one 8-bit counter and one PC-table slot, registered as a
// module, so libFuzzer sees edges as features and reports them as "cov:".
// Slots are (pc - image start) / 4: call sites are at least five bytes apart,
// so every block of the executable's text has a slot of its own.
// trace-cmp's callbacks go to libFuzzer unchanged, except the floating-point
// ones gcc also emits, which libFuzzer lacks.
#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" {
extern char __executable_start[];
extern char etext[];
void __sanitizer_cov_8bit_counters_init(std::uint8_t* begin, std::uint8_t* end);
void __sanitizer_cov_pcs_init(const std::uintptr_t* begin, const std::uintptr_t* end);
}

namespace {

struct PcEntry {
    std::uintptr_t pc;
    std::uintptr_t flags;
};

std::uint8_t* g_counters = nullptr;
PcEntry* g_pcs = nullptr;
std::uintptr_t g_base = 0;
std::size_t g_slots = 0;

// Before the product's own constructors, which are instrumented too.
__attribute__((constructor(101))) void RegisterCoverage() {
    g_base = reinterpret_cast<std::uintptr_t>(__executable_start);
    const std::uintptr_t end = reinterpret_cast<std::uintptr_t>(etext);
    const std::size_t slots = (end - g_base) / 4 + 1;
    // Mapped, not allocated: LeakSanitizer, which libFuzzer runs after inputs
    // that allocate more than they free, would scan megabytes of tables.
    void* const counterMem = mmap(nullptr, slots, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    void* const pcMem =
        mmap(nullptr, slots * sizeof(PcEntry), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (counterMem == MAP_FAILED || pcMem == MAP_FAILED) std::abort();
    auto* counters = static_cast<std::uint8_t*>(counterMem);
    auto* pcs = static_cast<PcEntry*>(pcMem);
    // Slots never reached keep a plausible address for libFuzzer's listings.
    for (std::size_t i = 0; i < slots; ++i) pcs[i].pc = g_base + 4 * i;
    g_pcs = pcs;
    g_slots = slots;
    g_counters = counters;
    __sanitizer_cov_8bit_counters_init(counters, counters + slots);
    __sanitizer_cov_pcs_init(reinterpret_cast<const std::uintptr_t*>(pcs),
                             reinterpret_cast<const std::uintptr_t*>(pcs + slots));
}

}  // namespace

extern "C" __attribute__((no_sanitize_address, no_sanitize_undefined, used)) void __sanitizer_cov_trace_pc() {
    std::uint8_t* const counters = g_counters;
    if (counters == nullptr) return;
    const std::uintptr_t pc = reinterpret_cast<std::uintptr_t>(__builtin_return_address(0));
    const std::size_t slot = ((pc - g_base) / 4) % g_slots;
    ++counters[slot];
    g_pcs[slot].pc = pc;
}

extern "C" void __sanitizer_cov_trace_cmpf(float, float) {}
extern "C" void __sanitizer_cov_trace_cmpd(double, double) {}
