#pragma once
// Rights: which menu commands a user may run. A right is a menu-command id from 2000 to 7000;
// MENUS keeps one record per user and id (CHECK_ID true = granted) and DET_PERF the same per
// profile. The session holds two flag lists over that range: granted (MENU_VEC) and the check
// marks used while the rights are being edited on the menu itself (MENU_CHK).
#include <bitset>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"

namespace qz::domain {

inline constexpr int kFirstRight = 2000;
inline constexpr int kLastRight = 7000;
// The password-change command, granted by USUARIOS.PERMISO1.
inline constexpr int kPasswordChangeRight = 2904;
// Catalogue entries of DERECHOS stand for the right 2300 + N_ID.
inline constexpr int kCatalogueRightBase = 2300;

class Rights {
public:
    // A session without login: nothing is greyed and nothing checked.
    Rights() = default;
    // A logged-in session's rights before any record is read: all granted or none.
    static Rights for_login(bool all_granted);

    bool logged_in() const { return m_login; }
    static bool in_range(int id) { return id >= kFirstRight && id <= kLastRight; }

    // Whether the command must be greyed: never without login, for a missing id or one outside
    // the range; otherwise when it is not granted.
    bool GET_RIGHTS(std::optional<int> id) const;
    // The check mark of the command (false outside the range or without login).
    bool GET_CHECKS(std::optional<int> id) const;
    // GET_RIGHTS remembered per business (MENU_EDIT); without a business it is GET_RIGHTS.
    // Screens ask it for every editable cell, so the answer is looked up once per business.
    bool GET_R_EDIT(std::optional<int> id, const std::string& business);

    bool granted(int id) const { return in_range(id) && m_granted[pos(id)]; }
    void grant(int id, bool on);
    std::set<int> granted_ids() const;

    // Sets (or without a value toggles) the check mark of an id in range.
    void Chequear(int id, std::optional<bool> value = std::nullopt);
    // "Eliminar Accesos del Módulo" / "Asignar todos los Accesos".
    void set_all_checks(bool on);

private:
    static size_t pos(int id) { return static_cast<size_t>(id - kFirstRight); }

    bool m_login = false;
    std::bitset<kLastRight - kFirstRight + 1> m_granted;  // MENU_VEC
    std::bitset<kLastRight - kFirstRight + 1> m_checks;   // MENU_CHK
    struct EditCache {
        std::string business;
        std::map<int, bool> greyed;
    } m_edit;  // MENU_EDIT
};

// The rights of a login name in a business. A supervisor holds every right; anyone else what
// MENUS grants. Everyone gets 2009, 3232 and 3386, a supervisor also 2000 (users and rights),
// and PERMISO1 = 1 grants the password change (2904).
Rights LOAD_DERECHOS(data::Db& db, const std::string& business, const std::string& login_name);

// Where a rights design is kept: a user's MENUS or a profile's DET_PERF.
enum class DesignOwner { User, Profile };

// "Cargar Diseño de Usuario/Perfil": the stored flags become the check marks.
void load_design(data::Db& db, Rights& rights, DesignOwner owner, const std::string& business,
                 long code);
// "Guardar Diseño de Usuario/Perfil": the check marks of every id are stored, creating the
// records that are missing, all in one transaction.
void save_design(data::Db& db, const Rights& rights, DesignOwner owner, const std::string& business,
                 long code);

// Copies a profile's flags into a user's MENUS after asking "Se asignará el Perfil ..." in one
// transaction. False when the user declined or the profile or user does not exist.
bool assign_profile(data::Db& db, UserPort& port, const std::string& business, long profile,
                    long user_number);

// The catalogue of rights as a tree for the "Arbol de Derechos" screen: a root "USUARIO: " +
// name, one node per module group, under it the group's top-level entries and under each entry
// its children. Every entry says whether the user's MENUS grants its right.
struct RightsNode {
    std::string text;
    long n_id = 0;  // DERECHOS.N_ID; 0 for the root and the groups
    int right = 0;  // 2300 + N_ID; 0 for the root and the groups
    bool granted = false;
    std::vector<RightsNode> children;
};

struct RightsGroup {
    std::string code;  // DERECHOS.MODULO of the group's top-level entries
    std::string name;
};
const std::vector<RightsGroup>& rights_groups();

RightsNode rights_tree(data::Db& db, const std::string& business, long user_number,
                       const std::string& user_name);

}  // namespace qz::domain
