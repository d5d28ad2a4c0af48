#pragma once
// CHANGE_NEG: choosing another business in the toolbar asks for the login name (500, prefilled)
// and password (501) again, verified in that business. Accepted: the session has moved there and
// the caller rebuilds the menu, runs the exchange-rate check and ACT_CLAVE; anything else leaves
// the session where it was and the selector goes back to the previous business.
//
//     if (CHANGE_NEG(context, code) == LoginOutcome::Accepted) { ... }
#include <string>

#include "gui/session/credentials_dialog.h"
#include "gui/session/session_context.h"

namespace qz::gui {

class BusinessDialog : public CredentialsDialog {
public:
    BusinessDialog(const SessionContext& context, std::string business, QWidget* owner = nullptr);

    // Shows the dialog until the change is accepted or given up.
    domain::LoginOutcome change();

protected:
    bool Init() override;
    domain::LoginOutcome attempt(const std::string& name, const std::string& password) override;

private:
    std::string business_name();

    domain::LoginService m_login;
    const domain::Session& m_session;
    std::string m_business;
};

domain::LoginOutcome CHANGE_NEG(const SessionContext& context, const std::string& business,
                                QWidget* owner = nullptr);

}  // namespace qz::gui
