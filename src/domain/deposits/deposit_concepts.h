#pragma once
// The deposit concepts (CON_HLIB): what a guarantee deposit is numbered from, where its money
// is booked (a bank account's book, or an accounting counterpart typed with the deposit) and how
// it is applied to reservations. One row mapper here; the screen only shows these structs and
// hands them back.
#include <optional>
#include <string>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain {

// TIPO_MOV of a deposit concept.
enum DepositKind : int { kBankBookDeposit = 0, kCounterpartAddsUp = 1, kCounterpartBalances = 2 };

struct DepositConcept {
    std::string code, name;       // CONCEPTO, DESCRIP
    std::string series;           // SERIAL: numbering series of the deposits
    int kind = kBankBookDeposit;  // TIPO_MOV
    int side = 0;                 // TIPO, for kind 1: 1 debit, 0 credit
    bool applies_all = false;     // APLICA_RES: what is applied must equal the deposit
    bool not_above = false;       // NO_MAYORES: never more than a reservation's total
    bool changes_type = false;    // CAMB_RES: the reservation's TIPO becomes `new_type`
    std::string new_type;         // TIP_RES
    bool visible = true;          // VISIBLE
    int card_provider = 0;        // P_ELECTRO: 0 none, 1 and 2 the card networks
    bool prints = false;          // IMP_COMP: print the voucher
    std::string bank, account;    // BANCO, CUENTA of CUEN_LIB, for kind 0
    std::string book_concept;     // CONCEP_LIB: the bank-book concept (CONCEPT5), for kind 0
};

DepositConcept deposit_concept_from_row(const data::WDBTable& t);
void put_deposit_concept_row(data::WDBTable& t, const std::string& business,
                             const DepositConcept& c);

std::optional<DepositConcept> read_deposit_concept(data::Db& db, const std::string& business,
                                                   const std::string& code);

// What is wrong with the concept, in the order the form shows the fields; "" when nothing.
std::string check_deposit_concept(data::Db& db, const std::string& business,
                                  const DepositConcept& c);

// Add (`old_code` empty) or change one in one transaction; a code never changes, the deposits
// made with it keep it. Every refusal is shown through `port` and writes nothing.
bool save_deposit_concept(data::Db& db, UserPort& port, const std::string& business,
                          const std::string& old_code, const DepositConcept& c);

// Delete after the question; refused while a deposit was made with it.
bool delete_deposit_concept(data::Db& db, UserPort& port, const std::string& business,
                            const std::string& code);

inline constexpr const char* kDepositConceptDuplicate =
    "Este Código de Concepto de Depósito ya existe...";
inline constexpr const char* kNoDepositSeries = "El Serial de Depósitos es requerido...";
inline constexpr const char* kBadDepositKind =
    "El Tipo de Movimiento debe ser 0 (Libro de Bancos), 1 (Contrapartida que suma el monto) o "
    "2 (Contrapartida que cierra en cero).";
inline constexpr const char* kBadDepositSide =
    "La Contrapartida Contable debe ser de Débito (1) o de Crédito (0).";
inline constexpr const char* kNoDepositBankAccount =
    "Para un depósito en Libro de Bancos debe indicar el Banco y la Cuenta.";
inline constexpr const char* kNoDepositBookConcept =
    "Para un depósito en Libro de Bancos debe indicar el Concepto de Bancos.";
inline constexpr const char* kNoReservationType =
    "Para cambiar el Tipo de la Reservación debe indicar el nuevo Tipo.";
inline constexpr const char* kBadCardProvider =
    "El Proveedor de Pago Electrónico debe ser 0 (Ninguno), 1 (Banco Nacional) o 2 (Credomatic).";

}  // namespace qz::domain
