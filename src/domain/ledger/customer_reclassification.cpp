#include "domain/ledger/customer_reclassification.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/rates.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

struct Settings {
    bool posts = false;
    std::string transfer_link;        // F_FAC LIGA_AI
    std::string accounting_currency;  // NEGOCIOS MONEDA_CON
};

Settings read_settings(data::Db& db, const std::string& business) {
    Settings s;
    data::Table f = data::USE(db, "F_FAC", "F_FAC");
    if (f->Seek(data::order_key("F_FAC", "F_FAC", {business}))) {
        s.posts = f->num("AFECTA_CON") == 1 && f->num("ACT_INACT") == 1;
        s.transfer_link = trim(f->str("LIGA_AI"));
    }
    data::KILLTABLA(db, f);
    data::Table n = data::USE(db, "NEGOCIOS", "NEGOCIOS");
    if (n->Seek(data::order_key("NEGOCIOS", "NEGOCIOS", {business})))
        s.accounting_currency = trim(n->str("MONEDA_CON"));
    data::KILLTABLA(db, n);
    return s;
}

// The concept's receivable and complementary links when it keeps a complementary account.
struct ConceptLinks {
    std::string receivable, complement;
};
std::optional<ConceptLinks> complement_links(data::Db& db, const std::string& business,
                                             const std::string& doc_concept) {
    data::Table c = data::USE(db, "CONCEPT1", "CONCEPT1");
    std::optional<ConceptLinks> out;
    if (c->Seek(data::order_key("CONCEPT1", "CONCEPT1", {business, doc_concept})) &&
        c->num("COMPLEMENT") == 1)
        out = ConceptLinks{trim(c->str("ASIENTO4")), trim(c->str("CXC_COMPL"))};
    data::KILLTABLA(db, c);
    return out;
}

}  // namespace

int post_customer_reclassification(data::Db& db, const std::string& business,
                                   const customers::StatusChange& change,
                                   const JournalStamp& stamp) {
    const Settings s = read_settings(db, business);
    if (!s.posts) return 0;
    const Date today = db.clock().now().date;
    ContaTransaction conta(db, business, "03", today, "CL:" + change.customer, stamp);
    // Activation undoes what the deactivation posted: every side turns over.
    const bool activation = !change.was_active;
    const std::string prefix = activation ? "IA" : "AC";
    int lines = 0;
    data::Table d = data::USE(db, "DOCUMENT", "DOCUMEN13");
    const std::string key =
        data::order_key("DOCUMENT", "DOCUMEN13", {business, "0", change.customer});
    d->SetScope(key, key);
    for (d->GoTop(); !d->Eof(); d->Skip()) {
        const auto links = complement_links(db, business, trim(d->str("CONCEPTO")));
        if (!links) continue;
        const Decimal balance = d->num("SALDO");
        const Decimal rate =
            CAMBIO_ACT(db, business, s.accounting_currency, trim(d->str("MONEDA")));
        const Decimal own = balance.round(2), converted = (balance * rate).round(2);
        const std::string doc = trim(d->str("DOCUMENTO"));
        const std::string& cur = s.accounting_currency;
        conta.post_link(links->receivable, own, cur, Decimal(1), prefix + doc + " " + change.name,
                        !activation);
        conta.post_link(links->complement, (balance * rate - own).round(2), cur, Decimal(1),
                        prefix + doc + " Compl: " + change.name, !activation);
        conta.post_link(s.transfer_link, converted, cur, Decimal(1),
                        prefix + doc + " TRNS: " + change.name, activation);
        lines += 3;
    }
    data::KILLTABLA(db, d);
    conta.close();
    return lines;
}

}  // namespace qz::domain
