#pragma once
// The form of one stage authoriser: name, signature file, job title, the pass code typed twice
// (left blank when changing, the stored one stays) and the two multi-selection lists of the
// workflow's stages, ETAPAS_MOD and ETAPAS_AUT.
#include <optional>
#include <string>

#include "data/db.h"
#include "domain/collections/stage_authorisers.h"

class QWidget;

namespace qz::gui {

// Runs the form modally; true once the authoriser was saved.
bool run_stage_authoriser_form(QWidget* owner, data::Db& db, const std::string& business,
                               const domain::StageWorkflow& w, const std::string& dlg_name,
                               const std::optional<domain::StageAuthoriser>& old);

namespace authoriser_form {
enum : int {
    kCode = 101,
    kName,
    kSignature,
    kTitle,
    kPassCode,
    kPassCodeAgain,
    kStagesModify,
    kStagesAuthorise,
    kDaysPermitted,
    kCreditPermitted
};
}  // namespace authoriser_form

inline constexpr const char* kPassCodesDiffer = "Las claves digitadas no coinciden";

}  // namespace qz::gui
