// The save of FAC_POS: OK hands the draft, its tenders and extras to SaleSave with OK disabled
// and the wait cursor on, answers the save's questions with the screen's dialogs, prints what
// was written (the documents through their concepts, the article tickets) and starts the next
// sale with the register's defaults. Save to order and save to proforma hand over a copy of
// the sale of that kind.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <filesystem>

#include "core/picture.h"
#include "core/text.h"
#include "domain/cash/register_defaults.h"
#include "domain/session/log_sessions.h"
#include "gui/customers/credit_control.h"
#include "gui/framework/message_box.h"
#include "gui/framework/reentry_guard.h"
#include "gui/ledger/formats/document_print.h"
#include "gui/ledger/formats/screen_printer.h"
#include "gui/pos/sale/fac_pos_screen.h"
#include "gui/pos/sale/sale_copy.h"
#include "gui/pos/tenders/article_ticket_print.h"
#include "gui/pos/tenders/tenders_dialog.h"

namespace qz::gui {

using namespace fac_pos;
namespace pos = domain::pos;
namespace dc = domain::cash;

namespace {

// The wait cursor of a running save gives way to the arrow while the save asks something.
class ArrowWhileAsking {
public:
    ArrowWhileAsking() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~ArrowWhileAsking() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

bool FacPosHooks::credit_control(const domain::customers::Branch& branch,
                                 const domain::customers::CreditFigures& figures, bool no_keys) {
    ArrowWhileAsking arrow;
    return m_screen.ask_credit(branch, figures, no_keys);
}

bool FacPosHooks::take_tenders(const std::string& caption) {
    ArrowWhileAsking arrow;
    return m_screen.FORMA_P(caption, true);
}

void FacPosHooks::attention_data() {
    ArrowWhileAsking arrow;
    m_screen.DATOS_ATENCION();
}

void FacPosHooks::card_capture() {
    ArrowWhileAsking arrow;
    m_screen.CAPTURA_DATOS();
}

void FacPosHooks::focus_lines() { m_screen.focus_lines(); }

bool FAC_POS::ask_credit(const domain::customers::Branch& branch,
                         const domain::customers::CreditFigures& figures, bool no_keys) {
    CreditControlRequest r;
    r.business = m_session.XU_COMP;
    r.customer = m_draft.header().customer;
    r.user = m_session.XUSER_ABREVIA;
    r.user_number = m_session.XUSER_NUMBER.value_or(0);
    r.branch = branch;
    r.figures = figures;
    r.no_keys = no_keys;
    r.invoice = true;
    return run_credit_control(this, m_db, r).accepted;
}

bool FAC_POS::read_amount() {
    if (!m_amount->isEnabled()) return true;
    Decimal typed;
    if (!pic_parse(trim(m_amount->text().toStdString()), "999,999,999.99", typed)) {
        MESSAGE_BOX(this, "Monto inválido", "Error", kMbOk | kMbIconStop);
        m_amount->setFocus();
        return false;
    }
    m_extras.typed_amount = typed;
    return true;
}

bool FAC_POS::FORMA_P(const std::string& caption, bool from_save) {
    if (!read_amount()) return false;
    const auto& concept_def = m_draft.document_concept();
    const auto& h = m_draft.header();
    TendersRequest r;
    r.caption = caption;
    pos::TenderInputs& in = r.inputs;
    in.business = m_session.XU_COMP;
    in.amount_due = concept_def && !concept_def->flag("DETALLE")
                        ? m_extras.typed_amount
                        : m_draft.figures().invoiced - h.returned;
    in.paid = h.paid;
    in.cash_concept = concept_def && concept_def->flag("CANCELA");
    in.default_type = concept_def ? concept_def->payment_method : "";
    if (m_taken) dc::put_register_tenders(m_taken->reg, in);
    in.cash_only_customer = h.cash_only;
    in.from_save = from_save;
    in.currency = h.currency;
    Decimal paid = h.paid;
    r.rows = &m_tenders;
    r.paid = &paid;
    r.terminal = m_terminal.get();
    const bool go_on = run_tenders_dialog(this, m_db, r) == TendersOutcome::Continue;
    m_draft.set_paid(paid);
    return go_on;
}

void FAC_POS::PROC_BOK() {
    // Enter on the lines edits the cell under the cursor instead of leaving the grid.
    if (focused_id() == kLines) {
        m_grid->edit(m_grid->currentIndex());
        return;
    }
    WDIAG::PROC_BOK();
}

pos::SaleSaveContext FAC_POS::save_context() {
    pos::SaleSaveContext c;
    c.business = m_session.XU_COMP;
    c.register_code = m_taken ? m_taken->reg.code : "";
    c.operator_code = m_taken ? m_taken->op.code : "";
    c.user = m_session.XUSER_ABREVIA;
    c.info_user = domain::session_info_user();
    const std::string typed = trim(control_as<QLineEdit>(kDate)->text().toStdString());
    c.date = Date::from_ctod(typed).value_or(Date{});
    c.workstation = m_ini;
    c.on_written = m_source.on_written;
    return c;
}

std::optional<pos::SavedSale> FAC_POS::run_save(pos::SaleDraft& draft,
                                                std::vector<pos::TenderRow>& tenders) {
    m_ok->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Idle {
        QPushButton* ok;
        ~Idle() {
            QApplication::restoreOverrideCursor();
            ok->setEnabled(true);
        }
    } idle{m_ok};
    return m_save.PROC_BOK(draft, tenders, m_extras, save_context());
}

void FAC_POS::SAVE_DATOS() {
    ReentryGuard guard(this, m_in_save);
    if (!guard || m_save.busy() || !read_amount()) return;
    m_extras.number = m_draft.number_editable() ? trim(m_number->text().toStdString()) : "";
    const auto saved = run_save(m_draft, m_tenders);
    if (!saved) return refresh();
    after_save(*saved);
    if (saved->close_screen) {
        guard.dismiss();
        CLOSEIT(kCmdEnd);
    }
}

void FAC_POS::after_save(const pos::SavedSale& saved) {
    print_saved(saved);
    next_sale();
}

void FAC_POS::print_saved(const pos::SavedSale& saved) {
    static const IniFile no_settings{std::filesystem::path{}};
    DocumentPrinter p = screen_printer(this, m_db, m_ini ? *m_ini : no_settings);
    for (const auto& number : saved.documents) {
        DocumentPrintRequest r;
        r.business = m_session.XU_COMP;
        r.number = number;
        r.doc_type = saved.print_type;
        xPRINT_DOC(p, r);
    }
    for (const auto& t : saved.tickets)
        P_TIQUETES(p, {m_session.XU_COMP, t.quantity, t.article, t.description, t.document,
                       saved.date, saved.time});
}

void FAC_POS::next_sale() {
    m_draft.clear();
    m_tenders.clear();
    m_extras = pos::SaleExtras{};
    m_amount->clear();
    if (m_taken)
        PARAMS_CAJA(*m_taken);
    else
        refresh();
    refresh_number();
    focus_lines();
}

void FAC_POS::SAVE_TO_PEDIDO() { save_as(pos::SaleKind::Order); }
void FAC_POS::SAVE_TO_PROFORMA() { save_as(pos::SaleKind::Proforma); }

void FAC_POS::save_as(pos::SaleKind kind) {
    const auto button = kind == pos::SaleKind::Order ? pos::SaleButton::SaveToOrder
                                                     : pos::SaleButton::SaveToProforma;
    ReentryGuard guard(this, m_in_save);
    if (!guard || m_save.busy() || !m_draft.button_enabled(button) || !read_amount()) return;
    pos::SaleDraft copy(m_db, m_port, m_session.XU_COMP, pos::SaleMode{kind, 0, ""});
    const pos::RegisterDefaults reg =
        m_taken ? dc::sale_defaults(m_taken->reg) : pos::RegisterDefaults{};
    copy_sale(m_draft, copy, m_taken ? &reg : nullptr, m_extras.card);
    std::vector<pos::TenderRow> none;
    if (const auto saved = run_save(copy, none)) after_save(*saved);
}

}  // namespace qz::gui
