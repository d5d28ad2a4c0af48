#include "domain/ledger/printable_document.h"

#include "core/picture.h"
#include "core/text.h"
#include "core/words.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/concepts.h"
#include "domain/ledger/line_amounts.h"

namespace qz::domain {

namespace {

using K = PrintValue::Kind;

PrintValue text(std::string t) { return {K::Text, std::move(t), Decimal(), Date()}; }
PrintValue amount(const Decimal& d) { return {K::Amount, "", d, Date()}; }
PrintValue quantity(const Decimal& d) { return {K::Quantity, "", d, Date()}; }
PrintValue day(const Date& d) { return {K::Date, "", Decimal(), d}; }

// The field `field` of the row `key` of `table` in its own order; "" when there is none.
std::string lookup(data::Db& db, const char* table, std::initializer_list<data::KeyValue> key,
                   const char* field) {
    data::Table t = data::USE(db, table, table);
    std::string out;
    if (t->Seek(data::order_key(table, table, key))) out = trim(t->str(field));
    data::KILLTABLA(db, t);
    return out;
}

std::string branch_field(data::Db& db, const std::string& business, const std::string& customer,
                         const std::string& branch, const char* field) {
    if (customer.empty()) return "";
    data::Table t = data::USE(db, "DET_CLIE", "DET_CLIE7");
    std::string out;
    if (t->Seek(data::order_key("DET_CLIE", "DET_CLIE7", {business, customer, branch})))
        out = trim(t->str(field));
    data::KILLTABLA(db, t);
    return out;
}

// What every printout's header names: the business, the currency and the amount in words.
void common_header(data::Db& db, const std::string& business, const std::string& currency,
                   const Decimal& total, PrintRecord& h) {
    h["EMPRESA"] = text(lookup(db, "NEGOCIOS", {business}, "DESCRIP"));
    h["MONEDA"] = text(currency);
    h["NOM_MONEDA"] = text(lookup(db, "MONEDAS", {business, currency}, "DESCRIP"));
    h["SIMBOLO"] = text(lookup(db, "MONEDAS", {business, currency}, "SIMBOLO"));
    h["MONTO"] = amount(total);
    h["LETRAS"] = text(MONEX(total, 300));
}

PrintRecord article_line(const std::string& code, const std::string& name, const Decimal& qty,
                         const Decimal& price, const LineAmounts& a) {
    return {{"L_CODIGO", text(code)},
            {"L_DESCRIP", text(name)},
            {"L_CANTIDAD", quantity(qty)},
            {"L_PRECIO", amount(price)},
            {"L_DESCUENT", amount(a.discount)},
            {"L_IMPUESTO", amount(a.tax)},
            {"L_TOTAL", amount(a.gross - a.discount)}};
}

void put_totals(PrintableDocument& d, const std::vector<LineAmounts>& lines) {
    LineAmounts sum;
    for (const auto& a : lines) {
        sum.gross = sum.gross + a.gross;
        sum.discount = sum.discount + a.discount;
        sum.tax = sum.tax + a.tax;
    }
    // A note without lines shows its amount as its subtotal.
    if (lines.empty()) sum.gross = d.header["MONTO"].number;
    d.header["SUBTOTAL"] = amount(sum.gross);
    d.header["DESCUENTO"] = amount(sum.discount);
    d.header["IMPUESTO"] = amount(sum.tax);
}

void read_article_lines(data::Db& db, const std::string& business, PrintableDocument& d) {
    data::Table t = data::USE(db, "DET_DOC", "DET_DOC");
    const std::string key = data::order_key("DET_DOC", "DET_DOC", {business, d.number});
    t->SetScope(key, key);
    std::vector<LineAmounts> amounts;
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        const std::string code = trim(t->str("CODIGO"));
        std::string name = trim(t->str("SPEC_FAC"));
        if (name.empty()) name = lookup(db, "DEF_ART", {business, code}, "DESCRIP");
        const LineAmounts a = line_amounts(t->num("CANTIDAD"), t->num("PRECIO"),
                                           t->num("DESCUENTO"), t->num("IMPUESTO"));
        amounts.push_back(a);
        d.lines.push_back(article_line(code, name, t->num("CANTIDAD"), t->num("PRECIO"), a));
    }
    data::KILLTABLA(db, t);
    put_totals(d, amounts);
}

// Proportional faces do not line up padded columns: one tender per line, amount after its name.
std::string tender_line(const std::string& code, const std::string& name, const Decimal& amount) {
    return code + " " + name + ": " + trim(pic_format(amount, kAmountPicture));
}

std::string tenders_text(data::Db& db, const std::string& business, const std::string& movement) {
    data::Table t = data::USE(db, "DET_MOV2", "DET_MOV2");
    const std::string key = data::order_key("DET_MOV2", "DET_MOV2", {business, movement});
    t->SetScope(key, key);
    std::string out;
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        const std::string code = trim(t->str("CODIGO"));
        std::string line =
            tender_line(code, lookup(db, "TIPO_MOV", {business, code}, "DESCRIP"), t->num("MONTO"));
        if (!trim(t->str("DOCUMENTO")).empty()) line += "  #" + trim(t->str("DOCUMENTO"));
        out += (out.empty() ? "" : "\n") + line;
    }
    data::KILLTABLA(db, t);
    return out;
}

