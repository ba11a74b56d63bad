#include "platform/resources.h"

#include <windows.h>

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
        if (static_cast<std::size_t>(length) < buffer.size() - 2) {
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        }
        buffer.assign(buffer.size() * 4, '\0');
    }
    return std::string();
}

}  // namespace plat
