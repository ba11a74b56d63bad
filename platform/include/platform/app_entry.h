#pragma once
// The application object in place of the framework's: the entry point calls
// InitInstance, then ExitInstance, and the process ends.
#include <string>
#include <string_view>

namespace plat {

class WinApp {
public:
    // iconId: the program's icon resource, which every dialog shows; 0: none.
    explicit WinApp(unsigned iconId = 0);
    virtual ~WinApp();
    WinApp(const WinApp&) = delete;
    WinApp& operator=(const WinApp&) = delete;

    // false ends the run; the entry point then calls ExitInstance.
    virtual bool InitInstance() { return true; }
    virtual int ExitInstance() { return 0; }

    // The command line after the program name, as the platform delivers it.
    const std::string& CommandLine() const { return m_cmdLine; }
    void SetCommandLine(const std::string& cmdLine) { m_cmdLine = cmdLine; }

    unsigned IconId() const { return m_iconId; }

    // The one application object of the process (the last one constructed).
    static WinApp* Current();

private:
    std::string m_cmdLine;
    unsigned m_iconId;
};

// Runs the application's two operations; returns ExitInstance's value.
int RunApplication(WinApp& app);

// The text after the program name in a whole command line, found as the
// Windows C runtime finds it for WinMain: a quoted program name ends at its
// closing quote, an unquoted one at the first blank or tab (never the second
// byte of a double-byte character: those are 0x40 and above); the blanks and
// tabs after the name are skipped.
std::string_view CommandLineTail(std::string_view commandLine);

}  // namespace plat
