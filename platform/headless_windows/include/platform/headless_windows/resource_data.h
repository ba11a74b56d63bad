#pragma once
// The program's resources as data for the double, which has no module to
// load dialog templates and strings from: whoever runs it hands them over
// (SetResourceData). The style bits are the system's values, which the
// templates carry and the headless dialogs act on.
#include <vector>

namespace plat::headless {

constexpr unsigned kWsPopup = 0x80000000u;
constexpr unsigned kWsVisible = 0x10000000u;
constexpr unsigned kWsDisabled = 0x08000000u;
constexpr unsigned kWsCaption = 0x00C00000u;
constexpr unsigned kWsBorder = 0x00800000u;
constexpr unsigned kWsSysMenu = 0x00080000u;
constexpr unsigned kWsGroup = 0x00020000u;
constexpr unsigned kWsTabStop = 0x00010000u;
constexpr unsigned kWsChild = 0x40000000u;
constexpr unsigned kDsSysModal = 0x0002u;
constexpr unsigned kDsModalFrame = 0x0080u;
constexpr unsigned kDsSetFont = 0x0040u;
constexpr unsigned kPbsSmooth = 0x01u;
constexpr unsigned kSsLeft = 0x0000u;
constexpr unsigned kSsCenter = 0x0001u;
constexpr unsigned kSsRight = 0x0002u;
constexpr unsigned kSsNoPrefix = 0x0080u;  // an '&' shows as itself
constexpr unsigned kSsCenterImage = 0x0200u;
constexpr unsigned kEsRight = 0x0002u;
constexpr unsigned kEsAutoHScroll = 0x0080u;
constexpr unsigned kEsNumber = 0x2000u;
constexpr unsigned kBsTypeMask = 0x000Fu;  // a button's type: the low four bits
constexpr unsigned kBsPushButton = 0x0000u;
constexpr unsigned kBsDefPushButton = 0x0001u;
constexpr unsigned kBsAutoCheckBox = 0x0003u;
constexpr unsigned kBsAuto3State = 0x0006u;
constexpr unsigned kBsGroupBox = 0x0007u;
constexpr unsigned kBsAutoRadioButton = 0x0009u;
// The id of controls that are never addressed (IDC_STATIC).
constexpr int kIdStatic = -1;

struct ControlTemplate {
    int id;
    const char* className;
    const char* text;
    unsigned style;  // without WS_CHILD | WS_VISIBLE, which every control has
    int x, y, cx, cy;
};

struct DialogTemplate {
    int id;
    const char* caption;
    unsigned style;
    int cx, cy;
    const char* fontFace;
    int fontPoints;
    std::vector<ControlTemplate> controls;
};

// The dialog templates (nullptr: no such template) and string resources
// (nullptr: no such string) the backend's dialogs and LoadResString use.
struct ResourceData {
    const DialogTemplate* (*findDialog)(int id) = nullptr;
    const char* (*findString)(unsigned id) = nullptr;
};
void SetResourceData(const ResourceData& data);

}  // namespace plat::headless
