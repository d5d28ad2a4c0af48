// Documents in every state the document viewer tells apart, beyond the open invoices of the
// statements and the credit: a cash invoice settled by its receipt and delivered, an invoice
// annulled by its mirror credit note, and a debit note whose balance dropped without the payment
// that explains it, for the balance repair to find.
#include "core/text.h"
#include "domain/demo/demo_rows.h"
#include "domain/ledger/serials.h"

namespace qz::domain::demo {

namespace {

struct Doc {
    std::string number;
    const char* concept_code;
    const char* customer;
    const char* branch;
    const char* name;
    Date date;
    const char* amount;
    const char* balance;
    const char* description;
};

// The document with the one instalment every document has.
void document(data::Db& db, const Doc& d, std::initializer_list<Field> extra = {}) {
    std::vector<Field> row = {{"DOCUMENTO", d.number},
                              {"CONCEPTO", d.concept_code},
                              {"CLIENTE", d.customer},
                              {"SUBCLIENTE", d.branch},
                              {"NOM_CLIENT", d.name},
                              {"FECHA", d.date},
                              {"HORA", "10:30:00"},
                              {"VENCE", d.date + 30},
                              {"MONTO", Decimal::parse(d.amount)},
                              {"BRUTO", Decimal::parse(d.amount)},
                              {"SALDO", Decimal::parse(d.balance)},
                              {"SALDO_ORIG", Decimal::parse(d.amount)},
                              {"MONEDA", kColones},
                              {"COD_DIFF", "01"},
                              {"AGENTE", "01"},
                              {"USUARIO", "SUP"},
                              {"DESCRIP", d.description}};
    row.insert(row.end(), extra.begin(), extra.end());
    RowWriter(db, "DOCUMENT").add(row);
    RowWriter(db, "DOC_PARC")
        .add(
            {{"DOCUMENTO", d.number}, {"FECHA", d.date + 30}, {"MONTO", Decimal::parse(d.amount)}});
}

void settled_invoice(data::Db& db, const Date& today) {
    const Doc d{"F00000800",
                "FC",
                "114560789",
                "01",
                "María José Vargas Solano",
                today - 20,
                "45200.00",
                "0",
                "Masaje relajante y circuito de aguas"};
    document(db, d, {{"ENTREGADO", 1}, {"FECHAENT", today - 19}});
    RowWriter enc(db, "ENC_MOVE");
    enc.add({{"MOVIMIENTO", "R00000450"},
             {"FECHA", d.date},
             {"HORA", "10:35:00"},
             {"CLIENTE", d.customer},
             {"NOM_CLIENT", d.name},
             {"MONTO", Decimal::parse(d.amount)},
             {"MONEDA", kColones},
             {"BLOCK", "01"},
             {"USUARIO", "SUP"}});
    RowWriter det(db, "DET_MOVE");
    det.add({{"MOVIMIENTO", "R00000450"},
             {"DOCUMENTO", d.number},
             {"CONCEPTO", "CA"},
             {"DESCRIP", "Cancelación de " + d.number},
             {"FECHA", d.date},
             {"HORA", "10:35:00"},
             {"MONTO", Decimal::parse(d.amount)},
             {"SALDO_ANT", Decimal::parse(d.amount)},
             {"SALDO", Decimal()}});
    RowWriter tender(db, "DET_MOV2");
    tender.add(
        {{"MOVIMIENTO", "R00000450"}, {"CODIGO", "EF"}, {"MONTO", Decimal::parse(d.amount)}});
}

void annulled_invoice(data::Db& db, const Date& today) {
    const std::string mirror = "F00000810-A";
    const Doc d{"F00000810",
                "FA",
                "205430876",
                "01",
                "Roberto Castillo Méndez",
                today - 15,
                "30000.00",
                "0",
                "DOCUMENTO ANULADO CON: F00000810-A"};
    document(db, d, {{"ANULADO", mirror}, {"F_ANULA", today - 14}, {"H_ANULA", "16:00:00"}});
    const Doc m{mirror,   "NC",   d.customer,
                d.branch, d.name, today - 14,
                d.amount, "0",    "Tratamiento facturado dos veces"};
    document(db, m, {{"ANULADO", mirror}});
}

}  // namespace

void load_viewer_documents(data::Db& db, const Date& today, Summary& out) {
    settled_invoice(db, today);
    annulled_invoice(db, today);
    const std::string note = trim(GET_NXSERIAL(db, kBiz, "NOTA_DEBITO"));
    document(db, {note, "ND", "114560789", "01", "María José Vargas Solano", today - 25, "50000.00",
                  "20000.00", "Tratamientos adicionales del paquete de novios"});
    out.push_back(
        "Consulta de Documentos (Cuentas por Cobrar › Documentos): F00000800 cancelada y "
        "entregada, F00000810 anulada con F00000810-A, y la nota de débito " +
        note + " con un abono sin registrar que Re-aplicar Saldos ajusta");
}

}  // namespace qz::domain::demo
