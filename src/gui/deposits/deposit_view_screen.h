#pragma once
// "Consulta de Depósitos" (VER_DEP): the business's deposits, the newest at hand, and the
// chosen one whole: its header, accounting lines, applications to reservations, the lines of
// the journal vouchers of its booking and of its void, and its bank-book movements. From here
// a deposit is voided (ANUL_DEP) and its voucher printed (IMP_DEP).
#include <string>

#include "data/table_ops.h"
#include "domain/deposits/deposit_view.h"
#include "gui/framework/wdiag.h"

class QLabel;
class QTableWidget;

namespace qz::gui {

struct AppContext;
class WBLISTBOX;

inline constexpr int kCmdDepositView = 6707;

class DepositViewScreen : public WDIAG {
public:
    DepositViewScreen(QWidget* owner, AppContext& ctx);

    bool Init() override;
    void CerrarBases() override;

    // Control ids (their objectName).
    enum : int {
        kDeposits = 500,
        kHeader = 501,
        kLines = 502,
        kApplications = 503,
        kJournal = 504,
        kBankBook = 505,
        kVoid = 601,
        kPrint = 602,
    };

    WBLISTBOX* deposits() const { return m_grid; }
    // The chosen deposit's number; "" when there is none.
    std::string chosen() const;

private:
    void build_grid();
    QWidget* build_details();
    // Shows the chosen deposit in the detail panes.
    void show_details();
    void void_chosen();
    void print_chosen();

    AppContext& m_ctx;
    data::Table m_table;
    WBLISTBOX* m_grid = nullptr;
    QLabel* m_header = nullptr;
    QTableWidget* m_lines = nullptr;
    QTableWidget* m_applications = nullptr;
    QTableWidget* m_journal = nullptr;
    QTableWidget* m_bank = nullptr;
};

DepositViewScreen* open_deposit_view(QWidget* owner, AppContext& ctx);

}  // namespace qz::gui
