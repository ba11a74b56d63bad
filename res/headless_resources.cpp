// The program's templates and strings handed to the headless double before
// anything runs: linked into the native test, fuzz and benchmark programs.
#include "platform/headless_windows/resource_data.h"
#include "resource_tables.h"

namespace {

const bool kHandedOver = [] {
    plat::headless::SetResourceData({res::FindDialogTemplate, res::FindString});
    return true;
}();

}  // namespace
