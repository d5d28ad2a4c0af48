// What the agency owes beyond its credit invoice, so that its statement, historic statement and
// collection plan show real lines: an invoice in three instalments with interest, of which the
// first was paid in full and the second in part (it is overdue and charges late interest), and a
// credit note for a service not given.
#include <tuple>

#include "core/text.h"
#include "domain/demo/demo_rows.h"
#include "domain/ledger/serials.h"

namespace qz::domain::demo {

namespace {

const char* const kAgency = "3101123456";
const char* const kAgencyName = "Turismo Pura Vida - Oficinas Centrales";

void document(data::Db& db, const std::string& number, const char* concept_code, const Date& day,
              const Date& due, const Decimal& amount, const Decimal& balance,
              const char* description, const Decimal& interest_paid = {},
              const Decimal& late_rate = {}, int used = 0) {
    RowWriter doc(db, "DOCUMENT");
    doc.add({{"DOCUMENTO", number},
             {"CONCEPTO", concept_code},
             {"CLIENTE", kAgency},
             {"SUBCLIENTE", "01"},
             {"NOM_CLIENT", kAgencyName},
             {"FECHA", day},
             {"HORA", "10:00:00"},
             {"VENCE", due},
             {"MONTO", amount},
             {"SALDO", balance},
             {"SALDO_ORIG", amount},
             {"INTERES", interest_paid},
             {"I_MORA", late_rate},
             {"MONEDA", kColones},
             {"COD_DIFF", "01"},
             {"USUARIO", "SUP"},
             {"UTILIZADO", used},
             {"INFO_UTIL", used ? "Servicios de la convención usados en parte - SUP" : ""},
             {"DESCRIP", description}});
}

}  // namespace

void load_statement_documents(data::Db& db, const Date& today, Summary& out) {
    // 40 % at 30 days, 30 % at 60 and 30 % at 90, each with 5 % interest, as the concept's plan
    // says. The receipt paid the first instalment and 30,000.00 of the second with the interest
    // of both; the rest of the second fell due 15 days ago and charges 3 % a month.
    const Date day = today - 75;
    const Decimal total = Decimal::parse("300000.00"), paid = Decimal::parse("150000.00");
    const Decimal interest = Decimal::parse("10500.00");
    const std::string invoice = trim(GET_NXSERIAL(db, kBiz, "FACTURA"));
    document(db, invoice, "FP", day, day + 90, total, total - paid,
             "Convención anual de la agencia: circuito de aguas y masajes", interest, Decimal(3),
             2);
    RowWriter parts(db, "DOC_PARC");
    const std::tuple<int, const char*, const char*> plan[] = {
        {30, "120000.00", "6000.00"}, {60, "90000.00", "4500.00"}, {90, "90000.00", "4500.00"}};
    for (const auto& [days, amount, charge] : plan)
        parts.add({{"DOCUMENTO", invoice},
                   {"FECHA", day + days},
                   {"MONTO", Decimal::parse(amount)},
                   {"INTERES", Decimal::parse(charge)}});

    const std::string receipt = trim(GET_NXSERIAL(db, kBiz, "RECIBO"));
    const Date paid_on = today - 40;
    RowWriter enc(db, "ENC_MOVE");
    enc.add({{"MOVIMIENTO", receipt},
             {"FECHA", paid_on},
             {"HORA", "11:30:00"},
             {"CLIENTE", kAgency},
             {"NOM_CLIENT", kAgencyName},
             {"MONTO", paid + interest},
             {"MONEDA", kColones},
             {"BLOCK", "01"},
             {"DESCRIP", "Transferencia bancaria"},
             {"USUARIO", "SUP"}});
    RowWriter det(db, "DET_MOVE");
    det.add({{"MOVIMIENTO", receipt},
             {"DOCUMENTO", invoice},
             {"CONCEPTO", "AB"},
             {"DESCRIP", "Abono a " + invoice},
             {"FECHA", paid_on},
             {"HORA", "11:30:00"},
             {"MONTO", paid},
             {"INTERES", interest},
             {"SALDO_ANT", total},
             {"SALDO", total - paid}});
    RowWriter tender(db, "DET_MOV2");
    tender.add({{"MOVIMIENTO", receipt}, {"CODIGO", "CH"}, {"MONTO", paid + interest}});

    const std::string note = trim(GET_NXSERIAL(db, kBiz, "NOTA_CREDITO"));
    const Decimal credit = Decimal::parse("25000.00");
    document(db, note, "NC", today - 10, today - 10, credit, credit,
             "Masaje no realizado en la convención");
    parts.add({{"DOCUMENTO", note}, {"FECHA", today - 10}, {"MONTO", credit}});
    out.push_back(
        "Estado de cuenta: " + std::string(kAgency) + " con la factura a plazos " + invoice +
        " abonada con " + receipt + " y la nota de crédito " + note +
        " (Clientes › Imprimir, Estado Histórico, Plan de Cobro; Cuentas por Cobrar › Consultas ›"
        " Consultas Clientes / CxC; la factura tiene intereses y una cuota vencida con interés "
        "moratorio)");
}

}  // namespace qz::domain::demo
