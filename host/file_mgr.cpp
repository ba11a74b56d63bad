// ClFileMgr: the host's two folders.
#include "host/file_mgr.h"

#include <string>

#include "host/stand_in.h"

ClFileMgr* ClFileMgr::Inst() {
    static ClFileMgr mgr;
    return &mgr;
}

const char* ClFileMgr::GetAppFolderPath(int kind) {
    host::StandIn& standIn = host::StandIn::Get();
    standIn.Record("GetAppFolderPath " + std::to_string(kind));
    if (kind != kFolderOutput && kind != kFolderSettings) return "";
    if (standIn.Model().appFolderNull[kind]) return nullptr;
    return standIn.Model().appFolder[kind].c_str();
}
