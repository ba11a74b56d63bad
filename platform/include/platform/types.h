#pragma once
// Basic values shared by every part of the platform layer. The numeric values
// are the Win32 ones, so both backends and the core agree on them.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace plat {

// An HWND carried as an integer; 0 means "no window".
using WindowHandle = std::uintptr_t;
constexpr WindowHandle kNoWindow = 0;

// Message box styles.
constexpr unsigned kMbOk = 0x0000;
constexpr unsigned kMbYesNo = 0x0004;
constexpr unsigned kMbIconQuestion = 0x0020;
constexpr unsigned kMbIconExclamation = 0x0030;
constexpr unsigned kMbIconInformation = 0x0040;

// Message box and dialog answers.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

// Show commands.
constexpr int kSwHide = 0;
constexpr int kSwShow = 5;

// Drive types as GetDriveTypeW reports them.
constexpr int kDriveUnknown = 0;
constexpr int kDriveNoRootDir = 1;
constexpr int kDriveRemovable = 2;
constexpr int kDriveFixed = 3;
constexpr int kDriveRemote = 4;
constexpr int kDriveCdrom = 5;
constexpr int kDriveRamdisk = 6;

// Virtual keys the dialogs look at.
constexpr int kVkReturn = 0x0D;
constexpr int kVkShift = 0x10;
constexpr int kVkControl = 0x11;
constexpr int kVkMenu = 0x12;
constexpr int kVkEscape = 0x1B;
constexpr int kVkF12 = 0x7B;

// The system's path limit (MAX_PATH) in UTF-16 units: 259 and the
// terminating zero, unless a path takes the long form.
constexpr std::size_t kMaxPath = 260;

// The program's path buffers hold at most kPathBytes bytes of code page 932
// and a terminating zero; a longer path is refused whole, never cut.
constexpr std::size_t kPathBytes = 260;
constexpr bool FitsPathBuffer(std::string_view path) {
    return path.size() <= kPathBytes;
}

}  // namespace plat
