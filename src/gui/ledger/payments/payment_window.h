#pragma once
// ABONOS1 "Registro de Abonos": the header of the payment, the grid of the documents it pays,
// the grid of its tenders and the live "Disponible:", over a PaymentDraft that holds the state
// and every rule. Each edit goes to the draft, which refuses with the system's message, and the
// window then shows the draft again: a refused edit shows the value the draft kept.
//
// The class is split by concern: the layout and the header (payment_window.cpp), the two grids
// (payment_window_grids.cpp) and the buttons (payment_window_actions.cpp).
#include <QTableWidget>
#include <optional>
#include <string>

#include "core/amount.h"
#include "core/ini_file.h"
#include "data/db.h"
#include "domain/ledger/payment_draft.h"
#include "gui/framework/qt_user_port.h"
#include "gui/framework/wdiag.h"

class QLabel;
class QLineEdit;
class QBoxLayout;

namespace qz::gui {

class LR_MASKED;

class PaymentWindow : public WDIAG {
public:
    PaymentWindow(QWidget* owner, data::Db& db, std::string business, const IniFile* workstation);

    bool Init() override;
    domain::PaymentDraft& draft() { return m_draft; }
    // Shows the draft: header, grids and "Disponible:".
    void refresh();

private:
    // Layout.
    QWidget* build_header();
    QWidget* build_documents();
    QWidget* build_tenders();
    QBoxLayout* build_buttons();
    QLineEdit* code_edit(int id, int length);
    void bind_header();
    // The header field `id` as typed goes to the draft.
    void take_header(int id);
    void show_header();

    // Grids.
    void fill_documents();
    void fill_tenders();
    void document_edited(QTableWidgetItem* item);
    void tender_edited(QTableWidgetItem* item);
    int selected_row(const QTableWidget* grid) const;
    // What a typed amount cell reads as; none after telling the user why.
    std::optional<Decimal> read_cell(const QTableWidgetItem* item, const AmountField& field);

    // Buttons.
    void choose_customer();
    void add_document();
    void remove_document();
    void add_tender();
    void remove_tender();
    void process();
    void keep_pending();
    void load_pending();
    void adjust();
    void edit_rates();
    void partial_instalments();
    void credit_note();
    void last_payments();
    // Every header field read into the draft; false when one was refused.
    bool commit_header();

    data::Db& m_db;
    std::string m_business;
    const IniFile* m_workstation;
    QtUserPort m_port;
    domain::PaymentDraft m_draft;
    QTableWidget* m_documents = nullptr;
    QTableWidget* m_tenders = nullptr;
    QLabel* m_available = nullptr;
    QLabel* m_customer_name = nullptr;
    bool m_filling = false;  // the grids are being filled: their changes are not the user's
};

}  // namespace qz::gui
