// Headless double: the program's resources as handed over (resource_data.h).
#include "platform/resources.h"

#include "headless_state.h"

namespace plat {
namespace headless {
namespace {

ResourceData& Data() {
    static ResourceData data;
    return data;
}

}  // namespace

void SetResourceData(const ResourceData& data) {
    Data() = data;
}

const DialogTemplate* FindDialogTemplate(int id) {
    return Data().findDialog != nullptr ? Data().findDialog(id) : nullptr;
}

}  // namespace headless

std::string LoadResString(unsigned id) {
    const char* text = headless::Data().findString != nullptr ? headless::Data().findString(id) : nullptr;
    return text != nullptr ? std::string(text) : std::string();
}

}  // namespace plat
