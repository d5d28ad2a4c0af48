// The customer list's printouts: its buttons "Imprimir" (IMPRIMIR), "Estado Histórico"
// (CLIENT_3) and "Plan de Cobro" (P_COBRO), and the listing operation PRINT_CLIENTES; and the
// historic statement as every screen of a customer asks for it.
#include <QHBoxLayout>
#include <QPushButton>

#include "gui/customers/customer_list.h"
#include "gui/customers/statement_print.h"
#include "gui/customers/statement_screens.h"
#include "gui/framework/message_box.h"

namespace qz::gui {

void CustomerListScreen::build_statement_buttons(QLayout* into) {
    auto* row = new QHBoxLayout;
    row->addWidget(Add(new QPushButton("Imprimir", this), kCliPrint, [this] { IMPRIMIR(); }));
    row->addWidget(
        Add(new QPushButton("Estado Histórico", this), kCliHistoric, [this] { CLIENT_3(); }));
    row->addWidget(Add(new QPushButton("Plan de Cobro", this), kCliPlan, [this] { P_COBRO(); }));
    static_cast<QBoxLayout*>(into)->addLayout(row);
}

std::string CustomerListScreen::chosen_code() {
    const std::string code = current_code();
    if (code.empty())
        MESSAGE_BOX(this, "Debe seleccionar un registro", "Atencion", kMbOk | kMbIconExclamation);
    return code;
}

void CustomerListScreen::IMPRIMIR() {
    const std::string code = chosen_code();
    if (!code.empty()) print_open_statement(this, m_db, m_business, code, m_db.clock().XDATE());
}

void CustomerListScreen::CLIENT_3() {
    const std::string code = chosen_code();
    if (!code.empty())
        ask_and_print_historic_statement(this, m_db, m_business, code, m_db.clock().XDATE());
}

void CustomerListScreen::P_COBRO() {
    const std::string code = chosen_code();
    if (!code.empty()) print_collection_plan(this, m_db, m_business, code, m_db.clock().XDATE());
}

void ask_and_print_historic_statement(QWidget* owner, data::Db& db, const std::string& business,
                                      const std::string& customer, const Date& today) {
    const auto r = ask_historic_statement(owner, db, business, customer, today);
    if (r)
        print_historic_statement(
            owner, domain::historic_statement(db, business, customer, r->branch, r->from, r->to));
}

void CustomerListScreen::PRINT_CLIENTES() {
    if (const auto r = ask_customer_listing(this, m_db, m_business))
        print_customer_listing(this, m_db, m_business, *r);
}

}  // namespace qz::gui
