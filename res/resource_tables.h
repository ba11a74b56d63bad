#pragma once
// The resources of app.rc as data: handed to the headless double, which
// builds its headless dialogs from these (headless_resources.cpp), and
// checked by a Windows test against the real resources compiled into the
// program.
#include "platform/headless_windows/resource_data.h"

namespace res {

using plat::headless::ControlTemplate;
using plat::headless::DialogTemplate;

const DialogTemplate* FindDialogTemplate(int id);
// String resource text, or nullptr when the program has none with that id.
const char* FindString(unsigned id);

}  // namespace res
