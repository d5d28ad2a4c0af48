#pragma once
// The FORMA_PAGO dialog's class, for its own source files.
#include <QTableWidget>
#include <memory>

#include "gui/framework/dialog_box.h"
#include "gui/framework/masked_edit.h"
#include "gui/framework/qt_user_port.h"
#include "gui/pos/tenders/tenders_dialog.h"

class QLabel;

namespace qz::gui {

class FormaPago : public DIALOG_BOX {
public:
    FormaPago(QWidget* owner, data::Db& db, const TendersRequest& request,
              domain::pos::TenderSet& set);
    bool Init() override;
    void PROC_BOK() override;
    void Terminar() override;
    TendersOutcome outcome() const { return m_outcome; }

private:
    void build_grid();
    void MontarColumnas() override;
    void Teclas();
    void refresh();
    void refresh_total();
    void cell_changed(int row, int column);
    void go_to(const domain::pos::CellFocus& f);
    void DO_FORMA_P(int n);
    void DO_SEL_ROOM();
    void DO_CANCELAR();
    void take_signatures();
    bool read_paid();

    data::Db& m_db;
    const TendersRequest& m_req;
    domain::pos::TenderSet& m_set;
    QtUserPort m_port;
    std::unique_ptr<domain::pos::CardTerminal> m_own_terminal;
    domain::pos::CardTerminal* m_terminal = nullptr;
    LR_MASKED* m_paid = nullptr;
    QTableWidget* m_grid = nullptr;
    QLabel* m_total = nullptr;
    bool m_filling = false;
    TendersOutcome m_outcome = TendersOutcome::Stay;
};

}  // namespace qz::gui
