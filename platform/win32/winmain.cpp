// The program's entry point: hands the command line to the application object
// and runs it.
#include "handle.h"
#include "platform/app_entry.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR commandLine, int /*showCommand*/) {
    plat::win32::EnsureCommonControls();

    plat::WinApp* app = plat::WinApp::Current();
    if (app == nullptr) return 1;
    app->SetCommandLine(commandLine != nullptr ? commandLine : "");
    return plat::RunApplication(*app);
}
