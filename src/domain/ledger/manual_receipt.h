#pragma once
// MOD_DOC2: a receipt written by hand outside the payment window and recorded afterwards from
// the document's repair (MOD_DOC). It is numbered from its block (by the block's series, or as
// typed when the block reads its numbers by hand) and, when it carries an amount, applies that
// amount to the document: the receipt's header, its application line and the document's new
// balance in one transaction, with a note in the customer's log.
#include <string>

#include "core/date.h"
#include "core/decimal.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/customers/customer_log.h"
#include "domain/session/rights.h"

namespace qz::domain {

struct ManualReceipt {
    std::string document;
    std::string block;            // T_RECIBO
    std::string currency;         // MONEDA of the receipt
    std::string number;           // typed, for a block whose numbers are typed by hand
    std::string payment_concept;  // "" = the document concept's default (ABONO_DEF)
    Date date;
    Decimal amount;  // in the receipt's currency; 0 numbers the receipt without applying it
    std::string description;
};

// Refuses, in this order: a user without the repair right; no block ("Falta seleccionar el
// block"); no currency ("Falta seleccionar la moneda"); no date; a typed number that is blank,
// short or taken; for an amount, a payment concept missing or of the other nature, a missing
// rate, an amount over the balance; a series that does not exist ("Consecutivo de Recibo no
// existe: " + series). Returns the receipt's number, "" when refused.
std::string MOD_DOC2(data::Db& db, UserPort& port, const std::string& business,
                     const ManualReceipt& r, const Rights& rights, const customers::LogWriter& who);

inline constexpr const char* kNoBlock = "Falta seleccionar el block";
inline constexpr const char* kNoCurrency = "Falta seleccionar la moneda";
inline constexpr const char* kNoReceiptSeries = "Consecutivo de Recibo no existe: ";
inline constexpr const char* kBadReceiptDate = "Fecha del Abono inválida...";
inline constexpr const char* kBlankReceipt = "El # de Recibo no debe estar vacío";
inline constexpr const char* kShortReceipt = "La Longitud del Consecutivo Manual debe ser mayor a ";
inline constexpr const char* kReceiptTaken = "Este recibo ya fue creado: ";
inline constexpr const char* kNoPaymentConcept = "Falta seleccionar el concepto";
inline constexpr const char* kWrongDefaultConcept =
    "Este documento no corresponde al Tipo de Transacción por Defecto";
inline constexpr const char* kWrongConcept =
    "Este documento no corresponde al Tipo de Transacción Definido";
inline constexpr const char* kOverBalance =
    "El Monto del Abono sobrepasa el Saldo del Documento...";

}  // namespace qz::domain
