#pragma once
// The menu bar of the spa module and the "Editar" operations of its screens, as data: the main
// window builds its QMenuBar from these trees and greys every command the user's rights deny.
#include <string>
#include <vector>

namespace qz::gui {

struct MenuItem {
    enum class Kind { Command, Separator, Submenu, NoAction, Exit, Window };
    Kind kind = Kind::Command;
    std::string caption;
    int id = 0;  // command id (rights 2000..7000); 0 for items without one
    std::vector<MenuItem> children;
};

// The whole menu bar in its order: "&Archivo", "Editar" (placeholder, filled per screen), the
// spa module's menus, "Ventanas" and "Acerca de". Without login only the menus that need none.
std::vector<MenuItem> spa_menu_bar(bool with_login);

// The operations of a screen's context id for the "Editar" menu; empty when it has none.
struct ContextItem {
    std::string caption;  // empty for a separator
    int id = 0;
    std::string operation;  // the screen's method the command runs
};
const std::vector<ContextItem>& context_items(int context_id);

// Every command id the menu bar offers (for the rights designer and tests).
std::vector<int> all_command_ids(const std::vector<MenuItem>& bar);

// Window-arrangement commands of "Ventanas" carry these ids (not rights).
inline constexpr int kCmdCascade = 90001, kCmdTile = 90002, kCmdArrangeIcons = 90003,
                     kCmdCloseAll = 90004, kCmdAbout = 90010, kCmdAdsConfig = 90011;

}  // namespace qz::gui
