#pragma once
// The customer list's operations on whole customers: deletion, carrying names into the history
// and recomputing who has associates. Each asks first and writes in one transaction.
#include <string>
#include <vector>

#include "core/date.h"
#include "core/user_port.h"
#include "data/db.h"

namespace qz::domain::customers {

// DEL_CLIENTE. Refused while one of the customer's documents has a balance: deleting the
// customer would leave money owed by nobody. Otherwise, after "Desea borrar el Cliente?" (and,
// when it has settled or pending documents, the warning about them), deletes its branches and
// header, and with documents also its referrals and further rows; the documents stay.
bool delete_customer(data::Db& db, UserPort& port, const std::string& business,
                     const std::string& code);

// ACT_NAME: every document of the customer takes the name of its own branch, every payment
// header the customer's name.
bool update_history_names(data::Db& db, UserPort& port, const std::string& business,
                          const std::string& code);

// RECALC_ASOCIADOS: ASOCIADOS of every customer of the business is 1 exactly when it has an
// associate. Returns the customers changed (-1 when the user declined).
long recalc_associates(data::Db& db, UserPort& port, const std::string& business);

// A row of the status history (EST_CLIE), as the "Mostrar" window lists it.
struct StatusRow {
    Date date;
    bool was_active = true, active = true;
    int reason = 0;
    std::string user, info;
};
std::vector<StatusRow> status_history(data::Db& db, const std::string& business,
                                      const std::string& code);

inline constexpr const char* kDeleteAsk = "Desea borrar el Cliente?";
inline constexpr const char* kDeleteWithDocsAsk =
    "El cliente tiene documentos asociados, si lo elimina \r\ncreará una incongruencia de "
    "datos\r\n¿Desea borrar el Cliente?";
inline constexpr const char* kOpenDocumentsRefusal =
    "El cliente tiene documentos con saldo pendiente; no se puede borrar hasta que estén "
    "cancelados.";
inline constexpr const char* kNamesAsk =
    "Se actualizará el nombre a todos los Documentos Históricos\ry Abonos Históricos.\rDesea "
    "continuar?";
inline constexpr const char* kNamesDone = "Nombres actualizados con Éxito";

}  // namespace qz::domain::customers
