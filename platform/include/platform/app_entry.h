#pragma once
// The application object in place of the framework's: the entry point calls
// InitInstance, then ExitInstance, and the process ends.
#include <string>

namespace plat {

class WinApp {
public:
    WinApp();
    virtual ~WinApp();
    WinApp(const WinApp&) = delete;
    WinApp& operator=(const WinApp&) = delete;

    // false ends the run; the entry point then calls ExitInstance.
    virtual bool InitInstance() { return true; }
    virtual int ExitInstance() { return 0; }

    // The command line after the program name, as the platform delivers it.
    const std::string& CommandLine() const { return m_cmdLine; }
    void SetCommandLine(const std::string& cmdLine) { m_cmdLine = cmdLine; }

    // The one application object of the process (the last one constructed).
    static WinApp* Current();

private:
    std::string m_cmdLine;
};

// Runs the application's two operations; returns ExitInstance's value.
int RunApplication(WinApp& app);

}  // namespace plat
