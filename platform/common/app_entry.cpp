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

WinApp::WinApp(unsigned iconId) : m_iconId(iconId) {
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

std::string_view CommandLineTail(std::string_view commandLine) {
    const bool quoted = !commandLine.empty() && commandLine[0] == '"';
    std::size_t end = quoted ? commandLine.find('"', 1) : commandLine.find_first_of(" \t");
    if (quoted && end != std::string_view::npos) ++end;  // the closing quote
    end = commandLine.find_first_not_of(" \t", end);
    return end == std::string_view::npos ? std::string_view() : commandLine.substr(end);
}

}  // namespace plat
