// A closed shift of the spa register with receipts of every kind the cash closing tells apart,
// so a newcomer prints a closing of SPA1 at once: an invoice paid half in cash and half by card,
// a dollar invoice paid in dollars at the rate of its day, a receipt settling two invoices, a
// cheque with change given back in cash (a money-out payment type) and a charge on account that
// the closing leaves out of the money collected.
#include "domain/demo/demo_rows.h"
#include "domain/ledger/rates.h"

namespace qz::domain::demo {

namespace {

const char* const kRegister = "SPA1";
const char* const kOperator = "0001";

struct Line {
    const char* article;
    const char* price;
    const char* quantity;
    const char* tax;  // percent, "0" exempt
};

struct Invoice {
    const char* number;
    const char* currency;
    const char* amount;
    std::vector<Line> lines;
};

struct Tender {
    const char* code;
    const char* amount;
};

struct Receipt {
    const char* number;
    const char* time;
    const char* currency;
    bool dollars;  // stored with the day's dollar rate
    std::vector<const Invoice*> paid;
    std::vector<Tender> tenders;
};

const Invoice kMassage{"FCJ000001", "CO", "45200.00", {{"MAS001", "40000", "1", "13"}}};
const Invoice kFacial{"FCJ000002", "US", "90.00", {{"FAC001", "90", "1", "0"}}};
const Invoice kCircuit{"FCJ000003", "CO", "22600.00", {{"BIE001", "20000", "1", "13"}}};
const Invoice kClass{"FCJ000004", "CO", "15000.00", {{"BIE002", "7500", "2", "0"}}};
const Invoice kPackage{"FCJ000005", "CO", "60000.00", {{"COR001", "60000", "1", "0"}}};
const Invoice kManicure{"FCJ000006", "CO", "11300.00", {{"FAC002", "10000", "1", "13"}}};

const Receipt kReceipts[] = {
    {"RCJ000001", "09:15:00", "CO", false, {&kMassage}, {{"EF", "22600.00"}, {"TC", "22600.00"}}},
    {"RCJ000002", "10:40:00", "US", true, {&kFacial}, {{"TC", "90.00"}}},
    {"RCJ000003", "12:05:00", "CO", false, {&kCircuit, &kClass}, {{"EF", "37600.00"}}},
    {"RCJ000004", "14:30:00", "CO", false, {&kPackage}, {{"CH", "70000.00"}, {"DV", "10000.00"}}},
    {"RCJ000005", "16:50:00", "CO", false, {&kManicure}, {{"CR", "11300.00"}}},
};

const char* const kCustomer = "CONTADO";
const char* const kCustomerName = "Cliente de Contado";

void invoice(data::Db& db, const Invoice& inv, const Date& day) {
    const Decimal amount = Decimal::parse(inv.amount);
    RowWriter(db, "DOCUMENT")
        .add({{"DOCUMENTO", inv.number},
              {"CONCEPTO", "FC"},
              {"CLIENTE", kCustomer},
              {"SUBCLIENTE", "01"},
              {"NOM_CLIENT", kCustomerName},
              {"FECHA", day},
              {"HORA", "08:30:00"},
              {"VENCE", day},
              {"MONTO", amount},
              {"BRUTO", amount},
              {"SALDO", Decimal()},
              {"SALDO_ORIG", amount},
              {"MONEDA", inv.currency},
              {"COD_DIFF", "01"},
              {"AGENTE", "01"},
              {"CAJA", kRegister},
              {"USUARIO", "SUP"},
              {"DESCRIP", "Servicios de spa"}});
    RowWriter(db, "DOC_PARC").add({{"DOCUMENTO", inv.number}, {"FECHA", day}, {"MONTO", amount}});
    RowWriter lines(db, "DET_DOC");
    long n = 0;
    for (const auto& l : inv.lines)
        lines.add({{"DOCUMENTO", inv.number},
                   {"N_INDEX", ++n},
                   {"CODIGO", l.article},
                   {"PRECIO", Decimal::parse(l.price)},
                   {"CANTIDAD", Decimal::parse(l.quantity)},
                   {"IMPUESTO", Decimal::parse(l.tax)},
                   {"CAJA", kRegister},
                   {"CLIENTE", kCustomer},
                   {"FECHA", day},
                   {"HORA", "08:30:00"}});
}

void receipt(data::Db& db, const Receipt& r, const Date& day) {
    Decimal total;
    for (const auto* inv : r.paid) total += Decimal::parse(inv->amount);
    RowWriter(db, "ENC_MOVE")
        .add({{"MOVIMIENTO", r.number},
              {"FECHA", day},
              {"HORA", r.time},
              {"CLIENTE", kCustomer},
              {"NOM_CLIENT", kCustomerName},
              {"MONTO", total},
              {"MONEDA", r.currency},
              {"CAJA", kRegister},
              {"DIGITADOR", kOperator},
              {"BLOCK", "01"},
              {"USUARIO", "SUP"}});
    RowWriter applied(db, "DET_MOVE");
    for (const auto* inv : r.paid)
        applied.add({{"MOVIMIENTO", r.number},
                     {"DOCUMENTO", inv->number},
                     {"CONCEPTO", "CA"},
                     {"DESCRIP", std::string("Cancelación de ") + inv->number},
                     {"FECHA", day},
                     {"HORA", r.time},
                     {"MONTO", Decimal::parse(inv->amount)},
                     {"SALDO_ANT", Decimal::parse(inv->amount)},
                     {"SALDO", Decimal()}});
    RowWriter tenders(db, "DET_MOV2");
    for (const auto& t : r.tenders)
        tenders.add(
            {{"MOVIMIENTO", r.number}, {"CODIGO", t.code}, {"MONTO", Decimal::parse(t.amount)}});
    if (r.dollars)
        RowWriter(db, "DET_MOV3")
            .add({{"MOVIMIENTO", r.number},
                  {"MONEDA_1", r.currency},
                  {"MONEDA_2", kColones},
                  {"CAMBIO", CAMBIO_SPEC(db, kBiz, kColones, kDollars, day)}});
}

}  // namespace

void load_closing_shift(data::Db& db, const Date& today, Summary& out) {
    RowWriter(db, "TIPO_MOV")
        .add({{"CODIGO", "DV"},
              {"DESCRIP", "Vuelto en Efectivo"},
              {"TIPO", 1},
              {"ASIENTO1", "CAJA_EF"},
              {"SHOW", 1}});
    const Date day = today - 1;
    RowWriter(db, "CAJA_DET")
        .add({{"CAJA", kRegister},
              {"FECHA_INI", day},
              {"HORA_INI", "08:00:00"},
              {"FECHA_FIN", day},
              {"HORA_FIN", "18:00:00"},
              {"MONTO_INI", Decimal::parse("50000.00")},
              {"AGENTE", kOperator}});
    for (const auto* inv : {&kMassage, &kFacial, &kCircuit, &kClass, &kPackage, &kManicure})
        invoice(db, *inv, day);
    for (const auto& r : kReceipts) receipt(db, r, day);
    out.push_back(
        "Cierre de caja: turno de ayer de SPA1 con 5 recibos (efectivo y tarjeta, dólares, "
        "vuelto DV de egreso, crédito CR fuera de lo recaudado): Definición de Cajas › Imprimir "
        "Cierre, o quartzen closing --business HOTEL --register SPA1 --detail");
}

}  // namespace qz::domain::demo
