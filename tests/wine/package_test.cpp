// The program as it comes out of the demo package, unpacked by
// package_test.sh into a new folder (LINK_PACKAGE_DIR): its version
// information, manifest and icon as Windows reads them, the Japanese file
// name as Windows sees it, and a run started the way a parent starts it, with
// no LINK_HOST_DATA, so that the hostdata folder beside the exe is the host.
#include <gtest/gtest.h>
#include <windows.h>
// The shell's functions need the types of windows.h before them.
#include <shellapi.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "link_driver.h"

namespace {

constexpr int kFunctionId = 5;
constexpr DWORD kRunTimeoutMs = 180000;
const char kSettingsFile[] = "C:\\users\\Public\\Documents\\LinkHost\\Settings\\Dorvik22ToZq13_U.env";

std::string Folder() {
    const char* value = std::getenv("LINK_PACKAGE_DIR");
    return value ? value : "";
}

std::string Exe() {
    return Folder() + "\\Dorvik22ToZq13_U.exe";
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class PackageTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(Folder().empty()) << "run through package_test.sh"; }
};

std::vector<char> VersionInfo() {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(Exe().c_str(), &ignored);
    std::vector<char> data(size);
    if (size == 0 || !GetFileVersionInfoA(Exe().c_str(), 0, size, data.data())) data.clear();
    return data;
}

TEST_F(PackageTest, VersionNumbersAndJapaneseCodePage) {
    std::vector<char> data = VersionInfo();
    ASSERT_FALSE(data.empty()) << GetLastError();
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &len));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00160003u);  // 22.3
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000000u);  // .0.0
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00160003u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000000u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &len));
    ASSERT_EQ(len, 4u);
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 932);
}

struct VersionString {
    const char* name;
    const char* bytes;  // code page 932
};

class PackageVersionStringTest : public ::testing::TestWithParam<VersionString> {};

