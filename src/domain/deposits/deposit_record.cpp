#include "domain/deposits/deposit_record.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

void read_card_answer(const data::WDBTable& t, DepositHeader& h) {
    h.card = trim(t.str("PE_TARJ"));
    h.card_reference = trim(t.str("PE_REFNO"));
    h.card_authorisation = trim(t.str("PE_AUTID"));
    h.card_trace = trim(t.str("PE_TRACE_N"));
    h.card_provider = static_cast<int>(t.num("PE_TIPO").to_int());
}

void read_void(const data::WDBTable& t, DepositHeader& h) {
    h.voided_by = trim(t.str("ANULADO"));
    h.voided_on = t.date("F_ANULA");
    h.voided_at = trim(t.str("H_ANULA"));
    h.voucher = trim(t.str("ASIENTO"));
    h.bank_movement = trim(t.str("MOV_LIB"));
    h.void_voucher = trim(t.str("ASIENTO_AN"));
    h.void_bank_movement = trim(t.str("MOV_LIB_AN"));
}

CounterpartLine counterpart_from_row(const data::WDBTable& t) {
    return {trim(t.str("CUENTA_CON")), t.num("DEBITO"), t.num("CREDITO"), t.num("DEB_PORC"),
            t.num("CRED_PORC")};
}

}  // namespace

DepositHeader deposit_header_from_row(const data::WDBTable& t) {
    DepositHeader h;
    h.business = trim(t.str("NEGOCIO"));
    h.movement = trim(t.str("MOVIMIENTO"));
    h.concept_code = trim(t.str("CONCEPTO"));
    h.currency = trim(t.str("MONEDA"));
    h.date = t.date("FECHA");
    h.amount = t.num("MONTO");
    h.balance = t.num("SALDO");
    h.initial_balance = t.num("SALDO_IN");
    h.number = trim(t.str("NUM_DEP"));
    h.name = trim(t.str("TXT_NOMBRE"));
    h.surname = trim(t.str("TXT_APELL1"));
    h.full_name = trim(t.str("NOMBRE"));
    h.arrival = t.date("ENTRADA");
    h.departure = t.date("SALIDA");
    h.comment = trim(t.str("COMENTARIO"));
    h.reservation_rate = t.num("CAMBIO_RES");
    h.accounting_rate = t.num("CAMBIO_CON");
    h.created = t.date("F_CREACION");
    h.created_time = trim(t.str("H_CREACION"));
    h.register_code = trim(t.str("CAJA"));
    h.made_by = trim(t.str("HECHO_POR"));
    h.reservation = trim(t.str("COD_RES"));
    h.visible = t.num("VER") != 0;
    h.included = t.num("INCLUIDO") != 0;
    read_card_answer(t, h);
    read_void(t, h);
    h.user = trim(t.str("USUARIO"));
    h.info_user = trim(t.str("INFO_USER"));
    return h;
}

std::vector<AppliedDeposit> deposit_applications(data::Db& db, const std::string& business,
                                                 const std::string& movement) {
    std::vector<AppliedDeposit> out;
    data::Table t = data::USE(db, "DET_RES8", "DET_RES82");
    const std::string key = data::order_key("DET_RES8", "DET_RES82", {business, movement});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) out.push_back(applied_deposit_from_row(*t));
    data::KILLTABLA(db, t);
    return out;
}

std::optional<DepositRecord> read_deposit(data::Db& db, const std::string& business,
                                          const std::string& movement) {
    auto header =
        read_code_row<DepositHeader>(db, "ENC_HLIB", business, movement, deposit_header_from_row);
    if (!header) return std::nullopt;
    DepositRecord r{*header, {}, {}};
    for_code_rows(db, "DET_HLIB", business, movement,
                  [&r](const data::WDBTable& t) { r.lines.push_back(counterpart_from_row(t)); });
    r.applications = deposit_applications(db, business, movement);
    return r;
}

}  // namespace qz::domain
