#pragma once
// Link library: the connection to the host accounting application.
#include "platform/types.h"

class ClAccConnect {
public:
    static ClAccConnect* Inst();

    const char* m_pszTitle = nullptr;  // caption of the host's own messages
    plat::WindowHandle m_hOwnerWnd = plat::kNoWindow;

    void SetAppType(int type);
    void SetUseDataType(int type);
    // 0 when connected. Loads the host data folder; a missing folder or
    // malformed data refuse the connection with -1 after one message naming
    // the folder, or the file, line and field (captioned m_pszTitle).
    // Otherwise the answer is the data's InitiateResult.
    int Initiate();
    // 0 go on, 1 cancelled, other values failed.
    int ExpSysLink();
    // Shows text in a message box; the token ES_APRPACKAGENAME is replaced by
    // the tax-form application's product name.
    int DispMsg(plat::WindowHandle owner, const char* text, const char* caption, unsigned style);
    int LogOut();
    int Terminate();
    // Ends the session: members back to their initial values, cursors and
    // current data sets forgotten, so the whole sequence can run again.
    int Release();
};
