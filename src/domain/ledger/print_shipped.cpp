#include "domain/ledger/print_shipped.h"

#include "core/text.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/code_rows.h"

namespace qz::domain {

namespace {

// Report fonts by their place in services::ReportFont.
constexpr int kNB = 1, kP = 2, kPB = 3, kS = 4, kXP = 8, kBIG = 12;
constexpr int kLeft = 0, kCentre = 1, kRight = 2;

FormatElement field(const char* name, double row, double column, int width, int font = kP,
                    int align = kLeft, const char* caption = "", const char* picture = "") {
    return {name, caption, row, column, width, picture, font, align};
}
FormatElement label(const char* text, double row, double column, int width, int font = kP,
                    int align = kLeft) {
    return {"", text, row, column, width, "", font, align};
}
FormatElement rule(double row, double column, int width) {
    return {kRuleField, "", row, column, width, "", kP, kLeft};
}

// The top band shared by the invoice and the receipt: business, kind and number of the document.
void top_band(PrintFormat& f, FormatElement kind) {
    f.header.push_back(field("EMPRESA", 0.5, 0, 56, kBIG));
    f.header.push_back(std::move(kind));
    f.header.push_back(field("DOCUMENTO", 2.6, 56, 40, kPB, kRight, "No."));
    f.header.push_back(rule(4.2, 0, 96));
}

}  // namespace

PrintFormat shipped_invoice_format() {
    PrintFormat f;
    f.code = kInvoiceFormat;
    f.name = "Factura (hoja carta)";
    f.page.lines = 24;
    f.page.no_vertical = true;
    top_band(f, field("NOM_CONCEP", 1, 56, 40, kNB, kRight));
    auto& h = f.header;
    const std::pair<const char*, const char*> left[] = {{"Cliente:", "NOM_CLIENT"},
                                                        {"Código:", "CLIENTE"},
                                                        {"Dirección:", "DIRECCION"},
                                                        {"Teléfono:", "TELEFONO"}};
    const std::pair<const char*, const char*> right[] = {
        {"Fecha:", "FECHA"}, {"Vence:", "VENCE"}, {"Moneda:", "NOM_MONEDA"}, {"Hora:", "HORA"}};
    for (int i = 0; i < 4; ++i) {
        const double row = 5 + i;
        h.push_back(label(left[i].first, row, 0, 11));
        // The customer's code shares its row with the identification.
        h.push_back(field(left[i].second, row, 12, i == 1 ? 20 : 50, i == 0 ? kPB : kP));
        h.push_back(label(right[i].first, row, 66, 12));
        h.push_back(field(right[i].second, row, 78, 18, kP, kRight));
    }
    h.push_back(label("Cédula:", 6, 34, 8));
    h.push_back(field("CEDULA", 6, 42, 20));
    h.push_back(label("Observaciones:", 37, 0, 20, kPB));
    h.push_back(field("DESCRIP", 38, 0, 60));
    h.push_back(field("TEXTO_EXT", 39, 0, 60));
    const std::pair<const char*, const char*> totals[] = {
        {"Subtotal:", "SUBTOTAL"}, {"Descuento:", "DESCUENTO"}, {"Impuesto:", "IMPUESTO"}};
    for (int i = 0; i < 3; ++i) {
        h.push_back(label(totals[i].first, 37 + i, 66, 14));
        h.push_back(field(totals[i].second, 37 + i, 80, 16, kP, kRight));
    }
    h.push_back(rule(40.2, 66, 30));
    h.push_back(label("Total:", 40.5, 66, 14, kPB));
    h.push_back(field("MONTO", 40.5, 80, 16, kPB, kRight));
    h.push_back(field("LETRAS", 42.5, 0, 96, kS, kLeft, "Son:"));
    h.push_back(rule(47, 4, 30));
    h.push_back(rule(47, 62, 30));
    h.push_back(label("Recibido conforme", 47.3, 4, 30, kP, kCentre));
    h.push_back(label("Autorizado", 47.3, 62, 30, kP, kCentre));
    f.lines = {field("L_CODIGO", 11, 0, 9, kP, kLeft, "Código"),
               field("L_DESCRIP", 11, 10, 34, kP, kLeft, "Descripción"),
               field("L_CANTIDAD", 11, 45, 9, kP, kRight, "Cantidad", "99,999.99"),
               field("L_PRECIO", 11, 55, 13, kP, kRight, "Precio", "99,999,999.99"),
               field("L_DESCUENT", 11, 69, 12, kP, kRight, "Descuento", "9,999,999.99"),
               field("L_TOTAL", 11, 82, 14, kP, kRight, "Total", "999,999,999.99")};
    return f;
}

PrintFormat shipped_receipt_format() {
    PrintFormat f;
    f.code = kReceiptFormat;
    f.name = "Recibo de Dinero (original y copia)";
    f.page.lines = 8;
    f.page.copies = 2;
    f.page.copy_offset = 33;
    f.page.no_vertical = true;
    top_band(f, label("RECIBO DE DINERO", 1, 56, 40, kNB, kRight));
    auto& h = f.header;
    h.push_back(label("Recibimos de:", 5, 0, 13));
    h.push_back(field("NOM_CLIENT", 5, 14, 50, kPB));
    h.push_back(label("Código:", 6, 0, 13));
    h.push_back(field("CLIENTE", 6, 14, 30));
    h.push_back(label("La suma de:", 7, 0, 13));
    h.push_back(field("LETRAS", 7, 14, 82, kS));
    h.push_back(label("Fecha:", 5, 66, 12));
    h.push_back(field("FECHA", 5, 78, 18, kP, kRight));
    h.push_back(label("Moneda:", 6, 66, 12));
    h.push_back(field("NOM_MONEDA", 6, 78, 18, kP, kRight));
    h.push_back(label("Monto:", 8.3, 66, 12, kPB));
    h.push_back(field("MONTO", 8.3, 78, 18, kPB, kRight));
    h.push_back(label("Formas de Pago:", 21, 0, 30, kPB));
    h.push_back(field("FORMAS_PAG", 22, 0, 60, kS));
    h.push_back(label("Comentario:", 25, 0, 13));
    h.push_back(field("DESCRIP", 25, 14, 82));
    h.push_back(field("TEXTO_EXT", 26, 14, 82));
    h.push_back(rule(28, 62, 34));
    h.push_back(label("Firma y sello", 28.3, 62, 34, kP, kCentre));
    h.push_back(field("CAJA", 30, 0, 20, kXP, kLeft, "Caja:"));
    h.push_back(field("USUARIO", 30, 20, 20, kXP, kLeft, "Usuario:"));
    f.lines = {field("L_DOCUMEN", 11, 0, 16, kP, kLeft, "Documento"),
               field("L_DESCRIP", 11, 17, 30, kP, kLeft, "Detalle"),
               field("L_SALDOANT", 11, 48, 15, kP, kRight, "Saldo Anterior", "999,999,999.99"),
               field("L_MONTO", 11, 64, 15, kP, kRight, "Abono", "999,999,999.99"),
               field("L_SALDO", 11, 81, 15, kP, kRight, "Saldo Actual", "999,999,999.99")};
    return f;
}

PrintFormat shipped_ticket_format() {
    PrintFormat f;
    f.code = kTicketFormat;
    f.name = "Tiquete (impresora de rollo)";
    f.columns = 40;
    f.page.lines = kFormatRows;
    f.page.no_vertical = true;
    return f;
}

int install_shipped_formats(data::Db& db, const std::string& business) {
    constexpr code_rows::CodeTable kFormats{"FORM_DOC", "Formato", kFormatDuplicate};
    int written = 0;
    data::Transaction tx(db);
    for (const PrintFormat& f :
         {shipped_invoice_format(), shipped_receipt_format(), shipped_ticket_format()}) {
        if (code_rows::exists(db, kFormats, business, f.code)) continue;
        insert_format(db, business, f);
        ++written;
    }
    tx.commit();
    return written;
}

int install_shipped_formats_everywhere(data::Db& db) {
    std::vector<std::string> businesses;
    data::Table t = data::USE(db, "NEGOCIOS", "NEGOCIOS");
    for (t->GoTop(); !t->Eof(); t->Skip()) businesses.push_back(trim(t->str("CODIGO")));
    data::KILLTABLA(db, t);
    int written = 0;
    for (const auto& b : businesses) written += install_shipped_formats(db, b);
    return written;
}

}  // namespace qz::domain
