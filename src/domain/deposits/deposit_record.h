#pragma once
// A saved guarantee deposit as every screen and listing reads it: its header (ENC_HLIB), its
// accounting lines (DET_HLIB) and its applications to reservation room lines (DET_RES8). One
// row mapper per table, here.
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"
#include "data/wdbtable.h"
#include "domain/deposits/deposit_draft.h"
#include "domain/deposits/hotel_reservations.h"

namespace qz::domain {

struct DepositHeader {
    std::string business, movement, concept_code,
        currency;                               // NEGOCIO, MOVIMIENTO, CONCEPTO, MONEDA
    Date date;                                  // FECHA
    Decimal amount, balance, initial_balance;   // MONTO, SALDO, SALDO_IN
    std::string number;                         // NUM_DEP
    std::string name, surname, full_name;       // TXT_NOMBRE, TXT_APELL1, NOMBRE
    Date arrival, departure;                    // ENTRADA, SALIDA
    std::string comment;                        // COMENTARIO
    Decimal reservation_rate, accounting_rate;  // CAMBIO_RES, CAMBIO_CON
    Date created;                               // F_CREACION
    std::string created_time;                   // H_CREACION
    std::string register_code, made_by;         // CAJA, HECHO_POR
    std::string reservation;                    // COD_RES: the last one applied to
    bool visible = true;                        // VER
    bool included = false;                      // INCLUIDO
    std::string card, card_reference, card_authorisation, card_trace;  // PE_TARJ … PE_TRACE_N
    int card_provider = 0;                                             // PE_TIPO
    std::string voided_by;                         // ANULADO: who voided it; "" while valid
    Date voided_on;                                // F_ANULA
    std::string voided_at;                         // H_ANULA
    std::string voucher, bank_movement;            // ASIENTO, MOV_LIB
    std::string void_voucher, void_bank_movement;  // ASIENTO_AN, MOV_LIB_AN
    std::string user, info_user;                   // USUARIO, INFO_USER
    bool voided() const { return !voided_by.empty(); }
};

struct DepositRecord {
    DepositHeader header;
    std::vector<CounterpartLine> lines;        // DET_HLIB
    std::vector<AppliedDeposit> applications;  // DET_RES8, by DET_RES82
};

DepositHeader deposit_header_from_row(const data::WDBTable& t);

// The deposit `movement` of the business with its lines and applications; none when missing.
std::optional<DepositRecord> read_deposit(data::Db& db, const std::string& business,
                                          const std::string& movement);

// The deposit's applications (DET_RES8 by DET_RES82).
std::vector<AppliedDeposit> deposit_applications(data::Db& db, const std::string& business,
                                                 const std::string& movement);

}  // namespace qz::domain
