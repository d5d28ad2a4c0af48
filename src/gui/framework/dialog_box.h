#pragma once
// DIALOG_BOX: a small modal form (add / modify) over the main window. Either derive from it and
// override the protocol like a screen, or give it a procedure: the procedure sees message 272
// (init dialog) once the controls exist, to fill them, and 273 (command) with the control id, to
// validate and save on 1 or leave on 2; it returns true when it handled the message. Unhandled,
// 1 ends the dialog with 1 and 2 with 2 (unless lNoCancel). Enter in a field moves to the next.
#include <QDialog>
#include <functional>
#include <string>

#include "gui/framework/dialog_frame.h"

namespace qz::gui {

class DIALOG_BOX : public QDialog, public DialogFrame {
    Q_OBJECT
public:
    static constexpr int kInitDialog = 272, kCommand = 273;
    using Procedure = std::function<bool(DIALOG_BOX& dialog, int message, int id)>;

    // `owner` defaults to the main window.
    explicit DIALOG_BOX(const std::string& dlg_name, QWidget* owner = nullptr, Procedure proc = {});

    void set_procedure(Procedure proc) { m_proc = std::move(proc); }
    // Runs Init and the procedure's 272, then the dialog modally; the focus goes back where it
    // was. Returns the result the dialog ended with (0 when Init failed).
    int run();
    // Ends the dialog with `result`, even one that refuses Cancel.
    void EndDialog(int result);

    void OK() override { EndDialog(kCmdOk); }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void reject() override;
    bool OnCommand(int id) override;
    void finish(int cmd) override;

private:
    Procedure m_proc;
    int m_result = 0;
};

}  // namespace qz::gui
