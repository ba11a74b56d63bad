// ClAccConnect: the connection, which loads the host data at Initiate, and the host's messages.
#include "host/acc_connect.h"

#include <string>

#include "host/host_text.h"
#include "host/stand_in.h"
#include "host/standin_state.h"
#include "platform/message_box.h"

namespace {

constexpr const char* kProductToken = "ES_APRPACKAGENAME";
constexpr int kLoadFailed = -1;  // Initiate's answer when the data cannot be loaded

}  // namespace

namespace host::detail {

void ResetSession() {
    ResetDataObjects();
    *ClAccConnect::Inst() = ClAccConnect();
}

}  // namespace host::detail

ClAccConnect* ClAccConnect::Inst() {
    static ClAccConnect connect;
    return &connect;
}

void ClAccConnect::SetAppType(int type) {
    host::StandIn::Get().Record("SetAppType " + std::to_string(type));
}

void ClAccConnect::SetUseDataType(int type) {
    host::StandIn::Get().Record("SetUseDataType " + std::to_string(type));
}

int ClAccConnect::Initiate() {
    host::StandIn& standIn = host::StandIn::Get();
    standIn.Record("Initiate");
    host::LoadError err;
    // A missing folder ("no host here") is told like broken data.
    if (!standIn.Load(err)) {
        plat::ShowMessageBox(m_hOwnerWnd, err.ToText(), m_pszTitle != nullptr ? m_pszTitle : "",
                             plat::kMbOk | plat::kMbIconExclamation);
        return kLoadFailed;
    }
    return standIn.Model().initiateResult;
}

int ClAccConnect::ExpSysLink() {
    host::StandIn& standIn = host::StandIn::Get();
    standIn.Record("ExpSysLink");
    return standIn.Model().expSysLinkResult;
}

int ClAccConnect::DispMsg(plat::WindowHandle owner, const char* text, const char* caption, unsigned style) {
    host::StandIn& standIn = host::StandIn::Get();
    standIn.Record("DispMsg");
    const std::string expanded = host::text::ReplaceToken(text != nullptr ? text : "", kProductToken,
                                                          standIn.Model().taxFormProductName);
    return plat::ShowMessageBox(owner, expanded, caption != nullptr ? caption : "", style);
}

int ClAccConnect::LogOut() {
    host::StandIn::Get().Record("LogOut");
    return 0;
}

int ClAccConnect::Terminate() {
    host::StandIn::Get().Record("Terminate");
    return 0;
}

int ClAccConnect::Release() {
    host::StandIn::Get().Record("Release");
    // The next Initiate starts a fresh session (and reloads a data folder).
    host::detail::ResetSession();
    return 0;
}
