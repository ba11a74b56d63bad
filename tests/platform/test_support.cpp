#include "test_support.h"

#include <fstream>
#include <iterator>

#include "platform/process.h"
#include "resource_tables.h"

namespace platform_test {

void PlatformTest::SetUp() {
    Ui().Reset();
    plat::headless::ClearRoots();
    m_scratch.emplace();
    plat::headless::MapRoot("C:", Root(), plat::kDriveFixed);
    ASSERT_TRUE(plat::SetCurrentDir("C:\\"));
    m_savedModulePath = plat::GetModuleFilePath();
    m_savedTempDir = plat::GetTempDir();
}

void PlatformTest::TearDown() {
    for (int key = 0; key < 256; ++key) plat::headless::SetKeyDown(key, false);
    plat::headless::SetModuleFilePath(m_savedModulePath);
    plat::headless::SetTempDir(m_savedTempDir);
    plat::headless::ClearRoots();
    Ui().Reset();
    m_scratch.reset();
}

std::string PlatformTest::Root() const {
    const std::string host = m_scratch->HostPath("");
    return host.substr(0, host.size() - 1);
}

bool PlatformTest::WritePosixFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::string PlatformTest::ReadPosixFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

plat::WindowHandle PlatformTest::AddControl(plat::WindowHandle dialog, int id, const std::string& className,
                                            unsigned style) {
    plat::headless::WindowState state;
    state.parent = dialog;
    state.controlId = id;
    state.className = className;
    state.style = style | plat::headless::kWsChild | plat::headless::kWsVisible;
    state.visible = true;
    return Ui().NewWindow(state);
}

bool PlatformTest::Logged(const std::string& event) {
    return EventIndex(event) >= 0;
}

long PlatformTest::EventIndex(const std::string& event) {
    const auto& events = Ui().Events();
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (events[i] == event) return static_cast<long>(i);
    }
    return -1;
}

std::string H(plat::WindowHandle handle) {
    return std::to_string(static_cast<unsigned long long>(handle));
}

}  // namespace platform_test
