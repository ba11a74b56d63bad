#pragma once
// Dialogs from templates in the program's resources, modal and modeless.
// Control bindings and text exchange go through DoDataExchange, as the
// system's dialogs expect.
#include <string>
#include <vector>

#include "platform/window.h"

namespace plat {

class Dialog;

// Moves texts between controls and members: to the members when saving,
// to the controls when loading.
class DataExchange {
public:
    DataExchange(Dialog& dialog, bool saving) : m_dialog(dialog), m_saving(saving) {}
    void Control(int id, Window& control);  // binds the wrapper to the control
    void Text(int id, std::string& value);  // control text <-> member
    void MaxChars(int id, int maxChars);    // limits an edit when loading

private:
    Dialog& m_dialog;
    bool m_saving;
};

// A key-down message offered to PreTranslateMessage before the dialog
// manager processes it.
struct KeyMessage {
    WindowHandle target = kNoWindow;  // window with the focus
    int virtualKey = 0;
};

class Dialog : public Window {
public:
    Dialog(int templateId, Window* parent);
    ~Dialog() override { DestroyWindow(); }
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Modeless: creates the window from the template (hidden unless the
    // template says visible); true when the window exists.
    bool Create(WindowHandle parent);
    // Modal: runs the dialog and returns the value given to EndDialog.
    int DoModal();
    // Ends a modal run with the result, or hides a modeless dialog.
    void EndDialog(int result);
    // Destroys the window of a modeless dialog (also done by the destructor).
    void DestroyWindow();

    int TemplateId() const { return m_templateId; }
    bool UpdateData(bool saveAndValidate);

    // Called by the backends; not part of a dialog's public use.
    bool DispatchInitDialog(WindowHandle handle);
    bool DispatchCommand(int id);
    bool DispatchKey(const KeyMessage& key);
    void DispatchCancel();
    void DispatchDestroy();

protected:
    virtual void DoDataExchange(DataExchange& dx);
    virtual bool OnInitDialog();                              // default: loads members into controls, true
    virtual bool OnCommand(int id);                           // default: not handled
    virtual bool PreTranslateMessage(const KeyMessage& key);  // default: false
    virtual void OnCancel();                                  // default: EndDialog(kIdCancel)
    virtual void OnDestroy() {}

    Window* ParentWindow() const { return m_pParent; }

private:
    int m_templateId;
    Window* m_pParent;
    bool m_modal = false;
};

}  // namespace plat
