// The application object and its run: InitInstance, then ExitInstance in
// every case, as the framework's entry point does for a dialog application.
#include "platform/app_entry.h"

#include "platform/mbcs.h"

namespace plat {
namespace {

WinApp*& CurrentApp() {
    static WinApp* app = nullptr;
    return app;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
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

std::string_view CommandLineTail(std::string_view commandLine) {
    const bool quoted = !commandLine.empty() && commandLine[0] == '"';
    std::size_t i = quoted ? 1 : 0;
    while (i < commandLine.size()) {
        const char c = commandLine[i];
        if (quoted ? c == '"' : IsBlank(c)) break;
        i += IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < commandLine.size() ? 2 : 1;
    }
    if (quoted && i < commandLine.size()) ++i;  // the closing quote
    while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
    return commandLine.substr(i);
}

}  // namespace plat
