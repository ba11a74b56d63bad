// The parent's command line "hwnd,msg,fid,path": complete exactly when it
// holds three commas, the path being everything after the third.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/link_app.h"
#include "support/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    ClLinkApp app;
    const int result = app.ParseCommandLine(text);

    std::size_t third = std::string::npos;
    std::size_t from = 0;
    for (int i = 0; i < 3; ++i) {
        third = text.find(',', from);
        if (third == std::string::npos) break;
        from = third + 1;
    }
    fz::Check(result == (third != std::string::npos ? 1 : 0), "result", text);
    if (result == 1) fz::Check(app.m_strOutputPath == text.substr(third + 1), "path", text);
    if (result == 0) fz::Check(app.m_nFunctionID == 1 && app.m_strOutputPath.empty(), "partial fields", text);
    return 0;
}
