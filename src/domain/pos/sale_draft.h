#pragma once
// The sale on the point-of-sale screen: header, lines, running totals and instalment plan, with
// every rule that applies while the cashier types. The screen is a view over this object and the
// save reads it; messages go through UserPort, so the rules run headless.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/decimal.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/customers/customer_rows.h"
#include "domain/ledger/concepts.h"
#include "domain/ledger/ledger_settings.h"
#include "domain/pos/articles.h"
#include "domain/pos/sale_kind.h"
#include "domain/pos/sale_line.h"
#include "domain/pos/sale_price_lists.h"
#include "domain/pos/sale_register.h"

namespace qz::domain::pos {

// OTROS_CL: the customer's contact texts on the sale (indexes 0..10 for OTROS_CL[1..11]).
enum ContactText { kBranch, kName, kAddress, kPhone, kFax, kAttention, kName2 };
inline constexpr int kContactTexts = 11;

struct SaleHeader {
    std::string customer, doc_concept, agent, currency, warehouse, price_type;
    std::array<std::string, kContactTexts> contact;
    int term_days = 0;           // "Plazo"
    bool cash_only = false;      // XSOLO_CONT
    bool name_required = false;  // LEE_NOM
    Decimal customer_discount;   // the branch's, shown
    bool exempt = false;         // EXENTO
    Decimal line_discount;       // APL_DESC[1]: discount given to every new line
    Decimal list_reduction;      // APL_DESC[2]: percent taken off list prices
    Decimal returned;            // DEVUELTO: nothing in the sale sets it
    Decimal paid;                // ABONO
};

// The fields a register may lock to its defaults.
enum class SaleField { Customer, Concept, Warehouse, Agent, Currency, PriceType };

// One row of the instalment plan (F_PLAZOS): days after the document date.
struct PlanRow {
    int days = 0;
    Decimal amount, principal, interest;
};
inline constexpr int kPlanRows = 20;

// Card-account data captured first on such registers (V_DATOS3).
struct CardAccount {
    std::string identity, name, agent;
    Decimal available;
};

// What the totals area shows (the screen formats them with 999,999,999.99).
struct SaleDisplay {
    Decimal amount_due;  // the large figure
    Decimal invoiced;    // FACTURADO + freight + load
    Decimal returned;    // DEVUELTO, or what the card still has available
    Decimal subtotal;    // subtotal + freight + load
    Decimal tax;
    std::string ticket_label;             // "Total: " + symbol; blank without a ticket currency
    std::optional<Decimal> ticket_total;  // nothing when no rate converts to it
};

// A line brought from another document (a spa reservation, an order): its quantity, agreed
// price and discount stay as that document has them.
struct BroughtLine {
    std::string code;
    Decimal quantity, price, discount;
    std::string source_document;  // DOCUMENTO
};

// The result of a code typed or scanned on a row.
struct CodeResult {
    bool accepted = false;
    size_t row = 0;         // the row that holds the article now
    bool ask_text = false;  // the article asks for its invoice text (LEE_SPEC)
};

class SaleDraft {
public:
    SaleDraft(data::Db& db, UserPort& port, std::string business, SaleMode mode);

    const SaleMode& mode() const { return m_mode; }
    const SaleHeader& header() const { return m_header; }
    const std::vector<SaleLine>& lines() const { return m_lines; }
    const SaleFigures& figures() const { return m_figures; }
    const std::vector<PlanRow>& plan() const { return m_plan; }
    const SaleSettings& settings() const { return m_settings.sale; }
    const std::optional<DocumentConcept>& document_concept() const { return m_concept; }
    const std::optional<PriceType>& price_type() const { return m_price_type; }

    // Taking the register: its defaults, locks and disabled buttons.
    void PARAMS_CAJA(const RegisterDefaults& reg, const std::optional<CardAccount>& card = {});
    bool locked(SaleField f) const;
    // What the register imposed and the card account captured, taken again after a save.
    const RegisterDefaults& register_defaults() const { return m_register; }
    const std::optional<CardAccount>& card() const { return m_card; }
    // The customer's branch the sale is for (the principal one); nothing when it has none.
    const std::optional<customers::Branch>& branch() const { return m_branch; }
    const LedgerSettings& ledger_settings() const { return m_settings; }
    bool button_enabled(SaleButton b) const;
    bool exempt_locked() const { return m_exempt_locked; }
    bool number_editable() const;

