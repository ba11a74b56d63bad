#include "platform/dll_search.h"

#include <windows.h>

namespace plat {

DllSearch RestrictDllSearchWith(SetDefaultDllDirectoriesFn setDefaultDllDirectories) {
    if (setDefaultDllDirectories != nullptr &&
        setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE)
        return DllSearch::kSystemFolderOnly;
    return ::SetDllDirectoryW(L"") != FALSE ? DllSearch::kNotCurrentFolder : DllSearch::kUnchanged;
}

DllSearch RestrictDllSearch() {
    const HMODULE kernel32 = ::GetModuleHandleW(L"kernel32.dll");
    const FARPROC found =
        kernel32 != nullptr ? ::GetProcAddress(kernel32, "SetDefaultDllDirectories") : nullptr;
    return RestrictDllSearchWith(
        reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(found)));
}

}  // namespace plat