// The lines of the receipt, each with its document's currency: a balance is in the document's
// currency while what was applied is in the receipt's, and a reader must tell them apart.
void read_applications(data::Db& db, const std::string& business, PrintableDocument& d) {
    data::Table t = data::USE(db, "DET_MOVE", "DET_MOVE");
    data::Table doc = data::USE(db, "DOCUMENT", "DOCUMENT");
    const std::string key = data::order_key("DET_MOVE", "DET_MOVE", {business, d.number});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        const std::string number = trim(t->str("DOCUMENTO"));
        const bool found = doc->Seek(data::order_key("DOCUMENT", "DOCUMENT", {business, number}));
        // A credit document whose balance the receipt lowered (a credit note used as payment)
        // pays instead of being paid: it counts against the receipt's total.
        const auto concept_def =
            found ? read_document_concept(db, business, trim(doc->str("CONCEPTO"))) : std::nullopt;
        const bool pays =
            concept_def && concept_def->debit == 0 && t->num("SALDO") < t->num("SALDO_ANT");
        d.lines.push_back({{"L_DOCUMEN", text(number)},
                           {"L_DESCRIP", text(trim(t->str("DESCRIP")))},
                           {"L_MONEDA", text(found ? trim(doc->str("MONEDA")) : d.currency)},
                           {"L_SALDOANT", amount(t->num("SALDO_ANT"))},
                           {"L_MONTO", amount(t->num("MONTO"))},
                           {"L_NETO", amount(pays ? -t->num("MONTO") : t->num("MONTO"))},
                           {"L_SALDO", amount(t->num("SALDO"))}});
    }
    data::KILLTABLA(db, doc);
    data::KILLTABLA(db, t);
}

}  // namespace

const PrintValue& PrintableDocument::value(const std::string& field) const {
    static const PrintValue none;
    auto it = header.find(field);
    return it == header.end() ? none : it->second;
}

const std::vector<PrintableField>& printable_fields() {
    static const std::vector<PrintableField> fields = {
        {"EMPRESA", "Nombre de la Empresa", K::Text, false, ""},
        {"NOM_CONCEP", "Tipo de Documento", K::Text, false, ""},
        {"DOCUMENTO", "Número de Documento", K::Text, false, ""},
        {"CONCEPTO", "Código de Concepto", K::Text, false, ""},
        {"FECHA", "Fecha", K::Date, false, ""},
        {"HORA", "Hora", K::Text, false, ""},
        {"VENCE", "Vencimiento", K::Date, false, ""},
        {"CLIENTE", "Código de Cliente", K::Text, false, ""},
        {"NOM_CLIENT", "Nombre del Cliente", K::Text, false, ""},
        {"CEDULA", "Cédula / Identificación", K::Text, false, ""},
        {"DIRECCION", "Dirección", K::Text, false, ""},
        {"TELEFONO", "Teléfono", K::Text, false, ""},
        {"MONEDA", "Código de Moneda", K::Text, false, ""},
        {"NOM_MONEDA", "Nombre de la Moneda", K::Text, false, ""},
        {"SIMBOLO", "Símbolo de la Moneda", K::Text, false, ""},
        {"AGENTE", "Agente", K::Text, false, ""},
        {"CAJA", "Caja", K::Text, false, ""},
        {"USUARIO", "Usuario", K::Text, false, ""},
        {"DESCRIP", "Descripción / Comentario", K::Text, false, ""},
        {"SUBTOTAL", "Subtotal", K::Amount, false, kAmountPicture},
        {"DESCUENTO", "Total Descuento", K::Amount, false, kAmountPicture},
        {"IMPUESTO", "Total Impuesto", K::Amount, false, kAmountPicture},
        {"MONTO", "Monto Total", K::Amount, false, kAmountPicture},
        {"SALDO", "Saldo", K::Amount, false, kAmountPicture},
        {"LETRAS", "Monto en Letras", K::Text, false, ""},
        {"FORMAS_PAG", "Formas de Pago (recibos)", K::Text, false, ""},
        {"TEXTO_EXT", "Texto adicional de la impresión", K::Text, false, ""},
        {"L_CODIGO", "Línea: Código", K::Text, true, ""},
        {"L_DESCRIP", "Línea: Descripción", K::Text, true, ""},
        {"L_CANTIDAD", "Línea: Cantidad", K::Quantity, true, kQuantityPicture},
        {"L_PRECIO", "Línea: Precio Unitario", K::Amount, true, kAmountPicture},
        {"L_DESCUENT", "Línea: Descuento", K::Amount, true, kAmountPicture},
        {"L_IMPUESTO", "Línea: Impuesto", K::Amount, true, kAmountPicture},
        {"L_TOTAL", "Línea: Total", K::Amount, true, kAmountPicture},
        {"L_DOCUMEN", "Línea: Documento Pagado (recibos)", K::Text, true, ""},
        {"L_SALDOANT", "Línea: Saldo Anterior (recibos)", K::Amount, true, kAmountPicture},
        {"L_MONTO", "Línea: Monto Aplicado (recibos)", K::Amount, true, kAmountPicture},
        {"L_SALDO", "Línea: Saldo Actual (recibos)", K::Amount, true, kAmountPicture},
    };
    return fields;
}

