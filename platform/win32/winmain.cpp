// The program's entry point: hands the command line to the application object
// and runs it. The command line is taken from GetCommandLineA, not from the
// runtime's lpCmdLine: the mingw runtime skips the program name comparing
// signed bytes and stops inside a double-byte folder name of an unquoted path.
#include <string>

#include "handle.h"
#include "platform/app_entry.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*showCommand*/) {
    plat::win32::EnsureCommonControls();

    plat::WinApp* app = plat::WinApp::Current();
    if (app == nullptr) return 1;
    const char* whole = ::GetCommandLineA();
    app->SetCommandLine(std::string(plat::CommandLineTail(whole != nullptr ? whole : "")));
    return plat::RunApplication(*app);
}
