// The program across processes under Wine, driven as a user and a parent
// application would (link_driver.h): its dialog, its message boxes, the
// report on disk, the remembered choices and the result posted back. Each
// test has a folder of its own, named in double-byte characters, with a copy
// of the sample host data whose settings folder lies inside it, so no two
// runs share remembered choices. The suite runs under the Japanese locale and
// again under one whose code page is 1252 (LINK_E2E_ACP): the same bytes.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "link_driver.h"

namespace {

namespace fs = std::filesystem;
using e2e::LinkDriver;
using e2e::MessageBoxSeen;

// Control ids of the conditions dialog (template 130).
enum : int {
    kToMonth = 1000,
    kBrowse = 1001,
    kRun = 1002,
    kCancel = 1003,
    kTaxIncluded = 1004,
    kCompany = 1006,
    kPeriod = 1008,
    kFromMonth = 1010,
    kDestGroup = 1014,
    kDestPath = 1015,
};

const char kCancelNotice[] = "｢科目内訳書｣の集計を中止します。";
const char kCompleted[] = "科目内訳書情報の出力が終了しました。\n\nアプリケーションを終了します。";
const char kBadMonth[] = "集計期間に誤りがあります。\n\n集計期間を設定しなおしてください。";
const char kFolderMissing[] = "指定されたフォルダは存在しません。\n\n作成してもよろしいですか？";
const char kFolderNotCreated[] = "フォルダの作成に失敗しました。\n\n出力先を再入力してください。";
const char kFileExists[] = "同名のファイルが存在します。\n\n上書きしてもよろしいですか？";

const DWORD kWindowTimeoutMs = 20000;
// A complete run repaints its progress bars synchronously: slow under Wine.
const DWORD kRunTimeoutMs = 180000;

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

// Paths are code page 932 text, whatever the system's code page.
fs::path PathOf(const std::string& cp932) {
    return fs::path(e2e::Wide(cp932));
}

std::string ReadAll(const std::string& path) {
    const HANDLE file = CreateFileW(PathOf(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "";
    std::string content(static_cast<std::size_t>(GetFileSize(file, nullptr)), '\0');
    DWORD read = 0;
    if (!content.empty() && !ReadFile(file, &content[0], static_cast<DWORD>(content.size()), &read, nullptr))
        read = 0;
    CloseHandle(file);
    content.resize(read);
    return content;
}

void WriteAll(const std::string& path, const std::string& content) {
    const HANDLE file = CreateFileW(PathOf(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    EXPECT_EQ(written, content.size()) << path;
}

std::size_t Occurrences(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// The report's first two lines.
const char kReportHead[] = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<REPORT>\r\n";

std::string Head(const std::string& report) {
    return report.substr(0, sizeof kReportHead - 1);
}

// The whole line of the report (indentation and line end included) that
// holds the first occurrence of what; "" when there is none.
std::string LineWith(const std::string& report, const std::string& what) {
    const std::size_t at = report.find(what);
    if (at == std::string::npos) return "";
    const std::size_t begin = report.rfind('\n', at) + 1;  // npos + 1 = 0
    const std::size_t end = report.find('\n', at);
    return report.substr(begin, end == std::string::npos ? std::string::npos : end + 1 - begin);
}

// The three lines of the account with the code, as they stand in the file;
// "" when there is none.
std::string AccountOf(const std::string& report, const std::string& code) {
    const std::size_t at = report.find("<KANJYOKAMOKU_CODE>" + code + "<");
    if (at == std::string::npos) return "";
    const std::size_t begin = report.rfind('\n', at) + 1;
    std::size_t end = begin;
    for (int line = 0; line < 3; ++line) {
        end = report.find('\n', end);
        if (end == std::string::npos) return report.substr(begin);
        ++end;
    }
    return report.substr(begin, end - begin);
}

// An account of the report as it stands in the file: code, name, balance.
std::string AccountLines(const std::string& code, const std::string& name, const std::string& balance) {
    return "\t\t\t<KANJYOKAMOKU_CODE>" + code + "</KANJYOKAMOKU_CODE>\r\n\t\t\t<KANJYOKAMOKU_NAME>" + name +
           "</KANJYOKAMOKU_NAME>\r\n\t\t\t<KANJYOKAMOKU_ZANDAKA>" + balance + "</KANJYOKAMOKU_ZANDAKA>\r\n";
}

// The middle of the window against the middle of around, within a pixel.
void ExpectCentredOn(HWND window, const RECT& around) {
    RECT r = {};
    ASSERT_TRUE(GetWindowRect(window, &r));
    EXPECT_NEAR(r.left + r.right, around.left + around.right, 2);
    EXPECT_NEAR(r.top + r.bottom, around.top + around.bottom, 2);
}

RECT WorkArea() {
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(Env("LINK_E2E_EXE").empty()) << "run through CTest";
        // The system locale the run was started under (scripts/wine-session.sh);
        // the expected texts below are code page 932 bytes under every one.
        const std::string acp = Env("LINK_E2E_ACP").empty() ? "932" : Env("LINK_E2E_ACP");
        ASSERT_EQ(std::to_string(GetACP()), acp);
        e2e::SetTimeoutReporter(
            [](const std::string& what) { ADD_FAILURE() << "timed out waiting for " << what; });
        std::error_code ec;
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '.');  // "Test/Case": no slash in a report's path
        const std::string testDir = Env("LINK_E2E_WORK") + "\\" + name;
        fs::remove_all(PathOf(testDir), ec);  // the remembered choices of an earlier ctest run
        // Second bytes of 0x80 and above, and the backslash.
        m_runDir = testDir + "\\会計 表";
        fs::create_directories(PathOf(m_runDir + "\\hostdata"), ec);
        ASSERT_FALSE(ec) << ec.message();
        m_exe = m_runDir + "\\Dorvik22ToZq13_U.exe";
        ASSERT_TRUE(CopyFileW(PathOf(Env("LINK_E2E_EXE")).c_str(), PathOf(m_exe).c_str(), FALSE));
        WriteAll(m_runDir + "\\KolvarenDef.ini", "[ProgramLevel]\r\nZQ13_U=2\r\n");

        // The sample host data, its settings folder moved into this test's folder.
        for (const auto& entry : fs::directory_iterator(Env("LINK_E2E_SOURCE") + "\\sample\\hostdata")) {
            const std::string to = m_runDir + "\\hostdata\\" + entry.path().filename().string();
            std::string content = ReadAll(entry.path().string());
            if (entry.path().filename() == "host.ini") {
                const std::size_t key = content.find("\nSettings=");
                ASSERT_NE(key, std::string::npos);
                content.replace(key + 10, content.find('\n', key + 1) - key - 10,
                                m_runDir + "\\settings\\\r");
            }
            WriteAll(to, content);
        }
        SetEnvironmentVariableW(L"LINK_HOST_DATA", e2e::Wide(m_runDir + "\\hostdata").c_str());
    }

    bool Start(const std::string& args) { return m_driver.Start(m_exe, args); }
    std::string ParentLine(const std::string& path) const { return m_driver.ParentCommandLine(7, path); }

    HWND Dialog() {
        const HWND dialog = m_driver.WaitForDialog(kWindowTimeoutMs);
        EXPECT_NE(dialog, nullptr) << "no conditions dialog";
        return dialog;
    }

    // The next message box, answered with button; its text, or "" when none came.
    std::string AnswerBox(int button, HWND expectedOwner = nullptr) {
        const MessageBoxSeen box = m_driver.WaitForMessageBox(kWindowTimeoutMs);
        if (box.hwnd == nullptr) {
            ADD_FAILURE() << "no message box";
            return "";
        }
        EXPECT_EQ(box.caption, e2e::kBoxCaption);
        if (expectedOwner) {
            EXPECT_EQ(box.owner, expectedOwner);
        }
        EXPECT_TRUE(m_driver.Answer(box, button));
        EXPECT_TRUE(m_driver.WaitForWindowGone(box.hwnd, kWindowTimeoutMs));
        return box.text;
    }

    // Waits for the end of a run; the texts of the boxes met. An unexpected
    // question is answered Yes, so that it shows here rather than as a hang.
    std::vector<std::string> FinishRun() {
        std::vector<MessageBoxSeen> seen;
        EXPECT_TRUE(m_driver.WaitForExit(kRunTimeoutMs, IDYES, &seen)) << "the program did not end";
        std::vector<std::string> texts;
        for (const auto& box : seen) texts.push_back(box.text);
        return texts;
    }

    bool FocusIs(HWND dialog, int id) {
        const HWND control = GetDlgItem(dialog, id);
        return m_driver.WaitFor([&] { return m_driver.FocusWindow() == control; }, kWindowTimeoutMs,
                                "the focus on control " + std::to_string(id));
    }

    bool WasDisabled() const {
        for (bool enabled : m_driver.EnableChanges()) {
            if (!enabled) return true;
        }
        return false;
    }

    std::string EnvFile() const { return ReadAll(m_runDir + "\\settings\\Dorvik22ToZq13_U.env"); }

    LinkDriver m_driver;
    std::string m_runDir;
    std::string m_exe;
};

TEST_F(EndToEndTest, ParentGetsTheReportForTheChosenToMonthAndTaxMode) {
    const std::string out = m_runDir + "\\out.xml";
    ASSERT_TRUE(Start(ParentLine(out)));
    const HWND dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), m_driver.ParentWindow());
    RECT parent = {};
    GetWindowRect(m_driver.ParentWindow(), &parent);
    ExpectCentredOn(dialog, parent);
    EXPECT_TRUE(WasDisabled());
    EXPECT_EQ(e2e::ControlText(dialog, kCompany), " 株式会社ﾐﾄﾞﾘ商会");
    EXPECT_EQ(e2e::ControlText(dialog, kPeriod), " 2025/04/01～2026/03/31");
    EXPECT_EQ(e2e::ControlText(dialog, kFromMonth), "4");
    EXPECT_EQ(e2e::ControlText(dialog, kToMonth), "3");
    EXPECT_FALSE(e2e::IsChecked(dialog, kTaxIncluded));  // the data set's default

    // Typed over the selected to month, as the focus arrives there.
    ASSERT_TRUE(FocusIs(dialog, kToMonth));
    ASSERT_TRUE(m_driver.TypeChars(dialog, kToMonth, "9"));
    ASSERT_TRUE(m_driver.WaitFor([&] { return e2e::ControlText(dialog, kToMonth) == "9"; }, kWindowTimeoutMs,
                                 "the typed to month"));
    ASSERT_TRUE(e2e::ClickButton(dialog, kTaxIncluded));
    ASSERT_TRUE(m_driver.WaitFor([&] { return e2e::IsChecked(dialog, kTaxIncluded); }, kWindowTimeoutMs,
                                 "the checked tax mode"));
    // The sample's run ends faster than a poll may see its progress window:
    // an old report held unshared keeps it at the replace meanwhile.
    WriteAll(out, "old");
    const HANDLE held = CreateFileW(PathOf(out).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(m_driver.PressKey(VK_F12));
    const HWND progress = m_driver.WaitForWindow(e2e::kProgressCaption, kWindowTimeoutMs);
    // Made a child of the parent, it sits in the middle of the parent's client
    // area, not where its screen position would put it inside the parent.
    RECT client = {};
    GetClientRect(m_driver.ParentWindow(), &client);
    MapWindowPoints(m_driver.ParentWindow(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    if (progress != nullptr) ExpectCentredOn(progress, client);
    CloseHandle(held);
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(FinishRun(), std::vector<std::string>{kCompleted});  // the hand-back: OutcomeTest

    const std::string report = ReadAll(out);
    EXPECT_EQ(Head(report), kReportHead);
    EXPECT_EQ(LineWith(report, "<FUNCTIONID>"), "\t\t<FUNCTIONID>7</FUNCTIONID>\r\n");
    EXPECT_EQ(LineWith(report, "<KOMONSAKINAME>"),
              "\t\t<KOMONSAKINAME>株式会社ミドリ商会</KOMONSAKINAME>\r\n");
    // April to September: the mid-year adjustments (entry 14) count, the
    // year-end ones do not; tax-inclusive leaves no input tax.
    EXPECT_EQ(AccountOf(report, "111"), AccountLines("111", "現金", "353833"));
    EXPECT_EQ(AccountOf(report, "151"), AccountLines("151", "商品", "2400000"));
    EXPECT_EQ(AccountOf(report, "241"), AccountLines("241", "減価償却累計額", "4350000"));
    EXPECT_EQ(AccountOf(report, "171"), AccountLines("171", "仮払消費税", ""));
    // Started from a parent: the record keeps the path remembered before (none).
    EXPECT_EQ(EnvFile(), "yamada/MIDORI-2025:1/9/\n");
}

TEST_F(EndToEndTest, BadToMonthKeepsTheDialogOpenAtTheMonth) {
    ASSERT_TRUE(Start(ParentLine(m_runDir + "\\out.xml")));
    const HWND dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(FocusIs(dialog, kToMonth));
    // Enter in the to month moves on to the checkbox and does not run.
    ASSERT_TRUE(m_driver.PressKey(VK_RETURN));
    EXPECT_TRUE(FocusIs(dialog, kTaxIncluded));

    for (const char* month : {"13", ""}) {
        SCOPED_TRACE(month);
        ASSERT_TRUE(e2e::SetControlText(dialog, kToMonth, month));
        ASSERT_TRUE(m_driver.PressKey(VK_F12));
        EXPECT_EQ(AnswerBox(IDOK, dialog), kBadMonth);
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_TRUE(FocusIs(dialog, kToMonth));
        DWORD start = 0, end = 0;
        e2e::EditSelection(dialog, kToMonth, start, end);
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, std::string(month).size());
    }
    ASSERT_TRUE(m_driver.PressKey(VK_ESCAPE));
    EXPECT_EQ(AnswerBox(IDOK), kCancelNotice);
    ASSERT_TRUE(m_driver.WaitForExit(kWindowTimeoutMs));
    EXPECT_EQ(m_driver.PostedLParam(), 1);
}

TEST_F(EndToEndTest, MissingFoldersAreCreatedOnYesAndTheChoicesAreOfferedNextTime) {
    const std::string out = m_runDir + "\\new1\\new2\\report.xml";
    ASSERT_TRUE(Start(""));
    HWND dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    ExpectCentredOn(dialog, WorkArea());
    // No remembered record: the host's default folder and the file pattern.
    EXPECT_EQ(e2e::ControlText(dialog, kDestPath), "C:\\users\\Public\\Documents\\*.xml");
    EXPECT_EQ(e2e::ControlText(dialog, kDestGroup), "出力先(&O)");
    EXPECT_TRUE(e2e::IsControlEnabled(dialog, kBrowse));
    ASSERT_TRUE(e2e::SetControlText(dialog, kToMonth, "12"));
    ASSERT_TRUE(e2e::ClickButton(dialog, kTaxIncluded));
    // A drive that does not exist: Yes creates nothing, and the dialog stays.
    ASSERT_TRUE(e2e::SetControlText(dialog, kDestPath, "Q:\\x.xml"));
    ASSERT_TRUE(e2e::ClickButton(dialog, kRun));
    EXPECT_EQ(AnswerBox(IDYES, dialog), kFolderMissing);
    EXPECT_EQ(AnswerBox(IDOK, dialog), kFolderNotCreated);
    EXPECT_TRUE(FocusIs(dialog, kDestPath));
    ASSERT_TRUE(e2e::SetControlText(dialog, kDestPath, out));
    ASSERT_TRUE(e2e::ClickButton(dialog, kRun));
    EXPECT_EQ(AnswerBox(IDYES, dialog), kFolderMissing);
    EXPECT_EQ(FinishRun(), std::vector<std::string>{kCompleted});
    EXPECT_FALSE(m_driver.Posted());
    EXPECT_EQ(Head(ReadAll(out)), kReportHead);
    EXPECT_EQ(EnvFile(), "yamada/MIDORI-2025:1/12/" + out + "\n");

    LinkDriver again;
    ASSERT_TRUE(again.Start(m_exe, ""));
    dialog = again.WaitForDialog(kWindowTimeoutMs);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(e2e::ControlText(dialog, kFromMonth), "4");
    EXPECT_EQ(e2e::ControlText(dialog, kToMonth), "12");
    EXPECT_TRUE(e2e::IsChecked(dialog, kTaxIncluded));
    EXPECT_EQ(e2e::ControlText(dialog, kDestPath), out);
    ASSERT_TRUE(again.PressKey(VK_ESCAPE));
    ASSERT_TRUE(again.WaitForExit(kWindowTimeoutMs));
}

TEST_F(EndToEndTest, ExistingFileIsKeptOnNoAndReplacedOnYes) {
    const std::string out = m_runDir + "\\out.xml";
    WriteAll(out, "old");
    ASSERT_TRUE(Start(""));
    const HWND dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(e2e::SetControlText(dialog, kDestPath, out));
    ASSERT_TRUE(m_driver.PressKey(VK_F12));
    EXPECT_EQ(AnswerBox(IDNO, dialog), kFileExists);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_TRUE(FocusIs(dialog, kDestPath));
    EXPECT_EQ(ReadAll(out), "old");

    ASSERT_TRUE(m_driver.PressKey(VK_F12));
    EXPECT_EQ(AnswerBox(IDYES, dialog), kFileExists);
    EXPECT_EQ(FinishRun(), std::vector<std::string>{kCompleted});
    // The defaults of the data set: the whole year, tax-exclusive.
    const std::string report = ReadAll(out);
    EXPECT_EQ(AccountOf(report, "151"), AccountLines("151", "商品", "2720000"));
    EXPECT_EQ(AccountOf(report, "171"), AccountLines("171", "仮払消費税", "4699276"));
    EXPECT_EQ(AccountOf(report, "241"), AccountLines("241", "減価償却累計額", "4360000"));
    EXPECT_EQ(Occurrences(report, "<KANJYOKAMOKU Count="), 34u);
    EXPECT_EQ(Occurrences(report, "<HOJYOKAMOKU Count="), 21u);
    EXPECT_EQ(EnvFile(), "yamada/MIDORI-2025:0/3/" + out + "\n");
}

TEST_F(EndToEndTest, HandedOverPathIsFixedAndNotAskedAbout) {
    const std::string out = m_runDir + "\\out.xml";
    WriteAll(out, "old");
    ASSERT_TRUE(Start(ParentLine(out)));
    const HWND dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(e2e::ControlText(dialog, kDestPath), out);
    EXPECT_EQ(e2e::ControlText(dialog, kDestGroup), "出力先");
    EXPECT_FALSE(e2e::IsControlEnabled(dialog, kDestPath));
    EXPECT_FALSE(e2e::IsControlEnabled(dialog, kBrowse));
    // Enter through the fields: to month, checkbox, then the run button
    // (the path is fixed), which runs.
    ASSERT_TRUE(FocusIs(dialog, kToMonth));
    ASSERT_TRUE(m_driver.PressKey(VK_RETURN));
    ASSERT_TRUE(FocusIs(dialog, kTaxIncluded));
    ASSERT_TRUE(m_driver.PressKey(VK_RETURN));
    ASSERT_TRUE(FocusIs(dialog, kRun));
    ASSERT_TRUE(m_driver.PressKey(VK_RETURN));
    EXPECT_EQ(FinishRun(), std::vector<std::string>{kCompleted});
    EXPECT_EQ(m_driver.PostedLParam(), 0);
    EXPECT_EQ(Head(ReadAll(out)), kReportHead);
}

// The company and period texts take no mnemonic: an '&' shows as itself.
TEST_F(EndToEndTest, AmpersandInTheCompanyNameShowsAsItIs) {
    const std::string datasets = m_runDir + "\\hostdata\\datasets.csv";
    std::string content = ReadAll(datasets);
    const std::string name = "株式会社ﾐﾄﾞﾘ商会";
    for (std::size_t at = content.find(name); at != std::string::npos; at = content.find(name, at))
        content.replace(at, name.size(), "A&B商会");
    WriteAll(datasets, content);
    ASSERT_TRUE(Start(""));
    const HWND dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(e2e::ControlText(dialog, kCompany), " A&B商会");
    for (const int id : {kCompany, kPeriod}) {
        EXPECT_NE(GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & SS_NOPREFIX, 0) << id;
    }
    ASSERT_TRUE(m_driver.PressKey(VK_ESCAPE));
    ASSERT_TRUE(m_driver.WaitForExit(kWindowTimeoutMs));
}

// The widths of the window's small and big icons (0: none), asked inside
// the program's thread by the hook of icon_probe.dll beside this test.
bool IconWidths(HWND window, LONG_PTR widths[2]) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring probePath = self;
    probePath.replace(probePath.rfind(L'\\') + 1, std::wstring::npos, L"icon_probe.dll");
    const HMODULE probe = LoadLibraryW(probePath.c_str());
    const auto hook = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(probe != nullptr ? GetProcAddress(probe, "IconProbeHook") : nullptr));
    if (hook == nullptr) return false;
    const HHOOK installed =
        SetWindowsHookExW(WH_GETMESSAGE, hook, probe, GetWindowThreadProcessId(window, nullptr));
    const UINT message = RegisterWindowMessageW(L"LinkDriverIconProbe");
    const HWND reply = CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    PostMessageW(window, message, reinterpret_cast<WPARAM>(reply), 0);
    int answers = 0;
    for (const DWORD start = GetTickCount(); answers < 2 && GetTickCount() - start < kWindowTimeoutMs;) {
        MSG msg;
        if (PeekMessageW(&msg, reply, message, message, PM_REMOVE)) {
            widths[msg.wParam == ICON_BIG] = msg.lParam;
            ++answers;
        } else {
            Sleep(20);
        }
    }
    DestroyWindow(reply);
    if (installed != nullptr) UnhookWindowsHookEx(installed);
    return answers == 2;
}

// The program's icon in the dialog's title bar, at the system's two sizes.
TEST_F(EndToEndTest, DialogShowsTheProgramIcon) {
    ASSERT_TRUE(Start(""));
    const HWND dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    LONG_PTR widths[2] = {-1, -1};
    ASSERT_TRUE(IconWidths(dialog, widths)) << "no answer from the icon probe";
    EXPECT_EQ(widths[1], GetSystemMetrics(SM_CXICON))
        << "no icon on the dialog: the exe carries no icon resource IDI_PROGRAM (1)";
    EXPECT_EQ(widths[0], GetSystemMetrics(SM_CXSMICON)) << "no small icon on the dialog";
    ASSERT_TRUE(m_driver.PressKey(VK_ESCAPE));
    ASSERT_TRUE(m_driver.WaitForExit(kWindowTimeoutMs));
}

// The names in a folder.
std::set<std::string> Names(const std::string& folder) {
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(PathOf(folder), ec))
        names.insert(e2e::Narrow(e.path().filename().wstring()));
    return names;
}

// Eight users of one terminal server end their runs at one moment, each
// started by a parent window of its own, into one settings folder: every
// record is kept, every run completes, nothing else stays. The moment is
// made by a scanner that holds files until every run has got there: the
// reports until every temporary report is there (the settings folder is made
// by all eight at once), or the remembered choices until every report is in
// place (all eight saves under way), then 3 s more by a backup that shares
// all but deletion.
TEST_F(EndToEndTest, RunsEndingTogetherKeepEveryRecord) {
    constexpr int kRuns = 8;
    const std::string settings = m_runDir + "\\settings\\";
    const std::string env = settings + "Dorvik22ToZq13_U.env";
    const auto out = [&](int i) { return m_runDir + "\\out" + std::to_string(i) + ".xml"; };
    for (int i = 0; i < kRuns; ++i) {
        // A host data folder per user, each naming the one settings folder.
        const std::string data = m_runDir + "\\hostdata" + std::to_string(i);
        fs::create_directory(PathOf(data));
        for (const auto& entry : fs::directory_iterator(PathOf(m_runDir + "\\hostdata"))) {
            const std::string name = e2e::Narrow(entry.path().filename().wstring());
            std::string content = ReadAll(m_runDir + "\\hostdata\\" + name);
            const std::size_t at = content.find("yamada");  // host.ini's User, users.csv's row
            if (at != std::string::npos) content.replace(at, 6, "user" + std::to_string(i));
            WriteAll(data + "\\" + name, content);
        }
    }
    const struct {
        const char* name;
        bool envHeld;
        DWORD share;
        DWORD moreMs;
    } rows[] = {{"reports held", false, 0, 0},
                {"remembered choices held", true, 0, 0},
                {"remembered choices held 3 s more", true, FILE_SHARE_READ | FILE_SHARE_WRITE, 3000}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::multiset<std::string> expected;
        std::vector<std::string> held;
        if (row.envHeld) {
            WriteAll(env, *expected.insert("other/X:0/1/\n"));
            held.push_back(env);
        }
        for (int i = 0; i < kRuns; ++i) {
            expected.insert("user" + std::to_string(i) + "/MIDORI-2025:0/3/\n");
            fs::remove(PathOf(out(i)));
            if (!row.envHeld) WriteAll(*held.insert(held.end(), out(i)), "old");
        }
        std::vector<HANDLE> holders;
        for (const std::string& file : held) {
            holders.push_back(CreateFileW(PathOf(file).c_str(), GENERIC_READ, row.share, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
            ASSERT_NE(holders.back(), INVALID_HANDLE_VALUE);
        }
        // Eight parent windows on this thread: every wait of any driver answers
        // them all, and no thread that owned a window ends mid-run.
        std::array<LinkDriver, kRuns> parents;
        std::array<HWND, kRuns> dialogs{};
        for (int i = 0; i < kRuns; ++i) {
            SetEnvironmentVariableW(L"LINK_HOST_DATA",
                                    e2e::Wide(m_runDir + "\\hostdata" + std::to_string(i)).c_str());
            EXPECT_TRUE(parents[i].Start(m_exe, parents[i].ParentCommandLine(7, out(i)))) << i;
        }
        for (int i = 0; i < kRuns; ++i) dialogs[i] = parents[i].WaitForDialog(kWindowTimeoutMs);
        for (int i = 0; i < kRuns; ++i) {
            if (dialogs[i] != nullptr) {
                EXPECT_TRUE(e2e::ClickButton(dialogs[i], kRun)) << i;
            }
        }
        const auto there = [&](const std::string& suffix) {
            const std::set<std::string> names = Names(m_runDir);
            return std::count_if(names.begin(), names.end(), [&](const std::string& name) {
                return name.size() > 4 && name.compare(name.size() - 4, 4, suffix) == 0;
            });
        };
        m_driver.WaitFor([&] { return there(row.envHeld ? ".xml" : ".tmp") == kRuns; }, kRunTimeoutMs,
                         "every run");
        m_driver.Pump(row.moreMs);
        for (const HANDLE holder : holders) CloseHandle(holder);
        std::vector<std::string> outcomes(kRuns);
        for (int i = 0; i < kRuns; ++i) {
            std::vector<MessageBoxSeen> seen;
            if (dialogs[i] != nullptr && parents[i].WaitForExit(kRunTimeoutMs, IDOK, &seen) &&
                seen.size() == 1 && parents[i].Posted()) {
                outcomes[i] = seen[0].text + " " + std::to_string(parents[i].PostedLParam());
            }
        }
        EXPECT_EQ(outcomes, std::vector<std::string>(kRuns, std::string(kCompleted) + " 0"));
        std::multiset<std::string> records;
        std::istringstream lines(EnvFile());
        for (std::string line; std::getline(lines, line);) records.insert(line + "\n");
        EXPECT_EQ(records, expected);
        EXPECT_EQ(Names(settings), std::set<std::string>{"Dorvik22ToZq13_U.env"});
        std::printf("[ together ] %s: %lu of %lu records kept\n", row.name,
                    static_cast<unsigned long>(records.size()), static_cast<unsigned long>(expected.size()));
    }
}

// Another program holds a file for a moment, with no sharing or sharing all
// but its deletion: the program waits at the replace or the read, answering
// what is sent to its progress window meanwhile, and the run completes once
// the file is let go. The remembered choices are held past the 2 s a
// replace once waited on its own: the save's one deadline is 5 s.
TEST_F(EndToEndTest, FileHeldForAMomentIsWaitedFor) {
    struct Case {
        const char* name;
        bool report;
        DWORD share;
        DWORD holdMs;
    };
    const Case cases[] = {
        {"report, no sharing", true, 0, 400},
        {"remembered choices, no sharing", false, 0, 3000},
        {"remembered choices, shared but for deletion", false, FILE_SHARE_READ | FILE_SHARE_WRITE, 3000},
    };
    const std::string out = m_runDir + "\\out.xml";
    const std::string settings = m_runDir + "\\settings\\";
    const std::string env = settings + "Dorvik22ToZq13_U.env";
    fs::create_directory(PathOf(settings));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteAll(out, "old");
        WriteAll(env, "other/X:0/1/\n");
        LinkDriver driver;
        ASSERT_TRUE(driver.Start(m_exe, driver.ParentCommandLine(7, out)));
        ASSERT_NE(driver.WaitForDialog(kWindowTimeoutMs), nullptr);
        const HANDLE held = CreateFileW(PathOf(c.report ? out : env).c_str(), GENERIC_READ, c.share, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        ASSERT_TRUE(driver.PressKey(VK_F12));
        const DWORD start = GetTickCount();
        const HWND progress = driver.WaitForWindow(e2e::kProgressCaption, kRunTimeoutMs);
        // A sent WM_NULL, as the system's check of a hung window sends it.
        int asked = 0, answered = 0;
        DWORD longest = 0;
        while (GetTickCount() - start < c.holdMs) {
            const DWORD sent = GetTickCount();
            DWORD_PTR result = 0;
            ++asked;
            answered += SendMessageTimeoutW(progress, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) != 0;
            longest = std::max(longest, GetTickCount() - sent);
            driver.Pump(50);
        }
        // Waiting, not failed: the finished report beside the old one, or
        // the save holding its lock.
        EXPECT_TRUE(fs::exists(
            PathOf(c.report ? out + "." + std::to_string(driver.ProcessId()) + ".tmp" : env + ".lock")));
        CloseHandle(held);
        const DWORD letGo = GetTickCount();
        std::vector<MessageBoxSeen> seen;
        EXPECT_TRUE(driver.WaitForExit(kRunTimeoutMs, IDOK, &seen));
        const DWORD ended = GetTickCount() - letGo;
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].text, kCompleted);
        EXPECT_EQ(driver.PostedLParam(), 0);
        EXPECT_EQ(Head(ReadAll(out)), kReportHead);
        EXPECT_EQ(ReadAll(env), "other/X:0/1/\nyamada/MIDORI-2025:0/3/\n");
        EXPECT_EQ(Names(settings), std::set<std::string>{"Dorvik22ToZq13_U.env"});
        EXPECT_EQ(answered, asked);
        EXPECT_LT(longest, 1000u);
        std::printf(
            "[ held     ] %s: held %lu ms after F12, the run ended %lu ms after it was let go; "
            "WM_NULL answered %d of %d, the longest in %lu ms\n",
            c.name, static_cast<unsigned long>(c.holdMs), static_cast<unsigned long>(ended), answered, asked,
            static_cast<unsigned long>(longest));
    }
}

// A settings folder the user may not write: access denied on the lock file
// is not a file in use, the save gives up at once and the run completes.
// Wine running as root writes where Windows would refuse (a read-only lock
// file, a folder without the right): a folder at the lock file's name stands
// in, which Windows and Wine both answer with access denied.
TEST_F(EndToEndTest, SettingsNotWritableFailTheSaveAtOnce) {
    const std::string settings = m_runDir + "\\settings\\";
    fs::create_directories(PathOf(settings + "Dorvik22ToZq13_U.env.lock"));
    ASSERT_TRUE(Start(ParentLine(m_runDir + "\\out.xml")));
    ASSERT_NE(Dialog(), nullptr);
    ASSERT_TRUE(m_driver.PressKey(VK_F12));
    const DWORD start = GetTickCount();
    const MessageBoxSeen box = m_driver.WaitForMessageBox(kRunTimeoutMs);
    const DWORD told = GetTickCount() - start;
    EXPECT_EQ(box.text, kCompleted);
    EXPECT_LT(told, 1000u);
    ASSERT_TRUE(m_driver.Answer(box, IDOK));
    ASSERT_TRUE(m_driver.WaitForExit(kWindowTimeoutMs));
    EXPECT_EQ(m_driver.PostedLParam(), 0);
    EXPECT_EQ(Names(settings), std::set<std::string>{"Dorvik22ToZq13_U.env.lock"});
    std::printf("[ denied   ] the completion message %lu ms after F12\n", static_cast<unsigned long>(told));
}

// Every outcome told, alone and from a parent, also from a folder that code
// page 932 cannot name (the program, its ini file and its host data beside
// it): the one message of the run (the cancel notice owned by the dialog),
// what the parent gets (the function ID 32769 comes back sign-extended), the
// exit status, and a report and remembered choices only when completed.
enum StartedBy { kAlone, kParent, kThreeFields };
enum Act { kNoDialog, kRuns, kCancels, kEscapes, kClosesTheDialog };
struct Outcome {
    const char* name;
    StartedBy startedBy;
    const wchar_t* folder;  // the program's folder; nullptr: the test's own
    int level;              // the installed program level
    bool hostData;          // false: LINK_HOST_DATA names no folder
    Act act;                // what the user does in the dialog
    DWORD exitStatus;
};

class OutcomeTest : public EndToEndTest, public ::testing::WithParamInterface<Outcome> {};

TEST_P(OutcomeTest, IsToldAndIsTheExitStatus) {
    const Outcome& c = GetParam();
    const std::string out = m_runDir + "\\out.xml";
    const std::string noData = m_runDir + "\\no-such-folder";
    WriteAll(m_runDir + "\\KolvarenDef.ini", "[ProgramLevel]\r\nZQ13_U=" + std::to_string(c.level) + "\r\n");
    WriteAll(m_runDir + "\\SUPPORT.INF", "[=製品ﾊﾞｰｼﾞｮﾝ=]22.03.01\r\n");
    if (!c.hostData) SetEnvironmentVariableW(L"LINK_HOST_DATA", e2e::Wide(noData).c_str());
    fs::path exe = PathOf(m_exe);
    std::error_code ec;
    if (c.folder != nullptr) {
        fs::remove_all(c.folder, ec);
        fs::copy(PathOf(m_runDir), c.folder, fs::copy_options::recursive, ec);
        ASSERT_FALSE(ec) << ec.message();
        SetEnvironmentVariableW(L"LINK_HOST_DATA", nullptr);
        exe = fs::path(c.folder) / L"Dorvik22ToZq13_U.exe";
    }
    const std::string args = c.startedBy == kAlone    ? ""
                             : c.startedBy == kParent ? m_driver.ParentCommandLine(32769, out)
                                                      : m_driver.ParentCommandLine(7);
    ASSERT_TRUE(m_driver.StartLine(L"\"" + exe.wstring() + L"\" " + e2e::Wide(args)));
    HWND dialog = nullptr;
    if (c.act != kNoDialog) {
        dialog = Dialog();
        ASSERT_NE(dialog, nullptr);
        if (c.startedBy != kParent) {
            ASSERT_TRUE(e2e::SetControlText(dialog, kDestPath, out));
        }
        ASSERT_TRUE(c.act == kEscapes           ? m_driver.PressKey(VK_ESCAPE)
                    : c.act == kClosesTheDialog ? e2e::CloseByCloseBox(dialog)
                                                : e2e::ClickButton(dialog, c.act == kRuns ? kRun : kCancel));
    }
    std::vector<MessageBoxSeen> seen;
    ASSERT_TRUE(m_driver.WaitForExit(kRunTimeoutMs, IDOK, &seen));
    const std::string told =
        !c.hostData ? "ホストデータを読み込めません: データフォルダがありません: " + noData
        : c.level != 2
            ? "ご利用の連動コンポーネントは、インストールされているKolvaren 申告書作成システムでは"
              "使用できません。\n連動コンポーネントの最新版を入手してインストールしてからご利用ください。"
        : c.act == kRuns ? kCompleted
                         : kCancelNotice;
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, told);
    if (c.level != 2) {
        EXPECT_EQ(seen[0].owner, c.startedBy == kAlone ? nullptr : m_driver.ParentWindow());
    }
    if (c.exitStatus == 1) {
        EXPECT_EQ(seen[0].owner, dialog);
    }
    EXPECT_EQ(m_driver.ExitCode(), c.exitStatus);
    EXPECT_EQ(m_driver.Posted(), c.startedBy == kParent);
    if (m_driver.Posted()) {
        EXPECT_EQ(m_driver.PostedLParam(), static_cast<LPARAM>(c.exitStatus));
        EXPECT_EQ(m_driver.PostedWParam(), static_cast<WPARAM>(0xFFFF8001u));
    }
    // Disabled once connected; a parent that never was is left alone.
    EXPECT_EQ(m_driver.EnableChanges(),
              (c.startedBy == kParent && c.hostData ? std::vector<bool>{false, true} : std::vector<bool>{}));
    // SUPPORT.INF read beside the program, by its bare name.
    EXPECT_EQ(LineWith(ReadAll(out), "<PROGRAMVER>"),
              c.exitStatus == 0 ? "\t\t<PROGRAMVER>22.03.01</PROGRAMVER>\r\n" : "");
    EXPECT_EQ(fs::exists(PathOf(m_runDir + "\\settings")), c.exitStatus == 0);
    if (c.folder != nullptr) fs::remove_all(c.folder, ec);
}

