#pragma once
// What every screen and modal dialog of the system shares: controls found by their id, the
// command routing of buttons, Enter and Escape, the re-entrance guards, the close sequence and
// the protocol methods screens override. WDIAG (an MDI screen) and DIALOG_BOX (a modal dialog)
// put it on top of their Qt window.
#include <functional>
#include <map>
#include <stdexcept>
#include <string>

class QKeyEvent;
class QWidget;

namespace qz::gui {

class ResizeAnchors;

// A fault in how a screen is put together (a control id it asks for does not exist).
class FrameworkError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// Command ids with a meaning of their own: 1 OK (the default button), 2 Cancel (also Escape and
// the window's close box), 3 closes like Cancel, 16 ends the dialog even when it refuses Cancel.
inline constexpr int kCmdOk = 1, kCmdCancel = 2, kCmdAbort = 3, kCmdEnd = 16;

class DialogFrame {
public:
    using Block = std::function<void()>;

    DialogFrame(QWidget& self, std::string dlg_name);
    virtual ~DialogFrame();
    DialogFrame(const DialogFrame&) = delete;
    DialogFrame& operator=(const DialogFrame&) = delete;

    const std::string& cDlgName() const { return m_name; }

    // Binds a control: it gets the id as its objectName and, when it is a button, each click runs
    // `block` as command `id` (never inside itself). A button without a block still issues its
    // command, so ids 1 and 2 do what OK and Cancel do.
    template <class W>
    W* Add(W* control, int id, Block block = {}) {
        bind(control, id, std::move(block));
        return control;
    }
    // The control with that id; FrameworkError when the screen has none.
    QWidget* control(int id) const;
    template <class W>
    W* control_as(int id) const {
        if (auto* w = dynamic_cast<W*>(control(id))) return w;
        throw FrameworkError("Child window has another class: Id " + std::to_string(id));
    }
    // Id of the control that has the focus; 0 when it has none.
    int focused_id() const;

    // A command from control `id`. Dropped while the dialog is being built or closed, or while
    // the same command still runs. Returns 1 when something handled it.
    int on_command(int id);
    // Closes the dialog for commands 2 and 3 (unless lNoCancel) and 16; 1 when it closed.
    int CLOSEIT(int cmd);
    // Closes the dialog as Cancel does; ignored while Init runs.
    void ENDDIALOG();
    bool initialising() const { return m_executing_init; }
    bool lDestroyed() const { return m_destroyed; }

    // A dialog that must be closed by its own buttons: Cancel, Escape and the close box do nothing.
    bool lNoCancel = false;

    // The protocol. Init builds the window: AbrirBases, controls with Add, Create, MontarColumnas,
    // ConfigBrow, the caption; false when the screen cannot open.
    virtual bool Init() { return true; }
    virtual void Terminar() { ENDDIALOG(); }
    virtual void AbrirBases() {}
    virtual void CerrarBases() {}
    virtual void MontarColumnas() {}
    virtual void ConfigBrow() {}
    // Enter: in a field it moves on (PROCESS_ENTER); on the OK button it saves (SAVE_DATOS).
    // Screens bind id 1 to it so the OK button saves instead of closing.
    virtual void PROC_BOK();
    // Moves the focus to the next field; screens with an order of their own, or that open a
    // search window on an empty code, override it.
    virtual void PROCESS_ENTER(int focused_id);
    virtual void SAVE_DATOS() { OK(); }
    // What commands 1 and 2 do when no block is bound to them.
    virtual void OK() { ENDDIALOG(); }
    virtual int Cancel() { return 1; }

    void Text(const std::string& caption);
    std::string Text() const;
    // Resize anchor of a control (modes in resize_anchors.h); `other_id` for mode 10.
    void FIX_OBJ(int id, int mode, int other_id = 0);
    // Font of a control; "TIMES ROMAN" is Times New Roman.
    void CHANGE_FONT(int id, const std::string& face, int points, bool bold = false,
                     bool italic = false);

protected:
    // Runs Init with commands and closing held off; tables are closed again when it fails.
    bool run_init();
    // Enter and Escape that reached the dialog; true when used.
    bool handle_key(QKeyEvent* e);
    // The part of Create every dialog shares: global font, caption translation, date keys.
    void prepare_controls();
    // Closes the tables once, however many ways the close arrives.
    void close_bases();
    // Closes the Qt window for good; `cmd` is the command that closed it.
    virtual void finish(int cmd) = 0;
    // A dialog-wide command handler that runs before the defaults (a modal dialog's procedure).
    virtual bool OnCommand(int) { return false; }

    bool m_destroyed = false;

private:
    void bind(QWidget* control, int id, Block block);
    int dispatch(int id);

    QWidget& m_self;
    std::string m_name;
    std::map<int, Block> m_blocks;
    std::map<int, bool> m_running;  // per command id: its handler is running
    bool m_executing_init = false;
    bool m_executing_closeit = false;
    bool m_bases_closed = false;
    ResizeAnchors* m_anchors = nullptr;
};

}  // namespace qz::gui
