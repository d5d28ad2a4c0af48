#pragma once
// User maintenance ("Perfiles de Usuario"): users, profiles, the business's password settings,
// the administrator's access blocks and the design of rights on the menu itself. The screen only
// shows what is here and hands back what was typed; every rule and every message lives here.
//
// A business must always keep one supervisor: it is the only kind of user that holds the users
// screen by right, so losing the last one would lock everybody out of rights maintenance.
#include <array>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"
#include "domain/session/rights.h"

namespace qz::domain {

// A user as the "EDIT_USER" dialog shows and edits it.
struct UserForm {
    long CODIGO = 0;      // 0 for a user not stored yet
    std::string NOMBRE;   // login name, upper case
    std::string USUARIO;  // identifier the session log shows
    std::string ABREVIA;  // short code stamped on records
    // Typed password and its repeat. On a stored user both blank keep the password it has.
    std::string password, repeat;
    long DIAS_CLAVE = 0, SIZE_CLAVE = 0, SOBREVENTA = 0;
    int SUPERVISOR = 0, PERMISO1 = 0, BLOQUEADO = 0, PRECIO_ESP = 0, NO_SALIR = 0;
    int NO_CHAT = 0, T_SESION = 0;
    std::string SUBBASE;  // alternate data set; blank = the main one
    int IDIOMA = 0;       // 0 "Español", 1 "2ª Idioma"
    std::string EMAIL, USERNAME, USERADDR;
    // Shown, never edited: last entry, last block, last password change.
    std::string INFO_ENTER, INFO_BLOQ, INFO_CLAVE;
};

// The users of a business in number order.
std::vector<UserForm> list_users(data::Db& db, const std::string& business);
std::optional<UserForm> read_user(data::Db& db, const std::string& business, long number);

struct SubBaseChoice {
    std::string code, name;
};
// The alternate data sets a user may be bound to (after "Base de Datos Principal").
std::vector<SubBaseChoice> list_subbases(data::Db& db);

// Adds (CODIGO 0) or modifies a user after the checks of the dialog, in their order; a refusal
// tells the user why and writes nothing. A new user gets the smallest free number and a MENUS
// record per right, none granted. `form` comes back as stored (its number, SUPERVISOR forced
// on when the business would otherwise be left without one). Returns the user's number.
std::optional<long> save_user(data::Db& db, UserPort& port, const std::string& business,
                              UserForm& form);

// "Desea borrar el Usuario?": removes the user with its grid settings, rights and DET_TRA2 rows.
// The business's only supervisor is never removed.
bool delete_user(data::Db& db, UserPort& port, const std::string& business, long number);

// Blocks or frees an account; a block is stamped in INFO_BLOQ.
void set_user_blocked(data::Db& db, const std::string& business, long number, bool blocked);

struct ProfileRow {
    long CODIGO = 0;
    std::string DESCRIP;
};
std::vector<ProfileRow> list_profiles(data::Db& db, const std::string& business);
// A new profile with a DET_PERF record per right, none granted. Returns its number.
std::optional<long> add_profile(data::Db& db, UserPort& port, const std::string& business,
                                const std::string& name);
bool rename_profile(data::Db& db, UserPort& port, const std::string& business, long code,
                    const std::string& name);
// "Desea borrar el Perfil de Usuario?": removes the profile and its DET_PERF records.
bool delete_profile(data::Db& db, UserPort& port, const std::string& business, long code);

// "Parámetros p/Cambios de Clave" (dialog "E_CLAVE").
struct PasswordRules {
    long DIAS_CLAVE = 0, SIZE_CLAVE = 0, INTENTOS = 0;
};
PasswordRules read_password_rules(data::Db& db, const std::string& business);
void save_password_rules(data::Db& db, const std::string& business, const PasswordRules& rules);

// "Bloquear Acceso Temporalmente a todos los Usuarios": F_SYS.BLOQUEADO.
bool system_blocked(data::Db& db);
void set_system_blocked(data::Db& db, bool blocked);

// The exit request as the users screen offers it.
enum class AccessChoice { Free, ExceptSupervisors, Everybody };
struct AccessBlock {
    AccessChoice choice = AccessChoice::Free;
    std::array<bool, 16> modules{};  // the boxes of exit_request_boxes()
};
// What the request file in `home` asks now, so the screen opens showing it.
AccessBlock read_access_block(const std::filesystem::path& home);
// "Acceso Libre" removes the request; the other choices write it with the boxes.
bool apply_access_block(const std::filesystem::path& home, UserPort& port,
                        const AccessBlock& block);

// Rights designed on the menu itself: the stored flags of a user or a profile become check
// marks, capture mode lets the menu toggle them, and saving stores them back.
class RightsDesign {
public:
    RightsDesign();

    // "Cargar Diseño de Usuario/Perfil".
    void load(data::Db& db, DesignOwner owner, const std::string& business, long code);
    // "Comenzar Diseño de Perfil": starting from nothing loaded asks first. False when declined.
    bool start(UserPort& port);
    // Capture mode over: marks are no longer shown (closing the screen).
    void end();
    // "Guardar Diseño de Usuario/Perfil": stores every mark in one transaction and leaves
    // capture mode; the marks stay shown as a loaded design.
    void save(data::Db& db, DesignOwner owner, const std::string& business, long code);

    void toggle(int id) { m_marks.Chequear(id); }
    // "Eliminar Accesos del Módulo" / "Asignar todos los Accesos".
    void set_all(bool on) { m_marks.set_all_checks(on); }
    bool checked(int id) const { return m_marks.GET_CHECKS(id); }

    bool loaded() const { return m_loaded; }
    bool capturing() const { return m_capturing; }
    // Whether the menu is showing the marks (loaded or capturing).
    bool shown() const { return m_loaded || m_capturing; }

private:
    Rights m_marks;
    bool m_loaded = false;
    bool m_capturing = false;
};

// "Arbol de Derechos": stores the catalogue rights as ticked in the tree (right -> granted),
// keeping every other right of the user as it was, in one transaction.
void save_tree_rights(data::Db& db, const std::string& business, long user_number,
                      const std::map<int, bool>& rights);

}  // namespace qz::domain
