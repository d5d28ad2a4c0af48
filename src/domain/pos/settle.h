#pragma once
// Settling earlier documents at a register (FAC_CANC): a customer's pending documents, the ones
// the cashier marks, and the total to pay for them in the register's currency. Credit documents
// (credit notes) lower the total. Each marked document is paid in full by one receipt
// (CANCELA_FAC, settle_write.cpp); partial payments belong to the payment window.
//
// Every amount in another currency is converted at the rates of the day, the very rates kept
// with the receipt, so what the cashier is asked for is what the receipt records.
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/ledger/payment_draft.h"
#include "domain/pos/tenders.h"

namespace qz::domain::pos {

// The register the screen holds.
struct SettleRegister {
    std::string code;          // CAJA
    std::string receipt_book;  // TIP_RECIBO
    std::string currency;      // the register's currency (DEF_MONEDA, else the accounting one)
};

struct PendingDocument {
    std::string document, concept_code, currency, customer_name;
    Date date;
    Decimal balance;  // SALDO as listed, in the document's currency
    bool debit = true;
    bool marked = false;
};

// The customer's documents with a balance that are not annulled, by date and number.
std::vector<PendingDocument> pending_documents(data::Db& db, const std::string& business,
                                               const std::string& customer);

inline constexpr const char* kClosedRegister = "Caja Cerrada";
inline constexpr const char* kNothingMarked = "Debe de Seleccionar al menos una Factura";
inline constexpr const char* kNegativeTotal =
    "Las Notas de Crédito seleccionadas superan a las Facturas: el Total a Pagar no puede ser "
    "negativo";
inline constexpr const char* kAmountPicture = "999,999,999.99";

class Settlement {
public:
    Settlement(data::Db& db, std::string business, const Date& date);

    const std::string& business() const { return m_business; }
    const Date& date() const { return m_date; }
    // None: the screen shows "Caja Cerrada" and takes nothing.
    void set_register(std::optional<SettleRegister> reg);
    const std::optional<SettleRegister>& register_held() const { return m_register; }
    // "Caja Cerrada", or "Total Pagar: " + the register currency's symbol.
    std::string total_caption() const;

    void set_customer(const std::string& code);
    const std::string& customer() const { return m_customer; }
    // The customer's pending documents read again, the marks dropped (after a receipt).
    void reload();
    const std::vector<PendingDocument>& documents() const { return m_documents; }
    void set_marked(size_t index, bool on);
    bool any_marked() const;

    // One unit of `currency` in the accounting currency today (1 for that one, 0 when missing).
    Decimal rate_of(const std::string& currency) const;
    const std::vector<PaymentRate>& rates() const { return m_rates; }
    const std::string& accounting_currency() const { return m_accounting; }
    // The document's balance in the register currency, to the cent; 0 when a rate is missing.
    Decimal in_register_currency(const PendingDocument& d) const;
    // Debit documents add, credit documents subtract.
    Decimal total() const;
    std::string total_text() const;

    // Before the tenders: a register, something marked, a rate for every currency, a total that
    // is not negative. The refusal is told; false when refused.
    bool check(UserPort& port) const;

private:
    data::Db& m_db;
    std::string m_business, m_customer, m_accounting;
    Date m_date;
    std::optional<SettleRegister> m_register;
    std::vector<PaymentRate> m_rates;
    std::vector<PendingDocument> m_documents;
};

// The tenders as the dialog opens for a settlement: rows without a code lose their amount and,
// when none has an amount and the first marked document's concept is a cash concept, the first
// row takes that concept's default payment type and the whole total.
void prepare_tenders(data::Db& db, const Settlement& s, std::vector<TenderRow>& rows);

struct SettleStamp {
    std::string user, info_user, clerk;
    std::string time;  // blank: the clock's
};

// CANCELA_FAC: one receipt paying every marked document in full, in one transaction. The
// receipt number; none after telling the user why (nothing is then written).
std::optional<std::string> CANCELA_FAC(data::Db& db, UserPort& port, const Settlement& s,
                                       const std::vector<TenderRow>& tenders,
                                       const SettleStamp& stamp);

inline constexpr const char* kDocumentsChanged =
    "Los siguientes documentos cambiaron en otra estación y no se cancelaron:\r\n";
inline constexpr const char* kSettleFailed =
    "No se pudo procesar el Recibo.  Por favor vuelva a intentar...";

}  // namespace qz::domain::pos
