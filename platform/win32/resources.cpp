#include "platform/resources.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace plat {

std::string LoadResString(unsigned id) {
    // LoadStringA cannot report the size it needs: it cuts the text to the
    // buffer. A text that fills the buffer may have been cut; retry larger.
    std::vector<char> buffer(256, '\0');
    while (buffer.size() <= 0x40000) {
        const int length =
            ::LoadStringA(::GetModuleHandleA(nullptr), id, buffer.data(), static_cast<int>(buffer.size()));
        if (length <= 0) return std::string();
        const std::size_t copied = ::strnlen(buffer.data(), buffer.size());
        if (copied + 2 < buffer.size()) return std::string(buffer.data(), copied);
        buffer.assign(buffer.size() * 4, '\0');
    }
    return std::string();
}

}  // namespace plat
