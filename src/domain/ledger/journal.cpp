#include "domain/ledger/journal.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/accounting_period.h"
#include "domain/ledger/rates.h"
#include "domain/ledger/serials.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

// A residue of one operation's lines up to this much is rounding, absorbed by its last line.
const Decimal kPlugLimit = Decimal::parse("0.2");

Decimal round2(const Decimal& d) { return d.round(2); }

struct BusinessBooks {
    bool one_voucher_per_operation = false;  // MAYORIZA
    bool indexes = false;                    // LEE_C_ANA
    bool second_currency = false;            // DOBLE_MON
    std::string second;                      // MONEDA_D
    std::string journal_series[10];          // DIARIO1..DIARIO9
};

BusinessBooks business_books(data::Db& db, const std::string& business) {
    BusinessBooks b;
    data::Table t = data::USE(db, "NEGOCIOS", "NEGOCIOS");
    if (t->Seek(data::order_key("NEGOCIOS", "NEGOCIOS", {business}))) {
        b.one_voucher_per_operation = t->num("MAYORIZA") == 1;
        b.indexes = t->num("LEE_C_ANA") == 1;
        b.second_currency = t->num("DOBLE_MON") == 1;
        b.second = trim(t->str("MONEDA_D"));
        for (int i = 1; i <= 9; ++i)
            b.journal_series[i] = trim(t->str("DIARIO" + std::to_string(i)));
    }
    data::KILLTABLA(db, t);
    return b;
}

// The series a journal numbers its vouchers from: DIARIOn of the business for "01".."09", the
// class's own for another journal; "" when there is none.
std::string journal_series(data::Db& db, const std::string& business, const std::string& journal,
                           const BusinessBooks& b) {
    if (journal.size() == 2 && journal[0] == '0' && journal[1] >= '1' && journal[1] <= '9')
        return b.journal_series[journal[1] - '0'];
    data::Table t = data::USE(db, "CLAS_CON", "CLAS_CON");
    std::string series;
    if (t->Seek(data::order_key("CLAS_CON", "CLAS_CON", {business, journal})))
        series = trim(t->str("SERIAL"));
    data::KILLTABLA(db, t);
    return series;
}

}  // namespace

ContaTransaction::ContaTransaction(data::Db& db, std::string business, std::string journal,
                                   Date date, std::string document, JournalStamp stamp, Books books)
    : m_db(db),
      m_business(std::move(business)),
      m_journal(std::move(journal)),
      m_document(std::move(document)),
      m_stamp(std::move(stamp)),
      m_books(books),
      m_date(date) {
    open_voucher(date);
}

void ContaTransaction::open_voucher(const Date& date) {
    const BusinessBooks b = business_books(m_db, m_business);
    m_indexes = b.indexes;
    if (b.second_currency) m_second = b.second;
    const std::string series = journal_series(m_db, m_business, m_journal, b);
    if (series.empty()) {
        m_error = kNoVoucher;
        return;
    }
    const DateTime now = m_db.clock().now();
    data::Table h = data::USE(m_db, "ENC_AS", "ENC_AS4");
    if (!b.one_voucher_per_operation) {
        const std::string key = data::order_key("ENC_AS", "ENC_AS4", {m_business, m_journal, date});
        for (bool at = h->Seek(key); at && !h->Eof() && h->CurrentKey() == key; h->Skip()) {
            if (h->num("CERRADO") == 1) continue;
            m_voucher = trim(h->str("MOVIMIENTO"));
            data::LOCK_FOR_MODIFY(*h);
            h->FieldPut("FECHA_MOD", now.date);
            h->FieldPut("HORA_MOD", now.time);
            data::UNLOCK_FOR_MODIFY(*h);
            data::KILLTABLA(m_db, h);
            return;
        }
    }
    m_voucher = number_from_series(series);
    if (m_voucher.empty()) {
        data::KILLTABLA(m_db, h);
        m_error = kNoVoucher;
        return;
    }
    data::ADD_NEW_REC(*h);
    h->FieldPut("NEGOCIO", m_business);
    h->FieldPut("MOVIMIENTO", m_voucher);
    h->FieldPut("TIPO", m_journal);
    h->FieldPut("FECHA", date);
    h->FieldPut("HORA", now.time);
    h->FieldPut("CIERRA", Decimal(1));
    h->FieldPut("CERRADO", Decimal(0));
    h->FieldPut("AUTORIZADO", Decimal(1));
    h->FieldPut("USUARIO_C", m_stamp.user);
    h->FieldPut("INFO_USERC", m_stamp.info_user);
    data::UNLOCK_NEW_REC(*h);
    data::KILLTABLA(m_db, h);
}