    // Header fields; each refuses an unknown code or a locked field and keeps the old value.
    bool PROCE_CLIENTE(const std::string& code);
    bool PROCE_CONCEPTO(const std::string& code);
    bool PROCE_AGENTE(const std::string& code);
    bool PROCE_MONEDA(const std::string& code);
    bool PROCE_BODEGA(const std::string& code);
    bool PROCE_PRECIO(const std::string& code);
    void set_term(int days);
    // ABONO: what the customer pays at the counter, as the tenders dialog leaves it.
    void set_paid(const Decimal& paid) { m_header.paid = paid; }
    void set_contact(ContactText which, const std::string& text);

    // Lines.
    CodeResult PROCESA_COD(size_t row, const std::string& code);
    void delete_line(size_t row);
    void insert_line(size_t row);
    bool set_quantity(size_t row, const Decimal& quantity);
    bool set_price(size_t row, const Decimal& price);
    bool set_discount(size_t row, const Decimal& discount);
    bool set_supplier(size_t row, const std::string& code);
    bool set_others(size_t row, const Decimal& freight, const Decimal& load);
    void set_invoice_text(size_t row, const std::string& text);
    // Appends a brought line after the coded ones; refused like a typed code when the article
    // is unknown or inactive in the warehouse. Never merged with another line of the article.
    CodeResult bring_line(const BroughtLine& b);

    // The line checks; each tells the cashier and mends the line. True when it passed.
    bool CHECK_EXISTENCIAS(size_t row);
    bool CHECK_PRECIO(size_t row);
    bool CHECK_DESCUENTO(size_t row);
    // The highest discount the line's sub-line or article allows; nothing when it has no limit
    // (or the row holds no article).
    std::optional<Decimal> discount_limit(size_t row) const;

    // Buttons that amount-only concepts refuse; true when the dialog may open.
    bool FLETES();
    bool READ_SPECFAC();
    // The discounts dialog: the new-line discount, the list reduction, and optionally the
    // discount given to every line already typed.
    bool DESCUENTOS(const Decimal& line_discount, const Decimal& list_reduction, bool apply_all);
    void EXENTO(bool on);
    void S_COSTO();
    void S_NORMAL();

    SaleDisplay DISPLAY_TOT() const;

    // The instalment plan as typed in its dialog; the first row's days are the term.
    void set_plan_row(size_t i, const PlanRow& row);
    // Ready for the next sale: no lines, totals, plan, customer data or discounts; the register's
    // defaults are then taken again with PARAMS_CAJA.
    void clear();

private:
    void apply_customer(const customers::Customer& c);
    void apply_term();
    void apply_price_type();
    bool refuse(const std::string& text);
    bool amount_only_refusal(const char* text);
    SaleLine* coded(size_t row);
    void RESTA_ART(size_t row);
    void SUMA_ART(size_t row);
    void Add_ArtFP(size_t row, const Article& a, CodeResult& out);
    void fill_line(SaleLine& l, const Article& a);
    void reprice(SaleLine& l, const Article& a);
    void reprice_all();
    // Changes every coded line whose article is still there, keeping the totals with them.
    void change_lines(const std::function<void(SaleLine&, const Article&)>& change);
    void set_line_tax(SaleLine& l, const Article& a) const;
    bool sold_at_cost() const;
    OtherCharges other_charges() const;

    struct Proposal {
        Decimal price;
        int rule = 0;
        bool found = false;
    };
    Proposal propose(const Article& a, const Decimal& quantity) const;
    Decimal list_rate(const std::string& list_currency) const;

    data::Db& m_db;
    UserPort& m_port;
    std::string m_business;
    SaleMode m_mode;
    LedgerSettings m_settings;
    SaleHeader m_header;
    std::optional<DocumentConcept> m_concept;
    std::optional<PriceType> m_price_type;
    std::optional<customers::Branch> m_branch;
    std::vector<SaleLine> m_lines;
    SaleFigures m_figures;
    std::vector<PlanRow> m_plan;
    RegisterDefaults m_register;
    std::optional<CardAccount> m_card;
    bool m_exempt_locked = false;
    bool m_at_cost = false;  // S_COSTO: lines are priced at average cost
};

}  // namespace qz::domain::pos
