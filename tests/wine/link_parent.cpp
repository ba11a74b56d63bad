// Starts the link component the way a parent application does and prints what
// it hands back. Usage: link_parent <exe> [output path] [function id]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "parent_harness.h"

namespace {

// The terminal under Wine reads UTF-8; the program's texts are code page 932.
std::string ToUtf8(const std::string& cp932) {
    const int wide = MultiByteToWideChar(932, 0, cp932.c_str(), -1, nullptr, 0);
    if (wide <= 0) return cp932;
    std::wstring w(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(932, 0, cp932.c_str(), -1, &w[0], wide);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return cp932;
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, &out[0], bytes, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(bytes) - 1);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: link_parent <exe> [output path] [function id]\n");
        return 64;
    }
    const std::string output = argc > 2 ? argv[2] : "";
    const int functionId = argc > 3 ? std::atoi(argv[3]) : 1;

    ParentHarness parent;
    const std::string cmdLine = std::to_string(reinterpret_cast<UINT_PTR>(parent.Window())) + "," +
                                std::to_string(ParentHarness::kNotifyMessage) + "," +
                                std::to_string(functionId) + "," + output;
    std::printf("starting: %s %s\n", argv[1], cmdLine.c_str());
    const ParentRunResult r = parent.Run(argv[1], cmdLine, 10 * 60 * 1000, [](const ChildMessageBox& box) {
        std::printf("message box [%s]: %s\n", ToUtf8(box.caption).c_str(), ToUtf8(box.text).c_str());
        return IDOK;
    });
    if (!r.started) {
        std::printf("could not start the program\n");
        return 3;
    }
    bool wasDisabled = false;
    for (bool enabled : r.enableChanges) wasDisabled = wasDisabled || !enabled;
    std::printf("parent disabled during the run: %s\n", wasDisabled ? "yes" : "no");
    if (!r.posted) {
        std::printf("no result was posted\n");
        return 3;
    }
    static const char* const kNames[] = {"completed", "cancelled", "failed"};
    const long result = static_cast<long>(r.lParam);
    std::printf("result: %ld (%s), function id: %d\n", result,
                result >= 0 && result <= 2 ? kNames[result] : "unknown", static_cast<int>(r.wParam));
    return 0;
}