std::string ContaTransaction::number_from_series(const std::string& series) {
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::string n = trim(GET_NXSERIAL(m_db, m_business, series));
        if (is_no_serial(n) || n.empty()) return "";
        if (!key_exists(m_db, "ENC_AS", "ENC_AS1", {m_business, n})) return n;
    }
    return "";
}

void ContaTransaction::post_link(const std::string& link, const Decimal& amount,
                                 const std::string& currency, const Decimal& rate,
                                 const std::string& description, bool reverse) {
    post_through(link, amount, currency, rate, description,
                 [reverse](int tipo) { return (tipo == 1) != reverse; });
}

void ContaTransaction::post_link_side(const std::string& link, const Decimal& debit,
                                      const Decimal& credit, const std::string& currency,
                                      const Decimal& rate, const std::string& description) {
    post_through(link, debit - credit, currency, rate, description, [](int) { return true; });
}

template <class Side>
void ContaTransaction::post_through(const std::string& link_code, const Decimal& amount,
                                    const std::string& currency, const Decimal& rate,
                                    const std::string& description, Side debit_side) {
    const Decimal a = round2(amount);
    if (!ok() || m_closed || a.sign() == 0) return;
    const Link& l = link(link_code);
    std::string account = kMissingAccount, account2 = kMissingAccount;
    bool debit = true, debit2 = true;  // a missing link: the amount as a debit (credit if < 0)
    if (l.found) {
        account = l.account;
        account2 = l.account2;
        debit = debit_side(l.side);
        debit2 = debit_side(l.side2);
    }
    const bool principal = m_books != Books::Replicated, replicated = m_books != Books::Principal;
    if (principal) {
        const long index = debit ? post_line(account, a, Decimal(0), currency, rate, description)
                                 : post_line(account, Decimal(0), a, currency, rate, description);
        // The link's distribution over analysis dimensions, on the same side.
        for (const auto& [dimension, value, pct] : l.shares) {
            const Decimal part = round2(a * pct / Decimal(100));
            post_analysis(dimension, value, debit ? part : Decimal(0), debit ? Decimal(0) : part,
                          index);
        }
    }
    if (replicated) {
        if (debit2)
            post_line(account2, a, Decimal(0), currency, rate, description);
        else
            post_line(account2, Decimal(0), a, currency, rate, description);
    }
}

const ContaTransaction::Link& ContaTransaction::link(const std::string& code) {
    const auto at = m_links.find(code);
    if (at != m_links.end()) return at->second;
    Link l;
    data::Table t = data::USE(m_db, "LIGAS", "LIGAS");
    l.found = t->Seek(data::order_key("LIGAS", "LIGAS", {m_business, code}));
    if (l.found) {
        l.account = trim(t->str("CUENTA"));
        l.account2 = trim(t->str("CUENTA2"));
        if (l.account.empty()) {
            l.account = trim(code);
            l.account2 = trim(code) + "R";
        }
        l.side = static_cast<int>(t->num("TIPO").to_int());
        l.side2 = static_cast<int>(t->num("TIPO2").to_int());
    }
    data::KILLTABLA(m_db, t);
    if (l.found) {
        data::Table d = data::USE(m_db, "DET_LIGA", "DET_LIGA");
        const std::string key = data::order_key("DET_LIGA", "DET_LIGA", {m_business, code});
        d->SetScope(key, key);
        for (d->GoTop(); !d->Eof(); d->Skip())
            if (d->num("PORCENT").sign() != 0)
                l.shares.emplace_back(trim(d->str("C_ANALIZA")), trim(d->str("CODIGO")),
                                      d->num("PORCENT"));
        data::KILLTABLA(m_db, d);
    }
    return m_links.emplace(code, std::move(l)).first->second;
}

