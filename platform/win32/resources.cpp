#include "platform/resources.h"

#include <windows.h>

#include "wide.h"

namespace plat {

std::string LoadResString(unsigned id) {
    // With no buffer the system hands back where the text lies in the
    // resources, and its length.
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(::GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) return std::string();
    return win32::Narrow(std::wstring_view(text, static_cast<std::size_t>(length)));
}

}  // namespace plat
