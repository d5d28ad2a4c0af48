// A gym that pays its instalments by standing order on the 15th, for "Cobros Automáticos": one
// instalment invoice with its first instalment paid, whose next charge is a whole instalment
// and can be collected at once, and another paid in part, whose charge must first be changed.
#include <tuple>

#include "core/text.h"
#include "domain/demo/demo_rows.h"
#include "domain/ledger/serials.h"

namespace qz::domain::demo {

namespace {

const char* const kGym = "3102555777";
const char* const kGymName = "Gimnasio Vida Sana S.A.";
constexpr int kCollectionDay = 15;

struct Invoice {
    int age;                 // days since issue
    const char* instalment;  // principal of each of its three instalments
    const char* interest;    // interest of each
    const char* paid;        // principal paid
    const char* interest_paid;
};

void customer(data::Db& db, const Date& today) {
    RowWriter cli(db, "CLIENTES");
    cli.add({{"CODIGO", kGym},
             {"NOMBRE", kGymName},
             {"JURIDICA", kGym},
             {"CLAS_1", "02"},
             {"CATEGORIA", "CO"},
             {"ESTADO", 1},
             {"F_INGRESO", today - 120},
             {"COBRA_IMP", "S"}});
    RowWriter det(db, "DET_CLIE");
    det.add({{"CLIENTE", kGym},
             {"CODIGO", "01"},
             {"PRINCIPAL", "S"},
             {"CATEGORIA", "01"},
             {"COD_ZONA", "GAM"},
             {"NOMBRE", kGymName},
             {"JURIDICA", kGym},
             {"TELEFONO", "2222-1515"},
             {"LIMITE", Decimal::parse("1000000.00")},
             {"MON_LIMITE", kColones},
             {"MAX_DIAS", 30},
             {"SUGIERE_C", "FP"},
             {"AUT_COBRO", 1},
             {"F_COBRO", kCollectionDay}});
}

// The invoice with its plan (instalments at 30, 60 and 90 days) and, when part of it was paid,
// the receipt that paid it.
std::string invoice(data::Db& db, const Date& today, const Invoice& v) {
    const Date day = today - v.age;
    const Decimal each = Decimal::parse(v.instalment), interest = Decimal::parse(v.interest);
    const Decimal total = each * 3, paid = Decimal::parse(v.paid);
    const Decimal interest_paid = Decimal::parse(v.interest_paid);
    const std::string number = trim(GET_NXSERIAL(db, kBiz, "FACTURA"));
    RowWriter doc(db, "DOCUMENT");
    doc.add({{"DOCUMENTO", number},
             {"CONCEPTO", "FP"},
             {"CLIENTE", kGym},
             {"SUBCLIENTE", "01"},
             {"NOM_CLIENT", kGymName},
             {"FECHA", day},
             {"HORA", "08:00:00"},
             {"VENCE", day + 90},
             {"MONTO", total},
             {"SALDO", total - paid},
             {"SALDO_ORIG", total},
             {"INTERES", interest_paid},
             {"CUOTA", each + interest},
             {"PLAZOS", 3},
             {"I_MORA", Decimal(3)},
             {"MONEDA", kColones},
             {"COD_DIFF", "01"},
             {"USUARIO", "SUP"},
             {"DESCRIP", "Plan anual de mantenimiento de equipos del gimnasio"}});
    RowWriter parts(db, "DOC_PARC");
    for (int days : {30, 60, 90})
        parts.add(
            {{"DOCUMENTO", number}, {"FECHA", day + days}, {"MONTO", each}, {"INTERES", interest}});
    if (paid.is_zero()) return number;
    // The bank's debit advice, typed in the block of manual receipts.
    const std::string receipt = "DEB-" + number;
    const Date paid_on = day + 30;
    RowWriter enc(db, "ENC_MOVE");
    enc.add({{"MOVIMIENTO", receipt},
             {"FECHA", paid_on},
             {"HORA", "09:00:00"},
             {"CLIENTE", kGym},
             {"NOM_CLIENT", kGymName},
             {"MONTO", paid + interest_paid},
             {"MONEDA", kColones},
             {"BLOCK", "02"},
             {"USUARIO", "SUP"},
             {"DESCRIP", "Cargo automático"}});
    RowWriter det(db, "DET_MOVE");
    det.add({{"MOVIMIENTO", receipt},
             {"DOCUMENTO", number},
             {"CONCEPTO", "AB"},
             {"DESCRIP", "Abono a " + number},
             {"FECHA", paid_on},
             {"HORA", "09:00:00"},
             {"MONTO", paid},
             {"INTERES", interest_paid},
             {"SALDO_ANT", total},
             {"SALDO", total - paid}});
    RowWriter tender(db, "DET_MOV2");
    tender.add({{"MOVIMIENTO", receipt}, {"CODIGO", "CH"}, {"MONTO", paid + interest_paid}});
    return number;
}

}  // namespace

void load_auto_collection(data::Db& db, const Date& today, Summary& out) {
    customer(db, today);
    const std::string whole =
        invoice(db, today, {40, "100000.00", "5000.00", "100000.00", "5000.00"});
    const std::string part = invoice(db, today, {35, "50000.00", "2500.00", "30000.00", "2500.00"});
    out.push_back("Cobros Automáticos: " + std::string(kGym) + " paga por cargo automático los " +
                  std::to_string(kCollectionDay) + " (día 15, concepto FP): la factura " + whole +
                  " cobra una cuota completa y " + part +
                  " una cuota abonada en parte, que se completa con \"Cambiar Datos\" "
                  "(Cuentas por Cobrar › Pagos › Cobros Automáticos)");
}

}  // namespace qz::domain::demo
