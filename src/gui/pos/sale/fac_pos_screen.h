#pragma once
// The FAC_POS screen's class, for its own source files: the layout and the register
// (fac_pos_screen.cpp, fac_pos_register.cpp), the header (fac_pos_header.cpp), the lines grid
// (fac_pos_lines.cpp), the buttons' dialogs (fac_pos_buttons.cpp) and the save (fac_pos_save.cpp).
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "domain/pos/sale_draft.h"
#include "domain/pos/sale_save.h"
#include "domain/pos/sale_screen_reads.h"
#include "gui/framework/qt_user_port.h"
#include "gui/framework/wdiag.h"
#include "gui/pos/sale/fac_pos.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTimer;
class QGridLayout;
class QHBoxLayout;
class QLayout;
class QVBoxLayout;

namespace qz::gui {

// The lines grid's columns; freight and load only when the business shows them.
struct LineColumns {
    int code = 0, description = 1, price = 2, quantity = 3, discount = 4, tax = 5, total = 6;
    int freight = -1, load = -1, supplier = 7, supplier_name = 8;
    int count = 9;
    explicit LineColumns(bool others);
};

class FAC_POS;

// What the save asks of the cashier, answered by the screen's dialogs.
class FacPosHooks : public domain::pos::SaleSaveHooks {
public:
    explicit FacPosHooks(FAC_POS& screen) : m_screen(screen) {}
    bool credit_control(const domain::customers::Branch& branch,
                        const domain::customers::CreditFigures& figures, bool no_keys) override;
    bool take_tenders(const std::string& caption) override;
    void attention_data() override;
    void card_capture() override;
    void focus_lines() override;

private:
    FAC_POS& m_screen;
};

class FAC_POS : public WDIAG {
public:
    FAC_POS(QWidget* owner, data::Db& db, domain::Session& session, const IniFile* ini,
            domain::pos::SaleMode mode, FacPosSource source);

    bool Init() override;
    void CerrarBases() override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void PROC_BOK() override;

    // The register the screen holds, if any.
    const std::optional<domain::cash::TakenRegister>& taken() const { return m_taken; }
    domain::pos::SaleDraft& draft() { return m_draft; }
    domain::pos::SaleExtras& extras() { return m_extras; }
    std::vector<domain::pos::TenderRow>& tenders() { return m_tenders; }
    bool saving() const { return m_save.busy(); }

    // Takes a register: its defaults, locks and disabled buttons; the lines open.
    void PARAMS_CAJA(const domain::cash::TakenRegister& taken);
    // The tenders dialog with `caption`; true when the cashier accepted it.
    bool FORMA_P(const std::string& caption, bool from_save);
    void DATOS_ATENCION();
    bool CAPTURA_DATOS();
    void focus_lines();
    bool ask_credit(const domain::customers::Branch& branch,
                    const domain::customers::CreditFigures& figures, bool no_keys);
    // The whole screen again from the draft: header, lines, totals, buttons.
    void refresh();

private:
    friend class FacPosHooks;

    // Layout (fac_pos_screen.cpp).
    void build_top(QVBoxLayout& into);
    void build_totals(QHBoxLayout& into);
    void build_buttons(QVBoxLayout& into);
    QPushButton* button(QLayout& into, const char* caption, int id, Block block);
    void enlarge_font();
    void UPDATE_TIMER();
    void refresh_number();
    void DISPLAY_TOT();
    void refresh_buttons();
    void Finalizar();

    // The register (fac_pos_register.cpp).
    void ABRE_CAJA();
    void REABRE_CAJA();
    void CLOSE_CAJA();
    void show_register();
    void start_lines();

    // The header (fac_pos_header.cpp).
    void build_header(QGridLayout& grid);
    void LOAD_DATOS();
    void refresh_header();
    void refresh_max_discount();
    void header_typed(int id);
    void header_chosen(int id);
    bool PROCE(int id, const std::string& code);
    void PROC_CLIENTE();

    // The lines (fac_pos_lines.cpp).
    void build_lines();
    void MontarColumnas() override;
    void Teclas();
    void refresh_lines();
    void cell_changed(int row, int column);
    void line_typed(size_t row, int column, const std::string& text);
    void go_to(int row, int column);
    void Buscar_Art();
    size_t current_row() const;

    // The buttons' dialogs (fac_pos_buttons.cpp).
    void PLAZOS_P();
    void DESCUENTOS();
    void FLETES();
    void DATOS_CLIENTE();
    void READ_SPECFAC(size_t row);
    void READ_CPAGO();
    void VER_SALDO();
    void EXENTO(bool on);
    void SAVE_TO_PEDIDO();
    void SAVE_TO_PROFORMA();
    void save_as(domain::pos::SaleKind kind);

    // The save (fac_pos_save.cpp).
    void SAVE_DATOS() override;
    // The save with OK disabled and the wait cursor on, both given back however it ends.
    std::optional<domain::pos::SavedSale> run_save(domain::pos::SaleDraft& draft,
                                                   std::vector<domain::pos::TenderRow>& tenders);
    domain::pos::SaleSaveContext save_context();
    void after_save(const domain::pos::SavedSale& saved);
    void print_saved(const domain::pos::SavedSale& saved);
    void next_sale();
    bool read_amount();

    data::Db& m_db;
    domain::Session& m_session;
    const IniFile* m_ini;
    FacPosSource m_source;
    bool m_filled = false;  // the source's fill ran
    QtUserPort m_port;
    domain::pos::SaleDraft m_draft;
    domain::pos::SaleExtras m_extras;
    std::vector<domain::pos::TenderRow> m_tenders;
    std::optional<domain::cash::TakenRegister> m_taken;
    FacPosHooks m_hooks;
    std::unique_ptr<domain::pos::CardTerminal> m_terminal;
    domain::pos::SaleSave m_save;
    domain::pos::SaleChoices m_choices;
    LineColumns m_cols;

    QTableWidget* m_grid = nullptr;
    QLabel* m_register_label = nullptr;
    QLabel* m_operator_label = nullptr;
    QLineEdit* m_number = nullptr;
    QLineEdit* m_amount = nullptr;
    QCheckBox* m_exempt = nullptr;
    QPushButton* m_ok = nullptr;
    QTimer* m_timer = nullptr;
    QString m_previewed;  // the number last shown as a preview
    int m_ticks = 0;
    bool m_filling = false;
    bool m_in_save = false;  // OK or a save elsewhere is running
};

}  // namespace qz::gui
