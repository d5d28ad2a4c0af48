#include "domain/ledger/document_service.h"

#include <utility>
#include <vector>

#include "core/stamp.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/ledger/collection_entry.h"
#include "domain/ledger/concepts.h"
#include "domain/ledger/ledger_settings.h"
#include "domain/ledger/rates.h"
#include "domain/ledger/serials.h"
#include "domain/ledger/series_checks.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

constexpr const char* kCreateFailed =
    "No se pudo crear el documento.  Por favor vuelva a intentar...";
// A series whose next numbers are all taken by typed documents is not drawn from forever.
constexpr int kMaxDraws = 1000;

bool document_exists(data::Db& db, const std::string& business, const std::string& number) {
    return key_exists(db, "DOCUMENT", "DOCUMENT", {business, number});
}

// What annul mode takes from the document it annuls.
struct Annulled {
    std::string number, concept_code;
    Decimal amount;
};

// Everything NEW_DOC settles before it writes: a refusal here leaves the data untouched.
struct Plan {
    NewDocument d;
    DocumentConcept concept_def;  // the concept of the new document
    DocumentConcept posting_def;  // the concept its postings follow (the annulled one's)
    std::string series;           // blank: the number is given
    Decimal rate;                 // TC_DIFF
    std::optional<Annulled> annulled;
    std::vector<TermRow> terms;  // the concept's term plan when it has instalments
};

}  // namespace

std::optional<std::string> suffixed_number(const std::string& number, const std::string& suffix) {
    std::string out = trim(number) + suffix;
    if (out.size() > static_cast<size_t>(kDocumentNumberWidth)) return std::nullopt;
    return out;
}

GEN_DOC::GEN_DOC(data::Db& db, UserPort& port, std::string business, ContaTransaction* conta)
    : m_db(db), m_port(port), m_business(std::move(business)), m_conta(conta) {}

namespace {

class Creation {
public:
    Creation(data::Db& db, UserPort& port, std::string business, ContaTransaction* conta,
             const IniFile* ini, GEN_DOC::Cache& cache)
        : m_db(db),
          m_port(port),
          m_business(std::move(business)),
          m_conta(conta),
          m_ini(ini),
          m_cache(cache) {}

    std::optional<Plan> prepare(const NewDocument& in);
    std::optional<std::string> write(const Plan& p);

private:
    bool refuse(const std::string& text) {
        domain::refuse(m_port, text);
        return false;
    }
    const std::optional<DocumentConcept>& concept_def(const std::string& code);
    const std::vector<TermRow>& terms(const std::string& code);
    bool take_annulled(Plan& p);
    bool settle_number(Plan& p);
    bool settle_rate(Plan& p);
    std::optional<std::string> draw_number(const Plan& p);
    void append_document(const Plan& p, const std::string& number, const DateTime& now);
    void append_extra_header(const std::string& number);
    void append_instalments(const Plan& p, const std::string& number);
    void mark_annulled(const Plan& p, const std::string& number, const DateTime& now);
    void post(const Plan& p, const std::string& number, ContaTransaction& conta);

