#include "domain/regular/regular_rows.h"

#include <algorithm>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/master_rows.h"

namespace qz::domain::regular {

namespace {

std::string text(const data::WDBTable& t, const char* f) { return trim(t.str(f)); }
bool flag(const data::WDBTable& t, const char* f) { return !t.num(f).is_zero(); }
int whole(const data::WDBTable& t, const char* f) { return static_cast<int>(t.num(f).to_int()); }
Decimal flag_value(bool on) { return Decimal(on ? 1 : 0); }
Decimal number(long long n) { return Decimal(n); }

// The text fields of a model header, shared by the reader and the writer.
struct HeaderText {
    const char* name;
    std::string ModelHeader::*member;
};
constexpr HeaderText kHeaderTexts[] = {
    {"CONCEPTO", &ModelHeader::concept_code}, {"CLIENTE", &ModelHeader::customer},
    {"SUBCLIENTE", &ModelHeader::branch},     {"NOM_CLIENT", &ModelHeader::name},
    {"NOMBRE", &ModelHeader::contact_name},   {"CEDULA", &ModelHeader::legal_id},
    {"MONEDA", &ModelHeader::currency},       {"T_PRECIO", &ModelHeader::price_type},
    {"BODEGA", &ModelHeader::warehouse},      {"AGENTE", &ModelHeader::agent},
    {"CAJA", &ModelHeader::register_code},    {"DIGITADOR", &ModelHeader::operator_code},
    {"C_VENTA", &ModelHeader::sales_centre},  {"C_COSTO", &ModelHeader::cost_centre},
    {"COD_DIFF", &ModelHeader::diff_type},    {"PEDIDO", &ModelHeader::order_ref},
    {"COMPRA", &ModelHeader::purchase},       {"CONTRATO", &ModelHeader::contract},
    {"CONCURSO", &ModelHeader::contest},      {"DESCRIP", &ModelHeader::description},
    {"CLAS1", &ModelHeader::clas1},           {"CLAS2", &ModelHeader::clas2},
    {"CLAS3", &ModelHeader::clas3},           {"REFERIDO", &ModelHeader::referred},
};

struct HeaderNumber {
    const char* name;
    Decimal ModelHeader::*member;
};
constexpr HeaderNumber kHeaderNumbers[] = {
    {"BRUTO", &ModelHeader::gross},          {"MONTO", &ModelHeader::amount},
    {"SALDO", &ModelHeader::balance},        {"OTROS1", &ModelHeader::freight},
    {"OTROS2", &ModelHeader::load},          {"I_NORMAL", &ModelHeader::normal_interest},
    {"I_MORA", &ModelHeader::late_interest}, {"TC_DIFF", &ModelHeader::rate},
};

template <class T, class Decode>
std::vector<T> rows_in(data::Db& db, const char* table, const char* order,
                       std::initializer_list<data::KeyValue> parts, Decode decode) {
    std::vector<T> out;
    data::Table t = data::USE(db, table, order);
    const std::string key = data::order_key(table, order, parts);
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) out.push_back(decode(*t));
    data::KILLTABLA(db, t);
    return out;
}

}  // namespace

std::string RegularDocument::model_number() const {
    std::string n = std::to_string(code);
    return n.size() >= 10 ? n : std::string(10 - n.size(), '0') + n;
}

RegularSet set_from_row(const data::WDBTable& t) {
    return {text(t, "CONJUNTO"), text(t, "DESCRIP")};
}

void put_set_row(data::WDBTable& t, const std::string& business, const RegularSet& s) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CONJUNTO", normal_code(s.code));
    t.FieldPut("DESCRIP", s.description);
}

RegularDocument regular_from_row(const data::WDBTable& t) {
    RegularDocument d;
    d.code = static_cast<long>(t.num("CODIGO").to_int());
    d.set = text(t, "CONJUNTO");
    d.description = text(t, "DESCRIP");
    d.customer = text(t, "CLIENTE");
    d.name = text(t, "NOM_CLIENT");
    d.branch = text(t, "SUBCLIENTE");
    d.kind = whole(t, "TIPO");
    d.template_code = text(t, "TEMPLATE");
    d.cut_off = t.date("FECHA_I");
    d.adjust_day = flag(t, "AJUSTAR_D");
    d.adjust_to = whole(t, "DIA_AJUSTE");
    d.previous_month = flag(t, "M_ANTERIOR");
    d.ranges = flag(t, "DO_RANGOS");
    d.range_from = whole(t, "RANGO1");
    d.range_to = whole(t, "RANGO2");
    d.extra_data = flag(t, "DATOS_ADIC");
    d.hours = t.num("HORAS");
    d.days = t.num("DIAS");
    return d;
}

