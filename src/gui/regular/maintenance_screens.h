#pragma once
// The maintenance of regular invoices under "Cuentas por Cobrar" › "Facturas Regulares": the
// sets (C_FACREG, 6690), whose "Documentos" lists the regular documents of the chosen set
// (DFAC_REG) and "Vista Previa" prints what a generation of it would produce (PFAC_REG); the
// preview is also a command of its own (6692), asking for the set.
#include <string>

#include "data/db.h"
#include "domain/regular/regular_rows.h"

class QWidget;

namespace qz::gui {

class Principal;
struct AppContext;
class MasterListScreen;

inline constexpr int kCmdRegularSets = 6690, kCmdRegularDocuments = 6691, kCmdRegularPreview = 6692,
                     kCmdRegularTemplates = 6693;
// The set list's further buttons, and the regular documents' "Modelo".
inline constexpr int kSetDocuments = 204, kSetPreview = 205, kDocumentModel = 206;
// E_FACREG's controls.
inline constexpr int kModelConcept = 501, kModelCurrency = 502, kModelLines = 503, kModelPlan = 504,
                     kModelAddLine = 201, kModelAddPlan = 202, kModelRemove = 203;
inline constexpr const char* kModelBadNumber = "Hay un valor que no es un número válido...";

// The form fields of a set and of a regular document (objectNames).
enum RegularFormField {
    kRfCode = 1001,
    kRfDescription,
    kRfCustomer,
    kRfName,
    kRfBranch,
    kRfKind,
    kRfTemplate,
    kRfCutOff,
    kRfAdjust,
    kRfAdjustDay,
    kRfPreviousMonth,
    kRfRanges,
    kRfRangeFrom,
    kRfRangeTo,
    kRfExtraData,
    kRfHours,
    kRfDays,
    kRfSet,
};

MasterListScreen* open_regular_sets(QWidget* owner, data::Db& db, const std::string& business);
MasterListScreen* open_regular_documents(QWidget* owner, data::Db& db, const std::string& business,
                                         const std::string& set);
// E_FACREG over the regular document's own model; true when saved.
bool E_FACREG(QWidget* owner, data::Db& db, const std::string& business,
              const domain::regular::RegularDocument& d);
// The model editor over any model: a regular document's own or a template; true when saved.
bool edit_model(QWidget* owner, data::Db& db, const std::string& business,
                const domain::regular::ModelTables& tables, const domain::regular::Model& model);
// The templates (ENC_TMPL), added, edited on the model editor and deleted while unused.
MasterListScreen* open_regular_templates(QWidget* owner, data::Db& db, const std::string& business);
// Prints the preview of the set through the printer choice (print, preview, PDF, workbook).
void print_regular_preview(QWidget* owner, data::Db& db, const std::string& business,
                           const std::string& set);

void register_regular_maintenance_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
