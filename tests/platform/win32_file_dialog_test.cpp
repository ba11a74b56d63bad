// The system's save-file dialog under Wine (needs an X display), played by a
// second thread the way a user would: found by its title, looked at, then
// cancelled or confirmed.
#include <gtest/gtest.h>
#include <windows.h>
// The common dialogs need the types of windows.h before them.
#include <commdlg.h>
#include <dlgs.h>

#include <string>

#include "platform/file_dialog.h"
#include "platform/process.h"
#include "tests/support/save_request.h"
#include "tests/support/scratch_folder.h"
#include "win32_user.h"

namespace {

// "保存ファイルを指定" in code page 932.
const char kTitle[] = "\x95\xDB\x91\xB6\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x8E\x77\x92\xE8";
// "表", whose second byte is the backslash.
const char kHyo[] = "\x95\x5C";

enum class Action { kCancel, kClose, kOk };

// What the user saw of the dialog.
struct Seen {
    std::string className;
    HWND owner = nullptr;
    bool ownerEnabled = true;
    std::string spec;       // the file name shown
    std::string folder;     // the folder shown
    std::string firstType;  // first entry of the file-type list
    int typeCount = 0;      // entries of the file-type list
    bool readOnlyVisible = false;
    bool gone = false;       // the dialog closed on the action
    bool refused = false;    // it answered the action with a box of its own
    std::string refusal;     // that box's text
    bool confirmed = false;  // what the call answered
    std::string chosen;      // and the path it gave back
};

// The dialog is a Unicode one: its texts in UTF-16, read as code page 932.
std::string Query(HWND dialog, UINT message) {
    wchar_t buffer[1024] = {};
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(dialog, message, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK, 5000,
                            &result) == 0) {
        return "<no answer>";
    }
    char bytes[2048] = {};
    WideCharToMultiByte(932, 0, buffer, -1, bytes, sizeof(bytes), nullptr, nullptr);
    return bytes;
}

bool WaitGone(HWND hWnd, int milliseconds) {
    for (int waited = 0; waited < milliseconds; waited += 20) {
        if (!IsWindow(hWnd)) return true;
        Sleep(20);
    }
    return !IsWindow(hWnd);
}

struct OwnedBox {
    HWND owner;
    HWND box;
};

