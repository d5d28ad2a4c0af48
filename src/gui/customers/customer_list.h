#pragma once
// CLIENTE ("Clientes Definidos"): the customers of the business with search marks by code and by
// name, beside the chosen customer's branches (the principal first, marked " *") and the chosen
// branch's telephones, faxes and address. Its "Editar" operations add, change and delete
// customers, carry names into the history, recompute associates and export the list.
#include <QLineEdit>
#include <QListWidget>
#include <functional>
#include <string>
#include <vector>

#include "data/db.h"
#include "data/table_ops.h"
#include "domain/customers/customer_rows.h"
#include "gui/framework/wdiag.h"

namespace qz::gui {

class WBLISTBOX;

// Control ids of the screen.
enum CustomerListControl {
    kCliGrid = 500,
    kCliBranches = 510,
    kCliPhone = 511,
    kCliFax,
    kCliAddress,
    kCliPhone2,
    kCliFax2,
    kCliPrint = 203,    // IMPRIMIR
    kCliHistoric = 204,  // CLIENT_3
    kCliPlan = 205,      // P_COBRO
};

class CustomerListScreen : public WDIAG {
    Q_OBJECT
public:
    CustomerListScreen(QWidget* owner, data::Db& db, std::string business, std::string user);

    bool Init() override;
    void CerrarBases() override;

    void ADD_CLIENTE();
    void MOD_CLIENTE();
    void DEL_CLIENTE();
    void ACT_NAME();
    void RECALC_ASOCIADOS();
    void EXPORTAR_XLS();
    // The credit control of the chosen customer's principal branch: information only, or as an
    // invoice would open it for a document amount the user types.
    void LIM_CREDITO();
    void PRUEBA_CREDITO();
    // The printouts of the chosen customer (statement of open documents, historic statement,
    // collection plan) and the listing of the customers.
    void IMPRIMIR();
    void CLIENT_3();
    void P_COBRO();
    void PRINT_CLIENTES();
    // The chosen customer's log: a new note, the log window, the copy to another customer.
    void ADD_BITACORA();
    void VER_BITACORA();
    void COPIAR_BITACORA();

    WBLISTBOX* grid() const { return m_grid; }
    data::Db& db() const { return m_db; }
    const std::string& business() const { return m_business; }
    const std::string& user() const { return m_user; }
    // The customer on the grid's row; "" when there is none.
    std::string current_code();
    // The branch chosen in the side list; "" when the customer has none.
    std::string current_branch() const;

private:
    void build_side(QLayout* into);
    void show_branches();
    void show_branch(int row);
    void after_change();
    void open_credit_control(bool as_invoice);
    void build_statement_buttons(QLayout* into);
    // The chosen customer's code; "" after telling the user to choose one.
    std::string chosen_code();
    void add_log_buttons(QLayout* into);

    data::Db& m_db;
    std::string m_business, m_user;
    data::Table m_table;
    WBLISTBOX* m_grid = nullptr;
    QListWidget* m_branch_list = nullptr;
    std::vector<QLineEdit*> m_branch_fields;
    std::vector<domain::customers::StoredBranch> m_branches;
};

CustomerListScreen* open_customer_list(QWidget* owner, data::Db& db, const std::string& business,
                                       const std::string& user);
CustomerListScreen* as_customer_list(QWidget* screen);

class Principal;
// Registers the customer list's operation `name`: `fn` on the chosen customer of the active
// list; with none chosen the user is told to choose one.
void on_customer(Principal& w, const char* name,
                 std::function<void(CustomerListScreen&, const std::string&)> fn);

}  // namespace qz::gui
