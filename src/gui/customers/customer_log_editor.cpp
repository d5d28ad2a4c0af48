// The note editor (ADD_BITACORA) and the copy of a log to another customer (CPY_BITA).
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/customers/customer_rows.h"
#include "gui/customers/customer_log_screens.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/message_box.h"
#include "gui/framework/qt_user_port.h"
#include "gui/lists/row_chooser.h"
#include "gui/logs/log_screen.h"

namespace qz::gui {

namespace dc = qz::domain::customers;

namespace {

QLineEdit* read_only_line(QWidget* parent, const std::string& text) {
    auto* edit = new QLineEdit(QString::fromStdString(text), parent);
    edit->setReadOnly(true);
    return edit;
}

class NoteEditor : public DIALOG_BOX {
public:
    NoteEditor(QWidget* owner, const LogDesk& desk, dc::NoteDraft draft, std::string name,
               std::optional<dc::LogNote> note)
        : DIALOG_BOX("ADD_BITACORA", owner),
          m_desk(desk),
          m_draft(std::move(draft)),
          m_name(std::move(name)),
          m_note(std::move(note)) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        auto* form = new QFormLayout;
        form->addRow("Cliente:", Add(read_only_line(this, m_name), kNoteName));
        auto* document =
            Add(new QLineEdit(QString::fromStdString(m_draft.document), this), kNoteDocument);
        document->setMaxLength(15);
        form->addRow("Documento:", document);
        const DateTime at = m_note ? DateTime{m_note->date, m_note->time} : m_desk.db.clock().now();
        form->addRow("Fecha/Hora:",
                     Add(read_only_line(this, moment_text(at.date, at.time)), kNoteMoment));
        layout->addLayout(form);
        auto* text = Add(new QPlainTextEdit(display_text(m_draft.text), this), kNoteText);
        text->setTabChangesFocus(true);
        layout->addWidget(text, 1);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(Add(new QPushButton("Aceptar", this), kCmdOk, [this] { SAVE_DATOS(); }));
        buttons->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
        layout->addLayout(buttons);
        Text(m_note ? "Modificar Bitácora" : "Agregar Bitácora");
        resize(560, 380);
        text->setFocus();
        return true;
    }

    void SAVE_DATOS() override {
        m_draft.document = control_as<QLineEdit>(kNoteDocument)->text().toStdString();
        m_draft.text = control_as<QPlainTextEdit>(kNoteText)->toPlainText().toStdString();
        QtUserPort port(this);
        const dc::LogWriter who{m_desk.user, m_desk.db.clock().now()};
        const bool saved =
            m_note
                ? dc::change_log_note(m_desk.db, port, m_note->recno, m_desk.business, m_draft, who)
                : dc::add_log_note(m_desk.db, port, m_desk.business, m_draft, who) > 0;
        if (saved) EndDialog(kCmdOk);
    }

private:
    const LogDesk& m_desk;
    dc::NoteDraft m_draft;
    std::string m_name;
    std::optional<dc::LogNote> m_note;
};

// The target of a copy: typed as a code, or chosen from the customers of the business.
class CopyDialog : public DIALOG_BOX {
public:
    CopyDialog(QWidget* owner, const LogDesk& desk, dc::Customer source)
        : DIALOG_BOX("CPY_BITA", owner), m_desk(desk), m_source(std::move(source)) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        auto* form = new QFormLayout;
        form->addRow("Cliente Origen:", read_only_line(this, m_source.code + " " + m_source.name));
        auto* target = Add(new QLineEdit(this), kCopyTarget);
        target->setMaxLength(15);
        auto* row = new QHBoxLayout;
        row->addWidget(target);
        row->addWidget(Add(new QPushButton("...", this), kCopyChoose, [this] { choose(); }));
        form->addRow("Cliente Destino:", row);
        form->addRow("", Add(read_only_line(this, ""), kCopyTargetName));
        QObject::connect(target, &QLineEdit::textEdited, this, [this] { show_name(); });
        layout->addLayout(form);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(Add(new QPushButton("Copiar", this), kCmdOk, [this] { SAVE_DATOS(); }));
        buttons->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
        layout->addLayout(buttons);
        Text("Copiar Bitácora");
        return true;
    }

    void SAVE_DATOS() override {
        QtUserPort port(this);
        m_copied = dc::copy_customer_log(m_desk.db, port, m_desk.business, m_source.code,
                                         control_as<QLineEdit>(kCopyTarget)->text().toStdString());
        if (m_copied >= 0) EndDialog(kCmdOk);
    }

    long copied() const { return m_copied; }

private:
    void choose() {
        RowChooserSpec spec{"CPY_BITA_CLIENTES",
                            "Clientes Definidos",
                            "CLIENTES",
                            data::business_key(m_desk.business),
                            {{"Código", "CODIGO"}, {"Nombre", "NOMBRE"}},
                            {{"CODIGO", "CLIENTES"}, {"NOMBRE", "CLIENTE2"}}};
        choose_row(this, m_desk.db, spec, [this](const data::WDBTable& t) {
            control_as<QLineEdit>(kCopyTarget)
                ->setText(QString::fromStdString(trim(t.str("CODIGO"))));
        });
        show_name();
    }
    void show_name() {
        const auto c = dc::read_customer(m_desk.db, m_desk.business,
                                         control_as<QLineEdit>(kCopyTarget)->text().toStdString());
        control_as<QLineEdit>(kCopyTargetName)->setText(QString::fromStdString(c ? c->name : ""));
    }

    const LogDesk& m_desk;
    dc::Customer m_source;
    long m_copied = -1;
};

}  // namespace

bool ADD_BITACORA(QWidget* owner, const LogDesk& desk, const std::string& document,
                  const std::string& customer, const std::string& name, int mode, long recno) {
    std::optional<dc::LogNote> note;
    dc::NoteDraft draft{customer, document, ""};
    if (mode == kChangeNote) {
        note = dc::read_log_note(desk.db, recno);
        if (!note) return false;
        draft = {note->customer, note->document, note->text};
    }
    NoteEditor editor(owner, desk, draft, name, note);
    return editor.run() == kCmdOk;
}

long CPY_BITA(QWidget* owner, const LogDesk& desk, long customer_recno) {
    data::UseOptions o;
    o.read_only = true;
    data::Table t = data::USE(desk.db, "CLIENTES", o);
    t->GoTo(customer_recno);
    const bool found = customer_recno > 0 && !t->Eof() && !t->Deleted();
    const dc::Customer source = found ? dc::customer_from_row(*t) : dc::Customer{};
    data::KILLTABLA(desk.db, t);
    if (!found) {
        MESSAGE_BOX(owner, "Debe seleccionar un registro", "Atencion", kMbOk | kMbIconExclamation);
        return -1;
    }
    CopyDialog dialog(owner, desk, source);
    return dialog.run() == kCmdOk ? dialog.copied() : -1;
}

}  // namespace qz::gui
