// SUPPORT.INF in the current directory: both values are texts inside the
// file's content, never taking in the image's fill nor reaching past the end
// of their line, whichever line ends the file has.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "report/support_info.h"
#include "support/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::Scratch& scratch = fz::Scratch::Get();
    scratch.Reset();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fz::WritePosixFile(scratch.Posix() + "/SUPPORT.INF", bytes);

    ClSupportInfo info;
    const char* name = info.GetProductName();
    const char* version = info.GetProductVersion();
    for (const char* value : {name, version}) {
        fz::Check(value != nullptr, "null value", bytes);
        const std::size_t length = std::strlen(value);
        fz::Check(length <= size, "value longer than the file", bytes);
        fz::Check(std::memchr(value, '\xFF', length) == nullptr || std::memchr(data, 0xFF, size) != nullptr,
                  "value took in the fill", bytes);
        fz::Check(std::strpbrk(value, "\r\n\x1A") == nullptr, "value runs past its line end", bytes);
    }
    return 0;
}