const PrintableField* printable_field(const std::string& code) {
    for (const auto& f : printable_fields())
        if (code == f.code) return &f;
    return nullptr;
}

std::optional<PrintableDocument> read_printable_document(data::Db& db, const std::string& business,
                                                         const std::string& number) {
    data::Table t = data::USE(db, "DOCUMENT", "DOCUMENT");
    if (!t->Seek(data::order_key("DOCUMENT", "DOCUMENT", {business, number}))) {
        data::KILLTABLA(db, t);
        return std::nullopt;
    }
    PrintableDocument d;
    d.number = trim(t->str("DOCUMENTO"));
    d.concept_code = trim(t->str("CONCEPTO"));
    d.currency = trim(t->str("MONEDA"));
    PrintRecord& h = d.header;
    common_header(db, business, d.currency, t->num("MONTO"), h);
    h["DOCUMENTO"] = text(d.number);
    h["CONCEPTO"] = text(d.concept_code);
    h["NOM_CONCEP"] = text(lookup(db, "CONCEPT1", {business, d.concept_code}, "DESCRIP"));
    h["FECHA"] = day(t->date("FECHA"));
    h["HORA"] = text(trim(t->str("HORA")));
    h["VENCE"] = day(t->date("VENCE"));
    h["CLIENTE"] = text(trim(t->str("CLIENTE")));
    std::string name = trim(t->str("NOM_CLIENT"));
    h["NOM_CLIENT"] = text(name.empty() ? trim(t->str("NOMBRE")) : name);
    h["CEDULA"] = text(trim(t->str("CEDULA")));
    h["AGENTE"] = text(trim(t->str("AGENTE")));
    h["CAJA"] = text(trim(t->str("CAJA")));
    h["USUARIO"] = text(trim(t->str("USUARIO")));
    h["DESCRIP"] = text(trim(t->str("DESCRIP")));
    h["SALDO"] = amount(t->num("SALDO"));
    const std::string customer = trim(t->str("CLIENTE")), branch = trim(t->str("SUBCLIENTE"));
    data::KILLTABLA(db, t);
    // The address typed on the document, else the one of the customer's branch it was made to.
    for (const char* field : {"DIRECCION", "TELEFONO"}) {
        std::string value = lookup(db, "ENC_DOC2", {business, d.number}, field);
        if (value.empty()) value = branch_field(db, business, customer, branch, field);
        h[field] = text(value);
    }
    read_article_lines(db, business, d);
    return d;
}

std::optional<PrintableDocument> read_printable_receipt(data::Db& db, const std::string& business,
                                                        const std::string& movement) {
    data::Table t = data::USE(db, "ENC_MOVE", "ENC_MOVE");
    if (!t->Seek(data::order_key("ENC_MOVE", "ENC_MOVE", {business, movement}))) {
        data::KILLTABLA(db, t);
        return std::nullopt;
    }
    PrintableDocument d;
    d.number = trim(t->str("MOVIMIENTO"));
    d.currency = trim(t->str("MONEDA"));
    PrintRecord& h = d.header;
    common_header(db, business, d.currency, t->num("MONTO"), h);
    h["DOCUMENTO"] = text(d.number);
    h["NOM_CONCEP"] = text("Recibo de Dinero");
    h["FECHA"] = day(t->date("FECHA"));
    h["HORA"] = text(trim(t->str("HORA")));
    h["CLIENTE"] = text(trim(t->str("CLIENTE")));
    h["NOM_CLIENT"] = text(trim(t->str("NOM_CLIENT")));
    h["CAJA"] = text(trim(t->str("CAJA")));
    h["DIGITADOR"] = text(trim(t->str("DIGITADOR")));
    h["USUARIO"] = text(trim(t->str("USUARIO")));
    h["DESCRIP"] = text(trim(t->str("DESCRIP")));
    data::KILLTABLA(db, t);
    h["FORMAS_PAG"] = text(tenders_text(db, business, d.number));
    read_applications(db, business, d);
    return d;
}

