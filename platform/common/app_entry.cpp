// The application object and its run: InitInstance, then ExitInstance in
// every case, as the framework's entry point does for a dialog application.
#include "platform/app_entry.h"

namespace plat {
namespace {

WinApp*& CurrentApp() {
    static WinApp* app = nullptr;
    return app;
}

}  // namespace

WinApp::WinApp() {
    CurrentApp() = this;
}

WinApp::~WinApp() {
    if (CurrentApp() == this) CurrentApp() = nullptr;
}

WinApp* WinApp::Current() {
    return CurrentApp();
}

int RunApplication(WinApp& app) {
    // InitInstance's answer only decides whether a message loop would run;
    // the system has none of its own, so ExitInstance follows either way.
    app.InitInstance();
    return app.ExitInstance();
}

}  // namespace plat
