// A message hook that e2e_tests installs on the program's thread: Wine does
// not carry WM_GETICON across processes, so the question is asked from inside
// the program, and the width of each icon (0: none) is posted back.
#include <windows.h>

#include <initializer_list>

extern "C" __declspec(dllexport) LRESULT CALLBACK IconProbeHook(int code, WPARAM removed, LPARAM lParam) {
    static const UINT probe = RegisterWindowMessageW(L"LinkDriverIconProbe");
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && removed == PM_REMOVE && msg->message == probe) {
        for (const WPARAM which : {ICON_SMALL, ICON_BIG}) {
            const auto icon = reinterpret_cast<HICON>(SendMessageW(msg->hwnd, WM_GETICON, which, 0));
            ICONINFO info = {};
            BITMAP bitmap = {};
            if (icon != nullptr && GetIconInfo(icon, &info)) {
                GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
                if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
                DeleteObject(info.hbmMask);
            }
            PostMessageW(reinterpret_cast<HWND>(msg->wParam), probe, which, bitmap.bmWidth);
        }
    }
    return CallNextHookEx(nullptr, code, removed, lParam);
}