BOOL CALLBACK FindOwnedBox(HWND hWnd, LPARAM param) {
    OwnedBox* search = reinterpret_cast<OwnedBox*>(param);
    if (GetWindow(hWnd, GW_OWNER) == search->owner && IsWindowVisible(hWnd) &&
        win32_user::ClassOf(hWnd) == "#32770") {
        search->box = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The user looks at the dialog and acts; a dialog that refuses the action
// gets its box answered and is then cancelled.
void LookAndAct(HWND dialog, Action action, Seen& seen) {
    seen.className = win32_user::ClassOf(dialog);
    seen.owner = GetWindow(dialog, GW_OWNER);
    seen.ownerEnabled = seen.owner != nullptr && IsWindowEnabled(seen.owner) != FALSE;
    seen.spec = Query(dialog, CDM_GETSPEC);
    seen.folder = Query(dialog, CDM_GETFOLDERPATH);
    const HWND types = GetDlgItem(dialog, cmb1);
    char type[256] = {};
    if (types != nullptr && SendMessageA(types, CB_GETLBTEXTLEN, 0, 0) < static_cast<LRESULT>(sizeof(type))) {
        SendMessageA(types, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(type));
    }
    seen.firstType = type;
    if (types != nullptr) seen.typeCount = static_cast<int>(SendMessageA(types, CB_GETCOUNT, 0, 0));
    const HWND readOnly = GetDlgItem(dialog, chx1);
    seen.readOnlyVisible = readOnly != nullptr && IsWindowVisible(readOnly) != FALSE;

    if (action == Action::kClose) {
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    } else {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(action == Action::kOk ? IDOK : IDCANCEL, BN_CLICKED), 0);
    }
    seen.gone = WaitGone(dialog, 5000);
    if (seen.gone) return;
    OwnedBox search{dialog, nullptr};
    EnumWindows(FindOwnedBox, reinterpret_cast<LPARAM>(&search));
    if (search.box != nullptr) {
        seen.refused = true;
        char text[512] = {};
        GetDlgItemTextA(search.box, 0xFFFF, text, sizeof(text));
        seen.refusal = text;
        PostMessageA(search.box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        WaitGone(search.box, 5000);
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    WaitGone(dialog, 5000);
}

// A folder in the scratch folder whose name ends in "表", the current
// directory during the test, with a top-level window to own the dialog.
class Win32SaveFileDialog : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = m_scratch.MakeDir(std::string("sfd") + kHyo);
        m_folder.pop_back();  // as the dialog names it
        m_scratch.MakeCurrent();
        m_owner = CreateWindowExA(0, "STATIC", "sfd owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                  nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_owner, nullptr);
    }
    void TearDown() override { DestroyWindow(m_owner); }

    // Creates an empty file in the folder; its full path.
    std::string MakeFile(const std::string& name) {
        m_scratch.Write(std::string("sfd") + kHyo + "\\" + name, "");
        return m_folder + "\\" + name;
    }
    // The browse button's request for the name in the folder.
    plat::SaveFileRequest Request(const std::string& name) const {
        return support::BrowseRequest(reinterpret_cast<plat::WindowHandle>(m_owner), m_folder, name);
    }
    // Shows the dialog while the user does the action, the caller's path being chosen until then;
    // what the user saw and the call answered, a failure if it never showed.
    static Seen Play(Action action, const plat::SaveFileRequest& request, const std::string& chosen = "") {
        Seen seen;
        seen.chosen = chosen;
        win32_user::User user(kTitle, [&](HWND dialog) { LookAndAct(dialog, action, seen); });
        seen.confirmed = plat::ShowSaveFileDialog(request, seen.chosen);
        user.Found();
        return seen;
    }

    support::ScratchFolder m_scratch;
    std::string m_folder;
    HWND m_owner = nullptr;
};

TEST_F(Win32SaveFileDialog, ShowsTheRequestAndCancels) {
    const Seen seen = Play(Action::kCancel, Request("科目内訳書.xml"), "C:\\keep.xml");
    EXPECT_FALSE(seen.confirmed);
    EXPECT_EQ(seen.chosen, "C:\\keep.xml");
    EXPECT_TRUE(seen.gone);
    EXPECT_EQ(seen.className, "#32770");
    EXPECT_EQ(seen.owner, m_owner);
    EXPECT_FALSE(seen.ownerEnabled);  // modal to its owner
    EXPECT_TRUE(IsWindowEnabled(m_owner));
    EXPECT_EQ(seen.spec, "\x89\xC8\x96\xDA\x93\xE0\x96\xF3\x8F\x91.xml");
    EXPECT_EQ(seen.folder, m_folder);
    EXPECT_EQ(seen.firstType, "Xml Files (*.xml)");
    EXPECT_EQ(seen.typeCount, 1);
    EXPECT_FALSE(seen.readOnlyVisible);
}

TEST_F(Win32SaveFileDialog, ClosingTheWindowCancels) {
    const Seen seen = Play(Action::kClose, Request("a.xml"));
    EXPECT_FALSE(seen.confirmed);
    EXPECT_TRUE(seen.chosen.empty());
    EXPECT_TRUE(seen.gone);
}

// "ポ" ends in 0x7C, the '|' of the filter notation.
TEST_F(Win32SaveFileDialog, FilterSeparatorsAreWholeCharacters) {
    ASSERT_EQ(std::string("ポ"), "\x83\x7C");
    plat::SaveFileRequest request = Request("a.xml");
    request.filter = "レポート (*.xml)|*.xml|All (*.*)|*.*||";
    const Seen seen = Play(Action::kCancel, request);
    EXPECT_FALSE(seen.confirmed);
    EXPECT_EQ(seen.firstType, "レポート (*.xml)");
    EXPECT_EQ(seen.typeCount, 2);
}

TEST_F(Win32SaveFileDialog, LongInitialNameIsCutAtAWholeCharacter) {
    // "a" and 150 two-byte characters: 301 bytes; 259 of them fit whole.
    std::string name = "a";
    for (int i = 0; i < 150; ++i) name += kHyo;
    plat::SaveFileRequest request = Request(name);
    request.owner = plat::kNoWindow;
    const Seen seen = Play(Action::kCancel, request);
    EXPECT_FALSE(seen.confirmed);
    EXPECT_EQ(seen.spec, name.substr(0, 259));
    EXPECT_EQ(seen.owner, nullptr);
}

TEST_F(Win32SaveFileDialog, ConfirmGivesTheFullPathAndKeepsTheCurrentDirectory) {
    const std::string path = MakeFile("科目内訳書.xml");
    const std::string before = plat::GetCurrentDir();
    const Seen seen = Play(Action::kOk, Request("科目内訳書.xml"));
    EXPECT_FALSE(seen.refused) << seen.refusal;
    EXPECT_TRUE(seen.confirmed);
    EXPECT_EQ(seen.chosen, path);
    EXPECT_EQ(plat::GetCurrentDir(), before);
}

TEST_F(Win32SaveFileDialog, WithoutNoChangeDirTheCurrentDirectoryFollows) {
    const std::string path = MakeFile("b.xml");
    plat::SaveFileRequest request = Request("b.xml");
    request.noChangeDir = false;
    const Seen seen = Play(Action::kOk, request);
    EXPECT_TRUE(seen.confirmed);
    EXPECT_EQ(seen.chosen, path);
    EXPECT_EQ(plat::GetCurrentDir(), m_folder);
}

// A name without extension gets the chosen file type's extension when that
// type names one (the dialog writes it as the pattern does), else the
// default extension.
TEST_F(Win32SaveFileDialog, ExtensionCompletesATypedName) {
    MakeFile("c.xml");
    MakeFile("d.XML");
    const Seen seen = Play(Action::kOk, Request("c"));
    EXPECT_TRUE(seen.confirmed) << seen.refusal;
    EXPECT_EQ(lstrcmpiA(seen.chosen.c_str(), (m_folder + "\\c.xml").c_str()), 0) << seen.chosen;  // any case

    plat::SaveFileRequest request = Request("d");
    request.filter = "All Files (*.*)|*.*||";
    const Seen seenAll = Play(Action::kOk, request, seen.chosen);
    EXPECT_EQ(seenAll.firstType, "All Files (*.*)");
    EXPECT_TRUE(seenAll.confirmed) << seenAll.refusal;
    EXPECT_EQ(seenAll.chosen, m_folder + "\\d.XML");
}

// Save dialogs differ in whether they honour "the file must exist": one
// refuses a new name with a box of its own, another (Wine's) takes it. Either
// way the answer must match what the user saw.
TEST_F(Win32SaveFileDialog, NewNameWithFileMustExist) {
    const Seen seen = Play(Action::kOk, Request("new.xml"));
    EXPECT_EQ(seen.gone, !seen.refused);
    EXPECT_EQ(seen.confirmed, !seen.refused);
    EXPECT_EQ(seen.chosen, seen.refused ? "" : m_folder + "\\new.xml");
    RecordProperty("fileMustExistRefusedNewName", seen.refused ? "yes" : "no");
}

TEST_F(Win32SaveFileDialog, WithoutFileMustExistANewNameIsTaken) {
    plat::SaveFileRequest request = Request("new.xml");
    request.fileMustExist = false;
    const Seen seen = Play(Action::kOk, request);
    EXPECT_FALSE(seen.refused) << seen.refusal;
    EXPECT_TRUE(seen.confirmed);
    EXPECT_EQ(seen.chosen, m_folder + "\\new.xml");
}

}  // namespace
