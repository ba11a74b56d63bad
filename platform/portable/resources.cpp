// Portable backend: the program's resources as handed over (resource_data.h).
#include "platform/resources.h"

#include "platform/portable/portable_state.h"

namespace plat {
namespace portable {
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

}  // namespace portable

std::string LoadResString(unsigned id) {
    const char* text = portable::Data().findString != nullptr ? portable::Data().findString(id) : nullptr;
    return text != nullptr ? std::string(text) : std::string();
}

}  // namespace plat
