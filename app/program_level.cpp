// Checks the program level that the installed tax-form application declares
// for this link component in its ini file.
#include "app/program_level.h"

#include <string>

#include "app/app_texts.h"
#include "app/link_app.h"
#include "conditions/dest_path.h"
#include "host/acc_connect.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/profile.h"
#include "shared/c_number.h"

namespace {

constexpr char kIniFileName[] = "KolvarenDef.ini";
constexpr char kSection[] = "ProgramLevel";
constexpr char kKey[] = "ZQ13_U";
constexpr char kDefaultLevel[] = "1";
constexpr std::size_t kValueSize = 16;
constexpr int kRequiredLevel = 2;

constexpr int kVerdictBadEnvironment = -1;
constexpr int kVerdictFits = 0;
constexpr int kVerdictTaxFormTooOld = 1;
constexpr int kVerdictLinkTooOld = 2;

struct VerdictMessage {
    int verdict;
    const char* text;
};

constexpr VerdictMessage kVerdictMessages[] = {
    {kVerdictBadEnvironment, texts::kEnvInvalid},
    {kVerdictTaxFormTooOld, texts::kUpdateTaxForm},
    {kVerdictLinkTooOld, texts::kUpdateLink},
};

}  // namespace

int ReadProgramLevelVerdict() {
    // Whole, however long: the system counts its limit in characters, and a
    // folder of double-byte names passes 260 bytes well before that; a cut
    // would name another file or split a character.
    // "." names a current directory code page 932 cannot (a bare ini name means the Windows folder).
    std::string iniPath = plat::GetCurrentDir();
    if (iniPath.empty()) iniPath = ".";
    dest::AddTrailingBackslash(iniPath, std::string::npos);  // no path buffer: never refused
    iniPath += kIniFileName;
    if (!plat::PathExists(iniPath)) return kVerdictBadEnvironment;

    const std::string value = plat::ReadProfileString(kSection, kKey, kDefaultLevel, kValueSize, iniPath);
    if (value.empty()) return kVerdictBadEnvironment;
    const std::int32_t level = AtoL32(value);
    if (level == kRequiredLevel) return kVerdictFits;
    return level < kRequiredLevel ? kVerdictTaxFormTooOld : kVerdictLinkTooOld;
}

int ClLinkApp::CheckProgramLevel(int showMessage) {
    const int verdict = ReadProgramLevelVerdict();
    for (const VerdictMessage& m : kVerdictMessages) {
        if (m.verdict != verdict) continue;
        if (showMessage != 0) {
            ClAccConnect::Inst()->DispMsg(m_hParentWnd, m.text, texts::kCaption,
                                          plat::kMbOk | plat::kMbIconExclamation);
        }
        return 0;
    }
    return 1;
}