PrintableDocument sample_document(const Date& today) {
    PrintableDocument d;
    d.number = "F0001234";
    d.concept_code = "FC";
    d.currency = "CO";
    struct Sample {
        const char *code, *name, *qty, *price, *discount;
    };
    const Sample lines[] = {{"MAS001", "Masaje relajante 60 min", "2", "45000.00", "0"},
                            {"FAC002", "Tratamiento facial hidratante", "1", "38500.00", "10"},
                            {"SAU001", "Acceso a sauna y jacuzzi", "3", "12000.00", "0"}};
    std::vector<LineAmounts> amounts;
    for (const auto& s : lines) {
        const Decimal qty = Decimal::parse(s.qty), price = Decimal::parse(s.price);
        const LineAmounts a = line_amounts(qty, price, Decimal::parse(s.discount), Decimal(13));
        amounts.push_back(a);
        d.lines.push_back(article_line(s.code, s.name, qty, price, a));
    }
    Decimal total;
    for (const auto& a : amounts) total = total + a.gross - a.discount + a.tax;
    PrintRecord& h = d.header;
    h["EMPRESA"] = text("Hotel Quartzen Spa & Resort");
    h["MONEDA"] = text(d.currency);
    h["NOM_MONEDA"] = text("Colones");
    h["SIMBOLO"] = text("¢");
    h["MONTO"] = amount(total);
    h["SALDO"] = amount(total);
    h["LETRAS"] = text(MONEX(total, 300));
    h["DOCUMENTO"] = text(d.number);
    h["CONCEPTO"] = text(d.concept_code);
    h["NOM_CONCEP"] = text("Factura Contado");
    h["FECHA"] = day(today);
    h["HORA"] = text("10:15:00");
    h["VENCE"] = day(today + 30);
    h["CLIENTE"] = text("3101123456");
    h["NOM_CLIENT"] = text("Viajes Pura Vida S.A.");
    h["CEDULA"] = text("3-101-123456");
    h["DIRECCION"] = text("San José, Barrio Escalante, 200 m norte de la iglesia");
    h["TELEFONO"] = text("2222-3344");
    h["AGENTE"] = text("01");
    h["CAJA"] = text("SPA1");
    h["DIGITADOR"] = text("0001");
    h["USUARIO"] = text("SUP");
    h["DESCRIP"] = text("Servicios de spa del 20 al 22 de mayo");
    put_totals(d, amounts);
    return d;
}

PrintableDocument sample_receipt(const Date& today) {
    PrintableDocument d;
    d.number = "R0000456";
    d.currency = "CO";
    const Decimal first = Decimal::parse("120000.00"), second = Decimal::parse("35500.00");
    PrintRecord& h = d.header;
    h["EMPRESA"] = text("Hotel Quartzen Spa & Resort");
    h["MONEDA"] = text(d.currency);
    h["NOM_MONEDA"] = text("Colones");
    h["MONTO"] = amount(first + second);
    h["LETRAS"] = text(MONEX(first + second, 300));
    h["DOCUMENTO"] = text(d.number);
    h["NOM_CONCEP"] = text("Recibo de Dinero");
    h["FECHA"] = day(today);
    h["HORA"] = text("16:40:00");
    h["CLIENTE"] = text("3101123456");
    h["NOM_CLIENT"] = text("Viajes Pura Vida S.A.");
    h["CAJA"] = text("SPA1");
    h["DIGITADOR"] = text("0001");
    h["USUARIO"] = text("SUP");
    h["DESCRIP"] = text("Abono a facturas de mayo");
    h["FORMAS_PAG"] = text(tender_line("EF", "Efectivo", first) + "\n" +
                           tender_line("TR", "Transferencia", second) + "  #778899");
    d.lines.push_back({{"L_DOCUMEN", text("F0001230")},
                       {"L_DESCRIP", text("Abono")},
                       {"L_MONEDA", text("CO")},
                       {"L_SALDOANT", amount(first)},
                       {"L_MONTO", amount(first)},
                       {"L_SALDO", amount(Decimal())}});
    d.lines.push_back({{"L_DOCUMEN", text("F0001234")},
                       {"L_DESCRIP", text("Abono parcial")},
                       {"L_MONEDA", text("CO")},
                       {"L_SALDOANT", amount(Decimal::parse("226970.00"))},
                       {"L_MONTO", amount(second)},
                       {"L_SALDO", amount(Decimal::parse("191470.00"))}});
    return d;
}

}  // namespace qz::domain
