#pragma once
// The stand-in's model of the host: what the host data folder holds
// (docs/host-data.md), loaded once by ClAccConnect::Initiate.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/types.h"

namespace host {

struct UserEntry {
    std::string id;  // at most 64 bytes
    std::int32_t selectedNo1 = 0;
    std::int32_t selectedNo2 = 0;  // data number of the user's selected data set
};

struct DataSetEntry {
    std::int32_t dataNo = 0;
    std::string idText;  // at most 15 bytes
    std::string companyName;
    std::int32_t periodStart = 0;  // yyyymmdd
    std::int32_t periodEnd = 0;
    std::int32_t periodSetting = 0;
    std::int16_t dataKind = 0;  // 99 = past results
    bool taxIncludedDefault = false;
    std::int32_t closingDay = 0;  // 0 = month end, else 1 to 28
};

// Data set files are kept per data number; several data sets may share one.
struct AccountMasterEntry {
    std::int32_t code = 0;  // composite: account * 10000 + sub-account
    std::int8_t kmkClass = 0;
};

struct AccountTotal {
    std::int32_t code = 0;
    std::string name;         // Shift_JIS, at most 56 bytes
    std::uint8_t nature = 0;  // 1 debit nature
    std::uint8_t hojyoFlg = 0;
    std::uint8_t exclude1 = 0;
    std::uint8_t exclude2 = 0;
    std::uint32_t attributes = 0;
    // Ten-thousandths of a yen, entries 0 opening .. 12 months, 13 year-end, 14 mid-year.
    std::array<std::int64_t, 15> debitExcl{};
    std::array<std::int64_t, 15> debitIncl{};
    std::array<std::int64_t, 15> creditExcl{};
    std::array<std::int64_t, 15> creditIncl{};
};

// Faults a test or a hand-edited data folder can ask the stand-in to play.
struct Faults {
    bool failRuleCreate = false;
    bool failPeriodCreate = false;
    bool failGetSumCount = false;
    bool failSetMovePos = false;
    int failMoveNextAt = 0;  // the k-th MoveNext (1-based) returns moveNextError; 0 never
    int moveNextError = 9999;
    std::int64_t reportedCount = -1;  // GetSumCount reports this instead of the real count, when >= 0
};

struct HostModel {
    std::string currentUser;
    int initiateResult = 0;
    int expSysLinkResult = 0;
    std::string appFolder[2];  // 0 default output, 1 settings; each ends in a backslash or is empty
    // The host may answer with no text at all; its callers must not take it.
    bool appFolderNull[2] = {false, false};
    std::string taxFormProductName;
    std::vector<UserEntry> users;
    std::vector<DataSetEntry> dataSets;
    // Per data number: the account master and the account totals in walk order.
    std::map<std::int32_t, std::vector<AccountMasterEntry>> masters;
    std::map<std::int32_t, std::vector<AccountTotal>> totals;
    Faults faults;
};

struct LoadError {
    std::string file;   // file name inside the data folder
    int line = 0;       // 1-based, 0 when the whole file is meant
    std::string field;  // column or key name
    std::string message;
    std::string ToText() const;  // one line for the user, Shift_JIS
};

// Reads a host data folder (a Windows path, resolved through the platform
// layer). false with err filled when a file is missing or malformed.
bool LoadHostModel(const std::string& folder, HostModel& model, LoadError& err);

// The files of a data folder that LoadHostModel reads back as model: pairs of
// file name and Shift_JIS content, host.ini first.
std::vector<std::pair<std::string, std::string>> FormatHostModel(const HostModel& model);

// The folder ClAccConnect::Initiate loads: the environment variable
// LINK_HOST_DATA when set, else the folder "hostdata" beside the executable.
std::string DefaultDataFolder();
constexpr const char* kDataFolderEnvVar = "LINK_HOST_DATA";

// Host calls that a walk makes once per record. Calls() keeps the first
// kMaxRecordedPerKind of each; CallCount() still counts them all.
enum class HotCall {
    kMoveNext,
    kGetSetObjectKamoku,  // "GetSetObject 1 1"
    kGetCursor,
    kReadyCursor,
    kWalkFind,
    kReleaseCursor,
    kWalkDat,
    kCount
};

// The stand-in's state for the process.
class StandIn {
public:
    static constexpr std::size_t kMaxRecordedPerKind = 100;
    using MessageFn = std::function<int(plat::WindowHandle owner, const std::string& text,
                                        const std::string& caption, unsigned style)>;

    static StandIn& Get();

    // Tests: use this model from now on and at the next Initiate, instead of
    // loading a folder. Forgets the recorded calls.
    void UseModel(const HostModel& model);
    void UseModel(HostModel&& model);  // the same, without a copy of a large model
    // Tests: load from this folder at the next Initiate. Forgets the calls.
    void UseFolder(const std::string& folder);
    // Back to the defaults: empty model, calls forgotten, next Initiate loads
    // DefaultDataFolder(). The message handler stays.
    void Reset();

    bool IsLoaded() const { return m_bLoaded; }
    HostModel& Model() { return m_model; }
    const HostModel& Model() const { return m_model; }
    // Call after changing Model().masters in place, so lookups see the change.
    void ModelChanged() { ++m_generation; }
    // Loads the model as configured; false with err on failure. folderMissing
    // tells a missing folder (no message) from malformed data.
    bool Load(LoadError& err, bool& folderMissing);

    // Every host call in order, e.g. "Initiate", "LogOut", "GetSetObject 5 1"
    // (calls of a HotCall kind only up to kMaxRecordedPerKind each). The
    // names are listed in docs/host-data.md.
    std::vector<std::string>& Calls() { return m_calls; }
    void Record(const std::string& call) { m_calls.push_back(call); }
    void RecordHot(HotCall call) {
        const auto k = static_cast<std::size_t>(call);
        if (++m_hotCounts[k] <= kMaxRecordedPerKind) m_calls.emplace_back(HotCallName(call));
    }
    // How many times the call was made since the calls were last forgotten.
    std::size_t CallCount(const std::string& call) const;
    void ClearCalls();
    static const char* HotCallName(HotCall call);

    // Where the stand-in's message boxes go (Initiate's load errors, DispMsg);
    // unset: plat::ShowMessageBox. Tests under Wine set one to stay unattended.
    void SetMessageHandler(MessageFn fn) { m_messageFn = std::move(fn); }
    int ShowMessage(plat::WindowHandle owner, const std::string& text, const std::string& caption,
                    unsigned style);

    // Master record of the composite code in the data set's account master,
    // through an index built once per data set; nullptr when none.
    const AccountMasterEntry* FindMaster(std::int32_t dataNo, std::int32_t code);

private:
    struct MasterIndex {
        const AccountMasterEntry* base = nullptr;
        std::size_t size = 0;
        unsigned generation = 0;
        std::unordered_map<std::int32_t, std::size_t> byCode;
    };

    HostModel m_model;
    std::string m_folder;
    bool m_bUseModel = false;
    bool m_bLoaded = false;
    std::vector<std::string> m_calls;
    std::array<std::size_t, static_cast<std::size_t>(HotCall::kCount)> m_hotCounts{};
    MessageFn m_messageFn;
    unsigned m_generation = 0;
    std::map<std::int32_t, MasterIndex> m_masterIndex;
};

}  // namespace host
