#pragma once
// E_BITACORA: a customer's notes newest first (BITACORA4) with the chosen note's full text; its
// "Editar" operations add, change and delete notes. Notes without their ordering key get it
// before the list is shown.
#include "data/table_ops.h"
#include "gui/customers/customer_log_screens.h"
#include "gui/framework/wdiag.h"

namespace qz::gui {

class WBLISTBOX;

class CustomerLogWindow : public WDIAG {
public:
    CustomerLogWindow(QWidget* owner, LogDesk desk, std::string customer, std::string name,
                      std::string document);

    bool Init() override;
    void CerrarBases() override;

    void ADD_ITEM();
    void MOD_ITEM();
    void DEL_ITEM();
    void PRINT_ITEM();

    WBLISTBOX* grid() const { return m_grid; }

private:
    void build_buttons(QLayout* into);
    void show_text();
    // The note on the grid's row; 0 when there is none.
    long current_note();
    void after_change();

    LogDesk m_desk;
    std::string m_customer, m_name, m_document;
    data::Table m_table;
    WBLISTBOX* m_grid = nullptr;
};

CustomerLogWindow* as_customer_log(QWidget* screen);

}  // namespace qz::gui
