// Full-width company name: at most 32 bytes, and from a well-formed
// Shift_JIS text a result that never ends inside a double-byte character (a
// lone lead byte at the end of a malformed name is passed through).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/mbcs.h"
#include "report/full_width.h"
#include "support/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);  // a C string: up to its first NUL
    const char* result = report::ToFullWidth(text.c_str());
    const std::size_t length = std::strlen(result);
    fz::Check(length <= report::kFullWidthMaxBytes, "longer than 32 bytes", text);
    if (!fz::IsWellFormedSjis(text.c_str())) return 0;
    std::size_t i = 0;
    while (i < length) i += plat::IsCp932LeadByte(static_cast<unsigned char>(result[i])) ? 2 : 1;
    fz::Check(i == length, "ends inside a double-byte character", std::string(result, length));
    return 0;
}
