#include "domain/pos/sale_documents.h"

#include <stdexcept>

#include "core/stamp.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/document_service.h"
#include "domain/ledger/serials.h"
#include "domain/ledger/series_checks.h"
#include "domain/session/master_rows.h"

namespace qz::domain::pos {

namespace {

// A series whose next numbers were all typed by hand already is not drawn from forever.
constexpr int kMaxDraws = 1000;

// Orders and proformas share the receivable's layout but not every field of it.
void put(data::WDBTable& t, const char* field, const data::Value& v) {
    if (t.FieldPos(field) > 0) t.FieldPut(field, v);
}

bool number_taken(SaleRun& r, const std::string& number) {
    const char* table = sale_tables(r.target).header;
    return key_exists(r.db, table, table, {r.business, number});
}

std::string screen_texts(const SaleExtras& e) {
    std::string out;
    for (const std::string& d : e.descriptions)
        if (!trim(d).empty()) out += (out.empty() ? "" : "\r\n") + trim(d);
    return out;
}

// ETAPA_COB: the branch's collection stage, else the concept's, else the business's.
std::string collection_stage(const SaleRun& r) {
    const auto& b = r.draft.branch();
    if (b && !trim(b->stage).empty()) return trim(b->stage);
    if (!r.concept_def.collection_stage.empty()) return r.concept_def.collection_stage;
    return r.settings.collection_stage;
}

}  // namespace

DocumentFigures document_figures(const std::vector<SaleLine>& lines, const OtherCharges& others) {
    DocumentFigures f;
    Decimal tax, discount;
    for (SaleLine l : lines) {
        const Decimal base = l.quantity * l.price;
        f.gross += base;
        tax += base * l.tax / 100 * (100 - l.discount) / 100;
        discount += base * l.discount / 100;
        const SaleFigures share = line_share(l, others);
        f.freight += share.freight;
        f.load += share.load;
    }
    f.tax = tax.round(2);
    f.discount = discount.round(2);
    return f;
}

std::string draw_document_number(SaleRun& r, size_t index) {
    if (r.series.empty()) {
        const std::string typed = trim(r.extras.number);
        const auto n = index == 0 ? std::optional<std::string>(typed)
                                  : suffixed_number(typed, "-" + std::to_string(index + 1));
        if (!n || number_taken(r, *n))
            throw std::runtime_error("El documento " + n.value_or(typed) + " ya existe");
        return *n;
    }
    data::Table series = data::USE(r.db, "SERIALES", "SERIALES");
    std::string out;
    for (int i = 0; i < kMaxDraws && out.empty(); ++i) {
        const std::string n = trim(GET_NXSERIAL(r.db, r.business, r.series, series.get()));
        if (is_no_serial(n)) break;
        if (!number_taken(r, n)) out = n;
    }
    data::KILLTABLA(r.db, series);
    if (out.empty()) throw std::runtime_error(no_series_message(r.concept_def.name));
    return out;
}

void write_document_header(SaleRun& r, const SaleDocument& d) {
    const SaleHeader& h = r.draft.header();
    const SaleExtras& e = r.extras;
    const Decimal amount = d.figures.amount();
    const DateTime now = r.db.clock().now();
    data::Table t = data::USE(r.db, sale_tables(r.target).header);
    data::ADD_NEW_REC(*t);
    put(*t, "NEGOCIO", r.business);
    put(*t, "CAJA", r.ctx.register_code);
    put(*t, "CLIENTE", normal_code(h.customer));
    put(*t, "NOM_CLIENT", r.customer_name());
    put(*t, "SUBCLIENTE", trim(h.contact[kBranch]));
    put(*t, "DOCUMENTO", d.number);
    put(*t, "MODULO", std::string("2"));
    put(*t, "FECHA", r.ctx.date);
    put(*t, "HORA", r.time);
    put(*t, "BRUTO", d.figures.gross);
    for (const char* f : {"MONTO", "SALDO", "SALDO_ORIG"}) put(*t, f, amount);
    put(*t, "VENCE", r.ctx.date + h.term_days);
    put(*t, "CONCEPTO", r.concept_def.code);
    put(*t, "AGENTE", normal_code(h.agent));
    put(*t, "MONEDA", normal_code(h.currency));
    put(*t, "T_PRECIO", normal_code(h.price_type));
    put(*t, "OTROS1", d.figures.freight);
    put(*t, "OTROS2", d.figures.load);
    put(*t, "PEDIDO", trim(e.order_ref));
    put(*t, "COMPRA", trim(e.purchase));
    put(*t, "DESCRIP", screen_texts(e));
    put(*t, "COD_DIFF", r.concept_def.diff_type);
    put(*t, "TC_DIFF", r.rate);
    put(*t, "MOV_INV", d.movement);
    put(*t, "PLAZOS", Decimal(d.instalments));
    put(*t, "I_MORA", r.concept_def.late_rate);
    put(*t, "CLAS1", normal_code(e.clas1));
    put(*t, "CLAS2", normal_code(e.clas2));
    put(*t, "CLAS3", normal_code(e.clas3));
    if (r.amount_only() && r.concept_def.flag("LEE_CONTRA"))
        put(*t, "CONTRA", trim(e.counter_account));
    put(*t, "REFERIDO", normal_code(e.referred));
    put(*t, "DIGITADOR", r.ctx.operator_code);
    put(*t, "USUARIO", r.ctx.user);
    put(*t, "INFO_USER", r.ctx.info_user.empty() ? info_user(now) : r.ctx.info_user);
    put(*t, "BODEGA", normal_code(h.warehouse));
    put(*t, "ETAPA_COB", collection_stage(r));
    put(*t, "ETAPA", r.stage);
    put(*t, "C_COSTO", trim(e.cost_centre));
    put(*t, "C_VENTA", r.concept_def.sales_centre);
    if (const auto& card = r.draft.card(); card && r.draft.register_defaults().card_account) {
        put(*t, "CEDULA", card->identity);
        put(*t, "NOMBRE", card->name);
        put(*t, "SALDO_TARJ", d.card_left);
    }
    put(*t, "NO_PROCESA", Decimal(r.ctx.restaurant ? 1 : 0));
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(r.db, t);
}

void write_document_lines(SaleRun& r, const SaleDocument& d) {
    const SaleHeader& h = r.draft.header();
    const bool supplier = r.concept_def.flag("ADD_PROVEE");
    data::Table t = data::USE(r.db, sale_tables(r.target).lines);
    for (size_t i = 0; i < d.lines.size(); ++i) {
        SaleLine l = d.lines[i];
        const SaleFigures share = line_share(l, r.others());
        data::ADD_NEW_REC(*t);
        put(*t, "NEGOCIO", r.business);
        put(*t, "CAJA", r.ctx.register_code);
        put(*t, "FECHA", r.ctx.date);
        put(*t, "HORA", r.time);
        put(*t, "CLIENTE", normal_code(h.customer));
        put(*t, "DOCUMENTO", d.number);
        put(*t, "BODEGA", normal_code(h.warehouse));
        put(*t, "CODIGO", l.code);
        put(*t, "PRECIO", l.price);
        put(*t, "T_PRECIO", l.price_type.empty() ? normal_code(h.price_type) : l.price_type);
        put(*t, "PRECIO_ANT", l.first_price);
        put(*t, "IMPUESTO", l.tax);
        put(*t, "DESCUENTO", l.discount);
        put(*t, "CANTIDAD", l.quantity);
        put(*t, "COSTO", l.cost);
        if (supplier) put(*t, "COD_PROVEE", l.supplier);
        if (r.settings.sale.save_line_texts) put(*t, "SPEC_FAC", l.invoice_text);
        if (i < d.stock_before.size()) put(*t, "INV_TOT", d.stock_before[i]);
        put(*t, "OTROS1", share.freight);
        put(*t, "OTROS2", share.load);
        put(*t, "N_INDEX", Decimal(static_cast<long long>(i)));
        put(*t, "PRE_MANUAL", Decimal(l.manual ? 1 : 0));
        put(*t, "P_ESP", Decimal(l.special_rule));
        data::UNLOCK_NEW_REC(*t);
    }
    data::KILLTABLA(r.db, t);
}

void write_extra_header(SaleRun& r, const SaleDocument& d) {
    const auto& c = r.draft.header().contact;
    const SaleExtras& e = r.extras;
    data::Table t = data::USE(r.db, sale_tables(r.target).extra);
    data::ADD_NEW_REC(*t);
    put(*t, "NEGOCIO", r.business);
    put(*t, "DOCUMENTO", d.number);
    // The contact texts after the branch and the name, in the order of the screen.
    const char* fields[] = {"DIRECCION", "TELEFONO", "FAX",  "ATENCION", "NOMBRE2",
                            "ATEN2",     "TELE2",    "FAX2", "DIREC2"};
    for (size_t i = 0; i < std::size(fields); ++i) put(*t, fields[i], trim(c[kAddress + i]));
    put(*t, "TRANSPORTE", trim(e.transport));
    put(*t, "PLACA", trim(e.plate));
    put(*t, "CHOFER", trim(e.driver));
    put(*t, "CEDULA", trim(e.driver_id));
    put(*t, "VAL_DOC", d.figures.amount());
    put(*t, "CPAGO", trim(e.payment_conditions));
    put(*t, "APROB_CRED", Decimal(r.credit_accepted ? 1 : 0));
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(r.db, t);
}

std::vector<PlanInstalment> document_instalments(const SaleRun& r, const SaleDocument& d,
                                                 const Decimal& sale_total) {
    const Decimal amount = d.figures.amount();
    const bool principal = r.concept_def.flag("CUOTAS");
    std::vector<const PlanRow*> typed;
    for (const PlanRow& p : r.draft.plan())
        if (!(principal ? p.principal : p.amount).is_zero()) typed.push_back(&p);
    std::vector<PlanInstalment> out;
    if (typed.empty() || sale_total.is_zero()) {
        out.push_back({r.ctx.date + r.draft.header().term_days, amount, Decimal(), 0});
        return out;
    }
    // A sale split into several documents spreads its plan over them by their amounts.
    Decimal left = amount;
    for (size_t i = 0; i < typed.size(); ++i) {
        const PlanRow& p = *typed[i];
        const Decimal share =
            i + 1 == typed.size()
                ? left
                : ((principal ? p.principal : p.amount) * amount / sale_total).round(2);
        left -= share;
        out.push_back({r.ctx.date + p.days, share, (p.interest * amount / sale_total).round(2), 0});
    }
    return out;
}

void write_instalments(SaleRun& r, const std::string& number,
                       const std::vector<PlanInstalment>& rows) {
    data::Table t = data::USE(r.db, "DOC_PARC");
    for (const PlanInstalment& p : rows) {
        data::ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", r.business);
        t->FieldPut("DOCUMENTO", number);
        t->FieldPut("FECHA", p.due);
        t->FieldPut("MONTO", p.principal);
        t->FieldPut("INTERES", p.interest);
        data::UNLOCK_NEW_REC(*t);
    }
    data::KILLTABLA(r.db, t);
}

}  // namespace qz::domain::pos
