#pragma once
// "Arbol de Derechos" (screen V_DERECHOS): the catalogue of rights as a tree under the user,
// grouped by module, each entry ticked when the user holds its right. Saving stores the ticks
// into the user's rights and leaves every right outside the catalogue as it was.
#include <QTreeWidget>
#include <map>
#include <string>

#include "data/db.h"
#include "gui/framework/wdiag.h"

namespace qz::gui {

class RightsTreeScreen : public WDIAG {
    Q_OBJECT
public:
    static constexpr int kIdTree = 101;

    RightsTreeScreen(QWidget* owner, data::Db& db, std::string business, long user_number,
                     std::string user_name);

    bool Init() override;
    // "Grabar": stores the ticks and closes the screen.
    void SAVE_DATOS() override;

    QTreeWidget* tree() const { return m_tree; }
    // The entries of the tree: right -> ticked.
    std::map<int, bool> ticks() const;

private:
    data::Db& m_db;
    std::string m_business;
    long m_user;
    std::string m_name;
    QTreeWidget* m_tree = nullptr;
};

// Supervisors hold every right, so the tree is not offered for them.
RightsTreeScreen* open_rights_tree(QWidget* owner, data::Db& db, const std::string& business,
                                   long user_number, const std::string& user_name);

}  // namespace qz::gui
