// The headless user interface: a record of windows and what was done to them,
// and scripted answers for message boxes and modal dialogs.
#include "platform/headless_windows/headless_ui.h"

#include <string>
#include <utility>

#include "headless_state.h"
#include "platform/dialog.h"
#include "platform/keyboard.h"
#include "platform/mbcs.h"

namespace plat::headless {
namespace {

std::string HandleText(WindowHandle handle) {
    return std::to_string(static_cast<unsigned long long>(handle));
}

// The first answer button of a message box style.
int DefaultAnswer(unsigned style) {
    switch (style & 0x0Fu) {
        case 2:  // abort, retry, ignore
            return 3;
        case 3:  // yes, no, cancel
        case 4:  // yes, no
            return kIdYes;
        case 5:  // retry, cancel
            return 4;
        case 6:  // cancel, try again, continue
            return kIdCancel;
        default:
            return kIdOk;
    }
}

// A control of the dialog that can take input: exists, enabled, on screen.
WindowState* InputControl(Dialog& dialog, int controlId) {
    HeadlessUi& ui = HeadlessUi::Get();
    const WindowState* dlg = ui.Find(dialog.Handle());
    if (dlg == nullptr || dlg->destroyed) return nullptr;
    const WindowState* control = ui.FindControl(dialog.Handle(), controlId);
    if (control == nullptr || control->destroyed || !control->enabled || !control->visible) return nullptr;
    return ui.FindMutable(control->handle);
}

bool IsButtonClass(const WindowState& state) {
    return state.className == "Button";
}

bool IsPushButton(const WindowState& state) {
    const unsigned type = state.style & kBsTypeMask;
    return IsButtonClass(state) && (type == kBsPushButton || type == kBsDefPushButton);
}

}  // namespace

WindowState* Live(WindowHandle handle) {
    if (handle == kNoWindow) return nullptr;
    WindowState* state = HeadlessUi::Get().FindMutable(handle);
    return (state == nullptr || state->destroyed) ? nullptr : state;
}

void LogEvent(const char* what, WindowHandle handle) {
    HeadlessUi::Get().Log(what + (" " + HandleText(handle)));
}

void LogEvent(const char* what, WindowHandle handle, const std::string& detail) {
    HeadlessUi::Get().Log(what + (" " + HandleText(handle)) + " " + detail);
}

HeadlessUi& HeadlessUi::Get() {
    static HeadlessUi ui;
    return ui;
}

void HeadlessUi::Reset() {
    m_windows.clear();
    m_nextHandle = 0x100;
    m_answers.clear();
    m_modalScripts.clear();
    m_messageBoxes.clear();
    m_saveFileAnswers.clear();
    m_saveFiles.clear();
    m_posted.clear();
    m_events.clear();
    m_waitCursorDepth = 0;
    m_focus = kNoWindow;
}

WindowHandle HeadlessUi::CreateExternalWindow(const std::string& caption) {
    WindowState state;
    state.className = "ExternalWindow";
    state.text = caption;
    state.visible = true;
    state.external = true;
    return NewWindow(state);
}

const WindowState* HeadlessUi::Find(WindowHandle handle) const {
    const auto it = m_windows.find(handle);
    return it == m_windows.end() ? nullptr : &it->second;
}

WindowState* HeadlessUi::FindMutable(WindowHandle handle) {
    const auto it = m_windows.find(handle);
    return it == m_windows.end() ? nullptr : &it->second;
}

std::vector<const WindowState*> HeadlessUi::FindByTemplate(int templateId) const {
    std::vector<const WindowState*> found;
    for (const auto& entry : m_windows) {
        const WindowState& state = entry.second;
        if (state.templateId == templateId && state.controlId == 0 && !state.destroyed)
            found.push_back(&state);
    }
    return found;
}

const WindowState* HeadlessUi::FindControl(WindowHandle dialog, int controlId) const {
    if (dialog == kNoWindow) return nullptr;
    for (const auto& entry : m_windows) {
        const WindowState& state = entry.second;
        if (state.parent == dialog && state.controlId == controlId && state.templateId == 0) return &state;
    }
    return nullptr;
}

std::vector<WindowHandle> HeadlessUi::Children(WindowHandle parent) const {
    std::vector<WindowHandle> children;
    if (parent == kNoWindow) return children;
    for (const auto& entry : m_windows) {
        if (entry.second.parent == parent) children.push_back(entry.first);
    }
    return children;
}

void HeadlessUi::QueueMessageBoxAnswer(int answer) {
    m_answers.push_back(answer);
}

void HeadlessUi::QueueModalScript(std::function<void(Dialog&)> script) {
    m_modalScripts.push_back(std::move(script));
}

void HeadlessUi::QueueSaveFileAnswer(std::optional<std::string> path) {
    m_saveFileAnswers.push_back(std::move(path));
}

WindowHandle HeadlessUi::NewWindow(WindowState state) {
    const WindowHandle handle = m_nextHandle++;
    state.handle = handle;
    m_windows[handle] = std::move(state);
    return handle;
}

int HeadlessUi::RecordMessageBox(MessageBoxRecord record) {
    if (m_answers.empty()) {
        record.answer = DefaultAnswer(record.style);
    } else {
        record.answer = m_answers.front();
        m_answers.pop_front();
    }
    m_messageBoxes.push_back(record);
    Log("msgbox");
    return record.answer;
}

std::optional<std::string> HeadlessUi::RecordSaveFile(SaveFileRecord record) {
    std::optional<std::string> answer;
    if (!m_saveFileAnswers.empty()) {
        answer = std::move(m_saveFileAnswers.front());
        m_saveFileAnswers.pop_front();
    }
    record.confirmed = answer.has_value();
    record.chosenPath = answer.value_or(std::string());
    LogEvent("savefile", record.request.owner, record.confirmed ? "ok " + record.chosenPath : "cancel");
    m_saveFiles.push_back(std::move(record));
    return answer;
}

void HeadlessUi::RecordPost(const PostedMessage& message) {
    m_posted.push_back(message);
}

void HeadlessUi::Log(const std::string& event) {
    m_events.push_back(event);
}

std::function<void(Dialog&)> HeadlessUi::TakeModalScript() {
    if (m_modalScripts.empty()) return nullptr;
    std::function<void(Dialog&)> script = std::move(m_modalScripts.front());
    m_modalScripts.pop_front();
    return script;
}

bool Click(Dialog& dialog, int controlId) {
    WindowState* control = InputControl(dialog, controlId);
    if (control == nullptr) return false;
    if (IsButtonClass(*control)) {
        const unsigned type = control->style & kBsTypeMask;
        if (type == kBsAutoCheckBox) {
            control->check = control->check == 0 ? 1 : 0;
        } else if (type == kBsAuto3State) {
            control->check = (control->check + 1) % 3;
        } else if (type == kBsAutoRadioButton) {
            control->check = 1;
        }
    }
    const WindowHandle handle = control->handle;
    HeadlessUi::Get().FocusWindow() = handle;
    LogEvent("focus", handle);
    dialog.DispatchCommand(controlId);
    return true;
}

bool Type(Dialog& dialog, int controlId, const std::string& text) {
    WindowState* control = InputControl(dialog, controlId);
    if (control == nullptr || control->className != "Edit") return false;
    const bool digitsOnly = (control->style & kEsNumber) != 0;
    const std::size_t limit =
        control->textLimit > 0 ? static_cast<std::size_t>(control->textLimit) : static_cast<std::size_t>(-1);
    std::string typed;
    for (std::size_t i = 0; i < text.size(); i += CharAt(text, i).size()) {
        const std::string_view c = CharAt(text, i);
        if (digitsOnly && (c[0] < '0' || c[0] > '9')) continue;  // a lead byte is no digit
        if (typed.size() + c.size() > limit) break;
        typed += c;
    }
    control->text = typed;
    const int end = static_cast<int>(typed.size());
    control->selStart = end;
    control->selEnd = end;
    HeadlessUi& ui = HeadlessUi::Get();
    ui.FocusWindow() = control->handle;
    LogEvent("focus", control->handle);
    LogEvent("type", control->handle, typed);
    return true;
}

bool PressKey(Dialog& dialog, int virtualKey) {
    HeadlessUi& ui = HeadlessUi::Get();
    KeyMessage key;
    key.target = ui.FocusWindow();
    key.virtualKey = virtualKey;
    if (dialog.DispatchKey(key)) return true;
    const WindowState* dlg = ui.Find(dialog.Handle());
    if (dlg == nullptr || dlg->destroyed) return false;
    if (virtualKey == kVkEscape) {
        dialog.DispatchCancel();
    } else if (virtualKey == kVkReturn) {
        const WindowState* focus = ui.Find(ui.FocusWindow());
        if (focus != nullptr && !focus->destroyed && focus->parent == dialog.Handle() &&
            IsPushButton(*focus) && focus->enabled) {
            dialog.DispatchCommand(focus->controlId);
        } else {
            // No default push button: the dialog manager sends kIdOk, which
            // does nothing unless the dialog handles it.
            dialog.DispatchCommand(kIdOk);
        }
    }
    return false;
}

}  // namespace plat::headless