    data::Db& m_db;
    UserPort& m_port;
    std::string m_business;
    ContaTransaction* m_conta;
    const IniFile* m_ini;
    GEN_DOC::Cache& m_cache;
    LedgerSettings m_settings;
};

const std::optional<DocumentConcept>& Creation::concept_def(const std::string& code) {
    auto it = m_cache.concepts.find(code);
    if (it == m_cache.concepts.end())
        it = m_cache.concepts.emplace(code, read_document_concept(m_db, m_business, code)).first;
    return it->second;
}

const std::vector<TermRow>& Creation::terms(const std::string& code) {
    auto it = m_cache.terms.find(code);
    if (it == m_cache.terms.end())
        it = m_cache.terms.emplace(code, read_term_plan(m_db, m_business, code)).first;
    return it->second;
}

bool Creation::take_annulled(Plan& p) {
    data::Table t = data::USE(m_db, "DOCUMENT", "DOCUMENT");
    const bool found =
        t->Seek(data::order_key("DOCUMENT", "DOCUMENT", {m_business, trim(p.d.number)}));
    Annulled a;
    bool already = false;
    if (found) {
        a.number = trim(t->str("DOCUMENTO"));
        a.concept_code = trim(t->str("CONCEPTO"));
        a.amount = t->num("MONTO");
        p.d.cash_register = trim(t->str("CAJA"));
        p.d.customer = trim(t->str("CLIENTE"));
        p.d.customer_name = trim(t->str("NOM_CLIENT"));
        p.d.branch = trim(t->str("SUBCLIENTE"));
        p.d.agent = trim(t->str("AGENTE"));
        p.d.currency = trim(t->str("MONEDA"));
        already = !trim(t->str("ANULADO")).empty();
    }
    data::KILLTABLA(m_db, t);
    if (!found) return refuse("El documento " + trim(p.d.number) + " no existe");
    if (already) return refuse("Este documento ya se encuentra anulado");
    const auto& original = concept_def(a.concept_code);
    if (!original) return refuse("El concepto " + a.concept_code + " no está definido");
    p.posting_def = *original;
    p.d.concept_code = trim(original->opposite);
    if (p.d.amount.is_zero()) p.d.amount = a.amount;
    const auto mirror = suffixed_number(a.number, "-A");
    if (!mirror)
        return refuse("El número de anulación de " + a.number + " no cabe en 15 caracteres");
    if (document_exists(m_db, m_business, *mirror))
        return refuse("El documento de anulación " + *mirror + " ya existe");
    p.d.number = *mirror;
    p.annulled = a;
    return true;
}

bool Creation::settle_number(Plan& p) {
    if (!trim(p.d.number).empty()) return true;
    const ConceptNumbering n{p.concept_def.code, p.concept_def.name, p.concept_def.series,
                             p.concept_def.flag("LEE_SERIAL"), p.concept_def.flag("SERI_LOCAL")};
    ConceptSeries cs = concept_series(n, m_ini);
    if (cs.typed) return refuse(no_series_message(p.concept_def.name));
    if (!cs.refusal.empty()) return refuse(cs.refusal);
    if (auto why = check_before_drawing(m_db, m_business, cs.series, p.concept_def.name);
        !why.empty())
        return refuse(why);
    p.series = cs.series;
    return true;
}

bool Creation::settle_rate(Plan& p) {
    const std::string& acc = m_settings.accounting_currency;
    if (acc.empty() || acc == p.d.currency) {
        p.rate = Decimal(1);
        return true;
    }
    // A document valued at rate 0 would post nothing and revalue wrongly at every payment.
    const RequiredRate r = required_rate(m_db, m_business, acc, p.d.currency, p.d.date);
    if (!r) return refuse(r.problem);
    p.rate = r.factor;
    return true;
}

std::optional<Plan> Creation::prepare(const NewDocument& in) {
    if (!m_cache.settings) m_cache.settings = read_ledger_settings(m_db, m_business);
    m_settings = *m_cache.settings;
    Plan p;
    p.d = in;
    p.d.concept_code = trim(p.d.concept_code);
    p.d.currency = trim(p.d.currency);
    if (p.d.time.empty()) p.d.time = m_db.clock().now().time;
    if (p.d.annul && !take_annulled(p)) return std::nullopt;
    const auto& c = concept_def(p.d.concept_code);
    if (!c) {
        refuse(p.d.annul ? "El concepto de Anulación " + p.d.concept_code + " no está definido"
                         : "El concepto " + p.d.concept_code + " no está definido");
        return std::nullopt;
    }
    p.concept_def = *c;
    if (!p.d.annul) p.posting_def = *c;
    if (p.d.currency.empty()) p.d.currency = m_settings.accounting_currency;
    if (p.d.amount.sign() < 0) {
        refuse("El monto del documento no puede ser negativo");
        return std::nullopt;
    }
    if (!settle_number(p) || !settle_rate(p)) return std::nullopt;
    if (!p.d.annul && c->flag("CUOTAS")) p.terms = terms(c->code);
    return p;
}

// The number under the series lock (held to the end of the transaction) or the given number
// with the first free "-2", "-3", … suffix.
std::optional<std::string> Creation::draw_number(const Plan& p) {
    if (p.series.empty()) {
        const std::string given = trim(p.d.number);
        if (!document_exists(m_db, m_business, given)) return given;
        for (int k = 2; k < kMaxDraws; ++k) {
            const auto n = suffixed_number(given, "-" + std::to_string(k));
            if (!n) break;
            if (!document_exists(m_db, m_business, *n)) return n;
        }
        refuse("El documento " + given + " ya existe y no admite otro sufijo");
        return std::nullopt;
    }
    data::Table series = data::USE(m_db, "SERIALES", "SERIALES");
    std::optional<std::string> out;
    for (int i = 0; i < kMaxDraws && !out; ++i) {
        const std::string n = trim(GET_NXSERIAL(m_db, m_business, p.series, series.get()));
        if (is_no_serial(n)) break;
        if (!document_exists(m_db, m_business, n)) out = n;
    }
    data::KILLTABLA(m_db, series);
    if (!out) refuse(no_series_message(p.concept_def.name));
    return out;
}

void Creation::append_document(const Plan& p, const std::string& number, const DateTime& now) {
    const NewDocument& d = p.d;
    const int term = d.term_days.value_or(p.concept_def.term_days);
    data::Table t = data::USE(m_db, "DOCUMENT", "DOCUMENT");
    data::ADD_NEW_REC(*t);
    t->FieldPut("NEGOCIO", m_business);
    t->FieldPut("CAJA", d.cash_register);
    t->FieldPut("CLIENTE", d.customer);
    t->FieldPut("NOM_CLIENT", d.customer_name);
    t->FieldPut("SUBCLIENTE", d.branch);
    t->FieldPut("DOCUMENTO", number);
    t->FieldPut("MODULO", std::string("4"));
    t->FieldPut("FECHA", d.date);
    t->FieldPut("HORA", d.time);
    t->FieldPut("BRUTO", d.amount);
    t->FieldPut("MONTO", d.amount);
    t->FieldPut("SALDO_ORIG", d.amount);
    // An annulment carries no balance of its own: it and the document it annuls are both closed.
    t->FieldPut("SALDO", p.annulled ? Decimal() : d.amount);
    t->FieldPut("VENCE", p.annulled ? d.date : d.date + term);
    t->FieldPut("CONCEPTO", p.concept_def.code);
    t->FieldPut("AGENTE", d.agent);
    t->FieldPut("MONEDA", d.currency);
    t->FieldPut("DESCRIP", d.description);
    t->FieldPut("COD_DIFF", p.concept_def.diff_type);
    t->FieldPut("TC_DIFF", p.rate);
    t->FieldPut("I_MORA", p.concept_def.late_rate);
    t->FieldPut("ETAPA_COB",
                collection_stage(branch_collection_stage(m_db, m_business, d.customer, d.branch),
                                 p.concept_def, m_settings));
    t->FieldPut("COMPRA", d.purchase);
    t->FieldPut("C_COSTO", d.cost_centre);
    if (p.annulled) {
        t->FieldPut("ANULADO", number);
        t->FieldPut("F_ANULA", d.date);
        t->FieldPut("H_ANULA", now.time);
    }
    t->FieldPut("USUARIO", m_db.XUSER_ABREVIA);
    t->FieldPut("INFO_USER", info_user(now));
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(m_db, t);
}

void Creation::append_extra_header(const std::string& number) {
    data::Table t = data::USE(m_db, "ENC_DOC2", "ENC_DOC2");
    data::ADD_NEW_REC(*t);
    t->FieldPut("NEGOCIO", m_business);
    t->FieldPut("DOCUMENTO", number);
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(m_db, t);
}

// One row due on VENCE for the whole amount, or one per row of the concept's term plan: the
// share of the amount (the last row takes what rounding left) and its interest at the row's rate.
void Creation::append_instalments(const Plan& p, const std::string& number) {
    struct Row {
        Date due;
        Decimal amount, interest;
    };
    std::vector<Row> rows;
    const int term = p.d.term_days.value_or(p.concept_def.term_days);
    if (p.terms.empty() || p.annulled) {
        rows.push_back({p.annulled ? p.d.date : p.d.date + term, p.d.amount, Decimal()});
    } else {
        Decimal left = p.d.amount;
        for (size_t i = 0; i < p.terms.size(); ++i) {
            const TermRow& r = p.terms[i];
            const Decimal share =
                i + 1 == p.terms.size() ? left : (p.d.amount * r.percent / 100).round(2);
            left -= share;
            rows.push_back({p.d.date + r.days, share, (share * r.interest / 100).round(2)});
        }
    }
    data::Table t = data::USE(m_db, "DOC_PARC", "DOC_PARC");
    for (const Row& r : rows) {
        data::ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", m_business);
        t->FieldPut("DOCUMENTO", number);
        t->FieldPut("FECHA", r.due);
        t->FieldPut("MONTO", r.amount);
        t->FieldPut("INTERES", r.interest);
        data::UNLOCK_NEW_REC(*t);
    }
    data::KILLTABLA(m_db, t);
}

void Creation::mark_annulled(const Plan& p, const std::string& number, const DateTime& now) {
    data::Table t = data::USE(m_db, "DOCUMENT", "DOCUMENT");
    if (lock_at_key(*t,
                    data::order_key("DOCUMENT", "DOCUMENT", {m_business, p.annulled->number}))) {
        t->FieldPut("SALDO", Decimal());
        t->FieldPut("DESCRIP", "DOCUMENTO ANULADO CON: " + number);
        t->FieldPut("ANULADO", number);
        t->FieldPut("F_ANULA", p.d.date);
        t->FieldPut("H_ANULA", now.time);
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(m_db, t);
}

// The receivable against the concept's counter-account, each on its link's natural side. A
// credit concept turns both lines over: the same links then credit the receivable and debit
// the counter-account. An annulment
// posts the annulled document's lines with the sign turned.
void Creation::post(const Plan& p, const std::string& number, ContaTransaction& conta) {
    const DocumentConcept& c = p.posting_def;
    const int s = p.annulled ? -1 : 1;
    const bool reverse = c.debit == 0;
    const std::string& receivable = c.links[2];  // ASIENTO4
    const std::string& counter = c.links[0];     // ASIENTO2
    const std::string& complement = c.links[5];  // CXC_COMPL
    const std::string& acc = m_settings.accounting_currency;
    const std::string counter_label =
        (c.debit == 0 ? "NC: " : "ND: ") + number + " " + p.d.customer_name;
    conta.set_books(static_cast<Books>(c.books));
    const Decimal amount = p.d.amount * s;
    if (!c.flag("COMPLEMENT")) {
        conta.post_link(receivable, amount, p.d.currency, p.rate,
                        "(T)CxC: " + number + " " + p.d.customer_name, reverse);
        conta.post_link(counter, amount, p.d.currency, p.rate, counter_label, reverse);
    } else {
        const Decimal nominal = p.d.amount.round(2), valued = (p.d.amount * p.rate).round(2);
        conta.post_link(receivable, nominal * s, acc, Decimal(1),
                        "(T)CxC: " + number + " " + p.d.customer_name, reverse);
        conta.post_link(complement, (valued - nominal) * s, acc, Decimal(1),
                        "(C)CxC: " + number + " " + p.d.customer_name, reverse);
        conta.post_link(counter, valued * s, acc, Decimal(1), counter_label, reverse);
    }
    conta.set_books(Books::Principal);
}

std::optional<std::string> Creation::write(const Plan& p) {
    const DateTime now = m_db.clock().now();
    const auto number = draw_number(p);
    if (!number) return std::nullopt;
    append_document(p, *number, now);
    append_extra_header(*number);
    append_instalments(p, *number);
    if (p.annulled) mark_annulled(p, *number, now);
    if (m_settings.posts && !p.d.caller_posts) {
        if (m_conta) {
            post(p, *number, *m_conta);
        } else {
            ContaTransaction conta(m_db, m_business, "02", p.d.date, *number,
                                   {m_db.XUSER_ABREVIA, info_user(now)});
            post(p, *number, conta);
            conta.close();
        }
    }
    return number;
}

}  // namespace

std::optional<std::string> GEN_DOC::NEW_DOC(const NewDocument& d) {
    Creation c(m_db, m_port, m_business, m_conta, m_ini, m_cache);
    const auto plan = c.prepare(d);
    if (!plan) return std::nullopt;
    // Inside the caller's transaction a failure belongs to the caller, who rolls back all of
    // its operation; on its own the creation rolls back and says so.
    const bool own = m_db.tx_depth == 0;
    try {
        data::Transaction tx(m_db);
        auto number = c.write(*plan);
        if (!number) return std::nullopt;  // rolls back the numbers drawn
        tx.commit();
        return number;
    } catch (const data::TransactionAborted&) {
        if (!own) throw;
        domain::refuse(m_port, kCreateFailed);
        return std::nullopt;
    }
}

}  // namespace qz::domain
