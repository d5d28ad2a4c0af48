// A credit invoice of the spa to a travel agency, numbered from its concept's series, with its
// lines, its instalment and the journal voucher it posts: something to print through the
// concept's formats and to see in the voucher viewer before the invoicing screens exist.
#include <vector>

#include "core/text.h"
#include "domain/demo/demo_rows.h"
#include "domain/ledger/journal.h"
#include "domain/ledger/serials.h"

namespace qz::domain::demo {

namespace {

struct Line {
    const char* article;
    int quantity;
    const char* price;
};
constexpr Line kLines[] = {{"MAS003", 1, "85000.00"}, {"FAC001", 2, "38500.00"}};
const Decimal kTaxRate = Decimal::parse("13");
const char* const kAgency = "3101123456";

}  // namespace

void load_sample_documents(data::Db& db, const Date& today, Summary& out) {
    const Date day = today - 2, due = day + 30;
    const std::string number = trim(GET_NXSERIAL(db, kBiz, "FACTURA"));
    Decimal net;
    RowWriter lines(db, "DET_DOC");
    int index = 0;
    for (const auto& l : kLines) {
        const Decimal price = Decimal::parse(l.price);
        net += price * l.quantity;
        lines.add({{"DOCUMENTO", number},
                   {"N_INDEX", ++index},
                   {"CODIGO", l.article},
                   {"CANTIDAD", l.quantity},
                   {"PRECIO", price},
                   {"IMPUESTO", kTaxRate},
                   {"CLIENTE", kAgency},
                   {"FECHA", day},
                   {"HORA", "15:20:00"}});
    }
    const Decimal tax = (net * kTaxRate / 100).round(2), total = net + tax;
    RowWriter doc(db, "DOCUMENT");
    doc.add({{"DOCUMENTO", number},
             {"CONCEPTO", "FA"},
             {"CLIENTE", kAgency},
             {"SUBCLIENTE", "01"},
             {"NOM_CLIENT", "Turismo Pura Vida - Oficinas Centrales"},
             {"CEDULA", kAgency},
             {"FECHA", day},
             {"HORA", "15:20:00"},
             {"VENCE", due},
             {"MONTO", total},
             {"SALDO", total},
             {"SALDO_ORIG", total},
             {"MONEDA", kColones},
             {"COD_DIFF", "01"},
             {"USUARIO", "SUP"},
             {"UTILIZADO", 1},
             {"INFO_UTIL", "Paquete canjeado por el grupo de la agencia - SUP " + day.dtoc()},
             {"DESCRIP", "Paquete de bienestar para clientes de la agencia"}});
    RowWriter parts(db, "DOC_PARC");
    parts.add({{"DOCUMENTO", number}, {"FECHA", due}, {"MONTO", total}});

    // The voucher of the day's invoices: receivable against sales and tax.
    ContaTransaction c(db, kBiz, "02", day, number, {"SUP", "demostración"});
    c.post_link("CXC", total, kColones, Decimal(1), "Fact//CXC " + number);
    c.post_link("VENTAS_SPA", net, kColones, Decimal(1), "Ventas Spa " + number);
    c.post_link("IMPUESTOS", tax, kColones, Decimal(1), "Impuestos " + number);
    c.close();
    // The agency's booking the invoice was made from, so "Anular Factura" has one to annul.
    const std::string booking = trim(GET_NXSERIAL(db, kBiz, "SPA"));
    RowWriter res(db, "SPA_RESE");
    res.add({{"CODIGO", booking},
             {"ESTADO", 2},
             {"FECHA", day},
             {"HORA_INI", "14:00"},
             {"HORA_FIN", "15:00"},
             {"COD_SALA", "S02"},
             {"ENCARGADO", "01"},
             {"A_NOMBRE", "Turismo Pura Vida - Grupo de incentivo"},
             {"NUM_PERSON", 2},
             {"T_PRECIO", "03"},
             {"MOV_CXC", number},
             {"USER_REG", "SUP"},
             {"FECHA_REG", day},
             {"HORA_REG", "09:00:00"}});
    RowWriter services(db, "SPA_RESD");
    int n = 0;
    for (const auto& l : kLines)
        services.add({{"COD_RESER", booking},
                      {"CONSECU", ++n},
                      {"CODIGO", l.article},
                      {"CANTIDAD", l.quantity},
                      {"PRECIO", Decimal::parse(l.price)},
                      {"IMPUESTO", kTaxRate}});
    out.push_back("Documentos: factura de crédito " + number + " a " + kAgency + " de la reserva " +
                  booking +
                  " (imprimible desde Formatos de Impresión › Imprimir Documento...; se anula "
                  "en Cuentas por Cobrar › Documentos › Anulación de Documentos)");
}

}  // namespace qz::domain::demo
