#pragma once
// File-manager library of the host: the default output folder and the settings folder.
class ClFileMgr {
public:
    static constexpr int kFolderOutput = 0;    // default output folder
    static constexpr int kFolderSettings = 1;  // folder of the remembered destinations
    static ClFileMgr* Inst();
    // The folder's text, ending in a backslash; empty when there is none.
    const char* GetAppFolderPath(int kind);
};
