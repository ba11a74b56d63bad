// StandIn: the host data in use, the call log and the master index.
#include "host/stand_in.h"

#include <cstdlib>
#include <iterator>

#include "host/host_loader.h"
#include "host/standin_state.h"
#include "platform/mbcs.h"
#include "platform/process.h"

namespace host {

std::string DefaultDataFolder() {
    const std::string fromEnv = plat::GetEnvVar(kDataFolderEnvVar);
    if (!fromEnv.empty()) return fromEnv;
    // Unnamable, the bare name: the program has made its folder current.
    const std::string module = plat::GetModuleFilePath();
    return module.substr(0, plat::FolderPartLength(module)) + "hostdata";
}

StandIn& StandIn::Get() {
    static StandIn standIn;
    return standIn;
}

void StandIn::UseModel(const HostModel& model) {
    UseModel(HostModel(model));
}

void StandIn::UseModel(HostModel&& model) {
    detail::ResetSession();
    m_model = std::move(model);
    m_folder.clear();
    m_bUseModel = true;
    m_masterIndex.clear();
    ClearCalls();
}

void StandIn::UseFolder(const std::string& folder) {
    UseModel(HostModel{});
    m_folder = folder;
    m_bUseModel = false;
}

void StandIn::Reset() {
    UseFolder("");
}

bool StandIn::Load(LoadError& err) {
    if (m_bUseModel) return true;
    const std::string folder = m_folder.empty() ? DefaultDataFolder() : m_folder;
    HostModel model;
    if (!LoadHostModel(folder, model, err)) return false;
    m_model = std::move(model);
    m_masterIndex.clear();
    return true;
}

const char* StandIn::HotCallName(HotCall call) {
    static const char* const kNames[] = {"MoveNext", "GetSetObject 1 1", "GetCursor", "ReadyCursor",
                                         "WalkFind", "ReleaseCursor",    "WalkDat"};
    static_assert(std::size(kNames) == static_cast<std::size_t>(HotCall::kCount), "a name per call");
    return kNames[static_cast<std::size_t>(call)];
}

std::size_t StandIn::CallCount(const std::string& call) const {
    for (std::size_t k = 0; k < m_hotCounts.size(); ++k) {
        if (call == HotCallName(static_cast<HotCall>(k))) return m_hotCounts[k];
    }
    std::size_t n = 0;
    for (const std::string& c : m_calls) n += c == call ? 1 : 0;
    return n;
}

void StandIn::ClearCalls() {
    m_calls.clear();
    m_hotCounts.fill(0);
}

const AccountMasterEntry* StandIn::FindMaster(std::int32_t dataNo, std::int32_t code) {
    const auto mit = m_model.masters.find(dataNo);
    if (mit == m_model.masters.end()) return nullptr;
    const std::vector<AccountMasterEntry>& master = mit->second;
    MasterIndex& index = m_masterIndex[dataNo];
    if (index.base != master.data() || index.size != master.size()) {
        index.byCode.clear();
        index.byCode.reserve(master.size());
        for (std::size_t i = 0; i < master.size(); ++i) index.byCode.emplace(master[i].code, i);
        index.base = master.data();
        index.size = master.size();
    }
    const auto it = index.byCode.find(code);
    return it == index.byCode.end() ? nullptr : &master[it->second];
}

namespace detail {

void* RecordedNew(std::size_t size, const char* name, bool Faults::*fault) {
    StandIn& standIn = StandIn::Get();
    standIn.Record(std::string("new ") + name);
    return standIn.Model().faults.*fault ? nullptr : std::malloc(size);
}

void RecordedDelete(void* p, const char* name) noexcept {
    if (p == nullptr) return;
    StandIn::Get().Record(std::string("delete ") + name);
    std::free(p);
}

}  // namespace detail
}  // namespace host
