// ABONOS1: the buttons. Each hands the user's choice to the draft or to the domain service that
// owns the step and shows the draft again; processing clears the window for the next payment
// and prints the receipt.
#include <QLineEdit>

#include "core/text.h"
#include "data/order_key.h"
#include "domain/ledger/payment_pending.h"
#include "domain/ledger/payment_posting.h"
#include "gui/framework/message_box.h"
#include "gui/ledger/documents/partial_instalments.h"
#include "gui/ledger/payments/payment_dialogs.h"
#include "gui/ledger/payments/payment_screens.h"
#include "gui/ledger/payments/payment_window.h"
#include "gui/ledger/payments/receipt_print.h"
#include "gui/lists/row_chooser.h"

namespace qz::gui {

using namespace abonos1;

namespace {

void warn(QWidget* owner, const std::string& text) {
    MESSAGE_BOX(owner, text, "Atencion", kMbOk | kMbIconExclamation);
}

}  // namespace

void PaymentWindow::choose_customer() {
    RowChooserSpec spec{"ABONOS1_CLIENTES",
                        "Clientes Definidos",
                        "CLIENTES",
                        data::business_key(m_business),
                        {{"Código", "CODIGO"}, {"Nombre", "NOMBRE"}},
                        {{"CODIGO", "CLIENTES"}, {"NOMBRE", "CLIENTE2"}}};
    std::string code;
    if (!choose_row(this, m_db, spec,
                    [&](const data::WDBTable& t) { code = trim(t.str("CODIGO")); }))
        return;
    m_draft.set_customer(code);
    refresh();
}

void PaymentWindow::add_document() {
    if (!commit_header()) return;
    const std::string customer = m_draft.header().customer;
    if (customer.empty()) return warn(this, "Falta seleccionar el cliente");
    // The customer's documents with a balance: the open class of the order comes first.
    RowChooserSpec spec{"ABONOS1_DOCUMENTOS",
                        "Documentos Pendientes",
                        "DOCUMENT",
                        data::order_key("DOCUMENT", "DOCUMEN13", {m_business, "0", customer}),
                        {{"Documento", "DOCUMENTO"},
                         {"Concepto", "CONCEPTO"},
                         {"Fecha", "FECHA"},
                         {"Moneda", "MONEDA"},
                         {"Saldo", "SALDO"}},
                        {{"DOCUMENTO", "DOCUMEN13"}}};
    std::string number;
    if (!choose_row(this, m_db, spec,
                    [&](const data::WDBTable& t) { number = trim(t.str("DOCUMENTO")); }))
        return;
    m_draft.PASADOC(number);
    refresh();
}

void PaymentWindow::remove_document() {
    const int row = selected_row(m_documents);
    if (row < 0) return warn(this, "Debe seleccionar un item del grid");
    if (static_cast<size_t>(row) < m_draft.lines().size())
        m_draft.remove_line(static_cast<size_t>(row));
    else
        m_draft.remove_excess_note();
    refresh();
}

void PaymentWindow::add_tender() {
    RowChooserSpec spec{"ABONOS1_FORMAS",
                        "Formas de Pago",
                        "TIPO_MOV",
                        data::business_key(m_business),
                        {{"Código", "CODIGO"}, {"Descripción", "DESCRIP"}},
                        {{"CODIGO", "TIPO_MOV"}}};
    std::string method;
    if (!choose_row(this, m_db, spec,
                    [&](const data::WDBTable& t) { method = trim(t.str("CODIGO")); }))
        return;
    // The new tender proposes what the tenders do not cover yet.
    Decimal tendered;
    for (const auto& t : m_draft.tenders()) tendered += t.amount;
    domain::PaymentTender t;
    t.method = method;
    const Decimal rest = m_draft.header().amount - tendered;
    if (rest.sign() > 0) t.amount = rest;
    m_draft.add_tender(t);
    refresh();
}

void PaymentWindow::remove_tender() {
    const int row = selected_row(m_tenders);
    if (row < 0) return warn(this, "Debe seleccionar un item del grid");
    m_draft.remove_tender(static_cast<size_t>(row));
    refresh();
}

void PaymentWindow::process() {
    if (!commit_header()) return;
    const auto number = domain::PROCESA_ABONO(m_db, m_port, m_draft, m_workstation);
    if (!number) return refresh();
    m_draft.clear_entry();
    refresh();
    control_as<QLineEdit>(kCustomer)->setFocus();
    print_receipt(this, m_db, m_business, *number);
}

void PaymentWindow::keep_pending() {
    if (!commit_header()) return;
    const auto number = domain::save_pending_payment(m_db, m_port, m_draft);
    if (!number) return refresh();
    m_draft.clear_entry();
    refresh();
    MESSAGE_BOX(this, "Abono guardado como Pendiente: " + *number, "Atencion",
                kMbOk | kMbIconInformation);
}

void PaymentWindow::load_pending() {
    const auto pending = domain::pending_payments(m_db, m_business);
    if (pending.empty()) return warn(this, "No hay Abonos Pendientes");
    const auto number = choose_pending_payment(this, pending);
    if (!number) return;
    domain::load_pending_payment(m_db, m_port, *number, m_draft);
    refresh();
}

void PaymentWindow::adjust() {
    if (!commit_header()) return;
    m_draft.adjust_amount();
    refresh();
}

void PaymentWindow::edit_rates() {
    if (!commit_header()) return;
    edit_payment_rates(this, m_draft);
    refresh();
}

void PaymentWindow::partial_instalments() {
    const int row = selected_row(m_documents);
    if (row < 0 || static_cast<size_t>(row) >= m_draft.lines().size())
        return warn(this, "Debe seleccionar un item del grid");
    const auto index = static_cast<size_t>(row);
    const auto& line = m_draft.lines()[index];
    if (!line.instalments)
        return warn(this, "El documento " + line.document + " no maneja Plazos Parciales");
    const auto pay = V_PARC(this, m_db, m_port, m_business, line.document, m_db.clock().XDATE());
    if (pay) m_draft.apply_instalment_payment(index, *pay);
    refresh();
}

void PaymentWindow::credit_note() {
    if (!commit_header()) return;
    RowChooserSpec spec{"ABONOS1_CONCEPTOS",
                        "Concepto de la Nota de Crédito",
                        "CONCEPT1",
                        data::business_key(m_business),
                        {{"Concepto", "CONCEPTO"}, {"Descripción", "DESCRIP"}},
                        {{"CONCEPTO", "CONCEPT1"}}};
    std::string concept_code;
    if (!choose_row(this, m_db, spec,
                    [&](const data::WDBTable& t) { concept_code = trim(t.str("CONCEPTO")); }))
        return;
    m_draft.add_excess_note(concept_code);
    refresh();
}

void PaymentWindow::last_payments() {
    if (!commit_header()) return;
    const std::string customer = m_draft.header().customer;
    if (customer.empty()) return warn(this, "Falta seleccionar el cliente");
    show_last_payments(this, m_db, m_business, customer);
}

}  // namespace qz::gui
