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
    return draw_series_number(r.db, r.business, sale_tables(r.target).header, r.series,
                              r.concept_def.name);
}

std::string draw_series_number(data::Db& db, const std::string& business, const char* table,
                               const std::string& series_code, const std::string& concept_name) {
    data::Table series = data::USE(db, "SERIALES", "SERIALES");
    std::string out;
    for (int i = 0; i < kMaxDraws && out.empty(); ++i) {
        const std::string n = trim(GET_NXSERIAL(db, business, series_code, series.get()));
        if (is_no_serial(n)) break;
        if (!key_exists(db, table, table, {business, n})) out = n;
    }
    data::KILLTABLA(db, series);
    if (out.empty()) throw std::runtime_error(no_series_message(concept_name));
    return out;
}

void write_header_row(data::Db& db, const char* table, const DocumentHeaderRow& h) {
    const Decimal amount = h.figures.amount();
    data::Table t = data::USE(db, table);
    data::ADD_NEW_REC(*t);
    put(*t, "NEGOCIO", h.business);
    put(*t, "CAJA", h.register_code);
    put(*t, "CLIENTE", h.customer);
    put(*t, "NOM_CLIENT", h.name);
    put(*t, "SUBCLIENTE", h.branch);
    put(*t, "DOCUMENTO", h.number);
    put(*t, "MODULO", h.module);
    put(*t, "FECHA", h.date);
    put(*t, "HORA", h.time);
    put(*t, "BRUTO", h.figures.gross);
    for (const char* f : {"MONTO", "SALDO", "SALDO_ORIG"}) put(*t, f, amount);
    put(*t, "VENCE", h.due);
    put(*t, "CONCEPTO", h.concept_code);
    put(*t, "AGENTE", h.agent);
    put(*t, "MONEDA", h.currency);
    put(*t, "T_PRECIO", h.price_type);
    put(*t, "OTROS1", h.figures.freight);
    put(*t, "OTROS2", h.figures.load);
    put(*t, "PEDIDO", h.order_ref);
    put(*t, "COMPRA", h.purchase);
    if (!h.remission.empty()) put(*t, "REMISION", h.remission);
    if (!h.contract.empty()) put(*t, "CONTRATO", h.contract);
    if (!h.contest.empty()) put(*t, "CONCURSO", h.contest);
    put(*t, "DESCRIP", h.description);
    put(*t, "COD_DIFF", h.diff_type);
    put(*t, "TC_DIFF", h.rate);
    put(*t, "MOV_INV", h.movement);
    put(*t, "PLAZOS", Decimal(h.instalments));
    put(*t, "I_MORA", h.late_rate);
    put(*t, "CLAS1", h.clas1);
    put(*t, "CLAS2", h.clas2);
    put(*t, "CLAS3", h.clas3);
    if (!h.counter_account.empty()) put(*t, "CONTRA", h.counter_account);
    put(*t, "REFERIDO", h.referred);
    put(*t, "DIGITADOR", h.operator_code);
    put(*t, "USUARIO", h.user);
    put(*t, "INFO_USER", h.info_user);
    put(*t, "BODEGA", h.warehouse);
    put(*t, "ETAPA_COB", h.collection_stage);
    put(*t, "ETAPA", h.stage);
    put(*t, "C_COSTO", h.cost_centre);
    put(*t, "C_VENTA", h.sales_centre);
    if (h.card) {
        put(*t, "CEDULA", h.card_identity);
        put(*t, "NOMBRE", h.card_name);
        put(*t, "SALDO_TARJ", h.card_left);
    }
    put(*t, "NO_PROCESA", Decimal(h.restaurant ? 1 : 0));
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(db, t);
}

