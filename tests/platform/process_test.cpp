// The process, key state, resources and the full-width mapping of the
// headless double.
#include "platform/process.h"

#include <stdlib.h>

#include <string>

#include "platform/files.h"
#include "platform/keyboard.h"
#include "platform/locale_map.h"
#include "platform/resources.h"
#include "test_support.h"

namespace {

using platform_test::PlatformTest;

using ProcessTest = PlatformTest;

TEST_F(ProcessTest, ModulePathDefaultsAndCanBeSet) {
    EXPECT_EQ(plat::GetModuleFilePath(), "C:\\Program Files\\Link\\Dorvik22ToZq13_U.exe");
    plat::headless::SetModuleFilePath("D:\\\x95\x5C\\Dorvik22ToZq13_U.exe");
    EXPECT_EQ(plat::GetModuleFilePath(), "D:\\\x95\x5C\\Dorvik22ToZq13_U.exe");
    EXPECT_FALSE(plat::MakeProgramFolderCurrent());  // D: is not there
    ASSERT_TRUE(plat::CreateDir("C:\\\x95\x5C"));
    plat::headless::SetModuleFilePath("C:\\\x95\x5C\\Dorvik22ToZq13_U.exe");
    EXPECT_TRUE(plat::MakeProgramFolderCurrent());
    EXPECT_EQ(plat::GetCurrentDir(), "C:\\\x95\x5C");
}

TEST_F(ProcessTest, TempDirDefaultsAndCanBeSet) {
    EXPECT_EQ(plat::GetTempDir(), "C:\\Temp\\");
    plat::headless::SetTempDir("");
    EXPECT_EQ(plat::GetTempDir(), "");
    plat::headless::SetTempDir("C:\\tmp");
    EXPECT_EQ(plat::GetTempDir(), "C:\\tmp");
}

TEST_F(ProcessTest, EnvironmentVariables) {
    ASSERT_EQ(::setenv("PPORT_TEST_VARIABLE", "value", 1), 0);
    EXPECT_EQ(plat::GetEnvVar("PPORT_TEST_VARIABLE"), "value");
    ASSERT_EQ(::unsetenv("PPORT_TEST_VARIABLE"), 0);
    EXPECT_EQ(plat::GetEnvVar("PPORT_TEST_VARIABLE"), "");
    EXPECT_EQ(plat::GetEnvVar(""), "");
}

TEST_F(ProcessTest, KeysAreDownOnlyWhileSet) {
    EXPECT_FALSE(plat::IsKeyDown(plat::kVkShift));
    plat::headless::SetKeyDown(plat::kVkShift, true);
    plat::headless::SetKeyDown(plat::kVkControl, true);
    EXPECT_TRUE(plat::IsKeyDown(plat::kVkShift));
    EXPECT_TRUE(plat::IsKeyDown(plat::kVkControl));
    EXPECT_FALSE(plat::IsKeyDown(plat::kVkMenu));
    plat::headless::SetKeyDown(plat::kVkShift, false);
    EXPECT_FALSE(plat::IsKeyDown(plat::kVkShift));
    EXPECT_TRUE(plat::IsKeyDown(plat::kVkControl));
}

TEST(Resources, ProgramVersionString) {
    EXPECT_EQ(plat::LoadResString(1), "22.03.00");
    EXPECT_EQ(plat::LoadResString(9999), "");
}

TEST(LocaleMap, UsesTheFullWidthTable) {
    // "A1" becomes "Ａ１"; double-byte text stays.
    EXPECT_EQ(plat::MapToFullWidth("A1"), "\x82\x60\x82\x50");
    EXPECT_EQ(plat::MapToFullWidth("\x95\x5C"), "\x95\x5C");
    EXPECT_EQ(plat::MapToFullWidth(""), "");
}

}  // namespace
