#include "domain/ledger/revaluation.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/exchange_difference.h"
#include "domain/ledger/rates.h"
#include "domain/session/keys.h"

namespace qz::domain {

namespace {

std::string accounting_currency(data::Db& db, const std::string& business) {
    data::Table n = data::USE(db, "NEGOCIOS", "NEGOCIOS");
    std::string code;
    if (n->Seek(keys::business(business))) code = trim(n->str("MONEDA_CON"));
    data::KILLTABLA(db, n);
    return code;
}

void add_totals(RevaluationListing& out, const RevaluationLine& l) {
    out.balance += l.balance;
    out.adjusted += l.adjusted;
    out.valued += l.valued;
    out.pending += l.pending;
}

}  // namespace

std::string check_revaluation_request(const RevaluationRequest& r) {
    if (trim(r.currency).empty()) return "Falta seleccionar la Moneda";
    if (r.from.empty() || r.to.empty() || r.to < r.from)
        return "Debe de digitar correctamente las fechas";
    if (r.rate.sign() <= 0) return "Debe digitar el Tipo de Cambio...";
    return "";
}

Decimal offered_revaluation_rate(data::Db& db, const std::string& business,
                                 const std::string& currency) {
    return CAMBIO_ACT(db, business, accounting_currency(db, business), trim(currency));
}

RevaluationListing revaluation_listing(data::Db& db, const std::string& business,
                                       const RevaluationRequest& r) {
    RevaluationListing out;
    data::UseOptions o;
    o.order = "DOCUMEN4";
    o.read_only = true;
    data::Table d = data::USE(db, "DOCUMENT", o);
    data::Table c = data::USE(db, "CONCEPT1", "CONCEPT1");
    d->SetScope(data::order_key("DOCUMENT", "DOCUMEN4", {business, r.from}),
                data::order_key("DOCUMENT", "DOCUMEN4", {business, r.to}));
    const std::string currency = trim(r.currency);
    for (d->GoTop(); !d->Eof(); d->Skip()) {
        if (trim(d->str("MONEDA")) != currency || d->num("SALDO").is_zero()) continue;
        RevaluationLine l{trim(d->str("DOCUMENTO")), trim(d->str("CONCEPTO")),
                          trim(d->str("CLIENTE")),   trim(d->str("NOM_CLIENT")),
                          d->date("FECHA"),          d->num("SALDO")};
        if (!c->Seek(data::order_key("CONCEPT1", "CONCEPT1", {business, l.concept_code}))) {
            out.problems.push_back("Error en asociacion de Conceptos: Documento: " + l.document);
            continue;
        }
        const Decimal factor(c->num("TIPO") == 1 ? 1 : -1);
        l.last_rate = last_valued_rate(db, business, l.document, d->num("TC_DIFF"));
        l.adjusted = ROUND5(l.balance * l.last_rate);
        l.valued = ROUND5(l.balance * r.rate);
        l.pending = (l.valued - l.adjusted) * factor;
        add_totals(out, l);
        out.lines.push_back(std::move(l));
    }
    data::KILLTABLA(db, c);
    data::KILLTABLA(db, d);
    return out;
}

}  // namespace qz::domain
