// The lines of each sale line: commissions, sales (the article's own account, its distribution
// rows, or the sub-line's, brand's or sales group's account), discount and tax.
#include "domain/pos/sale_journal.h"

#include "domain/customers/customer_rows.h"
#include "domain/ledger/rates.h"

namespace qz::domain::pos {

namespace {

std::string branch_sales_link(data::Db& db, const SaleJournalContext& ctx) {
    for (const auto& b : customers::branches_principal_first(db, ctx.business, ctx.customer))
        if (ctx.branch.empty() || b.branch.code == ctx.branch) return b.branch.sales_link;
    return "";
}

}  // namespace

SaleJournal::SaleJournal(data::Db& db, ContaTransaction& conta, SaleJournalContext context)
    : m_db(db), m_conta(conta), m_ctx(std::move(context)) {}

void SaleJournal::begin_document(const std::string& document, const std::string& customer_name) {
    m_document = document;
    m_customer_name = customer_name;
    m_article_tax = m_article_discount = m_sum_rounded = m_sum_unrounded = m_cost = Decimal();
    m_cost_by_account.clear();
}

std::string SaleJournal::text(const std::string& label) const {
    return label + m_document + " " + m_customer_name;
}

void SaleJournal::post_in(const std::string& link, const Decimal& amount,
                          const std::string& currency, const Decimal& rate,
                          const std::string& label) {
    if (amount.is_zero()) return;
    const Decimal signed_amount = credit() ? -amount : amount;
    if (complement())
        m_conta.post_link(link, (signed_amount * rate).round(2),
                          m_ctx.settings->accounting_currency, Decimal(1), text(label));
    else
        m_conta.post_link(link, signed_amount, currency, rate, text(label));
}

// The rate of a currency the sale knows already, else the day's.
Decimal SaleJournal::rate_of(const std::string& currency) {
    if (currency.empty() || currency == m_ctx.currency) return m_ctx.rate;
    if (currency == m_ctx.local_currency) return m_ctx.local_rate;
    const std::string& accounting = m_ctx.settings->accounting_currency;
    if (currency == accounting) return Decimal(1);
    return CAMBIO_ACT(m_db, m_ctx.business, accounting, currency);
}

void SaleJournal::post_line(const SaleLine& line) {
    if (line.empty()) return;
    const Article a = read_article(m_db, m_ctx.business, line.code).value_or(Article{});
    const Decimal q = line.quantity, p = line.price;
    const Decimal gross = (q * p).round(2);
    m_sum_unrounded += q * p;
    m_sum_rounded += gross;
    add_cost(a, line);
    post_commissions(a, q);
    if (a.post_sales)
        post(a.sales_link, gross, "Ventas: ");
    else if (a.post_split)
        post_split(a, line, gross);
    else
        post_group_sales(a, line, gross);
    if (a.post_discount) {
        const Decimal discount = (q * p * line.discount / 100).round(2);
        post(a.discount_link, discount, "Descuento: ");
        m_article_discount += discount;
    }
    if (a.post_tax) {
        const Decimal tax = (q * p * line.tax / 100 * (100 - line.discount) / 100).round(2);
        post(a.tax_link, tax, "Impuesto: ");
        m_article_tax += tax;
    }
}

// Each supplier earns its commission per unit on its own link; what is owed to them all goes
// to the business's payable link.
void SaleJournal::post_commissions(const Article& a, const Decimal& quantity) {
    const auto commissions = article_commissions(m_db, m_ctx.business, a.code);
    if (commissions.empty()) return;
    const std::string& currency = m_ctx.settings->sale.commission_currency;
    const std::string in = currency.empty() ? m_ctx.currency : currency;
    const Decimal rate = rate_of(in);
    Decimal total;
    for (const auto& c : commissions) {
        const Decimal amount = c.amount * quantity;
        post_in(c.link, amount, in, rate, "Comisión: ");
        total += amount;
    }
    post_in(m_ctx.settings->sale.payable_link, total, in, rate, "Tot.Comisión: ");
}

// Fixed values per unit first, then what is left shared by percentage, the last share taking
// the remainder so the shares add up to the line. An article with no percentage rows leaves its
// remainder to the sub-line's account rather than out of the voucher.
void SaleJournal::post_split(const Article& a, const SaleLine& line, const Decimal& gross) {
    Decimal rest = gross;
    for (const auto& f : article_fixed_values(m_db, m_ctx.business, a.code)) {
        const Decimal amount = (f.value * line.quantity).round(2);
        post(f.link, amount, "Ventas: ");
        rest -= amount;
    }
    const auto shares = article_percent_shares(m_db, m_ctx.business, a.code);
    if (shares.empty()) {
        post_group_sales(a, line, rest);
        return;
    }
    Decimal left = rest;
    for (size_t i = 0; i < shares.size(); ++i) {
        const Decimal amount =
            i + 1 == shares.size() ? left : (rest * shares[i].value / 100).round(2);
        post(shares[i].link, amount, "Ventas: ");
        left -= amount;
    }
}

// Where the business keeps its sales and cost accounts (LIN_MARCA): by sub-line, by brand, or
// the sales by the customer's branch; customers keep no cost account, so their costs stay with
// the sub-line.
SalesAccounts SaleJournal::base_accounts(const Article& a) {
    SalesAccounts out;
    const int by = m_ctx.settings->sale.accounts_by;
    if (by == 1) {
        if (auto b = read_brand(m_db, m_ctx.business, a.brand)) out = b->accounts;
        return out;
    }
    if (auto s = read_subline(m_db, m_ctx.business, a.line, a.subline)) out = accounts_of(*s);
    if (by == 2) {
        if (!m_branch_link) m_branch_link = branch_sales_link(m_db, m_ctx);
        out.sales = out.sales_credit = *m_branch_link;
        out.exempt = out.exempt_credit = "";
    }
    return out;
}

// The base account, unless the register's sales group names one for the article's line and
// sub-line.
void SaleJournal::post_group_sales(const Article& a, const SaleLine& line, const Decimal& gross) {
    const bool exempt = line.tax.is_zero();
    std::string link = base_accounts(a).sales_link(credit(), exempt);
    if (auto g = read_sales_group(m_db, m_ctx.business, m_ctx.sales_group, a.line, a.subline)) {
        const std::string own = g->accounts.sales_link(credit(), exempt);
        if (!own.empty()) link = own;
    }
    post(link, gross, exempt ? "V.(Ex): " : "V.(Gr): ");
}

void SaleJournal::add_cost(const Article& a, const SaleLine& line) {
    const Decimal cost = line.cost * line.quantity;
    m_cost += cost;
    if (!m_ctx.settings->sale.inventory_costing) return;
    const std::string account = base_accounts(a).cost;
    m_cost_by_account[account] += cost;
}

}  // namespace qz::domain::pos
