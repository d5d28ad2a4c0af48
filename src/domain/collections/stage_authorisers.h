#pragma once
// The people who authorise moves between stages. Each names the stages rows may be moved out of
// by them (ETAPAS_AUT) and proves who they are with a pass code, kept hashed and compared as the
// login compares: upper case, padded to 10. Order authorisers also say how far overdue a
// customer may be for them to let an order through.
#include <optional>
#include <string>
#include <vector>

#include "core/decimal.h"
#include "core/user_port.h"
#include "data/db.h"
#include "data/wdbtable.h"
#include "domain/collections/stage_chain.h"

namespace qz::domain {

struct StageAuthoriser {
    std::string code, name, signature, title;  // CODIGO, NOMBRE, FIRMA, TXT_PUESTO
    std::string stages_modify;                 // ETAPAS_MOD
    std::string stages_authorise;              // ETAPAS_AUT
    long days_permitted = 0;                   // DIAS_PERMI (orders)
    Decimal credit_permitted;                  // CRED_PERMI (orders)
    bool may_move_from(const std::string& stage) const {
        return stage_listed(stages_authorise, stage);
    }
};

StageAuthoriser stage_authoriser_from_row(const data::WDBTable& t);

// The business's authorisers, by code; with `stage`, only those who may move rows out of it.
std::vector<StageAuthoriser> stage_authorisers(data::Db& db, const StageWorkflow& w,
                                               const std::string& business,
                                               const std::string& stage = "");

// Whether `typed` is the authoriser's pass code. A code still kept plain by an older
// installation is stored hashed once it has matched. Missing authoriser: false.
bool check_authoriser_code(data::Db& db, const StageWorkflow& w, const std::string& business,
                           const std::string& code, const std::string& typed);

// Add (`old_code` empty) or change an authoriser in one transaction; `pass_code` empty keeps the
// stored one when changing. Refusals are shown through `port` and write nothing.
bool save_stage_authoriser(data::Db& db, UserPort& port, const StageWorkflow& w,
                           const std::string& business, const std::string& old_code,
                           const StageAuthoriser& a, const std::string& pass_code);

inline constexpr const char* kNoAuthoriserChosen = "Falta seleccionar la persona que autoriza";
inline constexpr const char* kWrongAuthoriserCode = "Clave Incorrecta";
inline constexpr const char* kNoRightsForStage = "No tiene derechos para autorizar esta etapa";

}  // namespace qz::domain
