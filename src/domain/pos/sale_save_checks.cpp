// The checks of a sale before its save writes anything: the typed header and its codes, the
// tenders against the amount paid, the customer, the accounting period and links, and the number
// series that must give the sale its numbers. Each refusal is told in the system's words and
// leaves the sale on the screen as it was typed.
#include <map>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/customers/customer_rows.h"
#include "domain/ledger/document_reads.h"
#include "domain/ledger/journal.h"
#include "domain/ledger/series_checks.h"
#include "domain/pos/sale_credit_check.h"
#include "domain/pos/sale_save_run.h"
#include "domain/session/master_rows.h"

namespace qz::domain::pos {

namespace {

constexpr int kOldestYear = 1950;

bool code_exists(SaleRun& r, const char* table, const std::string& code) {
    return !normal_code(code).empty() &&
           key_exists(r.db, table, table, {r.business, normal_code(code)});
}

std::string badly_defined(const char* item) {
    return std::string("El item ") + item + " se encuentra mal definido...";
}

// Step 3: every code of the header names a row; the concept is read once here for every later
// step.
bool check_codes(SaleRun& r) {
    const SaleHeader& h = r.draft.header();
    const std::string customer = normal_code(h.customer);
    if (customer.empty() || !(r.customer = customers::read_customer(r.db, r.business, customer)))
        return r.refuse(badly_defined("Cliente"));
    auto c = read_document_concept(r.db, r.business, normal_code(h.doc_concept));
    if (!c) return r.refuse(badly_defined("Concepto"));
    r.concept_def = std::move(*c);
    if (!code_exists(r, "MONEDAS", h.currency)) return r.refuse(badly_defined("Moneda"));
    if (!r.with_lines()) return true;
    if (!code_exists(r, "AGENTES", h.agent)) return r.refuse(badly_defined("Agente"));
    if (!code_exists(r, "BODEGAS", h.warehouse)) return r.refuse(badly_defined("Bodega"));
    if (!code_exists(r, "ENC_PREC", h.price_type)) return r.refuse(badly_defined("Tipo de Precio"));
    return true;
}

bool check_register(SaleRun& r) {
    if (!r.draft.mode().invoice_like()) return true;
    if (trim(r.ctx.register_code).empty())
        return r.refuse(r.ctx.restaurant ? "No hay Caja Abierta..."
                                         : "Debe abrir primero una caja");
    if (trim(r.ctx.operator_code).empty()) return r.refuse("Debe asociar un Digitador");
    return true;
}

// The first stage in code order of `order`'s scope `key` that `take` accepts.
std::string first_stage(SaleRun& r, const char* table, const char* order, const std::string& key,
                        bool (*take)(const data::WDBTable&)) {
    data::UseOptions o;
    o.order = order;
    o.read_only = true;
    data::Table t = data::USE(r.db, table, o);
    t->SetScope(key, key);
    std::string stage;
    for (t->GoTop(); !t->Eof() && stage.empty(); t->Skip())
        if (take(*t)) stage = trim(t->str("CODIGO"));
    data::KILLTABLA(r.db, t);
    return stage;
}

// An order enters the first stage of its credit-control kind (ETAPAS_P2); a proforma the
// first stage marked INICIAL.
std::string first_order_stage(SaleRun& r, long long credit_control) {
    return first_stage(r, "ETAPAS_P", "ETAPAS_P2",
                       data::order_key("ETAPAS_P", "ETAPAS_P2", {r.business, credit_control}),
                       [](const data::WDBTable&) { return true; });
}

std::string first_proforma_stage(SaleRun& r) {
    return first_stage(r, "ETAP_PRO", "ETAP_PRO1", data::business_key(r.business),
                       [](const data::WDBTable& t) { return !t.num("INICIAL").is_zero(); });
}

void settle_stage(SaleRun& r) {
    if (!r.stage.empty()) return;
    if (r.target == SaleTarget::Order) r.stage = first_order_stage(r, r.credit_accepted ? 1 : 0);
    if (r.target == SaleTarget::Proforma) r.stage = first_proforma_stage(r);
}

// Step 9: an instalment plan with amounts must add up to the document.
bool check_plan(SaleRun& r) {
    if (!r.draft.mode().invoice_like()) return true;
    const bool principal = r.concept_def.flag("CUOTAS");
    Decimal sum;
    bool any = false;
    for (const PlanRow& p : r.draft.plan()) {
        const Decimal& a = principal ? p.principal : p.amount;
        if (a.is_zero()) continue;
        any = true;
        sum += a;
    }
    if (!any || sum.round(2) == (r.amount_due() + r.draft.figures().others()).round(2)) return true;
    return r.refuse(
        "Los plazos de Pago no suman el monto total del documento\r"
        "Presione F3 (Plazos Parciales) para corregir la situación");
}

bool check_links(SaleRun& r) {
    if (!r.settings.posts || r.target != SaleTarget::Receivable) return true;
    // ASIENTO2..ASIENTO5 sit at 0..3 of the concept's links.
    const std::vector<size_t> needed =
        r.with_lines() ? std::vector<size_t>{1, 2, 3} : std::vector<size_t>{0, 2};
    for (size_t i : needed)
        if (!check_liga(r.db, r.port, r.business, r.concept_def.links[i]).valid) return false;
    return true;
}

}  // namespace

bool CHECK_TOTS(SaleRun& r) {
    if (!r.draft.mode().invoice_like()) return true;
    for (int round = 0; round < 2; ++round) {
        Decimal sum;
        for (const TenderRow& t : r.used_tenders()) sum += t.amount;
        const char* caption = nullptr;
        if (sum.round(2) != r.paid().round(2))
            caption = "El Abono no concuerda con la Forma de Pago";
        else if (r.paid().round(2) > (r.amount_due() + r.draft.figures().others()).round(2))
            caption = "El Abono es mayor al Monto Facturado";
        if (!caption) return true;
        // The dialog fixes the tenders in place; what it accepted is judged once more.
        if (round == 1 || !r.hooks.take_tenders(caption)) return false;
        r.tenders_taken = true;
    }
    return false;
}

bool CHECK_DATOS(SaleRun& r) {
    const SaleHeader& h = r.draft.header();
    if (r.ctx.date.empty()) return r.refuse("Fecha inválida");
    if (!check_register(r) || !check_codes(r)) return false;
    if (h.name_required && trim(h.contact[kName]).empty()) {
        r.refuse("Debe definirse el Nombre del Cliente...");
        r.hooks.attention_data();
        return false;
    }
    if (!CHECK_TOTS(r)) return false;
    if (r.concept_def.term_days > 0 && h.name_required)
        return r.refuse("No es posible facturar a crédito a un cliente genérico");
    if (r.target != SaleTarget::Proforma && !CHECK_CREDITOS(r)) return false;
    settle_stage(r);
    return check_plan(r) && check_links(r);
}

// PROCESA_FAC's checks before the tender prompt (steps 1 to 7 and 9 to 13).
namespace {

bool check_period(SaleRun& r) {
    const Date& d = r.ctx.date;
    if (r.settings.month_enforced && r.settings.year > 0 && r.settings.month > 0 &&
        d < Date(r.settings.year, r.settings.month, 1))
        return r.refuse("El documento a procesar se encuentra fuera del rango activo del módulo");
    return !r.settings.posts || check_mayorizar(r.db, r.port, r.business, d);
}

// The series documents number from, or the typed number; a series that is missing refuses
// here rather than writing documents numbered "NO_SERIAL!".
bool settle_series(SaleRun& r) {
    const std::string name = r.concept_def.name;
    if (r.target == SaleTarget::Receivable) {
        const ConceptNumbering n{r.concept_def.code, name, r.concept_def.series,
                                 r.concept_def.flag("LEE_SERIAL"),
                                 r.concept_def.flag("SERI_LOCAL")};
        const ConceptSeries cs = concept_series(n, r.ctx.workstation);
        if (cs.typed) {
            if (trim(r.extras.number).empty()) return r.refuse(no_series_message(name));
            return true;
        }
        if (!cs.refusal.empty()) return r.refuse(cs.refusal);
        r.series = cs.series;
    } else {
        r.series = r.target == SaleTarget::Order ? r.settings.sale.order_series
                                                 : r.settings.sale.proforma_series;
        if (r.series.empty()) return r.refuse(no_series_message(name));
    }
    const std::string why = check_before_drawing(r.db, r.business, r.series, name, 0);
    return why.empty() || r.refuse(why);
}

bool check_customer(SaleRun& r) {
    if (r.customer->no_invoice) return r.refuse("No se permite facturar a este Cliente");
    if (!r.customer->active) return r.refuse("Este Cliente se encuentra inactivo");
    return true;
}

bool check_work_order(SaleRun& r) {
    if (r.draft.mode().kind != SaleKind::WorkOrder) return true;
    data::Table t = data::USE(r.db, "ENC_WO", "ENC_WO");
    std::string invoice;
    if (t->Seek(data::order_key("ENC_WO", "ENC_WO", {r.business, r.draft.mode().source_document})))
        invoice = trim(t->str("MOV_CXC"));
    data::KILLTABLA(r.db, t);
    return invoice.empty() ||
           r.refuse("La Work Order ya tiene una factura asociada. Factura: " + invoice);
}

// RECHECK_DATOS: every line through the stock, price and discount checks once more. A check
// that had to mend a line stops the save, so the cashier sees the sale that would be written.
bool recheck_lines(SaleRun& r) {
    if (!r.draft.mode().invoice_like() || !r.with_lines()) return true;
    bool clean = true;
    for (size_t i = 0; i < r.draft.lines().size(); ++i) {
        if (r.draft.lines()[i].empty()) continue;
        clean = r.draft.CHECK_EXISTENCIAS(i) && clean;
        clean = r.draft.CHECK_PRECIO(i) && clean;
        clean = r.draft.CHECK_DESCUENTO(i) && clean;
    }
    return clean;
}

bool check_card(SaleRun& r) {
    if (!r.draft.register_defaults().card_account) return true;
    const auto& card = r.draft.card();
    if (!card || trim(card->agent).empty() || trim(card->identity).empty() ||
        trim(card->name).empty() || card->available.is_zero()) {
        r.hooks.card_capture();
        return false;
    }
    return r.draft.figures().invoiced <= card->available ||
           r.refuse("Está sobrepasando el Monto Disponible de la Tarjeta");
}

// How many documents of an active customer already hold the pair, and the first of them.
long pair_holders(SaleRun& r, const std::string& c1, const std::string& c2,
                  std::optional<DocumentHeader>& first) {
    data::Table t = data::USE(r.db, "DOCUMENT", "DOCUMEN16");
    const std::string key = data::order_key("DOCUMENT", "DOCUMEN16", {r.business, c1, c2});
    t->SetScope(key, key);
    long n = 0;
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        if (!trim(t->str("ANULADO")).empty()) continue;
        const auto owner = customers::read_customer(r.db, r.business, trim(t->str("CLIENTE")));
        if (!owner || !owner->active) continue;
        if (++n == 1) first = read_document_header(r.db, r.business, trim(t->str("DOCUMENTO")));
    }
    data::KILLTABLA(r.db, t);
    return n;
}

// The classification-1 entry's group lets its pair be shared by more than `holders` documents.
bool group_allows(SaleRun& r, const std::string& c1, long holders) {
    std::string group;
    for_business_rows(r.db, "D_CLAS1", r.business, [&](const data::WDBTable& t) {
        if (trim(t.str("CODIGO")) == c1) group = trim(t.str("GRUPO"));
    });
    if (group.empty()) return false;
    bool allows = false;
    for_business_rows(r.db, "D_CLAS4", r.business, [&](const data::WDBTable& t) {
        if (trim(t.str("CODIGO")) == group && !t.num("DISPONIBLE").is_zero())
            allows = t.num("CANTIDAD") > Decimal(holders);
    });
    return allows;
}

bool check_classifications(SaleRun& r) {
    const SaleExtras& e = r.extras;
    if (r.concept_def.flag("CLAS1") && trim(e.clas1).empty())
        return r.refuse("Debe definir la Clasificación #1");
    if (r.amount_only() && r.concept_def.flag("LEE_CONTRA") && trim(e.counter_account).empty())
        return r.refuse("Debe definir la Contrapartida");
    if (r.concept_def.flag("CLAS2") && trim(e.clas2).empty())
        return r.refuse("Debe definir la Clasificación #2");
    if (!r.concept_def.flag("UNICO_1_2")) return true;
    const std::string c1 = normal_code(e.clas1), c2 = normal_code(e.clas2);
    std::optional<DocumentHeader> first;
    const long holders = pair_holders(r, c1, c2, first);
    if (holders == 0 || group_allows(r, c1, holders) || !first) return true;
    return r.refuse(
        "La combinación [Clasificación #1 + Clasificación #2] debe ser única!\r"
        "Actualmente, se encuentra asociada a:\rDocumento: " +
        first->number + "\rFecha    : " + first->date.dtoc4() + "\rNombre   : " + first->name +
        "\rCliente  : " + first->customer);
}

// DOC_ALTERADOS: lines brought from other documents renumber them under their own concepts.
bool check_brought_lines(SaleRun& r) {
    std::map<std::string, long> per_concept;
    for (const SaleLine& l : r.lines)
        if (!trim(l.source_document).empty())
            if (const auto h = read_document_header(r.db, r.business, trim(l.source_document)))
                ++per_concept[h->concept_code.code];
    for (const auto& [code, count] : per_concept) {
        const auto c = read_document_concept(r.db, r.business, code);
        if (!c || !c->flag("SERI_LOCAL") || c->flag("LEE_SERIAL")) continue;
        const ConceptSeries cs =
            concept_series({c->code, c->name, c->series, false, true}, r.ctx.workstation);
        if (cs.series.empty()) continue;
        const std::string why = check_before_drawing(r.db, r.business, cs.series, c->name,
                                                     1 + count, LimitWording::ProformaConversion);
        if (!why.empty()) return r.refuse(why);
    }
    return true;
}

// The series must give one number per document: the sale's own first, then all of them.
bool check_series_room(SaleRun& r) {
    if (r.series.empty()) return true;
    const long documents = r.with_lines() ? static_cast<long>(r.groups.size()) : 1;
    const std::string one = check_before_drawing(r.db, r.business, r.series, r.concept_def.name);
    if (!one.empty())
        return r.refuse(
            one == kSeriesDisabled ? one : "Esta Sobrepasando el Límite del Serial Establecido");
    const std::string why =
        check_before_drawing(r.db, r.business, r.series, r.concept_def.name, documents);
    return why.empty() || r.refuse(why);
}

}  // namespace

bool check_before_writing(SaleRun& r) {
    if (!check_period(r) || !settle_series(r)) return false;
    if (!check_card(r)) return false;
    if (!check_customer(r) || !check_work_order(r)) return false;
    if (r.ctx.date.year() < kOldestYear) return r.refuse("Fecha de Documento inválida");
    if (!recheck_lines(r)) return false;
    r.lines.clear();
    for (const SaleLine& l : r.draft.lines())
        if (!l.empty()) r.lines.push_back(l);
    if (r.with_lines() && r.lines.empty()) return r.refuse("No hay artículos que facturar");
    r.groups = split_lines(r.lines, r.concept_def.max_lines);
    return check_classifications(r) && check_brought_lines(r) && check_series_room(r);
}

std::vector<std::vector<SaleLine>> split_lines(const std::vector<SaleLine>& lines, int max_lines) {
    std::vector<std::vector<SaleLine>> out;
    const size_t per = max_lines > 0 ? static_cast<size_t>(max_lines) : lines.size();
    for (size_t i = 0; i < lines.size(); i += per)
        out.emplace_back(lines.begin() + static_cast<long>(i),
                         lines.begin() + static_cast<long>(std::min(lines.size(), i + per)));
    return out;
}

}  // namespace qz::domain::pos
