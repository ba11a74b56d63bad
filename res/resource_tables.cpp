#include "resource_tables.h"

#include "resource.h"
#include "version.h"

namespace res {
namespace {

using namespace plat::headless;  // the style bits

const char kProgressClass[] = "msctls_progress32";
const char kStatic[] = "Static";
const char kEdit[] = "Edit";
const char kButton[] = "Button";

const std::vector<DialogTemplate>& Dialogs() {
    static const std::vector<DialogTemplate> dialogs = {
        {IDD_CONDITIONS,
         "科目内訳書 - 集計条件",
         kDsSetFont | kDsModalFrame | kWsPopup | kWsCaption | kWsSysMenu,
         255,
         157,
         "ＭＳ Ｐゴシック",
         9,
         {
             {IDC_STC_COMPANY_LABEL, kStatic, "事業所名", kSsLeft, 12, 12, 36, 9},
             {IDC_STC_COMPANY, kStatic, " 会社名", kSsLeft | kSsNoPrefix, 60, 12, 184, 9},
             {IDC_STC_PERIOD_LABEL, kStatic, "会計期間", kSsLeft, 12, 27, 36, 9},
             {IDC_STC_PERIOD, kStatic, " 2002/01/11～2002/12/31", kSsLeft | kSsNoPrefix, 60, 27, 184, 9},
             {IDC_STC_RANGE_LABEL, kStatic, "集計期間", kSsLeft, 12, 44, 36, 9},
             {IDC_STC_FROM_MONTH_LABEL, kStatic, "月度", kSsLeft, 82, 44, 18, 9},
             {IDC_STC_FROM_MONTH, kStatic, "??", kSsRight | kSsCenterImage, 60, 42, 20, 12},
             {IDC_STC_RANGE_SEPARATOR, kStatic, "～", kSsCenter, 102, 44, 12, 9},
             {IDC_STC_TO_MONTH_LABEL, kStatic, "月度(&E)", kSsLeft, 140, 44, 34, 9},
             {IDC_EDT_TO_MONTH, kEdit, "", kEsNumber | kEsRight | kEsAutoHScroll | kWsBorder | kWsTabStop,
              116, 42, 22, 12},
             {IDC_CHK_TAX_INCLUDED, kButton, "税込みで集計する。(&Z)",
              kBsAutoCheckBox | kWsGroup | kWsTabStop, 12, 62, 120, 10},
             {IDC_GRP_DEST, kButton, "出力先(&O)", kBsGroupBox, 7, 80, 241, 38},
             {IDC_EDT_DEST_PATH, kEdit, "", kEsAutoHScroll | kWsBorder | kWsTabStop, 14, 96, 174, 13},
             {IDC_BTN_BROWSE, kButton, "参照(&D)...", kBsPushButton | kWsTabStop, 192, 95, 50, 15},
             {IDC_BTN_RUN, kButton, "実行(F12)", kBsPushButton | kWsGroup | kWsTabStop, 104, 131, 68, 16},
             {IDC_BTN_CANCEL, kButton, "キャンセル(Esc)", kBsPushButton | kWsGroup | kWsTabStop, 178, 131, 70,
              16},
             {kIdStatic, kStatic, "：", kSsRight, 48, 12, 10, 9},
             {kIdStatic, kStatic, "：", kSsRight, 48, 27, 10, 9},
             {kIdStatic, kStatic, "：", kSsRight, 48, 44, 10, 9},
         }},
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
    {IDS_PROGRAM_VERSION, LINK_VERSION_TEXT},
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
