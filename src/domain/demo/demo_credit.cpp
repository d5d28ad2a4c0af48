// Something for every credit screen: a dollar-limited agency over its limit with an overdue
// invoice, a standing pre-authorisation that covers it, a block of a classification pair and a
// remote request waiting for its approver. The keys themselves are in the invoicing settings.
#include "core/stamp.h"
#include "domain/customers/credit_authorisations.h"
#include "domain/demo/demo_rows.h"

namespace qz::domain::demo {

namespace {

const char* const kArenal = "3102654321";  // its limit is 3,000.00 dollars

// Two invoices written before the series reached its demonstration start: one in dollars long
// overdue, one in colones still running; in dollars together they pass the limit.
void load_arenal_invoices(data::Db& db, const Date& today) {
    struct Invoice {
        const char* number;
        long days_back, term;
        const char* amount;
        const std::string& currency;
    };
    const Invoice invoices[] = {{"F00000950", 75, 30, "2400.00", kDollars},
                                {"F00000975", 10, 30, "600000.00", kColones}};
    RowWriter doc(db, "DOCUMENT");
    RowWriter parts(db, "DOC_PARC");
    for (const auto& i : invoices) {
        const Date day = today - i.days_back, due = day + i.term;
        const Decimal amount = Decimal::parse(i.amount);
        doc.add({{"DOCUMENTO", i.number},
                 {"CONCEPTO", "FA"},
                 {"CLIENTE", kArenal},
                 {"SUBCLIENTE", "01"},
                 {"NOM_CLIENT", "Arenal Tours"},
                 {"FECHA", day},
                 {"HORA", "11:00:00"},
                 {"VENCE", due},
                 {"MONTO", amount},
                 {"SALDO", amount},
                 {"SALDO_ORIG", amount},
                 {"MONEDA", i.currency},
                 {"COD_DIFF", "01"},
                 {"USUARIO", "SUP"},
                 {"DESCRIP", "Paquetes de spa para grupos de la agencia"}});
        parts.add({{"DOCUMENTO", i.number}, {"FECHA", due}, {"MONTO", amount}});
    }
}

void load_block(data::Db& db) {
    RowWriter c1(db, "D_CLAS1");
    c1.add({{"CODIGO", "GRUP"}, {"DESCRIP", "Grupos corporativos"}});
    c1.add({{"CODIGO", "INDV"}, {"DESCRIP", "Clientes individuales"}});
    RowWriter c2(db, "D_CLAS2");
    c2.add({{"CODIGO", "ALTA"}, {"DESCRIP", "Temporada alta"}});
    c2.add({{"CODIGO", "BAJA"}, {"DESCRIP", "Temporada baja"}});
    RowWriter blq(db, "BLQ_CXC");
    blq.add({{"CLAS1", "GRUP"},
             {"CLAS2", "ALTA"},
             {"AGENTE", "10"},
             {"N_DOC", "F00000975"},
             {"OBSERVA", "Congreso anual de Arenal Tours"},
             {"MOTIVO", 1},
             {"USER", "SUP"}});
}

}  // namespace

void load_credit(data::Db& db, const Date& today, Summary& out) {
    load_arenal_invoices(db, today);
    const DateTime now = db.clock().now();
    RowWriter aut(db, "AUT_CRED");
    aut.add({{"CLIENTE", kArenal},
             {"SUCURSAL", "01"},
             {"EXCESO", 1},
             {"M_EXCESO", Decimal::parse("1000.00")},
             {"VENCIDO", 1},
             {"M_VENCIDO", Decimal::parse("2500.00")},
             {"VALIDO", 1},
             {"FECHA", today},
             {"HORA", now.time},
             {"USUARIO", "SUP"}});
    load_block(db);
    customers::RemoteAsk ask{kBiz, "CAJ"};
    ask.user_number = 2;
    ask.excess = Decimal::parse("350000.00");
    ask.branch_name = "Turismo Pura Vida - Oficinas Centrales";
    const long id = customers::request_remote_authorisation(db, ask, now);
    out.push_back("Crédito: Arenal Tours (" + std::string(kArenal) +
                  ") excede su límite con una factura vencida y tiene una autorización previa;"
                  " solicitud remota abierta ID " + std::to_string(id) +
                  "; claves de crédito: vencimiento VENCE26, exceso EXCESO26");
}

}  // namespace qz::domain::demo
