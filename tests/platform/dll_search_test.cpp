// The program's first start step under Wine: a DLL planted beside the
// program, or in the current folder, is no longer loaded by its name alone;
// the system's own DLLs still are.
#include "platform/dll_search.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

bool Loads(const wchar_t* name) {
    const HMODULE module = LoadLibraryW(name);
    if (module == nullptr) return false;
    // The planted copies are this test's own DLL, the system's is not.
    EXPECT_EQ(GetProcAddress(module, "PlantedMarker") != nullptr, std::wstring(name) != L"version.dll");
    FreeLibrary(module);
    return true;
}

TEST(DllSearch, PlantedDllsAreNotLoadedAfterTheStartStep) {
    // planted.dll lies beside this program; a copy of it in the current folder.
    wchar_t exe[MAX_PATH] = {};
    ASSERT_NE(GetModuleFileNameW(nullptr, exe, MAX_PATH), 0u);
    const std::wstring folder(exe, std::wstring(exe).rfind(L'\\'));
    wchar_t temp[MAX_PATH] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    const std::wstring current = temp + std::wstring(L"dllsearch") + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(current.c_str(), nullptr));
    ASSERT_TRUE(CopyFileW((folder + L"\\planted.dll").c_str(), (current + L"\\current.dll").c_str(), FALSE));
    ASSERT_TRUE(SetCurrentDirectoryW(current.c_str()));

    EXPECT_TRUE(Loads(L"planted.dll"));
    EXPECT_TRUE(Loads(L"current.dll"));
    // A Windows 7 without SetDefaultDllDirectories: SetDllDirectoryW(L"")
    // leaves the program's folder in the search. Windows documents that it
    // takes the current folder out; Wine 8 keeps it, so that is not checked.
    EXPECT_EQ(plat::RestrictDllSearchWith(nullptr), plat::DllSearch::kNotCurrentFolder);
    EXPECT_TRUE(Loads(L"planted.dll"));
    // The start step: the system folder only.
    EXPECT_EQ(plat::RestrictDllSearch(), plat::DllSearch::kSystemFolderOnly);
    EXPECT_FALSE(Loads(L"planted.dll"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_FALSE(Loads(L"current.dll"));
    EXPECT_TRUE(Loads(L"version.dll"));

    SetCurrentDirectoryW(folder.c_str());
    DeleteFileW((current + L"\\current.dll").c_str());
    RemoveDirectoryW(current.c_str());
}

}  // namespace
