#pragma once
// "Perfiles de Usuario" (screen USUARIOS, menu command 2000): the users and the profiles of the
// business, the rights of either designed on the main window's own menu, the "Arbol de
// Derechos", the password settings and the administrator's access blocks.
#include <QPointer>
#include <filesystem>
#include <optional>
#include <string>

#include "data/db.h"
#include "domain/session/user_admin.h"
#include "gui/framework/wdiag.h"

class QLabel;
class QTableWidget;

namespace qz::gui {

class Principal;
class UsersAccessPanel;

class UsersScreen : public WDIAG {
    Q_OBJECT
public:
    static constexpr int kContextId = 2000;
    // Controls of the screen.
    enum Id {
        kIdUsers = 101,
        kIdProfiles = 102,
        kIdDesignState = 103,
        kIdAddUser = 111,
        kIdModUser,
        kIdDelUser,
        kIdBlockUser,
        kIdAssign,
        kIdRightsTree,
        kIdAddProfile = 121,
        kIdModProfile,
        kIdDelProfile,
        kIdLoadUser = 131,
        kIdLoadProfile,
        kIdStartDesign,
        kIdClearAll,
        kIdGrantAll,
        kIdSaveUser,
        kIdSaveProfile,
        kIdPasswordRules = 141,
    };

    // `principal` shows the rights designs on its menu; without one they are still loaded,
    // edited through set_all and saved, but nowhere shown.
    UsersScreen(Principal* principal, data::Db& db, std::string business,
                std::filesystem::path home);

    bool Init() override;
    // Closing the screen ends any design on the menu.
    void CerrarBases() override;

    QTableWidget* users() const { return m_users; }
    QTableWidget* profiles() const { return m_profiles; }
    UsersAccessPanel* access() const { return m_access; }
    const domain::RightsDesign& design() const { return m_design; }

    std::optional<long> selected_user() const;
    std::optional<long> selected_profile() const;
    void select_user(long code);
    void select_profile(long code);
    // Reads both lists again, keeping the selections.
    void refresh();

private:
    QWidget* users_box();
    QWidget* profiles_box();
    QWidget* design_box();
    void enable_buttons();

    void add_user();
    void modify_user();
    void delete_user();
    void toggle_block();
    void assign_profile();
    void rights_tree();
    void add_profile();
    void modify_profile();
    void delete_profile();

    void load_design(domain::DesignOwner owner);
    void start_design();
    void set_all(bool on);
    void save_design(domain::DesignOwner owner);
    // Puts the design on the main window's menu, or takes it off when there is none.
    void show_design();

    QPointer<Principal> m_principal;
    data::Db& m_db;
    std::string m_business;
    std::filesystem::path m_home;
    domain::RightsDesign m_design;
    std::string m_design_source;  // whose design is shown, for the state line
    QTableWidget* m_users = nullptr;
    QTableWidget* m_profiles = nullptr;
    QLabel* m_state = nullptr;
    UsersAccessPanel* m_access = nullptr;
};

// What menu command 2000 runs. Null when the screen could not open.
UsersScreen* open_users_screen(Principal* principal, data::Db& db, const std::string& business,
                               const std::filesystem::path& home);

}  // namespace qz::gui
