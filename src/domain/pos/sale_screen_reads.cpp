#include "domain/pos/sale_screen_reads.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/currencies.h"
#include "domain/ledger/serials.h"
#include "domain/ledger/series_checks.h"
#include "domain/pos/inventory_codes.h"
#include "domain/pos/sale_price_lists.h"

namespace qz::domain::pos {

namespace {

std::vector<CodeName> agents(data::Db& db, const std::string& business) {
    std::vector<CodeName> out;
    for_business_rows(db, "AGENTES", business, [&](const data::WDBTable& t) {
        out.push_back({trim(t.str("CODIGO")), trim(t.str("NOMBRE"))});
    });
    return out;
}

std::string settings_series(data::Db& db, const std::string& business, const char* field) {
    std::string out;
    data::Table t = data::USE(db, "F_FAC", "F_FAC");
    if (t->Seek(data::order_key("F_FAC", "F_FAC", {business}))) out = trim(t->str(field));
    data::KILLTABLA(db, t);
    return out;
}

}  // namespace

SaleChoices LOAD_DATOS(data::Db& db, const std::string& business) {
    SaleChoices out;
    for (const auto& c : business_document_concepts(db, business))
        out.concepts.push_back({c.code, c.name});
    out.agents = agents(db, business);
    for (const auto& c : business_currencies(db, business))
        out.currencies.push_back({c.code, c.name});
    for (const auto& w : business_rows<Warehouse>(db, "BODEGAS", business, warehouse_from_row))
        out.warehouses.push_back({w.code, w.name});
    for (const auto& p : business_rows<PriceType>(db, "ENC_PREC", business, price_type_from_row))
        out.price_types.push_back({p.code, p.name});
    return out;
}

std::string sale_series(data::Db& db, const std::string& business, const SaleMode& mode,
                        const std::optional<DocumentConcept>& concept_def, const IniFile* ini) {
    if (mode.kind == SaleKind::Order && mode.source_mode != kInvoiceFromOrder)
        return settings_series(db, business, "SERIAL_PED");
    if (mode.kind == SaleKind::Proforma && !mode.invoice_like())
        return settings_series(
            db, business, mode.source_mode == kOrderFromProforma ? "SERIAL_PED" : "SERIAL_PRO");
    if (!concept_def) return "";
    const ConceptNumbering n{concept_def->code, concept_def->name, concept_def->series,
                             concept_def->flag("LEE_SERIAL"), concept_def->flag("SERI_LOCAL")};
    const ConceptSeries cs = concept_series(n, ini);
    return cs.typed || !cs.refusal.empty() ? "" : cs.series;
}

std::string preview_number(data::Db& db, const std::string& business, const SaleMode& mode,
                           const std::optional<DocumentConcept>& concept_def, const IniFile* ini) {
    const std::string series = sale_series(db, business, mode, concept_def, ini);
    if (series.empty()) return "";
    const std::string number = trim(GET_CURRENTSERIAL(db, business, series));
    return is_no_serial(number) ? "" : number;
}

std::vector<std::string> stages_calling(data::Db& db, const std::string& business,
                                        const IniFile* ini) {
    std::vector<std::string> out;
    if (!ini) return out;
    data::Table stages = data::USE(db, "ETAPAS_P", "ETAPAS_P1");
    data::Table orders = data::USE(db, "ENC_PED", "DOCUMEN21");
    const std::string all = data::business_key(business);
    stages->SetScope(all, all);
    for (stages->GoTop(); !stages->Eof(); stages->Skip()) {
        const std::string stage = trim(stages->str("CODIGO"));
        if (ini->get("ETAPAS_P", trim(business) + stage) != "1") continue;
        const std::string key = data::order_key("ENC_PED", "DOCUMEN21", {business, stage});
        orders->SetScope(key, key);
        if (orders->KeyCount() > 0) out.push_back(trim(stages->str("SONIDO")));
    }
    data::KILLTABLA(db, orders);
    data::KILLTABLA(db, stages);
    return out;
}

}  // namespace qz::domain::pos
