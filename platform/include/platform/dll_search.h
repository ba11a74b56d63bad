#pragma once
// The first step of the program's start on Windows (the Windows backend only):
// a DLL that is loaded by name alone is looked for in the system folder, not
// beside the program, where a downloaded file may lie.
namespace plat {

enum class DllSearch {
    kSystemFolderOnly,  // SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)
    kNotCurrentFolder,  // only SetDllDirectoryW(L""): the current folder is left out
    kUnchanged,         // neither call succeeded
};

// Restricts the search with SetDefaultDllDirectories, looked up at run time
// (Windows 7 without KB2533623 lacks it), or else with SetDllDirectoryW(L"").
DllSearch RestrictDllSearch();
// The same with the first function given, or none as on such a Windows 7.
using SetDefaultDllDirectoriesFn = int(__stdcall*)(unsigned long directoryFlags);
DllSearch RestrictDllSearchWith(SetDefaultDllDirectoriesFn setDefaultDllDirectories);

}  // namespace plat
