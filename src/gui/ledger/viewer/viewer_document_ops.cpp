// The viewer's operations on the document as a whole: its annulment, a duplicate of it, its
// instalment plan, its data, the payments applied to it and its customer's last payments. Each is
// the screen or rule of its own subsystem, opened over the document on the grid's row; the grid is
// read again when it wrote.
#include "domain/ledger/document_duplicate.h"
#include "gui/framework/qt_user_port.h"
#include "gui/ledger/documents/annulment_screens.h"
#include "gui/ledger/documents/document_data.h"
#include "gui/ledger/documents/document_payments.h"
#include "gui/ledger/documents/instalment_plan_dialog.h"
#include "gui/ledger/payments/payment_dialogs.h"
#include "gui/ledger/viewer/document_viewer.h"

namespace qz::gui {

void DocumentViewer::ANULA_DOC() {
    const auto doc = chosen();
    if (doc && annul_document_dialog(this, m_desk.db, m_desk.business, m_desk.user, doc->number))
        refresh();
}

void DocumentViewer::DUPLICA_DOC() {
    const auto doc = chosen();
    if (!doc) return;
    QtUserPort port(this);
    if (domain::duplicate_document(m_desk.db, port, m_desk.business, doc->number, &m_desk.ini))
        refresh();
}

void DocumentViewer::PLAN_PAGOS() {
    const auto doc = chosen();
    if (!doc) return;
    QtUserPort port(this);
    if (ED2_DOC(this, m_desk.db, port, m_desk.business, doc->number)) refresh();
}

void DocumentViewer::DATOS_DOC() {
    if (const auto doc = chosen())
        open_document_data(this, m_desk.db, m_desk.business, doc->number);
}

void DocumentViewer::V_AB_FAC() {
    if (const auto doc = chosen()) qz::gui::V_AB_FAC(this, m_desk.db, m_desk.business, doc->number);
}

void DocumentViewer::ULT_ABONOS() {
    if (const auto doc = chosen())
        show_last_payments(this, m_desk.db, m_desk.business, doc->customer);
}

}  // namespace qz::gui
