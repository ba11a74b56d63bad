#pragma once
// The double's user interface: it records every window, caption, control
// text and message box, and answers message boxes and modal dialogs from a
// script, so native tests can watch the system's real classes.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_dialog.h"
#include "platform/types.h"

namespace plat {
class Dialog;
}

namespace plat::headless {

struct WindowState {
    WindowHandle handle = kNoWindow;
    WindowHandle parent = kNoWindow;
    int templateId = 0;     // dialogs: the template; controls: 0
    int controlId = 0;      // controls: their id in the dialog
    std::string className;  // "#32770" for dialogs, "msctls_progress32", "Edit", ...
    std::string text;
    unsigned style = 0;
    bool enabled = true;
    bool visible = false;
    bool destroyed = false;
    bool external = false;  // a window of another program (a parent application)
    // Progress bars.
    int rangeLower = 0;
    int rangeUpper = 100;
    int pos = 0;
    int step = 10;
    // Counters of the operations the system performs on the window.
    int textSets = 0;
    int updates = 0;
    int bringToTops = 0;
    int foregrounds = 0;
    int stepIts = 0;
    std::vector<std::string> textHistory;  // every text set, in order
    // Buttons: check state. Edits: text limit (0: none set), selection
    // (-1, -1: none) and caret scrolls.
    int check = 0;
    int textLimit = 0;
    int selStart = -1;
    int selEnd = -1;
    int scrollCarets = 0;
    // Dialogs: whether EndDialog was called, and with what.
    bool modal = false;
    bool ended = false;
    int endResult = 0;
};

struct MessageBoxRecord {
    WindowHandle owner = kNoWindow;
    std::string text;
    std::string caption;
    unsigned style = 0;
    int answer = 0;
    bool ownerVisible = false;  // whether the owner was on screen at the time
};

struct SaveFileRecord {
    SaveFileRequest request;
    bool confirmed = false;
    std::string chosenPath;     // when confirmed
    bool ownerVisible = false;  // whether the owner was on screen at the time
};

struct PostedMessage {
    WindowHandle target = kNoWindow;
    unsigned message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

class HeadlessUi {
public:
    static HeadlessUi& Get();
    // Forgets all windows, records and scripted answers.
    void Reset();

    // A window of another program, e.g. a parent application.
    WindowHandle CreateExternalWindow(const std::string& caption);

    const WindowState* Find(WindowHandle handle) const;
    WindowState* FindMutable(WindowHandle handle);
    // Live (not destroyed) dialogs created from the template, oldest first.
    std::vector<const WindowState*> FindByTemplate(int templateId) const;
    const WindowState* FindControl(WindowHandle dialog, int controlId) const;
    // The windows whose parent is the given one, oldest first.
    std::vector<WindowHandle> Children(WindowHandle parent) const;

    // Answers for the next message boxes, in order; without one a box
    // answers kIdOk (kIdYes for Yes/No boxes).
    void QueueMessageBoxAnswer(int answer);
    // A script for the next modal dialog: called once the dialog is
    // initialised, it plays the user and must end the dialog (else the
    // dialog ends with kIdCancel).
    void QueueModalScript(std::function<void(Dialog&)> script);
    // Answers for the next save-file dialogs, in order: the full path the
    // user chose, or nullopt for cancel. Without one the dialog is
    // cancelled. The path is handed back as given: the dialog's own checks
    // (existing folder, existing file, default extension) are the user's
    // side here.
    void QueueSaveFileAnswer(std::optional<std::string> path);

    const std::vector<MessageBoxRecord>& MessageBoxes() const { return m_messageBoxes; }
    const std::vector<SaveFileRecord>& SaveFiles() const { return m_saveFiles; }
    const std::vector<PostedMessage>& Posted() const { return m_posted; }
    // Chronological log of what the system did, one line per event, with
    // handles in decimal: "create <template>", "show <h> <0|1>",
    // "enable <h> <0|1>", "parent <h> <parent>", "focus <h>",
    // "foreground <h>", "top <h>", "update <h>", "text <h> <text>",
    // "limit <h> <n>", "select <h> <start> <end>", "scrollcaret <h>",
    // "check <h> <state>", "end <h> <result>", "destroy <h>",
    // "post <h> <message> <wParam> <lParam>", "post-failed <h> <message>",
    // "msgbox", "savefile <owner> ok <path>", "savefile <owner> cancel",
    // "cursor wait|restore|end|normal", "answer-sent"; and the user's side:
    // "type <h> <text>".
    const std::vector<std::string>& Events() const { return m_events; }
    int WaitCursorDepth() const { return m_waitCursorDepth; }

    // Used by the backend.
    WindowHandle NewWindow(WindowState state);
    int RecordMessageBox(MessageBoxRecord record);
    // Answers the dialog from the queue; the chosen path, or nullopt.
    std::optional<std::string> RecordSaveFile(SaveFileRecord record);
    void RecordPost(const PostedMessage& message);
    void Log(const std::string& event);
    std::function<void(Dialog&)> TakeModalScript();
    void ChangeWaitCursor(int delta) { m_waitCursorDepth += delta; }
    WindowHandle& FocusWindow() { return m_focus; }

private:
    std::map<WindowHandle, WindowState> m_windows;
    WindowHandle m_nextHandle = 0x100;
    std::deque<int> m_answers;
    std::deque<std::function<void(Dialog&)>> m_modalScripts;
    std::vector<MessageBoxRecord> m_messageBoxes;
    std::deque<std::optional<std::string>> m_saveFileAnswers;
    std::vector<SaveFileRecord> m_saveFiles;
    std::vector<PostedMessage> m_posted;
    std::vector<std::string> m_events;
    int m_waitCursorDepth = 0;
    WindowHandle m_focus = kNoWindow;
};

// The user's side of a dialog, for modal scripts and tests.
// Clicks a control: nothing when it is missing, disabled or hidden; an
// automatic check box toggles first; the control takes the focus, then the
// dialog gets the command. True when the click reached the dialog.
bool Click(Dialog& dialog, int controlId);
// Types text into an edit, replacing its text: honours the text limit (whole
// characters) and, for digit-only edits, drops other characters. The edit
// takes the focus. False when the edit cannot take input.
bool Type(Dialog& dialog, int controlId, const std::string& text);
// A key-down at the focus window: offered to PreTranslateMessage; when that
// does not consume it, the dialog manager's own handling: Esc cancels, Enter
// clicks a focused push button or else sends the command kIdOk (which does
// nothing unless the dialog handles it). True when PreTranslateMessage
// consumed the key.
bool PressKey(Dialog& dialog, int virtualKey);

}  // namespace plat::headless
