// The "Editar" operations of the document viewer: each takes the document on the grid's row
// (or the marked ones), runs its form or rule, and reads the grid again when something changed.
#include "core/text.h"
#include "domain/ledger/balance_repair.h"
#include "domain/ledger/document_delivery.h"
#include "domain/ledger/document_edits.h"
#include "gui/browse/wblistbox.h"
#include "gui/customers/credit_screens.h"
#include "gui/framework/message_box.h"
#include "gui/framework/qt_user_port.h"
#include "gui/ledger/formats/screen_printer.h"
#include "gui/ledger/viewer/delivery_report.h"
#include "gui/ledger/viewer/document_viewer.h"
#include "gui/ledger/viewer/viewer_forms.h"

namespace qz::gui {

namespace {

namespace dc = qz::domain::customers;

// Runs a form of the chosen document; true when it wrote.
template <class Form>
bool on_chosen(DocumentViewer& v, Form form) {
    const auto doc = v.chosen();
    return doc && form(&v, v.desk(), *doc);
}

}  // namespace

void DocumentViewer::CAMBIA_SUC() {
    if (on_chosen(*this, branch_form)) refresh();
}

void DocumentViewer::MOV_DIFF() {
    if (on_chosen(*this, diff_type_form)) refresh();
}

void DocumentViewer::ED_DESCRIP() {
    if (on_chosen(*this, labels_form)) refresh();
}

void DocumentViewer::CAMBIA_AGENTE() {
    if (on_chosen(*this, agent_form)) refresh();
}

void DocumentViewer::RECODE_DOC() {
    if (on_chosen(*this, recode_form)) refresh();
}

void DocumentViewer::MOD_DOC() {
    if (on_chosen(*this, repair_dialog)) refresh();
}

void DocumentViewer::MOV_CLIENTE() {
    const auto documents = marked();
    if (documents.empty()) {
        MESSAGE_BOX(this, domain::kNoDocumentChosen, "Error", kMbOk | kMbIconStop);
        return;
    }
    if (customer_move_dialog(this, m_desk, documents)) refresh();
}

void DocumentViewer::mark_delivered(bool delivered) {
    const auto documents = marked_or_chosen();
    if (documents.empty()) return;
    QtUserPort port(this);
    if (domain::mark_documents_delivered(m_desk.db, port, m_desk.business, documents, delivered,
                                         m_desk.db.clock().XDATE()) > 0)
        refresh();
}

void DocumentViewer::MARCA_ENTREGA() { mark_delivered(true); }
void DocumentViewer::DESMARCA_ENTREGA() { mark_delivered(false); }

void DocumentViewer::delivery_report(bool delivered) {
    const domain::ViewerFilter f = filter();
    const auto listing = domain::delivery_listing(m_desk.db, m_desk.business, f, delivered);
    std::string subtitle = std::string("Documentos ") + domain::document_state_name(f.state);
    if (!f.customer.empty())
        subtitle += "   Cliente: " + f.customer + (f.branch.empty() ? "" : " / " + f.branch);
    print_delivery_listing(this, listing, subtitle);
}

void DocumentViewer::REP_ENTREGADOS() { delivery_report(true); }
void DocumentViewer::REP_NO_ENTREGADOS() { delivery_report(false); }

void DocumentViewer::RECALC_MONTO() {
    const auto doc = chosen();
    QtUserPort port(this);
    if (doc && domain::recalculate_document_amount(m_desk.db, port, m_desk.business, doc->number))
        refresh();
}

void DocumentViewer::FIX_SAL() {
    QtUserPort port(this);
    const dc::LogWriter who{m_desk.user, m_desk.db.clock().now()};
    const auto done = domain::FIX_SAL(m_desk.db, port, m_desk.business, who);
    if (done && !done->receipts.empty()) refresh();
}

void DocumentViewer::BLOQ_DOC() {
    const auto doc = chosen();
    if (doc) add_block(this, m_desk.db, m_desk.business, m_desk.user, doc->number);
}

void DocumentViewer::REIMPRIMIR() {
    const auto doc = chosen();
    if (!doc) return;
    DocumentPrinter p = screen_printer(this, m_desk.db, m_desk.ini);
    DocumentPrintRequest r;
    r.business = m_desk.business;
    r.number = doc->number;
    r.preview = true;
    xPRINT_DOC(p, r);
}

}  // namespace qz::gui
