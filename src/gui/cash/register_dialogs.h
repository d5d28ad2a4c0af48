#pragma once
// The register dialogs money-taking screens call: open ("Abrir Caja"), re-open ("Reabrir Caja")
// and close a point-of-sale register, and open, re-open and close by a supervisor a front-desk
// register. Each dialog (CtrlAbreCaja) asks for the register, the operator and both pass codes
// and stays open after a refusal for another try; the rules and messages are the domain's.
//
// With a session the register taken also becomes the workstation's (the toolbar shows it) and a
// closing drops it.
#include <optional>
#include <string>

#include "core/ini_file.h"
#include "data/db.h"
#include "domain/cash/front_desk.h"
#include "domain/cash/register_opening.h"
#include "domain/session/session.h"

class QWidget;

namespace qz::gui {

// Control ids of CtrlAbreCaja.
inline constexpr int kDlgRegister = 500, kDlgOperator = 501, kDlgOperatorCode = 502,
                     kDlgRegisterCode = 503, kDlgFund = 504;

// ABRE_CAJA: refused while the screen holds `screen_register` (blank or "????" = none).
std::optional<domain::cash::TakenRegister> open_register_dialog(QWidget* owner, data::Db& db,
                                                                const IniFile* ini,
                                                                const std::string& business,
                                                                const std::string& screen_register,
                                                                domain::Session* session = nullptr);
// REABRE_CAJA: takes over a register open elsewhere.
std::optional<domain::cash::TakenRegister> reopen_register_dialog(
    QWidget* owner, data::Db& db, const IniFile* ini, const std::string& business,
    domain::Session* session = nullptr);
// CLOSE_CAJA of the screen's register; `report` is the closing report, when there is one.
bool close_register(QWidget* owner, data::Db& db, const std::string& business,
                    const std::string& screen_register, const domain::cash::ClosingReport& report,
                    domain::Session* session = nullptr);

// The front desk's register `code` for this workstation (the session's state takes it).
bool open_front_desk_dialog(QWidget* owner, data::Db& db, domain::Session& session,
                            const IniFile* ini, const std::string& code, bool reopen);
// PASS_CAJA: an operator allowed to close for others closes `code`.
bool supervisor_close_dialog(QWidget* owner, data::Db& db, domain::Session& session,
                             const std::string& code, const domain::cash::FrontDeskReport& report);

}  // namespace qz::gui
