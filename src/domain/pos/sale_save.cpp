#include "domain/pos/sale_save.h"

#include <stdexcept>

#include "core/text.h"
#include "data/order_key.h"
#include "data/sql.h"
#include "data/table_ops.h"
#include "domain/ledger/rates.h"
#include "domain/pos/sale_card_void.h"
#include "domain/pos/sale_documents.h"
#include "domain/pos/sale_receipt.h"
#include "domain/pos/sale_save_run.h"
#include "domain/session/master_rows.h"

namespace qz::domain::pos {

namespace {

// Held from the first check to the end of the save, the tenders dialog included.
class BusyGuard {
public:
    explicit BusyGuard(bool& busy) : m_busy(busy) { m_busy = true; }
    ~BusyGuard() { m_busy = false; }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    bool& m_busy;
};

SaleTarget target_of(const SaleMode& m) {
    if (m.kind == SaleKind::Order) return SaleTarget::Order;
    if (m.kind == SaleKind::Proforma) return SaleTarget::Proforma;
    return SaleTarget::Receivable;
}

// TC_DIFF and the rate of costs: a document valued at rate 0 would post nothing, so a missing
// rate refuses the sale before anything is written.
bool settle_rates(SaleRun& r) {
    const std::string& acc = r.settings.accounting_currency;
    const std::string currency = normal_code(r.draft.header().currency);
    if (!acc.empty() && acc != currency) {
        const RequiredRate q = required_rate(r.db, r.business, acc, currency, r.ctx.date);
        if (!q) return r.refuse(q.problem);
        r.rate = q.factor;
    }
    r.local_currency = local_currency(r.db, r.business);
    if (r.settings.posts && !acc.empty() && !r.local_currency.empty() && r.local_currency != acc) {
        const RequiredRate q = required_rate(r.db, r.business, acc, r.local_currency, r.ctx.date);
        if (!q) return r.refuse(q.problem);
        r.local_rate = q.factor;
    }
    if (const auto& card = r.draft.card()) r.card_available = card->available;
    return true;
}

// A sale that must be paid now (the register asks for the payment, or a cash concept) takes its
// tenders before it is written, in this same save.
bool will_prompt(const SaleRun& r) {
    if (!r.draft.mode().invoice_like() || r.tenders_taken || r.concept_def.debit != 1) return false;
    return r.draft.register_defaults().ask_tenders || r.concept_def.flag("CANCELA");
}

bool prompt_tenders(SaleRun& r) {
    if (!will_prompt(r)) return true;
    if (!r.hooks.take_tenders("Digite la forma de Pago del Cliente")) return false;
    r.tenders_taken = true;
    return CHECK_TOTS(r);
}

void tell_failure(UserPort& port, const std::exception& e) {
    // Database errors speak of statements; the sale's own refusals are worth showing.
    if (!dynamic_cast<const data::DbError*>(&e) && *e.what())
        port.message(MsgStyle::Atencion, "Atención", e.what());
    port.message(MsgStyle::Error, "Error", kSaleFailed);
}

bool receipt_ready(SaleRun& r, const Decimal& paid) {
    if (r.target != SaleTarget::Receivable) return true;
    const std::string why = check_sale_receipt(r.db, r.business, r.concept_def, paid);
    return why.empty() || r.refuse(why);
}

int print_type(SaleTarget t) {
    if (t == SaleTarget::Order) return 1;
    if (t == SaleTarget::Proforma) return 2;
    return 0;
}

// Ready for the next sale: the register's defaults again, or the card capture.
void clear_sale(SaleRun& r) {
    const RegisterDefaults reg = r.draft.register_defaults();
    const bool card = reg.card_account;
    r.draft.clear();
    r.draft.PARAMS_CAJA(reg);
    r.tenders.clear();
    if (card) r.hooks.card_capture();
}

// The checks read each line's article and sub-line several times over; they read them once. The
// transaction that writes the sale reads them again under its locks.
bool checked(SaleRun& run) {
    data::Db::RowMemo memo(run.db);
    return CHECK_DATOS(run) && check_before_writing(run) && settle_rates(run);
}

}  // namespace

void SaleSave::void_cards(SaleRun& run) {
    void_abandoned_cards(m_db, m_port, m_terminal, run.business,
                         normal_code(run.draft.header().currency), run.tenders);
}

SaleTables sale_tables(SaleTarget target) {
    switch (target) {
        case SaleTarget::Order:
            return {"ENC_PED", "ENC_PED2", "DET_PED"};
        case SaleTarget::Proforma:
            return {"ENC_PROF", "ENC_PRO2", "DET_PROF"};
        case SaleTarget::Receivable:
            break;
    }
    return {"DOCUMENT", "ENC_DOC2", "DET_DOC"};
}

Decimal SaleRun::amount_due() const {
    return with_lines() ? draft.figures().invoiced - draft.header().returned : extras.typed_amount;
}

std::vector<TenderRow> SaleRun::used_tenders() const {
    std::vector<TenderRow> out;
    for (const TenderRow& t : tenders)
        if (t.used()) out.push_back(t);
    return out;
}

bool SaleRun::refuse(const std::string& text) const { return domain::refuse(port, text); }

SaleSave::SaleSave(data::Db& db, UserPort& port, SaleSaveHooks& hooks, CardTerminal& terminal)
    : m_db(db), m_port(port), m_hooks(hooks), m_terminal(terminal) {}

std::optional<SavedSale> SaleSave::PROC_BOK(SaleDraft& draft, std::vector<TenderRow>& tenders,
                                            const SaleExtras& extras,
                                            const SaleSaveContext& context) {
    if (m_busy) return std::nullopt;
    BusyGuard guard(m_busy);
    SaleRun run(m_db, m_port, m_hooks, draft, tenders, extras, context);
    run.business = context.business;
    run.settings = read_ledger_settings(m_db, context.business);
    run.target = target_of(draft.mode());
    run.time = context.time.empty() ? m_db.clock().now().time : context.time;
    if (!checked(run)) return std::nullopt;
    // The receipt book is checked before the tenders are taken (a cash sale's card is not charged
    // for a sale that cannot be written) and again before the transaction: a sale is never
    // written without the payment the customer made.
    const bool paid_in_full = will_prompt(run) && run.concept_def.flag("CANCELA");
    if (!receipt_ready(run, paid_in_full ? run.amount_due() : run.paid()) || !prompt_tenders(run))
        return std::nullopt;
    if (!receipt_ready(run, run.paid())) {
        void_cards(run);
        return std::nullopt;
    }
    std::vector<std::string> warnings;
    SavedSale saved;
    try {
        saved = write_sale(run, warnings);
    } catch (const std::exception& e) {
        tell_failure(m_port, e);
        void_cards(run);
        return std::nullopt;
    }
    for (const std::string& w : warnings) m_port.message(MsgStyle::Atencion, "Atención", w);
    saved.print_type = print_type(run.target);
    saved.date = context.date;
    saved.time = run.time;
    const SaleKind kind = draft.mode().kind;
    saved.close_screen = kind == SaleKind::WorkOrder || kind == SaleKind::Spa;
    clear_sale(run);
    return saved;
}

}  // namespace qz::domain::pos
