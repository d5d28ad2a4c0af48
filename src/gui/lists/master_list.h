#pragma once
// The list screen of a business's code table: a grid over one order of the table scoped to the
// business, with "Agregar" (201), "Modificar" (202, also a double click), "Eliminar" (203) and
// "Salir". The grid's objectName is 500.
#include <functional>
#include <string>
#include <vector>

#include "data/db.h"
#include "data/table_ops.h"
#include "gui/framework/wdiag.h"

namespace qz::gui {

class WBLISTBOX;

struct ListColumn {
    std::string heading, field, picture;
};

// A further operation on the chosen row, with its button beside "Eliminar".
struct ListAction {
    std::string caption;
    int id = 0;  // the button's control id
    std::function<bool(QWidget*, data::WDBTable&)> run;
};

struct MasterListSpec {
    std::string dlg_name;
    int context_id = 0;
    std::string caption;
    std::string table, order;
    // The key prefix the grid keeps to (a customer's detail rows); empty = the business's rows.
    std::string scope;
    std::vector<ListColumn> columns;
    // Each gets the screen as owner; modify and remove also the table on the chosen row. True
    // when something changed, so the grid is read again.
    std::function<bool(QWidget*)> add;
    std::function<bool(QWidget*, data::WDBTable&)> modify;
    std::function<bool(QWidget*, data::WDBTable&)> remove;
    std::vector<ListAction> actions;
    // Told when a change or deletion finds no row; "Debe seleccionar un registro" if empty.
    std::string no_row_text;
};

inline constexpr int kListGrid = 500, kListAdd = 201, kListModify = 202, kListDelete = 203;

class MasterListScreen : public WDIAG {
public:
    MasterListScreen(QWidget* owner, data::Db& db, std::string business, MasterListSpec spec);

    bool Init() override;
    void CerrarBases() override;

    // The "Editar" operations of the screen.
    void ADD();
    void MOD();
    void DEL();
    // Runs the further operation whose button has the control id `id` on the chosen row.
    void ACTION(int id);
    WBLISTBOX* grid() const { return m_grid; }

private:
    // Puts the table on the grid's row; false (with a message) when there is none.
    bool on_current_row();

    data::Db& m_db;
    std::string m_business;
    MasterListSpec m_spec;
    data::Table m_table;
    WBLISTBOX* m_grid = nullptr;
};

// The open list screen `screen` is, or null.
MasterListScreen* as_master_list(QWidget* screen);

}  // namespace qz::gui
