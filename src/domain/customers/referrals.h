#pragma once
// Referrals of a customer (DET_CLI2, window CLIENT_4 "Referidos"). Each row belongs to the
// data-entry clerk (DIGITA) who wrote it: whoever adds, changes or deletes one names himself and
// proves it with his pass code, and only the row's own clerk may change or delete it. A new
// referral becomes the referral code of the customer's documents, in the same transaction.
#include <string>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain::customers {

struct Referral {
    std::string code;  // CODIGO, 4 characters
    std::string name, phone, phone2, email, po_box;
    std::string clerk;  // DIGITADOR
};

// The clerk at the keyboard and the pass code he typed.
struct ClerkProof {
    std::string clerk, pass_code;
};

Referral referral_from_row(const data::WDBTable& t);
std::vector<Referral> customer_referrals(data::Db& db, const std::string& business,
                                         const std::string& customer);

// Each refuses with its message (and writes nothing) or writes in one transaction.
bool add_referral(data::Db& db, UserPort& port, const std::string& business,
                  const std::string& customer, const Referral& r, const ClerkProof& who);
// The row keeps its code and its clerk.
bool modify_referral(data::Db& db, UserPort& port, const std::string& business,
                     const std::string& customer, const Referral& r, const ClerkProof& who);
bool delete_referral(data::Db& db, UserPort& port, const std::string& business,
                     const std::string& customer, const std::string& code, const ClerkProof& who);

inline constexpr const char* kNoClerk = "Falta seleccionar el digitador";
inline constexpr const char* kWrongPassCode = "Clave de Paso Errada";
inline constexpr const char* kNotClerksToModify =
    "El digitador seleccionado no puede modificar el item marcado";
inline constexpr const char* kNotClerksToDelete =
    "El digitador seleccionado no puede borrar el item marcado";
inline constexpr const char* kNoReferralCode = "Falta el código del referido";
inline constexpr const char* kCodeTaken = "Codigo ya definido";
inline constexpr const char* kReferralGone = "El referido ya no existe";

}  // namespace qz::domain::customers
