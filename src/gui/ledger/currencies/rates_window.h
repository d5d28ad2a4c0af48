#pragma once
// "Tipos de Cambio" (T_CAMBIO): the business's currencies as a tree with their pairs under the
// currency they convert from, and the dated rates of the chosen pair, newest first, with its
// five columns. Pairs are added, changed and deleted with the form T_CAMB_2, rates with
// MODIT_CAMBIO.
#include <string>

#include "data/db.h"
#include "data/table_ops.h"
#include "domain/ledger/currencies.h"
#include "domain/ledger/rate_rows.h"
#include "gui/framework/wdiag.h"

class QTreeWidget;

namespace qz::gui {

class WBLISTBOX;

inline constexpr int kRatesTree = 100, kRatesGrid = 500, kPairAdd = 301, kPairModify = 302,
                     kPairDelete = 303, kRateAdd = 201, kRateModify = 202, kRateDelete = 203;

class RatesWindow : public WDIAG {
    Q_OBJECT
public:
    RatesWindow(QWidget* owner, data::Db& db, std::string business, std::string user);

    bool Init() override;
    void CerrarBases() override;

    void ADD_REF();
    void MOD_REF();
    void DEL_REF();
    void ADD_TC();
    void MOD_TC();
    void DEL_TC();

    QTreeWidget* tree() const { return m_tree; }
    WBLISTBOX* grid() const { return m_grid; }
    // Chooses the pair in the tree, as a click does; false when the tree has no such pair.
    bool select_pair(const std::string& from, const std::string& to);
    // The pair chosen in the tree, if a pair (not a currency) is chosen.
    std::optional<domain::CurrencyPair> current_pair() const;

private:
    void fill_tree();
    void show_pair();
    // The rate on the grid's row, with a message when there is none.
    std::optional<domain::DatedRate> current_rate();
    bool rate_form(const domain::CurrencyPair& p, const std::optional<domain::DatedRate>& rate);
    bool pair_form(const std::optional<domain::CurrencyPair>& pair);

    data::Db& m_db;
    std::string m_business, m_user;
    data::Table m_table;
    QTreeWidget* m_tree = nullptr;
    WBLISTBOX* m_grid = nullptr;
};

RatesWindow* as_rates_window(QWidget* screen);

}  // namespace qz::gui
