#include "conditions/cond_dlg.h"

#include "res/resource.h"

ClCondDlg::ClCondDlg(plat::Window* parent) : plat::Dialog(IDD_CONDITIONS, parent) {}

int ClCondDlg::DoModal() {
    // PLACEHOLDER until the dialog is built: behaves as if the user cancelled.
    return kResultCancel;
}

int ClCondDlg::SaveDestRecord(std::int16_t /*taxIncluded*/, std::int16_t /*toMonth*/, const char* /*path*/) {
    // PLACEHOLDER until the remembered destinations are built: nothing is stored.
    return 0;
}
