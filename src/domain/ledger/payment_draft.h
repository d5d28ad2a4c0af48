#pragma once
// A payment being entered ("Registro de Abonos"): what the payment window edits before it is
// processed or kept pending. It holds the header, the rates of the payment, the documents it
// applies to, the tenders, the credit note an excess becomes, and the live available amount.
// Every refusal is told through the UserPort with the system's text; nothing here writes to the
// database (a pending copy and the processing are payment_pending.h and payment_posting.h).
//
// Amounts: a document's balance is in its own currency; what a line applies, its interest and
// the tenders are in the payment currency. The rates are one per currency against the accounting
// currency for the payment date; the factor from a document currency D to the payment currency P
// is rate(D) / rate(P), the accounting currency's rate being 1.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/ledger/instalments.h"
#include "domain/ledger/ledger_settings.h"
#include "domain/ledger/payment_setup.h"

namespace qz::domain {

struct PaymentHeader {
    std::string register_code;  // "Caja:"
    std::string pass_code;      // "Clave:" as typed
    std::string clerk;          // "Digitador:"
    std::string customer, customer_name;
    std::string block;    // "Block:"
    std::string receipt;  // "#Recibo:", typed for blocks that read numbers by hand
    std::string currency;
    Decimal amount;  // "Monto:"
    Date date;       // "Fecha :"
    std::string deposit, comment;
    std::string pending;  // the pending payment this finishes; "" for a new one
};

// One unit of `currency` in the accounting currency on the payment date (DET_MOV3).
struct PaymentRate {
    std::string currency;
    Decimal rate;
    bool operator==(const PaymentRate&) const = default;
};

// One document the payment applies to: the document as read when it was added and what the
// payment does to it.
struct AppliedLine {
    std::string document, doc_concept, currency, customer, description;
    Date date;
    Decimal doc_amount;        // MONTO
    Decimal balance_read;      // SALDO when added: processing refuses a balance changed since
    bool debit = true;         // the document concept's TIPO
    bool instalments = false;  // CUOTAS: amounts split into principal and interest
    bool complement = false;   // COMPLEMENT: postings valued in the accounting currency
    int books = 0;             // PROC_CONTA
    // The concept's ASIENTO4, ASIENTO6 and CXC_COMPL.
    std::string receivable_link, interest_link, complement_link;
    PaymentConcept concept_def;  // the payment concept applied
    Decimal factor;              // document currency -> payment currency
    // In the payment currency: DET_MOVE MONTO, INTERES, MORA.
    Decimal amount, interest, late;
    Decimal interest_doc;  // the interest in the document currency (DOCUMENT INTERES)
    Decimal new_balance;   // document currency

    bool lowers() const { return concept_def.balance_sign == 0; }
    Decimal total() const { return amount + interest + late; }
    // What the line takes from the available amount (negative when it adds to it).
    Decimal consumes() const { return concept_def.available_sign == 0 ? total() : -total(); }
};

struct PaymentTender {
    std::string method, description;  // CODIGO, DESCRIP
    Decimal amount;
    // CUENTA (methods with an individual account), DOCUMENTO (cheque or deposit number),
    // VOUCHER and COD_AUTORI (a card's voucher and authorisation).
    std::string account, document, voucher, authorisation;
    // A charge to a hotel room or master account (ROOM, RESERVA, FIRMA1) and what a card
    // terminal answered (PE_TARJ, PE_REFNO, PE_AUTID, PE_TRACE_N, PE_TIPO): point-of-sale
    // tenders carry them, the payment window leaves them blank.
    std::string room, reservation, signature;
    std::string card, reference, card_authorisation, trace;
    int terminal = 0;
    // The applied document whose default tender this is ("" for a tender typed by the clerk):
    // it follows that line's amount and goes with it.
    std::string for_document;
};

// "N. C": the excess of the payment turned into a credit note of `concept_code`.
struct ExcessNote {
    std::string concept_code;
    Decimal amount;
};

class PaymentDraft {
public:
    PaymentDraft(data::Db& db, UserPort& port, std::string business);

    const std::string& business() const { return m_business; }
    const LedgerSettings& settings() const { return m_settings; }
    const PaymentHeader& header() const { return m_header; }
    const std::vector<PaymentRate>& rates() const { return m_rates; }
    const std::vector<AppliedLine>& lines() const { return m_lines; }
    const std::vector<PaymentTender>& tenders() const { return m_tenders; }
    const std::optional<ExcessNote>& note() const { return m_note; }