void write_document_header(SaleRun& r, const SaleDocument& d) {
    const SaleHeader& h = r.draft.header();
    const SaleExtras& e = r.extras;
    DocumentHeaderRow w;
    w.business = r.business;
    w.register_code = r.ctx.register_code;
    w.customer = normal_code(h.customer);
    w.name = r.customer_name();
    w.branch = trim(h.contact[kBranch]);
    w.number = d.number;
    w.date = r.ctx.date;
    w.time = r.time;
    w.figures = d.figures;
    w.due = r.ctx.date + h.term_days;
    w.concept_code = r.concept_def.code;
    w.agent = normal_code(h.agent);
    w.currency = normal_code(h.currency);
    w.price_type = normal_code(h.price_type);
    w.order_ref = trim(e.order_ref);
    w.purchase = trim(e.purchase);
    w.description = screen_texts(e);
    w.diff_type = r.concept_def.diff_type;
    w.rate = r.rate;
    w.movement = d.movement;
    w.instalments = d.instalments;
    w.late_rate = r.concept_def.late_rate;
    w.clas1 = normal_code(e.clas1);
    w.clas2 = normal_code(e.clas2);
    w.clas3 = normal_code(e.clas3);
    if (r.amount_only() && r.concept_def.flag("LEE_CONTRA"))
        w.counter_account = trim(e.counter_account);
    w.referred = normal_code(e.referred);
    w.operator_code = r.ctx.operator_code;
    w.user = r.ctx.user;
    w.info_user = r.ctx.info_user.empty() ? info_user(r.db.clock().now()) : r.ctx.info_user;
    w.warehouse = normal_code(h.warehouse);
    const auto& b = r.draft.branch();
    w.collection_stage = collection_stage(b ? b->stage : "", r.concept_def, r.settings);
    w.stage = r.stage;
    w.cost_centre = trim(e.cost_centre);
    w.sales_centre = r.concept_def.sales_centre;
    if (const auto& card = r.draft.card(); card && r.draft.register_defaults().card_account) {
        w.card = true;
        w.card_identity = card->identity;
        w.card_name = card->name;
        w.card_left = d.card_left;
    }
    w.restaurant = r.ctx.restaurant;
    write_header_row(r.db, sale_tables(r.target).header, w);
}

void write_line_rows(data::Db& db, const char* table, const DocumentLineRows& d,
                     const std::vector<SaleLine>& lines, const std::vector<Decimal>& stock_before) {
    data::Table t = data::USE(db, table);
    for (size_t i = 0; i < lines.size(); ++i) {
        SaleLine l = lines[i];
        const SaleFigures share = line_share(l, d.others);
        data::ADD_NEW_REC(*t);
        put(*t, "NEGOCIO", d.business);
        put(*t, "CAJA", d.register_code);
        put(*t, "FECHA", d.date);
        put(*t, "HORA", d.time);
        put(*t, "CLIENTE", d.customer);
        put(*t, "DOCUMENTO", d.number);
        put(*t, "BODEGA", d.warehouse);
        put(*t, "CODIGO", l.code);
        put(*t, "PRECIO", l.price);
        put(*t, "T_PRECIO", l.price_type.empty() ? d.price_type : l.price_type);
        put(*t, "PRECIO_ANT", l.first_price);
        put(*t, "IMPUESTO", l.tax);
        put(*t, "DESCUENTO", l.discount);
        put(*t, "CANTIDAD", l.quantity);
        put(*t, "COSTO", l.cost);
        if (d.supplier) put(*t, "COD_PROVEE", l.supplier);
        if (d.texts) put(*t, "SPEC_FAC", l.invoice_text);
        if (i < stock_before.size()) put(*t, "INV_TOT", stock_before[i]);
        put(*t, "OTROS1", share.freight);
        put(*t, "OTROS2", share.load);
        put(*t, "N_INDEX", Decimal(static_cast<long long>(i)));
        put(*t, "PRE_MANUAL", Decimal(l.manual ? 1 : 0));
        put(*t, "P_ESP", Decimal(l.special_rule));
        data::UNLOCK_NEW_REC(*t);
    }
    data::KILLTABLA(db, t);
}

void write_document_lines(SaleRun& r, const SaleDocument& d) {
    const SaleHeader& h = r.draft.header();
    DocumentLineRows w;
    w.business = r.business;
    w.register_code = r.ctx.register_code;
    w.customer = normal_code(h.customer);
    w.number = d.number;
    w.warehouse = normal_code(h.warehouse);
    w.price_type = normal_code(h.price_type);
    w.time = r.time;
    w.date = r.ctx.date;
    w.supplier = r.concept_def.flag("ADD_PROVEE");
    w.texts = r.settings.sale.save_line_texts;
    w.others = r.others();
    write_line_rows(r.db, sale_tables(r.target).lines, w, d.lines, d.stock_before);
}

std::string local_currency(data::Db& db, const std::string& business) {
    data::Table f = data::USE(db, "F_INV", "F_INV");
    std::string out;
    if (f->Seek(data::order_key("F_INV", "F_INV", {business}))) out = trim(f->str("M_LOCAL"));
    data::KILLTABLA(db, f);
    return out;
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

void write_instalments(data::Db& db, const std::string& business, const std::string& number,
                       const std::vector<PlanInstalment>& rows) {
    data::Table t = data::USE(db, "DOC_PARC");
    for (const PlanInstalment& p : rows) {
        data::ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", business);
        t->FieldPut("DOCUMENTO", number);
        t->FieldPut("FECHA", p.due);
        t->FieldPut("MONTO", p.principal);
        t->FieldPut("INTERES", p.interest);
        data::UNLOCK_NEW_REC(*t);
    }
    data::KILLTABLA(db, t);
}

}  // namespace qz::domain::pos
