// The program's entry point: restricts the DLL search, then hands the command
// line to the application object and runs it; ExitInstance's value is the
// exit status. The command line is the
// system's own (GetCommandLineW) in code page 932, not the runtime's
// lpCmdLine: the mingw runtime skips the program name comparing signed bytes
// and stops inside a double-byte folder name of an unquoted path.
#include <string>

#include "handle.h"
#include "platform/app_entry.h"
#include "platform/dll_search.h"
#include "wide.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*showCommand*/) {
    plat::RestrictDllSearch();
    plat::win32::EnsureCommonControls();

    plat::WinApp* app = plat::WinApp::Current();
    if (app == nullptr) return 2;  // failed
    // A character without a code page 932 form becomes '?': the fields stay
    // where they are, and a path holding one fails the destination checks.
    const wchar_t* whole = ::GetCommandLineW();
    const std::string line = plat::win32::NarrowMarked(whole != nullptr ? whole : L"");
    app->SetCommandLine(std::string(plat::CommandLineTail(line)));
    return plat::RunApplication(*app);
}
