#pragma once
// Conversions between the platform layer's integer handles and the Win32 ones.
#include <windows.h>
// The common controls need the types of windows.h before them.
#include <commctrl.h>

#include "platform/types.h"

namespace plat::win32 {

inline HWND ToHwnd(WindowHandle handle) {
    return reinterpret_cast<HWND>(handle);
}
inline WindowHandle FromHwnd(HWND hWnd) {
    return reinterpret_cast<WindowHandle>(hWnd);
}

// Makes sure the common control classes (the progress bar) are registered;
// safe to call any number of times.
void EnsureCommonControls();

}  // namespace plat::win32
