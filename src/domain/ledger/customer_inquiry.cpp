#include "domain/ledger/customer_inquiry.h"

#include <algorithm>
#include <map>

#include "core/text.h"
#include "data/order_key.h"
#include "domain/customers/customer_rows.h"
#include "domain/ledger/statement_tables.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

namespace dc = qz::domain::customers;

// The state class of CLIENTE6 and CLIENTE7.
const char* state_class(CustomerFilter f) { return f == CustomerFilter::Active ? "1" : "0"; }

InquiryBranch inquiry_branch(data::Db& db, const std::string& business, const dc::Branch& b) {
    InquiryBranch out;
    out.code = b.code;
    out.name = b.name;
    out.principal = b.principal;
    out.phone = b.phone;
    out.fax = b.fax;
    out.email = b.email;
    out.po_box = b.po_box;
    out.agent = named_code(db, "AGENTES", "NOMBRE", business, trim(b.agent.value_or("")));
    out.classification = named_code(db, "CLAS_CL2", "DESCRIP", business, b.classification);
    return out;
}

CustomerPayment payment_from_row(const data::WDBTable& t) {
    CustomerPayment p;
    p.movement = trim(t.str("MOVIMIENTO"));
    p.date = t.date("FECHA");
    p.amount = t.num("MONTO");
    p.currency = trim(t.str("MONEDA"));
    p.description = trim(t.str("DESCRIP"));
    p.annulled_by = trim(t.str("ANULADO"));
    return p;
}

}  // namespace

const std::vector<std::string>& customer_filter_names() {
    static const std::vector<std::string> names = {"Clientes Activos", "Clientes Inactivos",
                                                   "Todos los Clientes"};
    return names;
}

ListOrders customer_list_orders(const std::string& business, CustomerFilter filter) {
    if (filter == CustomerFilter::All)
        return {"CLIENTES", "CLIENTE2", data::business_key(business)};
    return {"CLIENTE6", "CLIENTE7",
            data::order_key("CLIENTES", "CLIENTE6", {business, std::string(state_class(filter))})};
}

DocumentScope customer_document_scope(const std::string& business, const std::string& customer,
                                      const std::string& branch) {
    const std::string code = normal_code(customer);
    if (trim(branch).empty())
        return {"DOCUMEN3", data::order_key("DOCUMENT", "DOCUMEN3", {business, code})};
    return {"DOCUMEN15", data::order_key("DOCUMENT", "DOCUMEN15", {business, code, trim(branch)})};
}

int usage_highlight(int used) { return used == 1 || used == 2 ? used : 0; }

std::optional<InquiryCustomer> inquiry_customer(data::Db& db, const std::string& business,
                                                const std::string& code) {
    const auto c = dc::read_customer(db, business, code);
    if (!c) return std::nullopt;
    InquiryCustomer out;
    out.code = c->code;
    out.name = c->name;
    out.legal_id = c->legal_id;
    out.active = c->active;
    out.admitted = c->admitted;
    out.withdrawn = c->withdrawn;
    out.clas1 = named_code(db, "CLAS_CLI", "DESCRIP", business, c->clas1);
    out.clas2 = named_code(db, "CLAS_CLI", "DESCRIP", business, c->clas2);
    out.clas3 = named_code(db, "CLAS_CLI", "DESCRIP", business, c->clas3);
    out.category = named_code(db, "CATEGORS", "DESCRIP", business, c->category);
    for (const auto& s : dc::branches_principal_first(db, business, c->code))
        out.branches.push_back(inquiry_branch(db, business, s.branch));
    return out;
}

std::vector<CustomerPayment> customer_payments(data::Db& db, const std::string& business,
                                               const std::string& customer) {
    UsedTable t(db, "ENC_MOVE", "ENC_MOV2");
    const std::string key =
        data::order_key("ENC_MOVE", "ENC_MOV2", {business, normal_code(customer)});
    t->SetScope(key, key);
    std::vector<CustomerPayment> out;
    for (t->GoTop(); !t->Eof(); t->Skip()) out.push_back(payment_from_row(*t));
    // The order runs by date, oldest first; among payments of one day the later record is newer.
    std::reverse(out.begin(), out.end());
    return out;
}

std::vector<PaymentApplication> payment_applications(data::Db& db, const std::string& business,
                                                     const std::string& movement) {
    std::vector<PaymentApplication> out;
    {
        UsedTable t(db, "DET_MOVE", "DET_MOVE");
        const std::string key = data::order_key("DET_MOVE", "DET_MOVE", {business, trim(movement)});
        t->SetScope(key, key);
        for (t->GoTop(); !t->Eof(); t->Skip())
            out.push_back({trim(t->str("DOCUMENTO")),
                           {trim(t->str("CONCEPTO")), ""},
                           trim(t->str("DESCRIP")),
                           t->num("MONTO"),
                           t->num("SALDO_ANT"),
                           t->num("SALDO")});
    }
    for (auto& a : out)
        a.concept_code = named_code(db, "CONCEPT2", "DESCRIP", business, a.concept_code.code);
    return out;
}

PaymentHistory payment_history(data::Db& db, const std::string& business,
                               const std::string& customer) {
    PaymentHistory h;
    h.heading = statement_heading(db, business, customer);
    h.payments = customer_payments(db, business, customer);
    LedgerNames names(db, business);
    std::map<std::string, CurrencyTotal> totals;
    for (auto& p : h.payments) {
        p.applications = payment_applications(db, business, p.movement);
        if (p.annulled()) continue;
        CurrencyTotal& t = totals[p.currency];
        t.currency = p.currency;
        t.symbol = names.symbol(p.currency);
        t.amount += p.amount;
    }
    for (auto& [code, t] : totals) h.totals.push_back(std::move(t));
    return h;
}

}  // namespace qz::domain
