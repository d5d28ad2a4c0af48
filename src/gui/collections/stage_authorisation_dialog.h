#pragma once
// Who authorises a move out of a stage: the authorisers allowed on it, listed by name, the first
// marked row for reference, the pass code and, going back, the reason. Accept needs a person
// chosen and that person's pass code.
#include <optional>
#include <string>

#include "data/db.h"
#include "domain/collections/stage_authorisers.h"

class QWidget;

namespace qz::gui {

struct StageAuthorisation {
    domain::StageAuthoriser who;
    std::string reason;
};

struct AuthorisationRequest {
    std::string dlg_name;  // AUT_COB forward, D_AUT_COB back
    std::string business, stage;
    std::string document, description;  // the first marked row
    bool asks_reason = false;
};

// Modal over `owner`; nothing when cancelled.
std::optional<StageAuthorisation> ask_stage_authorisation(QWidget* owner, data::Db& db,
                                                          const domain::StageWorkflow& w,
                                                          const AuthorisationRequest& r);

namespace authorisation_dialog {
enum : int { kWho = 101, kDocument, kPassCode, kReason };
}  // namespace authorisation_dialog

}  // namespace qz::gui
