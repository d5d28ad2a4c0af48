#include "gui/customers/customer_log_window.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "data/order_key.h"
#include "gui/browse/add2browse.h"
#include "gui/framework/message_box.h"
#include "gui/logs/log_screen.h"

namespace qz::gui {

namespace dc = qz::domain::customers;

CustomerLogWindow::CustomerLogWindow(QWidget* owner, LogDesk desk, std::string customer,
                                     std::string name, std::string document)
    : WDIAG(owner, "E_BITACORA", 3428, ScreenOptions{true, true}),
      m_desk(std::move(desk)),
      m_customer(std::move(customer)),
      m_name(std::move(name)),
      m_document(std::move(document)) {}

bool CustomerLogWindow::Init() {
    dc::fill_log_keys(m_desk.db);
    m_table = data::USE(m_desk.db, "BITACORA", "BITACORA4");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Add(new QWidget(this), kLogNotesGrid), 1);
    m_grid = WBLISTBOX::Init(*this, kLogNotesGrid, *m_table, "BITACORA_GRID");
    if (!m_grid) return false;
    data::WDBTable& t = *m_table;
    const std::pair<const char*, const char*> columns[] = {
        {"Fecha", "FECHA"},          {"Hora", "HORA"},
        {"Documento", "DOCUMENTO"},  {"Descripción", "DESCRIP2"},
        {"Usr", "USUARIO"},          {"Info User", "INFO_USER"},
        {"Ult. Fecha", "ULT_FECHA"}, {"Ult. Hora", "ULT_HORA"},
        {"Ult. Usr", "ULT_USUARI"},  {"Ult. Info User", "ULT_INFO"}};
    for (const auto& [heading, field] : columns) AGREGARCOL(*m_grid, t, heading, field);
    auto* text = Add(new QPlainTextEdit(this), kLogNoteText);
    text->setReadOnly(true);
    text->setMaximumHeight(fontMetrics().lineSpacing() * 8);
    layout->addWidget(text);
    build_buttons(layout);
    Text("Bitácora de " + m_customer + " " + m_name);
    resize(900, 520);
    Create();
    BrowMarksOptions o;
    o.sortable = {{"FECHA", "BITACORA4"}};
    o.scope_start = data::order_key("BITACORA", "BITACORA4", {m_desk.business, m_customer});
    o.no_marks = true;
    o.no_search = true;
    m_grid->BrowMarks(std::move(o));
    m_grid->Sel_Block = [this] { show_text(); };
    m_grid->Double_Block = [this] { MOD_ITEM(); };
    show_text();
    DISABLEPARENT();
    return true;
}

void CustomerLogWindow::build_buttons(QLayout* into) {
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Add(new QPushButton("Agregar", this), kLogAdd, [this] { ADD_ITEM(); }));
    buttons->addWidget(Add(new QPushButton("Modificar", this), kLogChange, [this] { MOD_ITEM(); }));
    buttons->addWidget(Add(new QPushButton("Borrar", this), kLogDelete, [this] { DEL_ITEM(); }));
    buttons->addWidget(Add(new QPushButton("Imprimir", this), kLogPrint, [this] { PRINT_ITEM(); }));
    buttons->addStretch();
    buttons->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
    static_cast<QVBoxLayout*>(into)->addLayout(buttons);
}

void CustomerLogWindow::CerrarBases() {
    if (m_grid) m_grid->DISABLE_BROWSE();
    if (m_table) data::KILLTABLA(m_desk.db, m_table);
}

long CustomerLogWindow::current_note() {
    if (!m_grid || m_grid->nMaxRec() == 0) return 0;
    return m_grid->nCrecNo();
}

void CustomerLogWindow::show_text() {
    const long recno = current_note();
    std::optional<dc::LogNote> note;
    if (recno > 0) note = dc::read_log_note(m_desk.db, recno);
    control_as<QPlainTextEdit>(kLogNoteText)
        ->setPlainText(note ? display_text(note->text) : QString());
}

void CustomerLogWindow::after_change() {
    m_grid->REFRESHALL();
    show_text();
}

void CustomerLogWindow::ADD_ITEM() {
    if (ADD_BITACORA(this, m_desk, m_document, m_customer, m_name, kAddNote)) {
        after_change();
        m_grid->GOTOP();  // the new note is the newest
    }
}

void CustomerLogWindow::MOD_ITEM() {
    const long recno = current_note();
    if (recno <= 0) {
        MESSAGE_BOX(this, "Debe seleccionar un registro", "Atencion", kMbOk | kMbIconExclamation);
        return;
    }
    if (ADD_BITACORA(this, m_desk, m_document, m_customer, m_name, kChangeNote, recno))
        after_change();
}

void CustomerLogWindow::DEL_ITEM() {
    const long recno = current_note();
    if (recno <= 0) return;
    if (MESSAGE_BOX(this, dc::kDeleteNoteAsk, "Advertencia", kMbOkCancel | kMbIconQuestion) !=
        kIdOk)
        return;
    dc::delete_log_note(m_desk.db, recno);
    after_change();
}

void CustomerLogWindow::PRINT_ITEM() { IMP_BITA(this, m_desk, m_customer, m_name); }

WDIAG* E_BITACORA(QWidget* owner, const LogDesk& desk, const std::string& customer,
                  const std::string& name, const std::string& document) {
    return open_screen<CustomerLogWindow>(owner, desk, trim(customer), trim(name), trim(document));
}

CustomerLogWindow* as_customer_log(QWidget* screen) {
    return dynamic_cast<CustomerLogWindow*>(screen);
}

}  // namespace qz::gui
