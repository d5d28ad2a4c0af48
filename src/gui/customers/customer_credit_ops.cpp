// The customer list's way into the credit control, until invoicing opens it on its own.
#include "core/amount.h"
#include "gui/customers/credit_control.h"
#include "gui/customers/customer_list.h"
#include "gui/framework/message_box.h"
#include "gui/lists/master_form.h"

namespace qz::gui {

namespace dc = qz::domain::customers;

namespace {

constexpr int kTrialAmount = 601;

// The amount of a made-up new document; nothing when the user cancels.
std::optional<Decimal> ask_document_amount(QWidget* owner) {
    std::optional<Decimal> out;
    const AmountField field{"Monto", 11, 2, false};
    std::function<bool(const FormValues&)> take = [&](const FormValues& v) {
        Decimal amount;
        const std::string problem = field.read(v.at(kTrialAmount), amount);
        if (!problem.empty()) {
            MESSAGE_BOX(owner, problem, "Atencion", kMbOk | kMbIconExclamation);
            return false;
        }
        out = amount;
        return true;
    };
    run_master_form(owner, "PRUEBA_CREDITO", "Probar Autorización de Crédito",
                    {{kTrialAmount, "Monto del Documento:", FormField::Kind::Number, "0.00"}},
                    take);
    return out;
}

}  // namespace

void CustomerListScreen::LIM_CREDITO() { open_credit_control(false); }
void CustomerListScreen::PRUEBA_CREDITO() { open_credit_control(true); }

void CustomerListScreen::open_credit_control(bool as_invoice) {
    const std::string code = current_code();
    const auto branches =
        code.empty() ? std::vector<dc::StoredBranch>{}
                     : dc::branches_principal_first(m_db, m_business, code);
    if (branches.empty()) {
        MESSAGE_BOX(this, "Debe seleccionar un registro", "Atencion", kMbOk | kMbIconExclamation);
        return;
    }
    Decimal amount;  // in the limit's currency, as the user reads the figures
    if (as_invoice) {
        const auto typed = ask_document_amount(this);
        if (!typed) return;
        amount = *typed;
    }
    CreditControlRequest r;
    r.business = m_business;
    r.customer = code;
    r.user = m_user;
    r.branch = branches.front().branch;
    const Date today = m_db.clock().XDATE();
    r.figures = dc::branch_credit_figures(m_db, m_business, code, r.branch.code, amount, today,
                                          ledger_credit_rates(m_db, m_business, today));
    // Figures that could not all be converted are shown for what they are, but authorise
    // nothing: a missing rate must not let an invoice pass on a sum in mixed currencies.
    if (!r.figures.rate_problem.empty()) {
        MESSAGE_BOX(this, r.figures.rate_problem, "Atencion", kMbOk | kMbIconExclamation);
        as_invoice = false;
    }
    r.info_only = !as_invoice;
    r.invoice = as_invoice;
    const CreditControlResult result = run_credit_control(this, m_db, r);
    if (as_invoice && result.accepted)
        MESSAGE_BOX(this, "Crédito autorizado por " + result.authorised_by, "Aviso",
                    kMbOk | kMbIconInformation);
}

}  // namespace qz::gui
