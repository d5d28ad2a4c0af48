#include "domain/ledger/auto_collection.h"

#include <algorithm>
#include <utility>

#include "core/text.h"
#include "data/order_key.h"
#include "domain/customers/customer_rows.h"
#include "domain/ledger/instalments.h"
#include "domain/ledger/statement_tables.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

// The class characters of DET_CLIE13 (standing order on) and DOCUMEN12 (balance not zero).
const char* const kStandingOrder = "1";
const char* const kOpenDocument = "0";

CollectionRow row_from_document(const data::WDBTable& t) {
    CollectionRow r;
    r.customer = trim(t.str("CLIENTE"));
    r.branch = trim(t.str("SUBCLIENTE"));
    r.name = trim(t.str("NOM_CLIENT"));
    r.document = trim(t.str("DOCUMENTO"));
    r.concept_code = trim(t.str("CONCEPTO"));
    r.currency = trim(t.str("MONEDA"));
    r.amount = t.num("MONTO");
    r.balance = t.num("SALDO");
    r.instalment = t.num("CUOTA");
    return r;
}

}  // namespace

AutoCollection::AutoCollection(data::Db& db, UserPort& port, std::string business)
    : m_db(db), m_port(port), m_business(std::move(business)) {}

bool AutoCollection::refuse(const std::string& text) { return domain::refuse(m_port, text); }

bool AutoCollection::Actualizar(int day, const std::set<std::string>& concepts) {
    if (day < 1 || day > 31) return refuse(kNoDay);
    if (concepts.empty()) return refuse(kNoConcept);
    if (!m_port.confirm("Advertencia", kRefreshQuestion)) return false;
    rebuild(day, concepts);
    return true;
}

void AutoCollection::rebuild(int day, const std::set<std::string>& concepts) {
    m_rows.clear();
    std::vector<std::pair<std::string, std::string>> branches;
    {
        UsedTable br(m_db, "DET_CLIE", "DET_CLIE13");
        const std::string key =
            data::order_key("DET_CLIE", "DET_CLIE13", {m_business, kStandingOrder, day});
        br->SetScope(key, key);
        for (br->GoTop(); !br->Eof(); br->Skip())
            branches.emplace_back(trim(br->str("CLIENTE")), trim(br->str("CODIGO")));
    }
    for (const auto& [customer, branch] : branches) {
        const auto c = customers::read_customer(m_db, m_business, customer);
        if (c && c->active) add_branch_documents(customer, branch, concepts);
    }
}

// The branch's documents with a balance owed of the concepts chosen, each with its next charge.
// A plan every instalment of which is covered while a balance is left charges that balance.
void AutoCollection::add_branch_documents(const std::string& customer, const std::string& branch,
                                          const std::set<std::string>& concepts) {
    std::vector<CollectionRow> found;
    {
        UsedTable doc(m_db, "DOCUMENT", "DOCUMEN12");
        const std::string key =
            data::order_key("DOCUMENT", "DOCUMEN12", {m_business, kOpenDocument, customer, branch});
        doc->SetScope(key, key);
        for (doc->GoTop(); !doc->Eof(); doc->Skip()) {
            if (doc->num("SALDO").sign() <= 0) continue;
            if (!concepts.count(trim(doc->str("CONCEPTO")))) continue;
            found.push_back(row_from_document(*doc));
        }
    }
    for (auto& r : found) {
        const auto d = read_instalment_document(m_db, m_business, r.document);
        const auto next = d ? next_charge(*d) : std::nullopt;
        r.principal = next ? next->principal : r.balance;
        r.interest = next ? next->interest : Decimal();
        m_rows.push_back(std::move(r));
    }
}

bool AutoCollection::toggle_mark(size_t index) {
    if (index >= m_rows.size()) return refuse(kNoRowSelected);
    CollectionRow& r = m_rows[index];
    if (!r.marked && !r.whole_instalment()) return refuse(kWholeInstalments);
    r.marked = !r.marked;
    return true;
}

bool AutoCollection::change_row(std::optional<size_t> index, const std::string& charge_code,
                                const Decimal& principal, const Decimal& interest) {
    if (!index || *index >= m_rows.size()) return refuse(kNoRowSelected);
    if (principal.sign() < 0 || interest.sign() < 0)
        return refuse("El monto a aplicar no puede ser negativo");
    CollectionRow& r = m_rows[*index];
    r.charge_code = trim(charge_code);
    r.principal = principal.round(2);
    r.interest = interest.round(2);
    r.instalment = r.charge();
    return true;
}

CollectionTotals AutoCollection::totals() const {
    CollectionTotals t;
    for (const auto& r : m_rows) {
        (r.marked ? t.applied_rows : t.pending_rows) += 1;
        (r.marked ? t.applied : t.pending) += r.charge();
    }
    return t;
}

std::vector<size_t> AutoCollection::marked() const {
    std::vector<size_t> out;
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].marked) out.push_back(i);
    return out;
}

void AutoCollection::remove_rows(const std::vector<size_t>& indexes) {
    std::vector<size_t> sorted = indexes;
    std::sort(sorted.rbegin(), sorted.rend());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    for (size_t i : sorted)
        if (i < m_rows.size()) m_rows.erase(m_rows.begin() + static_cast<long>(i));
}

}  // namespace qz::domain
