#pragma once
// E_FACREG's rules: the model a regular document is generated from (its own ENC_REG / DET_REG /
// RF_PLAZO, numbered CODIGO with zeros to 10) or a template (ENC_TMPL / DET_TMPL / TF_PLAZO).
// The generation bills the model's stored amounts, so a save works them out again from the
// lines: a model is never written with totals that disagree with what it holds.
#include <optional>
#include <string>

#include "core/user_port.h"
#include "data/db.h"
#include "domain/regular/regular_rows.h"

namespace qz::domain::regular {

inline constexpr const char* kModelConceptMissing = "El concepto de facturación no se encuentra...";
inline constexpr const char* kModelArticleMissing = "Este Código no se encuentra: ";
inline constexpr const char* kModelBadQuantity = "La cantidad debe ser mayor que cero: ";
inline constexpr const char* kModelPlanMismatch =
    "El plan de pagos no suma el monto del documento...";

// The model of a regular document as stored, or a new one carrying its customer, branch, name
// and description when it has none yet.
Model regular_model(data::Db& db, const std::string& business, const RegularDocument& d);

// BRUTO = Σ quantity × price; MONTO and SALDO = BRUTO − discounts + taxes (each line's, as the
// receivable's lines work them out) + the document's freight and load (OTROS1, OTROS2).
void work_out_totals(Model& m);

// "" when the model may be saved, else the refusal: its concept exists, each line names an
// article with a quantity above zero, and an instalment plan adds up to the amount.
std::string check_model(data::Db& db, const std::string& business, const Model& m);

// Works the totals out, checks and writes the whole model in one transaction.
bool save_model(data::Db& db, UserPort& port, const ModelTables& f, const std::string& business,
                Model m);

// Templates: models shared by regular documents of TIPO 1, kept under a code of their own.
inline constexpr const char* kTemplateCodeBlank = "Debe definir el código de la plantilla...";
inline constexpr const char* kTemplateTaken = "Código de plantilla ya definido...";
inline constexpr const char* kTemplateInUse =
    "La plantilla está asignada a documentos regulares.  No se puede borrar...";
inline constexpr const char* kAskDeleteTemplate = "Desea borrar la plantilla?";

// A new template of `code`: its description, nothing else yet; none after telling the user why
// the code cannot be used (blank or taken).
std::optional<Model> new_template(data::Db& db, UserPort& port, const std::string& business,
                                  const std::string& code, const std::string& description);
// Deletes a template, after asking, unless a regular document is built from it: the generation
// would find nothing to build those from. The check and the delete are one transaction.
bool delete_template(data::Db& db, UserPort& port, const std::string& business,
                     const std::string& code);

}  // namespace qz::domain::regular
