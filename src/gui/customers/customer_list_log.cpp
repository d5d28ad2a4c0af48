// The customer list's way into the chosen customer's log.
#include <QHBoxLayout>
#include <QPushButton>

#include "gui/browse/wblistbox.h"
#include "gui/customers/customer_list.h"
#include "gui/customers/customer_log_screens.h"
#include "gui/framework/message_box.h"

namespace qz::gui {

namespace dc = qz::domain::customers;

namespace {

enum { kCliAddNote = 231, kCliLog = 232 };

}  // namespace

void CustomerListScreen::add_log_buttons(QLayout* into) {
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(
        Add(new QPushButton("Agregar Bitácora", this), kCliAddNote, [this] { ADD_BITACORA(); }));
    buttons->addWidget(
        Add(new QPushButton("Bitácora Histórica", this), kCliLog, [this] { VER_BITACORA(); }));
    static_cast<QBoxLayout*>(into)->addLayout(buttons);
}

void CustomerListScreen::ADD_BITACORA() {
    const auto customer = dc::read_customer(m_db, m_business, current_code());
    if (!customer) {
        MESSAGE_BOX(this, "Debe seleccionar un registro", "Atencion", kMbOk | kMbIconExclamation);
        return;
    }
    ::qz::gui::ADD_BITACORA(this, {m_db, m_business, m_user}, "", customer->code, customer->name,
                            kAddNote);
}

void CustomerListScreen::VER_BITACORA() {
    const auto customer = dc::read_customer(m_db, m_business, current_code());
    if (!customer) {
        MESSAGE_BOX(this, "Debe seleccionar un registro", "Atencion", kMbOk | kMbIconExclamation);
        return;
    }
    E_BITACORA(this, {m_db, m_business, m_user}, customer->code, customer->name);
}

void CustomerListScreen::COPIAR_BITACORA() {
    const long recno = current_code().empty() ? 0 : m_grid->nCrecNo();
    const long copied = CPY_BITA(this, {m_db, m_business, m_user}, recno);
    if (copied >= 0)
        MESSAGE_BOX(this, "Notas de Bitácora copiadas: " + std::to_string(copied), "Aviso",
                    kMbOk | kMbIconInformation);
}

}  // namespace qz::gui
