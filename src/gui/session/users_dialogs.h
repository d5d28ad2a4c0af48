#pragma once
// The small forms of the users screen: a user ("EDIT_USER"), a profile's name ("EDIT_PERFIL")
// and the business's password settings ("E_CLAVE"). Each one saves through the user-maintenance
// rules and stays open while they refuse what was typed.
#include <string>

#include "data/db.h"
#include "domain/session/user_admin.h"

class QWidget;

namespace qz::gui {

// Control ids of "EDIT_USER".
enum UserDialogId {
    kIdUsuario = 500,
    kIdNombre = 501,
    kIdPassword = 502,
    kIdRepeat = 503,
    kIdAbrevia = 504,
    kIdDiasClave = 505,
    kIdSizeClave = 506,
    kIdSobreventa = 510,
    kIdDataSet = 601,
    kIdIdioma = 602,
};

// Adds (form.CODIGO 0) or modifies a user. True when it was stored; `form` then holds it.
bool edit_user_dialog(QWidget* owner, data::Db& db, const std::string& business,
                      domain::UserForm& form);

// Adds (code 0) or renames a profile. True when it was stored.
bool edit_profile_dialog(QWidget* owner, data::Db& db, const std::string& business, long code,
                         const std::string& name);

// "Parámetros p/Cambios de Clave". True when saved.
bool password_rules_dialog(QWidget* owner, data::Db& db, const std::string& business);

}  // namespace qz::gui
