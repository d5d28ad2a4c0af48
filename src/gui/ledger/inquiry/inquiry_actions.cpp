// The buttons of RES_CXC: what the customer list offers for the chosen customer (statements,
// log, data, membership cards), its payments, and the chosen document's data, payments, image
// and use.
#include <QDesktopServices>
#include <QGridLayout>
#include <QPushButton>
#include <QUrl>

#include "domain/ledger/document_reads.h"
#include "gui/browse/wblistbox.h"
#include "gui/customers/customer_editor.h"
#include "gui/customers/customer_log_screens.h"
#include "gui/customers/satellite_screens.h"
#include "gui/customers/statement_print.h"
#include "gui/framework/message_box.h"
#include "gui/ledger/documents/document_data.h"
#include "gui/ledger/documents/document_payments.h"
#include "gui/ledger/inquiry/inquiry_screen.h"
#include "gui/ledger/inquiry/payments_window.h"

namespace qz::gui {

namespace dl = qz::domain;
using namespace inquiry;

QLayout* CustomerInquiryScreen::build_buttons() {
    const struct {
        int id;
        const char* caption;
        void (CustomerInquiryScreen::*run)();
    } buttons[] = {
        {kPrintStatement, "Imprimir Estado", &CustomerInquiryScreen::IMPRIMIR},
        {kHistoric, "Estado de Cuenta", &CustomerInquiryScreen::ESTADO_CUENTA},
        {kPayments, "Pagos Registrados", &CustomerInquiryScreen::PAGOS},
        {kPrintPayments, "Imprimir Hist. Pagos", &CustomerInquiryScreen::IMP_PAGOS},
        {kAddNoteButton, "Agregar Bitácora", &CustomerInquiryScreen::ADD_BITACORA},
        {kLog, "Bitácora Histórica", &CustomerInquiryScreen::VER_BITACORA},
        {kCustomerData, "Datos del Cliente", &CustomerInquiryScreen::VER_CLIENTE},
        {kCards, "Carnets", &CustomerInquiryScreen::VER_CARNETS},
        {kDocumentData, "Datos del Documento", &CustomerInquiryScreen::DATOS_DOC},
        {kApplied, "Movimientos Aplicados", &CustomerInquiryScreen::V_AB_FAC},
        {kImage, "Imagen del Documento", &CustomerInquiryScreen::VER_IMAGEN},
        {kUsage, "Información de Uso", &CustomerInquiryScreen::VER_UTILIZADO},
    };
    auto* grid = new QGridLayout;
    int i = 0;
    for (const auto& b : buttons) {
        auto* button = Add(new QPushButton(QString::fromUtf8(b.caption), this), b.id,
                           [this, run = b.run] { (this->*run)(); });
        grid->addWidget(button, i / 2, i % 2);
        ++i;
    }
    grid->addWidget(Add(new QPushButton("Salir", this), kCmdCancel), i / 2 + 1, 1);
    grid->setRowStretch(i / 2 + 2, 1);
    return grid;
}

std::string CustomerInquiryScreen::chosen_customer(std::string* name) {
    const std::string code = current_customer();
    if (code.empty()) {
        MESSAGE_BOX(this, kChooseCustomer, "Atencion", kMbOk | kMbIconExclamation);
        return "";
    }
    if (name) *name = m_customer ? m_customer->name : "";
    return code;
}

std::string CustomerInquiryScreen::chosen_document() {
    const std::string number = current_customer().empty() ? "" : current_document();
    if (number.empty()) MESSAGE_BOX(this, kChooseDocument, "Atencion", kMbOk | kMbIconExclamation);
    return number;
}

void CustomerInquiryScreen::IMPRIMIR() {
    const std::string code = chosen_customer();
    if (!code.empty()) print_open_statement(this, m_db, m_business, code, m_db.clock().XDATE());
}

void CustomerInquiryScreen::ESTADO_CUENTA() {
    const std::string code = chosen_customer();
    if (!code.empty())
        ask_and_print_historic_statement(this, m_db, m_business, code, m_db.clock().XDATE());
}

void CustomerInquiryScreen::PAGOS() {
    std::string name;
    const std::string code = chosen_customer(&name);
    if (!code.empty()) open_registered_payments(this, m_db, m_business, code, name);
}

void CustomerInquiryScreen::IMP_PAGOS() {
    const std::string code = chosen_customer();
    if (!code.empty()) print_payment_history(this, m_db, m_business, code, m_db.clock().XDATE());
}

// A note written here is about the chosen document, when there is one.
void CustomerInquiryScreen::ADD_BITACORA() {
    std::string name;
    const std::string code = chosen_customer(&name);
    if (!code.empty())
        ::qz::gui::ADD_BITACORA(this, {m_db, m_business, m_user}, current_document(), code, name,
                                kAddNote);
}

void CustomerInquiryScreen::VER_BITACORA() {
    std::string name;
    const std::string code = chosen_customer(&name);
    if (!code.empty()) E_BITACORA(this, {m_db, m_business, m_user}, code, name, current_document());
}

void CustomerInquiryScreen::VER_CLIENTE() {
    const std::string code = chosen_customer();
    if (code.empty() || !edit_customer(this, m_db, m_business, m_user, code)) return;
    m_customers->REFRESHALL();
    show_customer();
}

void CustomerInquiryScreen::VER_CARNETS() {
    const std::string code = chosen_customer();
    if (!code.empty()) open_associates(this, m_db, m_business, code);
}

void CustomerInquiryScreen::DATOS_DOC() {
    const std::string number = chosen_document();
    if (!number.empty()) open_document_data(this, m_db, m_business, number);
}

void CustomerInquiryScreen::V_AB_FAC() {
    const std::string number = chosen_document();
    if (!number.empty()) ::qz::gui::V_AB_FAC(this, m_db, m_business, number);
}

void CustomerInquiryScreen::VER_IMAGEN() {
    const std::string number = chosen_document();
    if (number.empty()) return;
    const dl::DocumentImage image = dl::document_image(m_db, m_business, number);
    if (image.state == dl::DocumentImage::State::None)
        MESSAGE_BOX(this, kNoImage, "Atencion", kMbOk | kMbIconExclamation);
    else if (image.state == dl::DocumentImage::State::Missing)
        MESSAGE_BOX(this, kImageMissing + image.path, "Atencion", kMbOk | kMbIconExclamation);
    else
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(image.path)));
}

void CustomerInquiryScreen::VER_UTILIZADO() {
    const std::string number = chosen_document();
    if (number.empty()) return;
    const auto d = dl::read_document_header(m_db, m_business, number);
    if (!d) return;
    MESSAGE_BOX(this,
                "Documento: " + d->number + "\nUtilizado: " + std::to_string(d->used) + "\n" +
                    (d->used_info.empty() ? "Sin información de uso" : d->used_info),
                "Aviso", kMbOk | kMbIconInformation);
}

}  // namespace qz::gui
