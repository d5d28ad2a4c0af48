#include "domain/ledger/auto_collection_payments.h"

#include <map>
#include <utility>

#include "core/text.h"
#include "domain/ledger/journal.h"
#include "domain/ledger/payment_checks.h"
#include "domain/ledger/payment_posting.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

// The port of a run. Each question is asked once and its answer kept for every later row (the
// same "fuera del mes activo" would otherwise be asked per payment). While a row is processed,
// its refusals are kept as that row's reason instead of stopping the run with a box per row;
// warnings still reach the user.
class RunPort : public UserPort {
public:
    explicit RunPort(UserPort& user) : m_user(user) {}

    void recording(bool on) {
        m_recording = on;
        m_said.clear();
    }
    const std::string& said() const { return m_said; }

    void message(MsgStyle style, const std::string& title, const std::string& text) override {
        if (m_recording && style == MsgStyle::Error)
            m_said = text;
        else
            m_user.message(style, title, text);
    }
    bool confirm(const std::string& title, const std::string& text) override {
        const auto known = m_answers.find(text);
        if (known != m_answers.end()) return known->second;
        return m_answers[text] = m_user.confirm(title, text);
    }
    std::unique_ptr<WaitWindow> wait(const std::string& title) override {
        return m_user.wait(title);
    }
    void breathe() override { m_user.breathe(); }

private:
    UserPort& m_user;
    bool m_recording = false;
    std::string m_said;
    std::map<std::string, bool> m_answers;
};

// The payment of one row: the document added with nothing to pay, then given the row's
// principal and interest as they stand (typed by hand or not), the charge as the amount and one
// tender of the run's method for it in place of the concept's default one.
std::optional<PaymentDraft> row_payment(data::Db& db, UserPort& port, const std::string& business,
                                        const CollectionRow& row, const CollectionRun& run) {
    PaymentDraft d(db, port, business);
    d.set_register(run.register_code);
    d.set_pass_code(run.pass_code);
    d.set_clerk(run.clerk);
    d.set_block(run.block);
    d.set_date(run.date);
    d.preset_rates(run.rates);
    d.set_customer(row.customer);
    d.set_currency(row.currency);
    if (!d.PASADOC(row.document)) return std::nullopt;
    InstalmentPayment pay;
    pay.principal = row.principal;
    pay.interest = row.interest;
    if (!d.apply_instalment_payment(0, pay)) return std::nullopt;
    d.set_amount(row.charge());
    while (!d.tenders().empty()) d.remove_tender(0);
    PaymentTender t;
    t.method = run.method;
    t.amount = row.charge();
    if (!d.add_tender(t)) return std::nullopt;
    return d;
}

bool refuse_run(UserPort& port, const std::string& text) { return refuse(port, text); }

// What the window asks for before any payment is built.
bool run_complete(UserPort& port, const std::string& accounting, const AutoCollection& list,
                  const CollectionRun& run) {
    if (list.marked().empty()) return refuse_run(port, kNothingMarked);
    if (trim(run.method).empty()) return refuse_run(port, kNoMethod);
    if (trim(run.block).empty()) return refuse_run(port, kNoBlock);
    for (size_t i : list.marked()) {
        const std::string& currency = list.rows()[i].currency;
        if (currency == accounting) continue;
        bool typed = false;
        for (const auto& r : run.rates) typed = typed || (r.currency == currency && r.rate > 0);
        if (!typed) return refuse_run(port, kNoRate);
    }
    return true;
}

std::string end_text(const CollectionResult& r) {
    std::string text = kEndOfRun;
    for (const auto& f : r.failed) text += "\r" + f.document + ": " + f.reason;
    return text;
}

}  // namespace

CollectionChoices collection_choices(data::Db& db, const std::string& business) {
    const auto codes = [&](const char* table, const char* name) {
        return business_rows<CodeName>(db, table, business, [name](const data::WDBTable& t) {
            return CodeName{trim(t.str("CODIGO")), trim(t.str(name))};
        });
    };
    return {codes("TIPO_MOV", "DESCRIP"), codes("T_RECIBO", "DESCRIP"),
            codes("ENC_RCAJ", "DESCRIP"), codes("DIGITA", "NOMBRE")};
}

std::vector<PaymentRate> collection_rates(data::Db& db, UserPort& port, const std::string& business,
                                          const Date& day) {
    PaymentDraft d(db, port, business);
    d.set_date(day);
    return d.rates();
}

CollectionResult generate_payments(data::Db& db, UserPort& port, AutoCollection& list,
                                   const CollectionRun& run, const IniFile* workstation) {
    CollectionResult result;
    RunPort run_port(port);
    const std::string accounting =
        PaymentDraft(db, port, list.business()).settings().accounting_currency;
    if (!run_complete(port, accounting, list, run)) return result;
    std::vector<std::pair<size_t, PaymentDraft>> drafts;
    std::string changed;
    for (size_t i : list.marked()) {
        auto d = row_payment(db, run_port, list.business(), list.rows()[i], run);
        if (!d || !CHECK_DATA(db, run_port, *d, kCollectionDateOutOfRange)) return result;
        // The charge was figured on the balance listed: one paid since is charged again only
        // after the list is brought up to date.
        if (d->lines()[0].balance_read != list.rows()[i].balance)
            changed += (changed.empty() ? "" : "\r\n") + list.rows()[i].document;
        drafts.emplace_back(i, std::move(*d));
    }
    if (!changed.empty()) {
        refuse_run(port, kBalancesChanged + changed);
        return result;
    }
    if (drafts.front().second.settings().posts &&
        !check_mayorizar(db, run_port, list.business(), run.date))
        return result;
    result.refused = false;
    std::vector<size_t> paid_rows;
    for (const auto& [row, draft] : drafts) {
        run_port.recording(true);
        const auto receipt =
            PROCESA_ABONO(db, run_port, draft, workstation, kCollectionDateOutOfRange);
        const CollectionRow& r = list.rows()[row];
        if (receipt) {
            result.paid.push_back(
                {*receipt, r.document, r.customer, r.name, r.currency, r.charge()});
            paid_rows.push_back(row);
        } else {
            result.failed.push_back({r.document, run_port.said()});
        }
        run_port.recording(false);
    }
    port.message(MsgStyle::Aviso, "Aviso", end_text(result));
    list.remove_rows(paid_rows);
    return result;
}

}  // namespace qz::domain
