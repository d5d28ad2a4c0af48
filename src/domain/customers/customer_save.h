#pragma once
// Saving a customer from its editor (CLIENT_2_PROCESAR): the checks in the editor's order, each
// stopping at the first failure with the field to go back to; then the questions; then one
// transaction that writes the header, re-codes whatever a new customer or branch code reaches,
// writes the branches, the status history and the reclassification posting, and carries a new
// name into the history. A crash or a row held elsewhere leaves all of it or none of it.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"
#include "domain/customers/customer_rows.h"

namespace qz::domain::customers {

// A branch as the editor holds it: its DET_CLIE record (0 for a new one), the code it had when
// the editor opened and whether the user deleted it.
struct BranchRow {
    Branch branch;
    long recno = 0;
    std::string original_code;
    bool deleted = false;
};

struct CustomerForm {
    bool is_new = true;  // mode 0; false = mode 1 (modify)
    Customer customer;
    // The customer as it was when the editor opened (modify).
    std::string original_code, original_name;
    bool was_active = true;
    std::vector<BranchRow> branches;
    int current_branch = -1;  // the branch on screen, checked first
};

// Where the editor puts the focus back after a refusal.
enum class Focus { None, Code, Classification, Reason, BranchCode, Branches };

struct Refusal {
    std::string text;
    Focus focus = Focus::None;
    int branch = -1;  // the branch row to show, for branch refusals
};

// CLIENT_2_SAVE_SUCURSAL: the checks of the branch at `index` against the other live rows.
std::optional<Refusal> check_branch(const std::vector<BranchRow>& rows, int index);
// Every check of the save in its order; nothing is asked or written.
std::optional<Refusal> check_customer(data::Db& db, const std::string& business,
                                      const CustomerForm& form);

// A change of the "Activo" state, as the reclassification posting needs it.
struct StatusChange {
    std::string customer, name;
    bool was_active = true, active = true;
    Date date;
};

struct SaveContext {
    std::string user;  // XUSER_ABREVIA, stamped on the status history
    // Runs inside the save's transaction when the state changed (the ledger's posting).
    std::function<void(data::Db&, const StatusChange&)> on_status_change;
};

struct SaveOutcome {
    bool saved = false;
    std::optional<Refusal> refusal;  // set when a check failed (the message was shown)
};

SaveOutcome save_customer(data::Db& db, UserPort& port, const std::string& business,
                          const CustomerForm& form, const SaveContext& ctx);

// A form for a new customer: active since today, one principal branch with the business's
// default branch code and a 30-day term.
CustomerForm new_customer_form(const Date& today, const std::string& default_branch);
// The form of a stored customer; nothing when it is gone.
std::optional<CustomerForm> customer_form(data::Db& db, const std::string& business,
                                          const std::string& code);

inline constexpr const char* kReasonBlank = "El Tipo de Anulación no puede quedar en blanco";
inline constexpr const char* kNoPrincipal = "Debe definir una sucursal principal";
inline constexpr const char* kBranchDocsAsk =
    "Esta Sucursal tiene documentos asociados, si la elimina \r\nlos documentos seran "
    "recodificados con el código de la sucursal principal\r\n¿Desea Borrar el Registro?";
inline constexpr const char* kRenameAsk =
    "¿Desea Modificar el Nombre en los Documentos Históricos?";
inline constexpr const char* kWaitText = "Un momento por favor...";

}  // namespace qz::domain::customers