const wchar_t kDemo[] = L"C:\\D\u00E9mo";
const wchar_t kEmoji[] = L"C:\\\U0001F4C1";
INSTANTIATE_TEST_SUITE_P(
    EveryOutcome, OutcomeTest,
    ::testing::Values(Outcome{"CompletedAlone", kAlone, nullptr, 2, true, kRuns, 0},
                      Outcome{"CompletedFromAParent", kParent, nullptr, 2, true, kRuns, 0},
                      Outcome{"CancelledAlone", kAlone, nullptr, 2, true, kCancels, 1},
                      Outcome{"CancelledFromAParent", kParent, nullptr, 2, true, kCancels, 1},
                      Outcome{"CancelledByEscFromAParent", kParent, nullptr, 2, true, kEscapes, 1},
                      Outcome{"CancelledByTheCloseBoxFromAParent", kParent, nullptr, 2, true,
                              kClosesTheDialog, 1},
                      Outcome{"CancelledWithThreeFields", kThreeFields, nullptr, 2, true, kCancels, 1},
                      Outcome{"WrongLevelAlone", kAlone, nullptr, 3, true, kNoDialog, 2},
                      Outcome{"WrongLevelFromAParent", kParent, nullptr, 3, true, kNoDialog, 2},
                      Outcome{"NoHostDataAlone", kAlone, nullptr, 2, false, kNoDialog, 2},
                      Outcome{"NoHostDataFromAParent", kParent, nullptr, 2, false, kNoDialog, 2},
                      Outcome{"CompletedAloneInDemo", kAlone, kDemo, 2, true, kRuns, 0},
                      Outcome{"CompletedFromAParentInDemo", kParent, kDemo, 2, true, kRuns, 0},
                      Outcome{"CompletedAloneInEmojiFolder", kAlone, kEmoji, 2, true, kRuns, 0},
                      Outcome{"CompletedFromAParentInEmojiFolder", kParent, kEmoji, 2, true, kRuns, 0}),
    [](const ::testing::TestParamInfo<Outcome>& param) { return std::string(param.param.name); });

}  // namespace
