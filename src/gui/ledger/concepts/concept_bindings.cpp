#include "gui/ledger/concepts/concept_bindings.h"

#include <tuple>

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "data/amount_field.h"
#include "data/table_ops.h"
#include "gui/browse/add2browse.h"
#include "gui/browse/wblistbox.h"
#include "gui/framework/dialog_frame.h"
#include "gui/framework/message_box.h"
#include "gui/framework/qt_user_port.h"
#include "gui/ledger/concepts/concept_screens.h"
#include "gui/ledger/setup/code_list.h"
#include "gui/lists/master_form.h"

namespace qz::gui {

namespace {

using namespace ed_con;
namespace dl = qz::domain;

FormField whole(int id, const char* label, int value, const char* field) {
    FormField f{id, label, FormField::Kind::Number, std::to_string(value)};
    f.amount = data::amount_field("DET_CON1", field, label);
    return f;
}

// The whole number typed in `id`; false (told) when the field does not hold it.
bool read_whole(UserPort& port, const FormValues& v, int id, const char* field, const char* label,
                int& out) {
    Decimal d;
    const std::string typed = trim(v.at(id)).empty() ? "0" : v.at(id);
    if (auto why = data::amount_field("DET_CON1", field, label).read(typed, d); !why.empty()) {
        port.message(MsgStyle::Error, "Error", why);
        return false;
    }
    out = static_cast<int>(d.to_int());
    return true;
}

}  // namespace

BindingGrid::BindingGrid(DialogFrame& editor, data::Db& db, std::string business,
                         std::string concept_code)
    : m_editor(editor),
      m_db(db),
      m_business(std::move(business)),
      m_concept_code(std::move(concept_code)) {}

BindingGrid::~BindingGrid() { close(); }

void BindingGrid::build(QWidget* page) {
    m_page = page;
    m_copy = data::USE(m_db, "TMP_CON1.DBF", "TMP_CON1");
    if (!m_concept_code.empty())
        dl::fill_binding_copy(*m_copy, m_business, m_concept_code,
                              dl::read_bindings(m_db, m_business, m_concept_code));
    auto* v = new QVBoxLayout(page);
    m_grid = m_editor.Add(new WBLISTBOX(page, *m_copy, "ED_CON_GRID", kBindings), kBindings);
    // Pictures as wide as the headings: the codes are two characters, the counts and flags one.
    const std::tuple<const char*, const char*, const char*> columns[] = {
        {"Moneda", "MONEDA", "XXXXXXX"},          {"Formato", "FORM_DOC", "XXXXXXXX"},
        {"Impresora", "PREDET_P", "XXXXXXXXXX"},  {"Impresora 2", "PREDET_P2", "XXXXXXXXXXXX"},
        {"Copias", "N_COPIA", "999999"},          {"Tiquete", "TICKET", "9999999"},
        {"Tipo Doc.", "TIPO_DOC", "999999999"},   {"No Log", "NO_IMP_LOG", "999999"}};
    for (const auto& [heading, field, picture] : columns)
        AGREGARCOL(*m_grid, *m_copy, heading, field, picture);
    v->addWidget(m_grid);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(
        m_editor.Add(new QPushButton("Agregar", page), kBindingAdd, [this] { add(); }));
    buttons->addWidget(
        m_editor.Add(new QPushButton("Modificar", page), kBindingModify, [this] { modify(); }));
    buttons->addWidget(
        m_editor.Add(new QPushButton("Borrar", page), kBindingDelete, [this] { remove(); }));
    buttons->addStretch();
    v->addLayout(buttons);
    BrowMarksOptions o;
    o.no_marks = true;
    o.no_refresh = true;
    m_grid->BrowMarks(std::move(o));
    m_grid->Double_Block = [this] { modify(); };
}

std::vector<dl::ConceptBinding> BindingGrid::rows() { return dl::bindings_of_copy(*m_copy); }

void BindingGrid::close() {
    if (m_grid) m_grid->DISABLE_BROWSE();
    m_grid = nullptr;
    if (m_copy) data::KILLTABLA(m_db, m_copy);
}

bool BindingGrid::form(dl::ConceptBinding& b, bool is_new) {
    std::vector<FormField> fields = {
        field_code(kCurrency, "Moneda:", b.currency, 2, false),
        field_code(kFormat, "Formato:", b.format, 2, false),
        field_code(kPrinter, "Impresora:", b.printer, 2, false),
        field_code(kPrinter2, "Impresora 2:", b.printer2, 2, false),
        whole(kCopies, "Copias:", b.copies, "N_COPIA"),
        field_check(kTicket, "Tiquete", b.ticket != 0),
        whole(kDocType, "Tipo Documento:", b.doc_type, "TIPO_DOC"),
        field_check(kNoLog, "No Imprimir Log", b.no_log),
    };
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(m_page);
        dl::ConceptBinding n = b;
        n.currency = v.at(kCurrency);
        n.format = v.at(kFormat);
        n.printer = v.at(kPrinter);
        n.printer2 = v.at(kPrinter2);
        n.ticket = v.at(kTicket) == "1" ? 1 : 0;
        n.no_log = v.at(kNoLog) == "1";
        if (!read_whole(port, v, kCopies, "N_COPIA", "Copias", n.copies) ||
            !read_whole(port, v, kDocType, "TIPO_DOC", "Tipo Documento", n.doc_type))
            return false;
        if (trim(n.currency).empty()) {
            port.message(MsgStyle::Error, "Error", "La Moneda es requerida...");
            return false;
        }
        b = n;
        return true;
    };
    return run_master_form(m_page, "ED_CON1", is_new ? "Agregar Impresión" : "Modificar Impresión",
                           std::move(fields), save);
}

bool BindingGrid::on_current_row() {
    const long recno = m_grid->nCrecNo();
    if (recno > 0) {
        m_copy->GoTo(recno);
        if (!m_copy->Eof()) return true;
    }
    MESSAGE_BOX(m_page, "Debe seleccionar un registro", "Atencion", kMbOk | kMbIconExclamation);
    return false;
}

void BindingGrid::add() {
    dl::ConceptBinding b;
    if (!form(b, true)) return;
    data::ADD_NEW_REC(*m_copy);
    dl::put_binding_row(*m_copy, m_business, m_concept_code, b);
    data::UNLOCK_NEW_REC(*m_copy);
    m_grid->REFRESHALL();
}

void BindingGrid::modify() {
    if (!on_current_row()) return;
    const long recno = m_copy->RecNo();
    dl::ConceptBinding b = dl::binding_from_row(*m_copy);
    if (!form(b, false)) return;
    m_copy->GoTo(recno);
    data::LOCK_FOR_MODIFY(*m_copy);
    dl::put_binding_row(*m_copy, m_business, m_concept_code, b);
    data::UNLOCK_FOR_MODIFY(*m_copy);
    m_grid->REFRESHALL();
}

void BindingGrid::remove() {
    if (!on_current_row()) return;
    data::LOCK_FOR_MODIFY(*m_copy);
    m_copy->Delete();
    data::UNLOCK_FOR_MODIFY(*m_copy);
    m_grid->REFRESHALL();
}

}  // namespace qz::gui
