// The four comma-separated fields a parent application passes:
// parent window, message number, function ID, output path.
#include <string>

#include "app/link_app.h"
#include "shared/c_number.h"

int ClLinkApp::ParseCommandLine(const std::string& text) {
    if (text.empty()) return 0;

    // The whole line is read, however long: a parent is always found and
    // always notified, and nothing is cut.
    const std::size_t comma1 = text.find(',');
    if (comma1 == std::string::npos) return 0;
    // A handle travels as a 32-bit signed number; keep its bit pattern.
    m_hParentWnd = static_cast<plat::WindowHandle>(
        static_cast<std::uint32_t>(AtoL32(std::string_view(text).substr(0, comma1))));

    const std::size_t comma2 = text.find(',', comma1 + 1);
    if (comma2 == std::string::npos) return 0;
    m_nNotifyMsg =
        static_cast<std::uint32_t>(AtoL32(std::string_view(text).substr(comma1 + 1, comma2 - comma1 - 1)));

    const std::size_t comma3 = text.find(',', comma2 + 1);
    if (comma3 == std::string::npos) return 0;
    // Only the low 16 bits are kept, read as a signed value.
    m_nFunctionID = static_cast<std::int16_t>(static_cast<std::uint16_t>(
        static_cast<std::uint32_t>(AtoL32(std::string_view(text).substr(comma2 + 1, comma3 - comma2 - 1)))));

    // The rest of the line verbatim, commas included.
    if (comma3 + 1 < text.size()) m_strOutputPath = text.substr(comma3 + 1);
    return 1;
}
