#pragma once
// Journal vouchers (ENC_AS, DET_AS, DET_AS2). Operations never name accounts: they post amounts
// through ledger links (LIGAS), which decide the account and the side in the principal and the
// replicated books. One ContaTransaction collects the lines of one operation into the day's
// voucher of its journal and balances them when closed. It writes inside the caller's database
// transaction, so the operation and its entry commit or roll back together.
//
// Several workstations append to one daily voucher: a closing plugs only its own lines' rounding
// residue, and an operation left out of balance marks the voucher (CIERRA 0) under the header's
// lock, where no later balanced operation can clear it: the flag says whether the whole voucher
// balances, not only the last operation, without reading the voucher's lines again.
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "core/user_port.h"
#include "data/db.h"

namespace qz::domain {

// Which books the following lines go to: 0 principal, 1 both, 2 replicated.
enum class Books { Principal = 0, Both = 1, Replicated = 2 };

// What a line may carry besides its amounts: its cost centre and analysis (C_COSTO, EJE,
// PARTIDA) and the voucher and authorisation of a card tender (DESCRIP2).
struct LineTags {
    std::string cost_centre, axis, item, description2;
};

struct JournalStamp {
    std::string user;       // USUARIO_C: the user's short code
    std::string info_user;  // INFO_USERC
};

class ContaTransaction {
public:
    // NEW: finds the open voucher of the business, journal and date, or creates one (always a
    // new one when the business posts one voucher per operation, NEGOCIOS MAYORIZA = 1). A
    // journal other than "01".."09" without a class in CLAS_CON, or a journal whose series is
    // missing, leaves the transaction failed: every later posting is skipped (see error()).
    ContaTransaction(data::Db& db, std::string business, std::string journal, Date date,
                     std::string document, JournalStamp stamp, Books books = Books::Principal);

    bool ok() const { return m_error.empty(); }
    // "Error de Transacción Contable: No Movimiento." when the voucher could not be opened.
    const std::string& error() const { return m_error; }
    const std::string& voucher() const { return m_voucher; }  // GET_ASIENTO
    const std::string& journal() const { return m_journal; }  // GET_TIPO

    void set_books(Books b) { m_books = b; }                         // SET_PROC_CONTA
    void set_document(std::string d) { m_document = std::move(d); }  // SET_DOCUMENTO

    // PROC_LIGA: posts a signed amount through `link`; the link decides the side (reversed by
    // `reverse`). A missing link posts to the account "????" so the voucher shows the gap.
    void post_link(const std::string& link, const Decimal& amount, const std::string& currency,
                   const Decimal& rate, const std::string& description, bool reverse = false);
    // A line of a known side through `link`, whatever the link's own side: debit minus credit
    // goes to the debit side of the link's account in each selected book (a negative result to
    // the credit side). For entries whose sides the caller has decided, such as an
    // exchange-difference adjustment.
    void post_link_side(const std::string& link, const Decimal& debit, const Decimal& credit,
                        const std::string& currency, const Decimal& rate,
                        const std::string& description);
    // PROC_DET1: a line on an explicit account; a negative side moves to the other one, both
    // are rounded to 2 decimals, a line of zeros is not written. Returns its INDEX_N (0 when
    // the business keeps no analysis indexes or nothing was written).
    long post_line(const std::string& account, const Decimal& debit, const Decimal& credit,
                   const std::string& currency, const Decimal& rate, const std::string& description,
                   const LineTags& tags = {});
    // PROC_DET2: an analysis line detailing the voucher line `index`.
    void post_analysis(const std::string& dimension, const std::string& value, const Decimal& debit,
                       const Decimal& credit, long index);

    // CLOSE_TRANSACTION: per currency, a residue of this transaction's lines below 0.2 is
    // absorbed by its last line in that currency; a larger one marks the voucher out of
    // balance. Nothing may be posted afterwards.
    void close();

    // Debit and credit of this transaction's lines in `currency` (after close, plugged).
    std::pair<Decimal, Decimal> totals(const std::string& currency) const;

private:
    struct Last {
        long recno = 0;
        bool debit = false;
    };
    struct Totals {
        Decimal debit, credit;
        Last last;
    };
    void open_voucher(const Date& date);
    // The next number of `series` no voucher of the business has yet: journals number from
    // series of their own, and a number another journal already used would mix their lines.
    std::string number_from_series(const std::string& series);
    // Posts `amount` through `link`; `debit_side` tells, from a link's TIPO (or TIPO2), whether
    // the amount goes to the debit side of that book.
    template <class Side>
    void post_through(const std::string& link, const Decimal& amount, const std::string& currency,
                      const Decimal& rate, const std::string& description, Side debit_side);
    void post_side(const std::string& account, bool debit, const Decimal& amount,
                   const std::string& currency, const Decimal& rate,
                   const std::string& description);
    void plug(Totals& t);
    void mark_balance();

    data::Db& m_db;
    std::string m_business, m_journal, m_document, m_voucher, m_error;
    JournalStamp m_stamp;
    Books m_books;
    Date m_date;
    bool m_indexes = false;  // NEGOCIOS LEE_C_ANA
    std::string m_second;    // NEGOCIOS MONEDA_D when DOBLE_MON = 1, else ""
    // A link as this transaction found it: an operation posts through a handful of links many
    // times, and they do not change while it posts.
    struct Link {
        bool found = false;
        std::string account, account2;
        int side = 0, side2 = 0;                                            // TIPO, TIPO2
        std::vector<std::tuple<std::string, std::string, Decimal>> shares;  // DET_LIGA
    };
    const Link& link(const std::string& code);
    std::map<std::string, Link> m_links;
    long m_next_index = 0;
    bool m_closed = false;
    std::map<std::string, Totals> m_totals;  // by currency
};

// CHECK_MAYORIZAR: whether an operation dated `d` may be posted, against the current period
// (the latest month of the business in SALDOS). Refusals are shown through `port`.
bool check_mayorizar(data::Db& db, UserPort& port, const std::string& business, const Date& d);

// CHECK_LIGA: a link defined in LIGAS whose account is in the chart of accounts.
struct LinkCheck {
    bool valid = false;
    std::string description, account;
};
LinkCheck check_liga(data::Db& db, UserPort& port, const std::string& business,
                     const std::string& link);

// A voucher's lines as the voucher screen shows them, in writing order.
struct VoucherLine {
    std::string account, currency, description, document;
    Decimal debit, credit, rate;
};
std::vector<VoucherLine> voucher_lines(data::Db& db, const std::string& business,
                                       const std::string& voucher);
// Debit and credit per currency, in currency order; a currency whose two differ is out of
// balance.
struct CurrencyTotals {
    std::string currency;
    Decimal debit, credit;
    bool balanced() const { return debit == credit; }
};
std::vector<CurrencyTotals> voucher_totals(const std::vector<VoucherLine>& lines);

inline constexpr const char* kNoVoucher = "Error de Transacción Contable: No Movimiento.";
inline constexpr const char* kMissingAccount = "????";

}  // namespace qz::domain
