// Dialogs of the headless double: windows built from the handed-over templates,
// modal runs played by queued scripts.
#include <functional>
#include <string>

#include "headless_state.h"
#include "platform/dialog.h"

namespace plat {

using namespace headless;  // the double's state, templates and event log

namespace {

constexpr unsigned kWsChildVisible = kWsChild | kWsVisible;

// Creates the dialog window and its controls from the template.
WindowHandle CreateFromTemplate(const DialogTemplate& tmpl, WindowHandle parent, bool modal) {
    HeadlessUi& ui = HeadlessUi::Get();
    WindowState dialog;
    dialog.parent = parent;
    dialog.templateId = tmpl.id;
    dialog.className = "#32770";
    dialog.text = tmpl.caption ? tmpl.caption : "";
    dialog.style = tmpl.style;
    dialog.enabled = (tmpl.style & kWsDisabled) == 0;
    dialog.visible = false;  // shown after initialisation, if at all
    dialog.modal = modal;
    const WindowHandle handle = ui.NewWindow(dialog);
    for (const ControlTemplate& controlTemplate : tmpl.controls) {
        WindowState control;
        control.parent = handle;
        control.controlId = controlTemplate.id;
        control.className = controlTemplate.className ? controlTemplate.className : "";
        control.text = controlTemplate.text ? controlTemplate.text : "";
        control.style = controlTemplate.style | kWsChildVisible;
        control.enabled = (controlTemplate.style & kWsDisabled) == 0;
        control.visible = true;
        ui.NewWindow(control);
    }
    ui.Log("create " + std::to_string(tmpl.id));
    return handle;
}

// After OnInitDialog returned true: the focus goes to the first tab stop
// that is enabled and visible, in template order.
void SetDefaultFocus(WindowHandle dialog, const DialogTemplate& tmpl) {
    for (const ControlTemplate& control : tmpl.controls) {
        if ((control.style & kWsTabStop) == 0) continue;
        Window item = Window(dialog).GetItem(control.id);
        const WindowState* state = Live(item.Handle());
        if (state != nullptr && state->enabled && state->visible) {
            item.SetFocus();
            return;
        }
    }
}

void ShowDialogWindow(WindowHandle handle) {
    WindowState* state = Live(handle);
    if (state == nullptr || state->visible) return;
    state->visible = true;
    LogEvent("show", handle, "1");
}

}  // namespace

bool Dialog::Create(WindowHandle parent) {
    if (IsValid()) return true;
    const DialogTemplate* tmpl = FindDialogTemplate(m_templateId);
    if (tmpl == nullptr) return false;
    if (parent == kNoWindow && m_pParent != nullptr) parent = m_pParent->Handle();
    if (parent != kNoWindow && Live(parent) == nullptr) return false;
    m_modal = false;
    const WindowHandle handle = CreateFromTemplate(*tmpl, parent, false);
    const bool defaultFocus = DispatchInitDialog(handle);
    if (Live(handle) == nullptr) {
        m_hWnd = kNoWindow;  // destroyed during its initialisation
        return false;
    }
    if (defaultFocus) SetDefaultFocus(handle, *tmpl);
    const WindowState* state = Live(handle);
    if (state != nullptr && !state->ended && (tmpl->style & kWsVisible) != 0) ShowDialogWindow(handle);
    return true;
}

int Dialog::DoModal() {
    HeadlessUi& ui = HeadlessUi::Get();
    const DialogTemplate* tmpl = FindDialogTemplate(m_templateId);
    if (tmpl == nullptr || IsValid()) return -1;
    const WindowHandle owner = m_pParent != nullptr ? m_pParent->Handle() : kNoWindow;
    if (owner != kNoWindow && Live(owner) == nullptr) return -1;  // the system refuses a bad owner
    // The owner is disabled for the modal run and enabled again at its end,
    // unless it was disabled already.
    Window ownerWindow(owner);
    const bool reenableOwner = ownerWindow.IsValid() && ownerWindow.IsEnabled();
    if (reenableOwner) ownerWindow.Enable(false);

    m_modal = true;
    const WindowHandle handle = CreateFromTemplate(*tmpl, owner, true);
    const bool defaultFocus = DispatchInitDialog(handle);
    const WindowState* state = Live(handle);
    if (state != nullptr && !state->ended) {
        if (defaultFocus) SetDefaultFocus(handle, *tmpl);
        ShowDialogWindow(handle);
        std::function<void(Dialog&)> script = ui.TakeModalScript();
        if (script) script(*this);
    }
    // The result stands even when the script destroyed the window itself.
    const WindowState* after = ui.Find(handle);
    const int result = (after != nullptr && after->ended) ? after->endResult : kIdCancel;

    if (reenableOwner) ownerWindow.Enable(true);
    if (m_hWnd == handle) DestroyWindow();
    m_modal = false;
    return result;
}

void Dialog::EndDialog(int result) {
    WindowState* state = Live(m_hWnd);
    if (state == nullptr) return;
    state->ended = true;
    state->endResult = result;
    state->visible = false;  // both kinds leave the screen
    LogEvent("end", m_hWnd, std::to_string(result));
}

void Dialog::DestroyWindow() {
    const WindowHandle handle = m_hWnd;
    if (Live(handle) == nullptr) {
        m_hWnd = kNoWindow;
        return;
    }
    DispatchDestroy();
    HeadlessUi& ui = HeadlessUi::Get();
    WindowState* state = Live(handle);
    if (state != nullptr) {
        state->destroyed = true;
        state->visible = false;
        // Its controls go with it.
        for (const WindowHandle childHandle : ui.Children(handle)) {
            WindowState* child = ui.FindMutable(childHandle);
            if (child == nullptr || (child->style & kWsChild) == 0) continue;
            child->destroyed = true;
            child->visible = false;
            if (ui.FocusWindow() == childHandle) ui.FocusWindow() = kNoWindow;
        }
        if (ui.FocusWindow() == handle) ui.FocusWindow() = kNoWindow;
        LogEvent("destroy", handle);
    }
    m_hWnd = kNoWindow;
}

}  // namespace plat
