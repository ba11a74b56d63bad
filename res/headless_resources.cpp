// The program's templates and strings handed to the headless backend before
// anything runs: linked into the native test, fuzz and benchmark programs.
#include "platform/portable/resource_data.h"
#include "resource_tables.h"

namespace {

const bool kHandedOver = [] {
    plat::portable::SetResourceData({res::FindDialogTemplate, res::FindString});
    return true;
}();

}  // namespace