void put_regular_row(data::WDBTable& t, const std::string& business, const RegularDocument& d) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CODIGO", number(d.code));
    t.FieldPut("CONJUNTO", normal_code(d.set));
    t.FieldPut("DESCRIP", d.description);
    t.FieldPut("CLIENTE", normal_code(d.customer));
    t.FieldPut("NOM_CLIENT", d.name);
    t.FieldPut("SUBCLIENTE", trim(d.branch));
    t.FieldPut("TIPO", number(d.kind));
    t.FieldPut("TEMPLATE", trim(d.template_code));
    t.FieldPut("FECHA_I", d.cut_off);
    t.FieldPut("AJUSTAR_D", flag_value(d.adjust_day));
    t.FieldPut("DIA_AJUSTE", number(d.adjust_to));
    t.FieldPut("M_ANTERIOR", flag_value(d.previous_month));
    t.FieldPut("DO_RANGOS", flag_value(d.ranges));
    t.FieldPut("RANGO1", number(d.range_from));
    t.FieldPut("RANGO2", number(d.range_to));
    t.FieldPut("DATOS_ADIC", flag_value(d.extra_data));
    t.FieldPut("HORAS", d.hours);
    t.FieldPut("DIAS", d.days);
}

ModelHeader model_header_from_row(const data::WDBTable& t) {
    ModelHeader h;
    h.number = text(t, "DOCUMENTO");
    for (const auto& f : kHeaderTexts) h.*f.member = text(t, f.name);
    for (const auto& f : kHeaderNumbers) h.*f.member = t.num(f.name);
    h.date = t.date("FECHA");
    h.due = t.date("VENCE");
    return h;
}

void put_model_header_row(data::WDBTable& t, const std::string& business, const ModelHeader& h) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("DOCUMENTO", h.number);
    for (const auto& f : kHeaderTexts) t.FieldPut(f.name, h.*f.member);
    for (const auto& f : kHeaderNumbers) t.FieldPut(f.name, h.*f.member);
    t.FieldPut("FECHA", h.date);
    t.FieldPut("VENCE", h.due);
}

ModelLine model_line_from_row(const data::WDBTable& t) {
    ModelLine l;
    l.index = whole(t, "N_INDEX");
    l.code = text(t, "CODIGO");
    l.quantity = t.num("CANTIDAD");
    l.price = t.num("PRECIO");
    l.previous_price = t.num("PRECIO_ANT");
    l.discount = t.num("DESCUENTO");
    l.tax = t.num("IMPUESTO");
    l.cost = t.num("COSTO");
    l.freight = t.num("OTROS1");
    l.load = t.num("OTROS2");
    l.price_type = text(t, "T_PRECIO");
    l.warehouse = text(t, "BODEGA");
    l.invoice_text = text(t, "SPEC_FAC");
    l.manual = flag(t, "PRE_MANUAL");
    l.special_rule = whole(t, "P_ESP");
    return l;
}

void put_model_line_row(data::WDBTable& t, const std::string& business, const std::string& number_,
                        const ModelLine& l) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("DOCUMENTO", number_);
    t.FieldPut("N_INDEX", number(l.index));
    t.FieldPut("CODIGO", normal_code(l.code));
    t.FieldPut("CANTIDAD", l.quantity);
    t.FieldPut("PRECIO", l.price);
    t.FieldPut("PRECIO_ANT", l.previous_price);
    t.FieldPut("DESCUENTO", l.discount);
    t.FieldPut("IMPUESTO", l.tax);
    t.FieldPut("COSTO", l.cost);
    t.FieldPut("OTROS1", l.freight);
    t.FieldPut("OTROS2", l.load);
    t.FieldPut("T_PRECIO", l.price_type);
    t.FieldPut("BODEGA", l.warehouse);
    t.FieldPut("SPEC_FAC", l.invoice_text);
    t.FieldPut("PRE_MANUAL", flag_value(l.manual));
    t.FieldPut("P_ESP", number(l.special_rule));
}

ModelInstalment model_instalment_from_row(const data::WDBTable& t) {
    return {whole(t, "DIAS"), t.num("MONTO"), t.num("INTERES")};
}

std::vector<RegularSet> regular_sets(data::Db& db, const std::string& business) {
    return business_rows<RegularSet>(db, "CFAC_REG", business, set_from_row);
}

std::optional<RegularSet> read_regular_set(data::Db& db, const std::string& business,
                                           const std::string& code) {
    return read_code_row<RegularSet>(db, "CFAC_REG", business, code, set_from_row);
}

