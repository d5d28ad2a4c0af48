#pragma once
// What the parts of the demonstration load share: the business they fill, a writer of rows and
// the summary each part adds its lines to.
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "core/date.h"
#include "data/db.h"
#include "data/value.h"
#include "data/wdbtable.h"

namespace qz::domain::demo {

inline const std::string kBiz = "HOTEL";
inline const std::string kColones = "CO";
inline const std::string kDollars = "US";

// One field of a row: a text, date, logical or amount, or a whole number for a number field.
struct Field {
    Field(const char* name, data::Value value) : first(name), second(std::move(value)) {}
    Field(const char* name, const char* text) : first(name), second(std::string(text)) {}
    template <WholeNumber I>
    Field(const char* name, I number) : first(name), second(Decimal(static_cast<long long>(number))) {}
    const char* first;
    data::Value second;
};

// Appends rows to one table. A table that belongs to businesses gets the demonstration
// business in NEGOCIO unless the row says otherwise. The table is handed back to the running
// transaction when the writer goes, so its rows stay locked until the load commits.
class RowWriter {
public:
    RowWriter(data::Db& db, const std::string& table);
    ~RowWriter();
    RowWriter(const RowWriter&) = delete;
    RowWriter& operator=(const RowWriter&) = delete;

    void add(std::initializer_list<Field> fields);
    void add(const std::vector<Field>& fields);
    data::WDBTable& table() { return *m_table; }

private:
    data::Db& m_db;
    data::Table m_table;
    bool m_has_business = false;
};

// Lines telling the person who asked for the load what there is and how to get in.
using Summary = std::vector<std::string>;

// The parts of the load, in the order they run; later parts refer to codes of earlier ones.
void load_business_and_currencies(data::Db& db, const Date& today, Summary& out);
void load_users_and_rights(data::Db& db, const Date& today, Summary& out);
void load_settings(data::Db& db);
void load_ledger_codes(data::Db& db, const Date& today);
void load_accounting(data::Db& db, const Date& today, Summary& out);
void load_customers(data::Db& db, const Date& today, Summary& out);
void load_hotel(data::Db& db, const Date& today, Summary& out);
// A closed shift of the spa register with its receipts, and a money-out payment type (after
// the payment types, the spa register and the customers).
void load_closing_shift(data::Db& db, const Date& today, Summary& out);
// Needs the hotel, the payment types and the spa register.
void load_tenders(data::Db& db, const Date& today, Summary& out);
// The card terminals of the demonstration's station (after the currencies).
void load_card_terminals(data::Db& db, Summary& out);
// The bank account, concepts and series of the guarantee deposits, and the reservations they are
// applied to (after the hotel and the accounting).
void load_deposits(data::Db& db, const Date& today, Summary& out);
// After the sample documents: notes about them.
void load_customer_log(data::Db& db, const Date& today);
// Needs the customers, the articles of the spa and the journals.
void load_sample_documents(data::Db& db, const Date& today, Summary& out);
// An instalment invoice partly paid and a credit note of the same customer, for its statements.
void load_statement_documents(data::Db& db, const Date& today, Summary& out);
void load_spa(data::Db& db, const Date& today, Summary& out);
// A front-desk register and the waiters of the sales point (after the spa's operators).
void load_registers(data::Db& db, Summary& out);
// Needs the spa's warehouse, price types and taxes and the invoicing settings.
void load_inventory(data::Db& db, const Date& today, Summary& out);
// Needs the articles and price lists of the spa and the boutique.
void load_prices(data::Db& db, const Date& today, Summary& out);
// Needs the boutique's articles and price lists and the invoicing settings.
void load_return_notes(data::Db& db, Summary& out);
// Settled, annulled and unexplained-balance documents for the document viewer.
void load_viewer_documents(data::Db& db, const Date& today, Summary& out);
// A customer paying instalments by standing order, for the automatic collections.
void load_auto_collection(data::Db& db, const Date& today, Summary& out);
// Needs the customers, the agents and the invoicing settings.
void load_credit(data::Db& db, const Date& today, Summary& out);
// Needs the customers and the clerks of the spa register.
void load_customer_satellites(data::Db& db, Summary& out);
// Needs the customers, the invoicing concepts and the spa's services.
void load_regular_invoices(data::Db& db, const Date& today, Summary& out);
// The collection stages, collectors and authoriser; the open documents of every earlier part
// are placed in the first stage, so it runs last.
void load_collection_stages(data::Db& db, Summary& out);
// The spa as loaded (both demonstration sets): rooms, services, price types, today's bookings.
void summarise_spa(data::Db& db, const Date& today, Summary& out);

}  // namespace qz::domain::demo
