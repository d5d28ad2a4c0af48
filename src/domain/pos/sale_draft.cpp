#include "domain/pos/sale_draft.h"

#include "core/text.h"
#include "domain/ledger/currencies.h"
#include "domain/session/master_rows.h"

namespace qz::domain::pos {

namespace {

std::string badly_defined(const std::string& item) {
    return "El item " + item + " se encuentra mal definido...";
}

}  // namespace

SaleDraft::SaleDraft(data::Db& db, UserPort& port, std::string business, SaleMode mode)
    : m_db(db),
      m_port(port),
      m_business(std::move(business)),
      m_mode(std::move(mode)),
      m_settings(read_ledger_settings(db, m_business)),
      m_lines(1),
      m_plan(kPlanRows) {}

bool SaleDraft::refuse(const std::string& text) {
    m_port.message(MsgStyle::Error, "Error", text);
    return false;
}

void SaleDraft::PARAMS_CAJA(const RegisterDefaults& reg, const std::optional<CardAccount>& card) {
    m_card = card;
    // The defaults go in before the register's locks close their fields; a blank default
    // leaves its field as it is.
    m_register = RegisterDefaults{};
    if (reg.pos) {
        auto take = [](const std::string& code, auto&& set) {
            if (!trim(code).empty()) set(code);
        };
        take(reg.doc_concept, [&](const std::string& c) { PROCE_CONCEPTO(c); });
        take(reg.customer, [&](const std::string& c) { PROCE_CLIENTE(c); });
        take(reg.warehouse, [&](const std::string& c) { PROCE_BODEGA(c); });
        take(reg.card_account && card ? card->agent : reg.agent,
             [&](const std::string& c) { PROCE_AGENTE(c); });
        take(reg.currency, [&](const std::string& c) { PROCE_MONEDA(c); });
        take(reg.price_type, [&](const std::string& c) { PROCE_PRECIO(c); });
    }
    m_register = reg;
    if (!reg.pos) {
        m_register.lock_customer = m_register.lock_concept = m_register.lock_warehouse = false;
        m_register.lock_agent = m_register.lock_currency = m_register.lock_price_type = false;
    }
}

bool SaleDraft::locked(SaleField f) const {
    switch (f) {
        case SaleField::Customer:
            return m_register.lock_customer;
        case SaleField::Concept:
            return m_register.lock_concept;
        case SaleField::Warehouse:
            return m_register.lock_warehouse;
        case SaleField::Agent:
            return m_register.lock_agent;
        case SaleField::Currency:
            return m_register.lock_currency;
        case SaleField::PriceType:
            return m_register.lock_price_type;
    }
    return false;
}

bool SaleDraft::button_enabled(SaleButton b) const {
    if ((b == SaleButton::SaveToOrder || b == SaleButton::SaveToProforma) &&
        !m_mode.can_save_elsewhere())
        return false;
    return !m_register.blocked[static_cast<size_t>(b)];
}

bool SaleDraft::number_editable() const { return m_concept && m_concept->flag("LEE_SERIAL"); }

bool SaleDraft::PROCE_CLIENTE(const std::string& code) {
    if (locked(SaleField::Customer)) return false;
    const auto c = customers::read_customer(m_db, m_business, code);
    if (!c) return refuse(badly_defined("Cliente"));
    m_header.customer = c->code;
    apply_customer(*c);
    apply_term();
    reprice_all();
    return true;
}

void SaleDraft::apply_customer(const customers::Customer& c) {
    m_header.cash_only = c.cash_only;
    m_header.name_required = c.read_name;
    m_header.contact = {};
    m_header.contact[kName] = c.name;
    m_branch.reset();
    for (const auto& b : customers::branches_principal_first(m_db, m_business, c.code))
        if (b.branch.principal) {
            m_branch = b.branch;
            break;
        }
    if (!m_branch) return;
    m_header.contact[kBranch] = m_branch->code;
    m_header.contact[kAddress] = m_branch->address;
    m_header.contact[kPhone] = m_branch->phone;
    m_header.contact[kFax] = m_branch->fax;
    m_header.contact[kAttention] = m_branch->attention;
    m_header.customer_discount = m_branch->discount;
}

// The branch's own term when the business lets branches carry one and the sale is on credit;
// else the concept's.
void SaleDraft::apply_term() {
    const bool cash = m_concept && m_concept->flag("CANCELA");
    if (m_settings.sale.term_from_branch && m_branch && m_branch->individual_credit &&
        m_branch->max_days > 0 && !cash)
        set_term(m_branch->max_days);
    else
        set_term(m_concept ? m_concept->term_days : 0);
}

void SaleDraft::set_term(int days) {
    m_header.term_days = days;
    m_plan[0].days = days;
}

void SaleDraft::set_plan_row(size_t i, const PlanRow& row) {
    if (i >= m_plan.size()) return;
    m_plan[i] = row;
    if (i == 0) m_header.term_days = row.days;
}

void SaleDraft::clear() {
    m_header = SaleHeader{};
    m_concept.reset();
    m_price_type.reset();
    m_branch.reset();
    m_lines.assign(1, SaleLine{});
    m_figures = SaleFigures{};
    m_plan.assign(kPlanRows, PlanRow{});
    m_exempt_locked = false;
    m_at_cost = false;
}

void SaleDraft::set_contact(ContactText which, const std::string& text) {
    m_header.contact[static_cast<size_t>(which)] = text;
}

bool SaleDraft::PROCE_CONCEPTO(const std::string& code) {
    if (locked(SaleField::Concept)) return false;
    auto c = read_document_concept(m_db, m_business, code);
    if (!c) return refuse(badly_defined("Concepto"));
    m_concept = std::move(c);
    m_header.doc_concept = m_concept->code;
    apply_term();
    apply_price_type();
    return true;
}

bool SaleDraft::PROCE_AGENTE(const std::string& code) {
    if (locked(SaleField::Agent)) return false;
    if (!key_exists(m_db, "AGENTES", "AGENTES", {m_business, normal_code(code)}))
        return refuse(badly_defined("Agente"));
    m_header.agent = normal_code(code);
    return true;
}

bool SaleDraft::PROCE_MONEDA(const std::string& code) {
    if (locked(SaleField::Currency)) return false;
    if (!read_currency(m_db, m_business, code)) return refuse(badly_defined("Moneda"));
    m_header.currency = normal_code(code);
    reprice_all();
    return true;
}

bool SaleDraft::PROCE_BODEGA(const std::string& code) {
    if (locked(SaleField::Warehouse)) return false;
    if (!key_exists(m_db, "BODEGAS", "BODEGAS", {m_business, normal_code(code)}))
        return refuse(badly_defined("Bodega"));
    m_header.warehouse = normal_code(code);
    return true;
}

bool SaleDraft::PROCE_PRECIO(const std::string& code) {
    if (locked(SaleField::PriceType)) return false;
    auto t = read_price_type(m_db, m_business, code);
    if (!t) return refuse(badly_defined("Tipo de Precio"));
    m_price_type = std::move(t);
    m_header.price_type = m_price_type->code;
    apply_price_type();
    return true;
}

// A cost-only price type sells without tax: the exemption box is ticked and cannot be cleared.
void SaleDraft::apply_price_type() {
    const bool cost_only = m_price_type && m_price_type->cost_only;
    if (cost_only && !m_header.exempt) EXENTO(true);
    m_exempt_locked = cost_only;
    reprice_all();
}

bool SaleDraft::amount_only_refusal(const char* text) {
    if (m_concept && !m_concept->flag("DETALLE")) {
        m_port.message(MsgStyle::Atencion, "Atención", text);
        return true;
    }
    return false;
}

bool SaleDraft::FLETES() {
    return !amount_only_refusal("Este tipo de documento no soporta Fletes");
}

bool SaleDraft::READ_SPECFAC() {
    return !amount_only_refusal("Este tipo de documento no soporta Artículos");
}

}  // namespace qz::domain::pos
