// The backend-independent part of dialogs: data exchange, the default
// handlers, and the entry points through which a backend delivers messages.
#include "platform/dialog.h"

#include "platform/controls.h"

namespace plat {

void DataExchange::Control(int id, Window& control) {
    control.Attach(m_dialog.GetItem(id).Handle());
}

void DataExchange::Text(int id, std::string& value) {
    Window item = m_dialog.GetItem(id);
    if (!item.IsValid()) return;  // no such control: the member stays as it is
    if (m_saving) {
        value = item.GetText();
    } else {
        item.SetText(value);
    }
}

void DataExchange::MaxChars(int id, int maxChars) {
    if (m_saving) return;
    Edit edit;
    edit.Attach(m_dialog.GetItem(id).Handle());
    if (edit.IsValid()) edit.LimitText(maxChars);
}

Dialog::Dialog(int templateId, Window* parent) : m_templateId(templateId), m_pParent(parent) {}

bool Dialog::UpdateData(bool saveAndValidate) {
    DataExchange dx(*this, saveAndValidate);
    DoDataExchange(dx);
    return true;
}

void Dialog::DoDataExchange(DataExchange& /*dx*/) {}

bool Dialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

bool Dialog::OnCommand(int /*id*/) {
    return false;
}

bool Dialog::PreTranslateMessage(const KeyMessage& /*key*/) {
    return false;
}

void Dialog::OnCancel() {
    EndDialog(kIdCancel);
}

bool Dialog::DispatchInitDialog(WindowHandle handle) {
    m_hWnd = handle;
    return OnInitDialog();
}

bool Dialog::DispatchCommand(int id) {
    return OnCommand(id);
}

bool Dialog::DispatchKey(const KeyMessage& key) {
    return PreTranslateMessage(key);
}

void Dialog::DispatchCancel() {
    OnCancel();
}

void Dialog::DispatchDestroy() {
    OnDestroy();
}

}  // namespace plat