long ContaTransaction::post_line(const std::string& account, const Decimal& debit,
                                 const Decimal& credit, const std::string& currency,
                                 const Decimal& rate, const std::string& description,
                                 const LineTags& tags) {
    if (!ok() || m_closed) return 0;
    Decimal d = round2(debit), c = round2(credit);
    // A negative side is the other side.
    if (d.sign() < 0) {
        c = c - d;
        d = Decimal(0);
    }
    if (c.sign() < 0) {
        d = d - c;
        c = Decimal(0);
    }
    if (d.sign() == 0 && c.sign() == 0) return 0;
    Decimal rate2(0);
    if (!m_second.empty()) rate2 = CAMBIO_SPEC(m_db, m_business, m_second, currency, m_date);
    data::Table t = data::USE(m_db, "DET_AS", "DET_AS5");
    long index = 0;
    if (m_indexes) {
        // The first index not used yet in the voucher: the last one of its lines plus one.
        const std::string key = data::order_key("DET_AS", "DET_AS5", {m_business, m_voucher});
        t->SetScope(key, key);
        t->GoBottom();
        index = t->Eof() ? 1 : t->num("INDEX_N").to_int() + 1;
        t->SetScope("", "");
    }
    data::ADD_NEW_REC(*t);
    t->FieldPut("NEGOCIO", m_business);
    t->FieldPut("MOVIMIENTO", m_voucher);
    t->FieldPut("FECHA", m_date);
    t->FieldPut("INDEX_N", Decimal(index));
    t->FieldPut("CUENTA", account);
    t->FieldPut("DEBITO", d);
    t->FieldPut("CREDITO", c);
    t->FieldPut("MONEDA", currency);
    t->FieldPut("T_CAMBIO", rate);
    t->FieldPut("T_CAMBIO2", rate2);
    t->FieldPut("DESCRIP", description);
    t->FieldPut("DESCRIP2", tags.description2);
    t->FieldPut("C_COSTO", tags.cost_centre);
    t->FieldPut("EJE", tags.axis);
    t->FieldPut("PARTIDA", tags.item);
    t->FieldPut("DOCUMENTO", m_document);
    t->FieldPut("PROCESADO", std::string("N"));
    const long recno = t->RecNo();
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(m_db, t);
    Totals& tot = m_totals[currency];
    tot.debit = tot.debit + d;
    tot.credit = tot.credit + c;
    tot.last = {recno, d.sign() != 0};
    return index;
}

void ContaTransaction::post_analysis(const std::string& dimension, const std::string& value,
                                     const Decimal& debit, const Decimal& credit, long index) {
    if (!ok() || m_closed) return;
    data::Table t = data::USE(m_db, "DET_AS2", "DET_AS2");
    data::ADD_NEW_REC(*t);
    t->FieldPut("NEGOCIO", m_business);
    t->FieldPut("MOVIMIENTO", m_voucher);
    t->FieldPut("INDEX_N", Decimal(index));
    t->FieldPut("C_ANALIZA", dimension);
    t->FieldPut("CODIGO", value);
    t->FieldPut("DEBITO", round2(debit));
    t->FieldPut("CREDITO", round2(credit));
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(m_db, t);
}

void ContaTransaction::plug(Totals& t) {
    const Decimal diff = t.debit - t.credit;
    if (diff.sign() == 0 || diff.abs() >= kPlugLimit || t.last.recno == 0) return;
    data::Table d = data::USE(m_db, "DET_AS", "DET_AS1");
    d->GoTo(t.last.recno);
    data::LOCK_FOR_MODIFY(*d);
    if (t.last.debit) {
        d->FieldPut("DEBITO", d->num("DEBITO") - diff);
        t.debit = t.debit - diff;
    } else {
        d->FieldPut("CREDITO", d->num("CREDITO") + diff);
        t.credit = t.credit + diff;
    }
    data::UNLOCK_FOR_MODIFY(*d);
    data::KILLTABLA(m_db, d);
}

