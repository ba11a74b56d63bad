#pragma once
// The resources of app.rc as data: handed to the portable backend, which
// builds its headless dialogs from these (headless_resources.cpp), and
// checked by a Windows test against the real resources compiled into the
// program.
#include "platform/portable/resource_data.h"

namespace res {

using plat::portable::ControlTemplate;
using plat::portable::DialogTemplate;

const DialogTemplate* FindDialogTemplate(int id);
// String resource text, or nullptr when the program has none with that id.
const char* FindString(unsigned id);

}  // namespace res
