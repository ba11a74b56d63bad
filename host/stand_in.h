#pragma once
// The stand-in's state for the process, which every host class answers from:
// the host data in use (loaded from the data folder at Initiate, or a model a
// test puts in place), the log of host calls and the account-master index.
#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/host_model.h"
#include "host/load_error.h"

namespace host {

// The folder ClAccConnect::Initiate loads: the environment variable
// LINK_HOST_DATA when set, else the folder "hostdata" beside the executable
// (a bare "hostdata" when the executable's path cannot be named).
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

class StandIn {
public:
    static constexpr std::size_t kMaxRecordedPerKind = 100;

    static StandIn& Get();

    // Tests: use this model from now on and at the next Initiate, instead of
    // loading a folder. Forgets the recorded calls.
    void UseModel(const HostModel& model);
    void UseModel(HostModel&& model);  // the same, without a copy of a large model
    // Tests: load from this folder at the next Initiate. Forgets the calls.
    void UseFolder(const std::string& folder);
    // Back to the defaults: empty model, calls forgotten, next Initiate loads
    // DefaultDataFolder().
    void Reset();

    // May be changed between calls; an account master whose codes change in
    // place at the same size must be put in again with UseModel.
    HostModel& Model() { return m_model; }
    const HostModel& Model() const { return m_model; }
    // Loads the model as configured; false with err on failure.
    bool Load(LoadError& err);

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

    // Master record of the composite code in the data set's account master,
    // through an index built again when the master's storage or size
    // changes; nullptr when none.
    const AccountMasterEntry* FindMaster(std::int32_t dataNo, std::int32_t code);

private:
    struct MasterIndex {
        const AccountMasterEntry* base = nullptr;
        std::size_t size = 0;
        std::unordered_map<std::int32_t, std::size_t> byCode;
    };

    HostModel m_model;
    std::string m_folder;
    bool m_bUseModel = false;
    std::vector<std::string> m_calls;
    std::array<std::size_t, static_cast<std::size_t>(HotCall::kCount)> m_hotCounts{};
    std::map<std::int32_t, MasterIndex> m_masterIndex;
};

}  // namespace host