    // "Disponible:": the amount minus what the lines take and the credit note.
    Decimal available() const;
    // Rate of one unit of `currency` in the accounting currency (1 for that one, 0 when missing).
    Decimal rate_of(const std::string& currency) const;
    // Factor from `currency` to the payment currency; 0 when a rate is missing.
    Decimal factor_to_payment(const std::string& currency) const;
    // `amount` of the payment currency in `currency`, through the two rates: dividing by the
    // factor would carry the factor's own rounding into the balance (a hundredth of a colón per
    // few hundred dollars).
    Decimal to_currency(const std::string& currency, const Decimal& amount) const;

    // Header. A change of customer, currency or date that would invalidate the documents added
    // asks before clearing them; false (nothing changed) when declined.
    bool set_customer(const std::string& code);
    bool set_currency(const std::string& code);
    bool set_date(const Date& d);
    void set_amount(const Decimal& a) { m_header.amount = a; }
    void set_register(const std::string& code) { m_header.register_code = code; }
    void set_pass_code(const std::string& typed) { m_header.pass_code = typed; }
    void set_clerk(const std::string& code) { m_header.clerk = code; }
    void set_block(const std::string& code) { m_header.block = code; }
    void set_receipt(const std::string& number) { m_header.receipt = number; }
    void set_deposit(const std::string& code) { m_header.deposit = code; }
    void set_comment(const std::string& text) { m_header.comment = text; }
    void set_pending(const std::string& number) { m_header.pending = number; }
    // "Ajustar": the amount becomes what the lines and the credit note take.
    void adjust_amount();

    // "Cambios Monetarios": only when the business reads rates (F_FAC LEE_CAMBIO).
    bool rates_editable() const { return m_settings.reads_rates; }
    bool set_rates(const std::vector<PaymentRate>& rates);
    // Rates typed by a caller that always reads its own (the automatic collections, whose
    // rates are typed once for a whole run), taken before any document is added.
    void preset_rates(std::vector<PaymentRate> rates) { m_rates = std::move(rates); }

    // PASADOC: adds a document with the payment concept chosen, or the document concept's
    // default one when `concept_code` is blank. Refusals are told; false when refused.
    bool PASADOC(const std::string& document, const std::string& concept_code = "");
    void remove_line(size_t index);
    // The line's "MONTO TOTAL" (applied + interest + late interest, payment currency).
    bool set_line_total(size_t index, const Decimal& total);
    // The principal or the interest column; refused for instalment documents.
    bool set_line_amount(size_t index, const Decimal& amount);
    bool set_line_interest(size_t index, const Decimal& interest);
    // "Plazos Parciales": the line pays what was chosen instalment by instalment (document
    // currency, from take_instalment_payment).
    bool apply_instalment_payment(size_t index, const InstalmentPayment& pay);

    // Tenders ("Forma de Pago"); an unknown method is refused.
    bool add_tender(const PaymentTender& t);
    bool set_tender(size_t index, const PaymentTender& t);
    void remove_tender(size_t index);

    // "N. C": the available amount becomes a credit note of `concept_code`.
    bool add_excess_note(const std::string& concept_code);
    void remove_excess_note() { m_note.reset(); }

    // After processing: a new payment of the same register, clerk, block, currency and date.
    void clear_entry();
    // A pending payment read back (payment_pending.h): rates are those of its date, and each
    // line's interest in its document's currency is figured again at them.
    void restore(const PaymentHeader& h, std::vector<AppliedLine> lines,
                 std::vector<PaymentTender> tenders, std::optional<ExcessNote> note);

private:
    bool refuse(const std::string& text);
    bool confirm_clearing();
    void clear_lines();
    std::vector<PaymentRate> rates_for(const Date& d) const;
    // Recomputes a line from its total (payment currency); false after a refusal.
    bool figure_line(AppliedLine& l, const Decimal& total);
    bool figure_new_line(AppliedLine& l);
    void follow_default_tender(const AppliedLine& l);
    void add_default_tender(const AppliedLine& l, const std::string& method);

    data::Db& m_db;
    UserPort& m_port;
    std::string m_business;
    LedgerSettings m_settings;
    PaymentHeader m_header;
    std::vector<PaymentRate> m_rates;
    std::vector<AppliedLine> m_lines;
    std::vector<PaymentTender> m_tenders;
    std::optional<ExcessNote> m_note;
};

// The document `number` with what a payment line needs of it and of its concept; none when the
// document or its concept does not exist.
std::optional<AppliedLine> applied_document(data::Db& db, const std::string& business,
                                            const std::string& number);

inline constexpr const char* kRatesChangeQuestion =
    "Si procesa los cambios se borraran todos los documenos seleccionados\r\n¿Desea Continuar?";
inline constexpr const char* kInstalmentColumns =
    "Este documento maneja Intereses y Abonos al Principal.\rNo se puede editar directamente "
    "estos montos.\rDebe usar el campo MONTO TOTAL.";

}  // namespace qz::domain
