#pragma once
// The accounting lines of a point-of-sale sale: per line the commission, sales, discount and tax
// lines of the article (or of its sub-line, brand or the register's sales group), per document
// the receivable, the tax and discount totals, and the cost of sales. Every amount carries the
// sign of the concept (+1 debit, -1 credit) and the sale's currency and rate. It posts into the
// caller's ContaTransaction, inside the sale's database transaction.
#include <map>
#include <optional>
#include <string>

#include "core/decimal.h"
#include "data/db.h"
#include "domain/ledger/concepts.h"
#include "domain/ledger/journal.h"
#include "domain/ledger/ledger_settings.h"
#include "domain/pos/articles.h"
#include "domain/pos/sale_accounts.h"
#include "domain/pos/sale_line.h"

namespace qz::domain::pos {

struct SaleJournalContext {
    std::string business;
    const DocumentConcept* doc_concept = nullptr;
    const LedgerSettings* settings = nullptr;  // F_FAC: LIN_MARCA, COSTEO_INV, LIGA_CXP, MON_COMIS
    std::string currency;                      // the sale's
    Decimal rate;                              // sale currency -> accounting currency (TC_DIFF)
    std::string local_currency;                // F_INV M_LOCAL, the currency of costs
    Decimal local_rate;                        // local currency -> accounting currency
    std::string warehouse, customer;
    std::string sales_group;  // the register's DEF_VENT
    std::string branch;       // the customer's branch (SUBCLIENTE); blank: the principal one
};

// The figures of one written document that its document-level lines need.
struct SaleDocumentAmounts {
    std::string document, customer_name;
    Decimal balance;   // SALDO
    Decimal tax;       // ROUND(Σ q × p × t / 100 × (100 − d) / 100, 2)
    Decimal discount;  // ROUND(Σ q × p × d / 100, 2)
};

class SaleJournal {
public:
    SaleJournal(data::Db& db, ContaTransaction& conta, SaleJournalContext context);

    // Starts the lines of a new document (the figures kept per document are reset).
    void begin_document(const std::string& document, const std::string& customer_name);
    // The lines of one sale line, with the article read from DEF_ART.
    void post_line(const SaleLine& line);
    // The document-level lines: receivable, "(T)Impuesto", "(T)Descuento", cost of sales or the
    // sale-at-cost pair, in that order.
    void post_document(const SaleDocumentAmounts& amounts);

private:
    bool credit() const { return m_ctx.doc_concept->debit != 1; }
    bool complement() const { return m_ctx.doc_concept->flag("COMPLEMENT"); }
    std::string text(const std::string& label) const;
    // `amount` × the concept's sign through `link`, in `currency` at `rate` to the accounting
    // currency; a concept valued through complement accounts posts it converted, in the
    // accounting currency. Nothing for a zero amount.
    void post_in(const std::string& link, const Decimal& amount, const std::string& currency,
                 const Decimal& rate, const std::string& label);
    void post(const std::string& link, const Decimal& amount, const std::string& label) {
        post_in(link, amount, m_ctx.currency, m_ctx.rate, label);
    }
    Decimal rate_of(const std::string& currency);
    void post_commissions(const Article& a, const Decimal& quantity);
    void post_split(const Article& a, const SaleLine& line, const Decimal& gross);
    void post_group_sales(const Article& a, const SaleLine& line, const Decimal& gross);
    SalesAccounts base_accounts(const Article& a);
    void add_cost(const Article& a, const SaleLine& line);
    void post_receivable(const Decimal& balance);
    void post_cost_of_sales();

    data::Db& m_db;
    ContaTransaction& m_conta;
    SaleJournalContext m_ctx;
    // Per document: what article-level lines already posted, and the cost per account.
    Decimal m_article_tax, m_article_discount, m_sum_rounded, m_sum_unrounded;
    std::map<std::string, Decimal> m_cost_by_account;
    Decimal m_cost;
    std::optional<std::string> m_branch_link;  // the branch's sales link, read once
    std::string m_document, m_customer_name;
};

}  // namespace qz::domain::pos