TEST_P(PackageVersionStringTest, ReadBackInCodePage932) {
    ASSERT_FALSE(Folder().empty()) << "run through package_test.sh";
    std::vector<char> data = VersionInfo();
    ASSERT_FALSE(data.empty());
    char* value = nullptr;
    UINT len = 0;
    const std::string key = std::string("\\StringFileInfo\\041103A4\\") + GetParam().name;
    ASSERT_TRUE(VerQueryValueA(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &len));
    EXPECT_EQ(std::string(value), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Block041103A4, PackageVersionStringTest,
    ::testing::Values(
        // Dorvik ソフトウェア
        VersionString{"CompanyName", "Dorvik \x83\x5c\x83\x74\x83\x67\x83\x45\x83\x46\x83\x41"},
        // Dorvik会計22 科目内訳書連携, as the product name
        VersionString{"FileDescription",
                      "Dorvik\x89\xef\x8c\x76"
                      "22 \x89\xc8\x96\xda\x93\xe0\x96\xf3\x8f\x91\x98\x41\x8c\x67"},
        VersionString{"FileVersion", "22.03.00"}, VersionString{"InternalName", "Dorvik22ToZq13_U"},
        VersionString{"LegalCopyright",
                      "Copyright (C) 2022 Dorvik \x83\x5c\x83\x74\x83\x67\x83\x45\x83\x46\x83\x41"},
        VersionString{"OriginalFilename", "Dorvik22ToZq13_U.exe"},
        // Dorvik会計22 科目内訳書連携
        VersionString{"ProductName",
                      "Dorvik\x89\xef\x8c\x76"
                      "22 \x89\xc8\x96\xda\x93\xe0\x96\xf3\x8f\x91\x98\x41\x8c\x67"},
        VersionString{"ProductVersion", "22.03.00"}),
    [](const ::testing::TestParamInfo<VersionString>& param) { return std::string(param.param.name); });

// The manifest as the loader reads it: an activation context made from the
// exe's resource 1.
TEST_F(PackageTest, ManifestAsTheLoaderReadsIt) {
    const std::string exe = Exe();
    ACTCTXA ctx = {};
    ctx.cbSize = sizeof(ctx);
    ctx.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    ctx.lpSource = exe.c_str();
    ctx.lpResourceName = MAKEINTRESOURCEA(1);
    const HANDLE actCtx = CreateActCtxA(&ctx);
    ASSERT_NE(actCtx, INVALID_HANDLE_VALUE) << GetLastError();

    const struct {
        const wchar_t* ns;
        const wchar_t* name;
        const wchar_t* value;
    } settings[] = {{L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware", L"true"},
                    {L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness", L"system"}};
    for (const auto& s : settings) {
        wchar_t buffer[64] = {};
        SIZE_T written = 0;
        EXPECT_TRUE(QueryActCtxSettingsW(0, actCtx, s.ns, s.name, buffer, 64, &written)) << GetLastError();
        EXPECT_STREQ(buffer, s.value);
    }

    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION runLevel = {};
    ASSERT_TRUE(QueryActCtxW(0, actCtx, nullptr, RunlevelInformationInActivationContext, &runLevel,
                             sizeof(runLevel), nullptr));
    EXPECT_EQ(runLevel.RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER);
    EXPECT_EQ(runLevel.UiAccess, 0u);

    // Common controls 6 come from the side-by-side store, not system32.
    ULONG_PTR cookie = 0;
    ASSERT_TRUE(ActivateActCtx(actCtx, &cookie));
    const HMODULE comctl = LoadLibraryA("comctl32.dll");
    char path[MAX_PATH] = {};
    GetModuleFileNameA(comctl, path, MAX_PATH);
    DeactivateActCtx(0, cookie);
    ReleaseActCtx(actCtx);
    CharLowerA(path);
    EXPECT_NE(std::string(path).find("\\winsxs\\x86_microsoft.windows.common-controls_6595b64144ccf1df_6.0."),
              std::string::npos)
        << path;
}

// The program's own identity and Windows 7, 8, 8.1, 10 and 11, in the
// manifest's own bytes.
TEST_F(PackageTest, ManifestNamesTheProgramAndTheSupportedSystems) {
    const HMODULE module = LoadLibraryExA(Exe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const HRSRC res = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(res, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(module, res))),
                               SizeofResource(module, res));
    FreeLibrary(module);
    for (const char* id :
         {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
          "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
        EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"") + id + "\"/>"), std::string::npos) << id;
    }
    EXPECT_NE(manifest.find(
                  "<assemblyIdentity type=\"win32\" name=\"Dorvik.Dorvik22ToZq13_U\" version=\"22.3.0.0\"\n"
                  "                    processorArchitecture=\"x86\"/>"),
              std::string::npos);
}

#pragma pack(push, 2)
struct GroupIconEntry {  // GRPICONDIRENTRY of an RT_GROUP_ICON resource
    BYTE width, height, colors, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

// The icon Explorer and Alt+Tab show: the exe's only icon group, IDI_PROGRAM
// (1), with 16, 32 and 48 px images in 32-bit colour.
TEST_F(PackageTest, IconGroupOf16And32And48Pixels) {
    EXPECT_EQ(ExtractIconExA(Exe().c_str(), -1, nullptr, nullptr, 0), 1u);
    const HMODULE module = LoadLibraryExA(Exe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const HRSRC group = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    const auto* dir = static_cast<const WORD*>(LockResource(LoadResource(module, group)));
    ASSERT_EQ(SizeofResource(module, group), 6 + 3 * sizeof(GroupIconEntry));
    EXPECT_EQ(dir[1], 1);  // icons
    ASSERT_EQ(dir[2], 3);
    const auto* entries = reinterpret_cast<const GroupIconEntry*>(dir + 3);
    const int sizes[] = {16, 32, 48};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(entries[i].width, sizes[i]);
        EXPECT_EQ(entries[i].height, sizes[i]);
        EXPECT_EQ(entries[i].bitCount, 32);
        const HRSRC image =
            FindResourceA(module, MAKEINTRESOURCEA(entries[i].id), MAKEINTRESOURCEA(3));  // RT_ICON
        ASSERT_NE(image, nullptr) << sizes[i];
        EXPECT_EQ(SizeofResource(module, image), entries[i].bytes) << sizes[i];
    }
    FreeLibrary(module);
}

// 使い方.txt as Windows lists the unpacked folder.
TEST_F(PackageTest, JapaneseFileNameSeenByWindows) {
    WIN32_FIND_DATAA found = {};
    const HANDLE h = FindFirstFileA((Folder() + "\\*.txt").c_str(), &found);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    FindClose(h);
    EXPECT_STREQ(found.cFileName, "\x8e\x67\x82\xa2\x95\xfb.txt");
}

TEST_F(PackageTest, RunFromTheUnpackedFolderAsAParentStartsIt) {
    SetEnvironmentVariableA("LINK_HOST_DATA", nullptr);
    DeleteFileA(kSettingsFile);  // so that the record below is this run's
    const std::string out = Folder() + "\\out\\report.xml";
    CreateDirectoryA((Folder() + "\\out").c_str(), nullptr);

    e2e::LinkDriver driver;
    ASSERT_TRUE(driver.Start(Exe(), driver.ParentCommandLine(kFunctionId, out)));
    const HWND dialog = driver.WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    // The sample company of hostdata\ beside the exe.
    EXPECT_EQ(e2e::ControlText(dialog, 1006),
              " \x8a\x94\x8e\xae\x89\xef\x8e\xd0\xd0\xc4\xde\xd8\x8f\xa4\x89\xef");
    ASSERT_TRUE(e2e::SetControlText(dialog, 1000, "3"));
    ASSERT_TRUE(driver.PressKey(VK_F12));
    std::vector<e2e::MessageBoxSeen> boxes;
    ASSERT_TRUE(driver.WaitForExit(kRunTimeoutMs, IDOK, &boxes));
    ASSERT_EQ(boxes.size(), 1u);
    // 科目内訳書情報の出力が終了しました。
    EXPECT_EQ(
        boxes[0].text.rfind("\x89\xc8\x96\xda\x93\xe0\x96\xf3\x8f\x91\x8f\xee\x95\xf1\x82\xcc\x8f\x6f\x97\xcd"
                            "\x82\xaa\x8f\x49\x97\xb9\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42",
                            0),
        0u);
    ASSERT_TRUE(driver.Posted());
    EXPECT_EQ(driver.PostedWParam(), static_cast<WPARAM>(kFunctionId));
    EXPECT_EQ(driver.PostedLParam(), 0);

    const std::string report = ReadAll(out);
    EXPECT_EQ(report.rfind("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<REPORT>\r\n", 0), 0u);
    EXPECT_NE(report.find("\t\t<FUNCTIONID>5</FUNCTIONID>\r\n"), std::string::npos);
    // The remembered choices, where 使い方.txt says they are kept.
    EXPECT_EQ(ReadAll(kSettingsFile).rfind("yamada/", 0), 0u);
}

}  // namespace
