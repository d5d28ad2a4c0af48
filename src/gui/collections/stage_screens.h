#pragma once
// The maintenance lists of a stage workflow: its stages (form `MNT_ET_B` for collections), its
// authorisers (form `MNT_AU_C`, with the two stage lists to choose from) and the collectors
// (`DEF_COB` / `MODI_COB`). The stage and authoriser screens take the workflow, so orders and
// proformas open the same screens over their own tables.
#include <string>

#include "data/db.h"
#include "domain/collections/stage_chain.h"
#include "gui/lists/master_list.h"

namespace qz::gui {

inline constexpr int kCmdCollectionStages = 6721, kCmdCollectionAuthorisers = 6722,
                     kCmdCollectors = 6723;

// How one workflow's screens are named.
struct StageScreenNames {
    int context_id;
    const char* list;  // the list screen's dialog name (its table)
    const char* form;  // the add / change form
    const char* caption;
};
inline constexpr StageScreenNames kCollectionStageScreens{kCmdCollectionStages, "ETAPAS_B",
                                                          "MNT_ET_B", "Etapas de Cobro"};
inline constexpr StageScreenNames kCollectionAuthoriserScreens{
    kCmdCollectionAuthorisers, "AUTO_COB", "MNT_AU_C", "Autorizadores de Cobro"};

inline constexpr int kCmdOrderStages = 6741, kCmdOrderAuthorisers = 6742, kCmdProformaStages = 6743,
                     kCmdProformaAuthorisers = 6744;
inline constexpr StageScreenNames kOrderStageScreens{kCmdOrderStages, "ETAPAS_P", "MNT_ET_P",
                                                     "Etapas de Pedidos"};
inline constexpr StageScreenNames kOrderAuthoriserScreens{kCmdOrderAuthorisers, "AUTO_PED",
                                                          "MNT_AU_P", "Autorizadores de Pedidos"};
inline constexpr StageScreenNames kProformaStageScreens{kCmdProformaStages, "ETAP_PRO", "MNT_ET_R",
                                                        "Etapas de Proformas"};
inline constexpr StageScreenNames kProformaAuthoriserScreens{
    kCmdProformaAuthorisers, "AUTO_PRO", "MNT_AU_R", "Autorizadores de Proformas"};

MasterListScreen* open_stages(QWidget* owner, data::Db& db, const std::string& business,
                              const domain::StageWorkflow& w, const StageScreenNames& names);
MasterListScreen* open_stage_authorisers(QWidget* owner, data::Db& db, const std::string& business,
                                         const domain::StageWorkflow& w,
                                         const StageScreenNames& names);
MasterListScreen* open_collectors(QWidget* owner, data::Db& db, const std::string& business);

// The forms' field ids (their objectName), for the tests.
namespace stage_form {
enum : int {
    kCode = 101,
    kName,
    kHidden,
    kUncounted,
    kAlert,
    kSound,
    kApproves,
    kProcessing,
    kSupplier,
    kAssigns,
    kToInvoice
};
}  // namespace stage_form
namespace collector_form {
enum : int { kCode = 101, kName, kAddress, kPhone, kDiscount, kActive };
}  // namespace collector_form

}  // namespace qz::gui
