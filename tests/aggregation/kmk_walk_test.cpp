// The walk: filters, entries, the progress calls, the host failures and the
// overflow of the checked addition.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <new>

#include "agg_support.h"

// Allocation failure inside the walk: while g_pFailingList is set, an
// allocation of an entry's size fails once that list holds g_nEntriesBefore
// entries. Every other allocation goes on as usual.
namespace {
const ClBalanceList* g_pFailingList = nullptr;
std::size_t g_nEntriesBefore = 0;
}  // namespace

void* operator new(std::size_t size) {
    if (g_pFailingList != nullptr && size == sizeof(StKMKBALANCE) &&
        g_pFailingList->size() == g_nEntriesBefore)
        throw std::bad_alloc();
    if (void* p = std::malloc(size != 0 ? size : 1)) return p;
    throw std::bad_alloc();
}
// The replacements allocate with malloc, so they free with free.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
#pragma GCC diagnostic pop

namespace aggtest {
namespace {

const std::vector<std::string> kUpToWalk = {"Advance 0 100", "Advance 100 300", "Advance 300 400"};

// The first n progress calls up to the walk.
std::vector<std::string> UpTo(std::size_t n) {
    return {kUpToWalk.begin(), kUpToWalk.begin() + static_cast<std::ptrdiff_t>(n)};
}

// The progress calls up to the walk, then its run of pulses and its end.
std::vector<std::string> Walked(int pulses, bool ended) {
    std::vector<std::string> calls = kUpToWalk;
    if (pulses > 0) calls.push_back("Pulse x" + std::to_string(pulses));
    if (ended) calls.push_back("Advance 400 500");
    return calls;
}

// Five accounts with balances 1..5 yen (debit nature, opening balance).
class Walk : public AggregationFixture {
protected:
    void AddFive() {
        for (int i = 1; i <= 5; ++i) {
            host::AccountTotal t = Total(i * 10000, "A", 1);
            t.debitExcl[0] = i * kYen;
            Add(t);
        }
    }
};

host::Faults Reported(std::int64_t count) {
    host::Faults f;
    f.reportedCount = count;
    return f;
}

host::Faults Failing(bool host::Faults::*which) {
    host::Faults f;
    f.*which = true;
    return f;
}

host::Faults MoveNextFailsAt(int k) {
    host::Faults f;
    f.failMoveNextAt = k;
    return f;
}

const std::vector<std::int32_t> kFive = {10000, 20000, 30000, 40000, 50000};

// How a walk ends, and what a host failure leaves: the result, the progress
// calls, the entries so far (the first of the five), whether the engine still
// holds its rule, and the host calls of the walk.
struct Ending {
    const char* name;
    bool five;  // the five accounts, else none
    host::Faults faults;
    std::int32_t result;
    std::vector<std::string> calls;
    std::size_t entries;
    bool ruleHeld;
    long moveNext;
    long moveFinish;
};

const Ending kEndings[] = {
    {"CompleteRun", true, {}, 1, Walked(5, true), 5, false, 5, 1},
    // The sixth MoveNext says there are no more.
    {"EndOfRecordsBeforeTheReportedCount", true, Reported(8), 1, Walked(6, true), 5, false, 6, 1},
    {"TheReportedCountEndsTheWalk", true, Reported(2), 1, Walked(2, true), 2, false, 2, 1},
    {"NoRecordsReported", true, Reported(0), 1, Walked(0, true), 0, false, 0, 1},
    {"EmptyHostWalk", false, {}, 1, Walked(0, true), 0, false, 0, 1},
    {"TheFirstMoveNextSaysNoMore", false, Reported(3), 1, Walked(1, true), 0, false, 1, 1},
    {"RuleCreationFails", true, Failing(&host::Faults::failRuleCreate), 0, UpTo(1), 0, false, 0, 0},
    {"GetSumCountFails", true, Failing(&host::Faults::failGetSumCount), 0, UpTo(2), 0, true, 0, 0},
    {"SetMovePosFails", true, Failing(&host::Faults::failSetMovePos), 0, UpTo(3), 0, true, 0, 0},
    // A MoveNext error keeps the entries so far.
    {"MoveNextFailsAtTheFirstRecord", true, MoveNextFailsAt(1), 0, Walked(1, false), 0, true, 1, 0},
    {"MoveNextFailsAtTheSecondRecord", true, MoveNextFailsAt(2), 0, Walked(2, false), 1, true, 2, 0},
    {"MoveNextFailsAtTheThirdRecord", true, MoveNextFailsAt(3), 0, Walked(3, false), 2, true, 3, 0},
    {"MoveNextFailsAtTheFourthRecord", true, MoveNextFailsAt(4), 0, Walked(4, false), 3, true, 4, 0},
    {"MoveNextFailsAtTheFifthRecord", true, MoveNextFailsAt(5), 0, Walked(5, false), 4, true, 5, 0},
};

class WalkEnding : public Walk, public ::testing::WithParamInterface<Ending> {};

TEST_P(WalkEnding, LeavesItsResultProgressEntriesAndHostCalls) {
    const Ending& e = GetParam();
    if (e.five) AddFive();
    Faults() = e.faults;
    EXPECT_EQ(e.result, Run(MonthFind(1, 12)));
    EXPECT_EQ(e.calls, m_progress.Calls());
    EXPECT_EQ(std::vector<std::int32_t>(kFive.begin(), kFive.begin() + e.entries), Codes());
    EXPECT_EQ(e.ruleHeld, m_bRuleHeld);
    EXPECT_EQ(e.moveNext, HostCalls("MoveNext"));
    EXPECT_EQ(e.moveFinish, HostCalls("MoveFinish"));
}

INSTANTIATE_TEST_SUITE_P(Walks, WalkEnding, ::testing::ValuesIn(kEndings),
                         [](const ::testing::TestParamInfo<Ending>& row) { return row.param.name; });

TEST_F(Walk, EntryAllocationFails) {
    AddFive();
    struct Arm {
        explicit Arm(const ClBalanceList& list) {
            g_pFailingList = &list;
            g_nEntriesBefore = 2;
        }
        ~Arm() { g_pFailingList = nullptr; }
    } arm(m_list);
    EXPECT_EQ(0, Run(MonthFind(1, 12)));
    EXPECT_EQ((std::vector<std::int32_t>{10000, 20000}), Codes());
    EXPECT_EQ(Walked(3, false), m_progress.Calls());
    EXPECT_TRUE(m_bRuleHeld);
    EXPECT_EQ(0, HostCalls("MoveFinish"));
}

TEST_F(Walk, RuleHeldAfterAFailureIsReused) {
    AddFive();
    Faults().failSetMovePos = true;
    Connect();
    ClKmkSummary engine;
    engine.m_pProgress = &m_progress;
    engine.m_pBalanceList = &m_list;
    EXPECT_EQ(0, engine.Execute(0, MonthFind(1, 12), m_dataInfo));
    EXPECT_EQ(1, HostCalls("AttachOptLink"));
    host::StandIn::Get().Model().faults.failSetMovePos = false;
    EXPECT_EQ(1, engine.Execute(0, MonthFind(1, 12), m_dataInfo));
    EXPECT_EQ(1, HostCalls("AttachOptLink"));  // no second attach
    EXPECT_EQ(5u, m_list.size());
    EXPECT_FALSE(RuleHeld());
}

// Every record the host reports is read, also past 32,768, where a signed
// 16-bit count would turn negative: one record more is enough.
TEST_F(Walk, RecordsPastSignedSixteenBitsAreAllRead) {
    constexpr std::int32_t n = 32769;
    for (std::int32_t i = 0; i < n; ++i) {
        host::AccountTotal t = Total(1000000 + i, "", 1);
        t.debitExcl[0] = i;
        Add(t);
    }
    Faults().reportedCount = n;
    ASSERT_EQ(1, Run(MonthFind(1, 12)));
    ASSERT_EQ(32769u, m_list.size());
    EXPECT_EQ(1000000 + 32768, m_list.back()->lCode);
    EXPECT_EQ(32768, m_list.back()->llZandaka);
    EXPECT_EQ(32769, m_progress.Pulses());
    EXPECT_EQ(Walked(32769, true), m_progress.Calls());
}

TEST_F(Walk, Filters) {
    struct Row {
        std::int32_t code;
        int kmkClass;  // -200: not in the master
        std::uint8_t ex1, ex2;
        std::uint32_t attr;
    };
    const Row rows[] = {
        {10000, 0, 0, 0, 0},           {20000, 0, 1, 0, 0},           {30000, 0, 0, 1, 0},
        {40000, 0, 0, 0, 0x08000000u}, {50000, 0, 0, 0, 0x10000000u}, {60000, 0, 0, 0, 0xE7FFFFFFu},
        {70000, 1, 0, 0, 0},           {80000, 2, 0, 0, 0},           {90000, -1, 0, 0, 0},
        {100000, -200, 0, 0, 0},       {100001, 0, 0, 0, 0},          {110000, -3, 0, 0, 0},
        {120000, 1, 0xFF, 0, 0},
    };
    for (const Row& r : rows) {
        host::AccountTotal t = Total(r.code, "F", 1);
        t.exclude1 = r.ex1;
        t.exclude2 = r.ex2;
        t.attributes = r.attr;
        Add(t, r.kmkClass);
    }
    ASSERT_EQ(1, Run(MonthFind(1, 12)));
    EXPECT_EQ((std::vector<std::int32_t>{10000, 60000, 70000, 100001}), Codes());
    // Only the records that pass the three marker tests cost a master lookup.
    EXPECT_EQ(8, HostCalls("WalkFind"));
}

TEST_F(Walk, EntryFields) {
    // "普通預金（本店）" = 16 bytes of double-byte characters: kept whole.
    const std::string kFutsu = "\x95\x81\x92\xCA\x97\x61\x8B\xE0\x81\x69\x96\x7B\x93\x58\x81\x6A";
    host::AccountTotal a = Total(1120000, kFutsu, 1);
    a.hojyoFlg = 1;
    a.debitExcl[0] = 12345;
    // "A" + "普通預金（本店）": the 16th byte starts a character; 15 bytes stay.
    host::AccountTotal b = Total(1120001, "A" + kFutsu, 1);
    b.hojyoFlg = 0;
    Add(a);
    Add(b);
    ASSERT_EQ(1, Run(MonthFind(1, 12)));
    ASSERT_EQ(2u, m_list.size());
    const StKMKBALANCE& ea = *m_list.front();
    const StKMKBALANCE& eb = *m_list.back();
    EXPECT_EQ(0, std::memcmp(ea.szName, (kFutsu + '\0').c_str(), 17));
    EXPECT_EQ(1, ea.cHojyoFlg);
    EXPECT_EQ(1120000, ea.lCode);
    EXPECT_EQ(12345, ea.llZandaka);
    EXPECT_EQ(0, std::memcmp(eb.szName, ("A" + kFutsu.substr(0, 14) + std::string(2, '\0')).c_str(), 17));
    EXPECT_EQ(0, eb.cHojyoFlg);
}

TEST_F(Walk, GetKmkClass) {
    host::AccountTotal t = Total(1, "x", 1);
    const std::pair<std::int32_t, int> master[] = {
        {10000, 0}, {20000, 1}, {30000, 2}, {40000, -3}, {40001, 127}};
    for (const auto& m : master) {
        t.code = m.first;
        Add(t, m.second);
    }
    Connect();
    ClKmkSummary engine;
    for (const auto& [code, kmkClass] : master) EXPECT_EQ(kmkClass, engine.GetKmkClass(code)) << code;
    EXPECT_EQ(-1, engine.GetKmkClass(50000));
    EXPECT_EQ(-1, engine.GetKmkClass(0));
    EXPECT_EQ(7, HostCalls("ReleaseCursor"));
}

// The checked addition: brought forward plus the own side's total.
constexpr std::int64_t kJustBelow = 999999999999999999LL;  // 99,999,999,999,999.9999 yen
constexpr std::int64_t kBound = 1000000000000000000LL;     // 100,000,000,000,000 yen

TEST_F(Walk, OwnSideSumJustBelowTheBoundPasses) {
    host::AccountTotal debit = Total(10000, "D", 1);
    debit.debitExcl[0] = kJustBelow - 5;
    debit.debitExcl[1] = 5;
    host::AccountTotal credit = Total(20000, "C", 2);
    credit.creditExcl[3] = kJustBelow;
    // The other side is not bound: only subtracted.
    host::AccountTotal other = Total(30000, "O", 1);
    other.creditExcl[2] = 3 * kJustBelow;
    Add(debit);
    Add(credit);
    Add(other);
    ASSERT_EQ(1, Run(MonthFind(1, 12)));
    EXPECT_EQ(kJustBelow, Balance(10000));
    EXPECT_EQ(kJustBelow, Balance(20000));
    EXPECT_EQ(-3 * kJustBelow, Balance(30000));
}

class Overflow : public Walk {
protected:
    // One good account, then m_bad, then another good one.
    void Check(const StFINDINFO& find, int taxIncluded = 0) {
        host::AccountTotal good = Total(10000, "G", 1);
        good.debitExcl[0] = 7 * kYen;
        Add(good);
        Add(m_bad);
        good.code = 90000;
        Add(good);
        EXPECT_EQ(0, Run(find, taxIncluded));
        EXPECT_EQ((std::vector<std::int32_t>{10000}), Codes());
        EXPECT_EQ(Walked(2, false), m_progress.Calls());
        EXPECT_TRUE(m_bRuleHeld);
        EXPECT_EQ(0, HostCalls("MoveFinish"));
    }
    host::AccountTotal m_bad = Total(20000, "B", 1);
};

TEST_F(Overflow, AtTheBoundInTheMonths) {
    m_bad.debitExcl[0] = kJustBelow;
    m_bad.debitExcl[4] = 1;
    Check(MonthFind(4, 9));
}

TEST_F(Overflow, AtTheBoundEvenWhenTheOtherSideBringsItBack) {
    m_bad.nature = 2;
    m_bad.creditExcl[2] = kBound / 2;
    m_bad.creditExcl[13] = kBound / 2;
    m_bad.debitExcl[5] = kBound - 1;
    Check(MonthFind(1, 12, {18}));
}

TEST_F(Overflow, NegativeSumAtTheBound) {
    m_bad.creditExcl[0] = kBound;  // brought forward -10^18 on the debit side
    Check(MonthFind(2, 12));
}

TEST_F(Overflow, InTheTaxInclusiveArrays) {
    m_bad.debitIncl[14] = kBound;
    SetPeriodSetting(1);
    Check(MonthFind(1, 6), 1);
}

TEST_F(Overflow, ARecordTheFiltersDropStillRaises) {
    m_bad.debitExcl[0] = kBound;
    m_bad.exclude1 = 1;
    Check(MonthFind(1, 12));
}

TEST_F(Overflow, SumsBeyondSixtyFourBitsRaise) {
    m_bad.debitExcl[1] = INT64_MAX;
    m_bad.debitExcl[2] = INT64_MAX;
    m_bad.creditExcl[1] = INT64_MAX;
    Check(MonthFind(1, 12));
}

// What the engine tells the host before its walk, in order, and what it
// walks with: the find-info it was given, whole.
TEST_F(Walk, HostCallsBeforeTheWalkAndTheArgumentsOfMoveReady) {
    AddFive();
    for (const StFINDINFO& find : {MonthFind(1, 12), MonthFind(2, 7, {18})}) {
        ASSERT_EQ(1, Run(find));
        const std::vector<std::string>& calls = host::StandIn::Get().Calls();
        ASSERT_GE(calls.size(), 9u);
        const std::string findBytes(reinterpret_cast<const char*>(find.Data()), StFINDINFO::kSize);
        EXPECT_EQ(
            std::vector<std::string>(calls.begin(), calls.begin() + 9),
            (std::vector<std::string>{"new ClRuleKamoku", "GetSetMgr", "AttachSetMgr", "GetSetObject 5 1",
                                      "GetSelectedInfo", "SetCurDataID", "GetOptLink", "AttachOptLink",
                                      "MoveReady 1 0 0 " + findBytes + " - 0"}));
    }
}

// The first lookup of a fresh engine: a walk that delivers nothing is not
// read, although the untouched record would pass for the account with code 0.
TEST_F(Walk, FirstLookupOfAFreshEngine) {
    Add(Total(10000, "x", 1), 1);
    Connect();
    for (const auto& [code, kmkClass] : {std::pair{0, -1}, std::pair{10000, 1}, std::pair{20000, -1}}) {
        ClKmkSummary engine;
        EXPECT_EQ(kmkClass, engine.GetKmkClass(code)) << code;
    }
}

}  // namespace
}  // namespace aggtest
