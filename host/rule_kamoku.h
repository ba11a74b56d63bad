#pragma once
// Summation rules of the host: the walk over the account totals.
#include <cstddef>
#include <cstdint>
#include <new>

#include "host/data_mgr.h"
#include "host/records.h"

class ClOptLink {};

class ClLinkMgr {
public:
    static ClLinkMgr* Inst();
    ClOptLink* GetOptLink();
};

// Attached to a data set as the set objects are (AttachSetMgr, SetCurDataID).
class ClRuleBase : public host::DataSetAttach {
public:
    int AttachOptLink(ClOptLink* link);
};

enum _RuleKamokuSumType_Base { _RuleKamokuSumType_Base_Kamoku = 1 };
enum _RuleKamokuSumType_Bmn { _RuleKamokuSumType_Bmn_None = 0 };
enum _RuleKamokuSumType_Disptype { _RuleKamokuSumType_Disptype_Normal = 0 };
enum _RuleKamokuSumType_Past { _RuleKamokuSumType_Past_None = 0 };

class ClRuleKamoku : public ClRuleBase {
public:
    static constexpr int kEndOfRecords = 5000;
    static constexpr int kNotReady = 5001;  // MoveNext without a successful MoveReady

    ClRuleKamoku() = default;
    ~ClRuleKamoku() override = default;

    // Prepares the walk over the current data set's totals (else the open data
    // set's); 1 when there is none (the count is then 0 and the walk empty).
    // The find-info selects nothing: every record carries all fifteen period
    // entries whatever the months asked for.
    int MoveReady(_RuleKamokuSumType_Base base, _RuleKamokuSumType_Bmn bmn,
                  _RuleKamokuSumType_Disptype dispType, const StFINDINFO* find, const StBUMONINFO* bumon,
                  _RuleKamokuSumType_Past past);
    int GetSumCount(std::uint32_t* count);  // 0 = success
    int SetMovePos(std::uint32_t pos);      // 0 = success
    // 0 a record (all 636 bytes written), kEndOfRecords no more, other values
    // an error. Records come in the order of the data set's totals: an
    // account, its sub-accounts, then the account's code once more when it
    // has sub-accounts.
    int MoveNext(StKAMOKUSUMINFO* record);
    int MoveFinish();

    static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;  // nothrow only
    static void operator delete(void* p) noexcept;

private:
    std::uint32_t m_nPos = 0;
    std::uint32_t m_nCalls = 0;  // MoveNext calls so far, for injected faults
    bool m_bReady = false;
    std::int32_t m_lWalkDataNo = 0;
};
