#pragma once
// Fixture of the platform tests: a fresh headless user interface and the
// test's scratch folder (tests/support) mapped as drive C: as well.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/headless_windows/drive_table.h"
#include "platform/headless_windows/headless_ui.h"
#include "platform/headless_windows/test_knobs.h"
#include "tests/support/scratch_folder.h"

namespace platform_test {

class PlatformTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The POSIX folder behind "C:\".
    std::string Root() const;

public:
    // Writes bytes to a POSIX path, past the platform layer; false when that fails.
    static bool WritePosixFile(const std::string& path, const std::string& bytes);
    static std::string ReadPosixFile(const std::string& path);
    // A control added to a dialog as a template would have made it.
    static plat::WindowHandle AddControl(plat::WindowHandle dialog, int id, const std::string& className,
                                         unsigned style);
    static plat::headless::HeadlessUi& Ui() { return plat::headless::HeadlessUi::Get(); }
    // Whether the event log holds the event.
    static bool Logged(const std::string& event);
    // Position of the first such event in the log; -1 when there is none.
    static long EventIndex(const std::string& event);

private:
    std::optional<support::ScratchFolder> m_scratch;  // made once the roots are cleared
    std::string m_savedModulePath;
    std::string m_savedTempDir;
};

// Handle as the event log writes it.
std::string H(plat::WindowHandle handle);

}  // namespace platform_test