void ContaTransaction::mark_balance() {
    bool balanced = true;
    for (const auto& entry : m_totals)
        balanced = balanced && entry.second.debit == entry.second.credit;
    if (balanced) return;  // the voucher stays as the other operations left it
    // Every operation adds balanced or plugged lines, or marks the voucher: it is out of balance
    // once any of them was, whichever closes last. Marked under the header's lock, so two
    // workstations closing at once both leave their mark; nothing clears it but the accountant.
    data::Table h = data::USE(m_db, "ENC_AS", "ENC_AS1");
    if (lock_at_key(*h, data::order_key("ENC_AS", "ENC_AS1", {m_business, m_voucher}))) {
        h->FieldPut("CIERRA", Decimal(0));
        data::UNLOCK_FOR_MODIFY(*h);
    }
    data::KILLTABLA(m_db, h);
}

void ContaTransaction::close() {
    if (!ok() || m_closed) return;
    for (auto& entry : m_totals) plug(entry.second);
    mark_balance();
    m_closed = true;
}

std::pair<Decimal, Decimal> ContaTransaction::totals(const std::string& currency) const {
    const auto it = m_totals.find(currency);
    if (it == m_totals.end()) return {Decimal(0), Decimal(0)};
    return {it->second.debit, it->second.credit};
}

std::vector<VoucherLine> voucher_lines(data::Db& db, const std::string& business,
                                       const std::string& voucher) {
    std::vector<VoucherLine> out;
    data::Table t = data::USE(db, "DET_AS", "DET_AS1");
    const std::string key = data::order_key("DET_AS", "DET_AS1", {business, voucher});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip())
        out.push_back({trim(t->str("CUENTA")), trim(t->str("MONEDA")), trim(t->str("DESCRIP")),
                       trim(t->str("DOCUMENTO")), t->num("DEBITO"), t->num("CREDITO"),
                       t->num("T_CAMBIO")});
    data::KILLTABLA(db, t);
    return out;
}

std::vector<CurrencyTotals> voucher_totals(const std::vector<VoucherLine>& lines) {
    std::map<std::string, CurrencyTotals> by;
    for (const auto& l : lines) {
        auto& t = by[l.currency];
        t.currency = l.currency;
        t.debit += l.debit;
        t.credit += l.credit;
    }
    std::vector<CurrencyTotals> out;
    for (auto& [c, t] : by) out.push_back(t);
    return out;
}

bool check_mayorizar(data::Db& db, UserPort& port, const std::string& business, const Date& d) {
    if (d.empty()) return refuse(port, "La fecha digitada es inválida");
    const PeriodSettings period = read_period_settings(db, business);
    if (!period.current) return true;
    const int year = period.current->year, month = period.current->month;
    const bool one_voucher = period.one_voucher;
    const char* title = nullptr;
    if (d.year() < year)
        title = "Error 2";
    else if (d.year() == year && d.month() < month)
        title = "Error 3";
    else if (d.year() == year && d.month() == month && one_voucher)
        title = "Error 1";
    if (!title) return true;
    port.message(MsgStyle::Error, title,
                 "La Fecha de la Operación contablemente se encuentra cerrada\rPeriodo Contable "
                 "Actual Mes:" +
                     std::to_string(month) + " Año:" + std::to_string(year) +
                     "\rPeriodo Operación Mes:" + std::to_string(d.month()) +
                     " Año:" + std::to_string(d.year()));
    return false;
}

LinkCheck check_liga(data::Db& db, UserPort& port, const std::string& business,
                     const std::string& link) {
    LinkCheck out;
    data::Table t = data::USE(db, "LIGAS", "LIGAS");
    const bool found = t->Seek(data::order_key("LIGAS", "LIGAS", {business, link}));
    if (found) {
        out.description = trim(t->str("DESCRIP"));
        out.account = trim(t->str("CUENTA"));
    }
    data::KILLTABLA(db, t);
    if (!found) {
        refuse(port, "La Liga Contable " + trim(link) +
                         " no está definida en la Tabla de Ligas Contables");
        return out;
    }
    if (!key_exists(db, "CUENTAS", "CUENTAS", {business, out.account})) {
        refuse(port, "La Cuenta Contable (" + out.account + ") asociada a la liga contable\r" +
                         out.description + " no está definida en el catálogo de cuentas");
        return out;
    }
    out.valid = true;
    return out;
}

}  // namespace qz::domain
