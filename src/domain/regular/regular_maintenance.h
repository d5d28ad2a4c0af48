#pragma once
// The maintenance of regular invoices: the sets (C_FACREG), the regular documents of a set
// (DFAC_REG) and the preview of what a generation would produce (PFAC_REG). Each rule checks
// before it writes and writes in one transaction; refusals are shown through the UserPort.
#include <string>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"
#include "domain/regular/regular_rows.h"

namespace qz::domain::regular {

inline constexpr const char* kSetTaken = "Código de CFAC_REG ya definido...";
inline constexpr const char* kSetDeleteQuestion = "Desea borrar el conjunto?";
inline constexpr const char* kSetCodeRequired = "Debe digitar el código del conjunto...";
inline constexpr const char* kSetHasDocuments =
    "El conjunto tiene documentos regulares.  No se puede borrar...";
inline constexpr const char* kSetMissing = "El conjunto no existe: ";
inline constexpr const char* kRegularCustomerMissing = "El cliente no existe: ";
inline constexpr const char* kRegularTemplateMissing = "El template no existe: ";
inline constexpr const char* kRegularBadDay = "Los días deben estar entre 1 y 31...";
inline constexpr const char* kRegularMissing = "El documento regular ya no existe: ";
inline constexpr const char* kRegularDeleteQuestion = "Desea borrar el documento regular?";

// Sets. A new code must be free; a set is deleted, after the question, only while it holds no
// regular documents, so none is left in a set that no screen lists any more.
bool add_regular_set(data::Db& db, UserPort& port, const std::string& business, RegularSet s);
bool modify_regular_set(data::Db& db, UserPort& port, const std::string& business,
                        const RegularSet& s);
bool delete_regular_set(data::Db& db, UserPort& port, const std::string& business,
                        const std::string& code);

// "" when the regular document may be saved, else the refusal: its set and customer must exist,
// a template document needs an existing template, and the days named must be days of a month.
std::string check_regular_document(data::Db& db, const std::string& business,
                                   const RegularDocument& d);
// Saves the regular document; a new one (code 0) takes the next free code inside the
// transaction. Returns its code, 0 when refused.
long save_regular_document(data::Db& db, UserPort& port, const std::string& business,
                           RegularDocument d);
// After the question, removes the regular document with its own model (header, lines and
// instalments), all in one transaction.
bool delete_regular_document(data::Db& db, UserPort& port, const std::string& business, long code);

// PFAC_REG: one row per regular document of the set, with the amount its model (its own, or
// its template's) would bill.
struct PreviewRow {
    long code = 0;
    std::string customer, name, description;
    Date cut_off;
    Decimal amount;
};
std::vector<PreviewRow> PFAC_REG(data::Db& db, const std::string& business, const std::string& set);

}  // namespace qz::domain::regular