void write_regular_set(data::Db& db, const std::string& business, const RegularSet& s) {
    write_keyed_row(db, "CFAC_REG", "CFAC_REG", {business, normal_code(s.code)}, true,
                    [&](data::WDBTable& t) { put_set_row(t, business, s); });
}

std::optional<RegularDocument> read_regular_document(data::Db& db, const std::string& business,
                                                     long code) {
    std::optional<RegularDocument> out;
    data::Table t = data::USE(db, "FAC_REG", "FAC_REG2");
    if (t->Seek(data::order_key("FAC_REG", "FAC_REG2", {business, static_cast<long long>(code)})))
        out = regular_from_row(*t);
    data::KILLTABLA(db, t);
    return out;
}

std::vector<RegularDocument> set_documents(data::Db& db, const std::string& business,
                                           const std::string& set) {
    return rows_in<RegularDocument>(db, "FAC_REG", "FAC_REG", {business, normal_code(set)},
                                    regular_from_row);
}

std::vector<RegularDocument> customer_documents(data::Db& db, const std::string& business,
                                                const std::string& customer) {
    return rows_in<RegularDocument>(db, "FAC_REG", "FAC_REG3", {business, normal_code(customer)},
                                    regular_from_row);
}

void write_regular_document(data::Db& db, const std::string& business, const RegularDocument& d) {
    write_keyed_row(db, "FAC_REG", "FAC_REG2", {business, static_cast<long long>(d.code)}, true,
                    [&](data::WDBTable& t) { put_regular_row(t, business, d); });
}

long next_regular_code(data::Db& db, const std::string& business) {
    long last = 0;
    data::Table t = data::USE(db, "FAC_REG", "FAC_REG2");
    const std::string key = data::business_key(business);
    t->SetScope(key, key);
    t->GoBottom();
    if (!t->Eof()) last = static_cast<long>(t->num("CODIGO").to_int());
    data::KILLTABLA(db, t);
    return last + 1;
}

std::optional<Model> read_model(data::Db& db, const ModelTables& f, const std::string& business,
                                const std::string& number_) {
    std::optional<Model> out;
    data::Table t = data::USE(db, f.header, f.header);
    if (t->Seek(data::order_key(f.header, f.header, {business, number_})))
        out = Model{model_header_from_row(*t), {}, {}};
    data::KILLTABLA(db, t);
    if (!out) return out;
    out->lines = rows_in<ModelLine>(db, f.lines, f.lines, {business, number_}, model_line_from_row);
    std::stable_sort(out->lines.begin(), out->lines.end(),
                     [](const ModelLine& a, const ModelLine& b) { return a.index < b.index; });
    out->instalments = rows_in<ModelInstalment>(db, f.plan, f.plan, {business, number_},
                                                model_instalment_from_row);
    return out;
}

std::vector<ModelHeader> model_headers(data::Db& db, const ModelTables& f,
                                       const std::string& business) {
    return rows_in<ModelHeader>(db, f.header, f.header, {business}, model_header_from_row);
}

void write_model(data::Db& db, const ModelTables& f, const std::string& business, const Model& m) {
    data::Transaction tx(db);
    delete_model(db, f, business, m.header.number);
    data::Table h = data::USE(db, f.header);
    data::ADD_NEW_REC(*h);
    put_model_header_row(*h, business, m.header);
    data::UNLOCK_NEW_REC(*h);
    data::KILLTABLA(db, h);
    data::Table l = data::USE(db, f.lines);
    for (const ModelLine& line : m.lines) {
        data::ADD_NEW_REC(*l);
        put_model_line_row(*l, business, m.header.number, line);
        data::UNLOCK_NEW_REC(*l);
    }
    data::KILLTABLA(db, l);
    data::Table p = data::USE(db, f.plan);
    for (const ModelInstalment& i : m.instalments) {
        data::ADD_NEW_REC(*p);
        p->FieldPut("NEGOCIO", business);
        p->FieldPut("DOCUMENTO", m.header.number);
        p->FieldPut("DIAS", number(i.days));
        p->FieldPut("MONTO", i.principal);
        p->FieldPut("INTERES", i.interest);
        data::UNLOCK_NEW_REC(*p);
    }
    data::KILLTABLA(db, p);
    tx.commit();
}

void delete_model(data::Db& db, const ModelTables& f, const std::string& business,
                  const std::string& number_) {
    data::Transaction tx(db);
    for (const char* table : {f.header, f.lines, f.plan})
        delete_by_order(db, table, table, {business, number_});
    tx.commit();
}

}  // namespace qz::domain::regular
