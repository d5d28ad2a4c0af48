#include "domain/cash/register_defaults.h"

namespace qz::domain::cash {

pos::RegisterDefaults sale_defaults(const CashRegister& r) {
    pos::RegisterDefaults d;
    d.code = r.code;
    d.pos = r.POS;
    d.customer = r.DEF_CLIEN;
    d.doc_concept = r.DEF_CONC;
    d.warehouse = r.DEF_BODEGA;
    d.agent = r.DEF_AGENTE;
    d.currency = r.DEF_MONEDA;
    d.price_type = r.DEF_PREC;
    d.lock_customer = r.REST_CL;
    d.lock_concept = r.REST_CON;
    d.lock_warehouse = r.REST_BOD;
    d.lock_agent = r.REST_AGE;
    d.lock_currency = r.REST_MON;
    d.lock_price_type = r.REST_PRE;
    // The register keeps ten flags; the sale screen has buttons for the first nine.
    for (size_t i = 0; i < d.blocked.size(); ++i) d.blocked[i] = r.BLOQUEO[i];
    d.ask_tenders = r.LEER_PAGO;
    d.card_account = r.REQ_CAP_DA;
    d.sales_group = r.DEF_VENT;
    return d;
}

void put_register_tenders(const CashRegister& r, pos::TenderInputs& in) {
    for (size_t i = 0; i < in.quick.size(); ++i) {
        in.quick[i].type = r.DEF_B[i];
        in.quick[i].label = i == 0 ? "" : r.ROTULO[i - 1];
    }
    in.do_contado = r.DO_CONTADO;
    in.register_reads_change = r.LEE_CAMBIO;
}

}  // namespace qz::domain::cash
