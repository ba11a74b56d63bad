#pragma once
// The system's message box. Texts are code page 932 bytes.
#include <string>

#include "platform/types.h"

namespace plat {

// Shows a message box owned by owner (kNoWindow for none) and returns the
// button the user chose (kIdOk, kIdYes, kIdNo, ...).
int ShowMessageBox(WindowHandle owner, const std::string& text, const std::string& caption, unsigned style);

}  // namespace plat
