#include "resource_tables.h"

#include "resource.h"

namespace res {
namespace {

const char kProgressClass[] = "msctls_progress32";

const std::vector<DialogTemplate>& Dialogs() {
    static const std::vector<DialogTemplate> dialogs = {
        {IDD_PROGRESS,
         "集計中",
         kDsSetFont | kDsModalFrame | kDsSysModal | kWsPopup | kWsCaption,
         221,
         45,
         "ＭＳ Ｐゴシック",
         9,
         {
             {IDC_PRG_OVERALL, kProgressClass, "", kPbsSmooth | kWsBorder, 5, 6, 211, 22},
             {IDC_PRG_ACTIVITY, kProgressClass, "", kWsBorder, 5, 29, 211, 10},
         }},
    };
    return dialogs;
}

struct StringEntry {
    unsigned id;
    const char* text;
};

const StringEntry kStrings[] = {
    {IDS_PROGRAM_VERSION, "22.03.00"},
};

}  // namespace

const DialogTemplate* FindDialogTemplate(int id) {
    for (const DialogTemplate& d : Dialogs()) {
        if (d.id == id) return &d;
    }
    return nullptr;
}

const char* FindString(unsigned id) {
    for (const StringEntry& s : kStrings) {
        if (s.id == id) return s.text;
    }
    return nullptr;
}

}  // namespace res
