#pragma once
// VIEW_DOC ("Consulta de Documentos"): the business's documents narrowed by customer, branch
// and state, each filter read through its own order, with marks to choose several. Its "Editar"
// operations (context 6505) change a document's branch, customer, exchange-difference type,
// labels, agent and number, mark deliveries and list them, recompute the amount, repair figures
// and balances, block the document, reprint, annul and duplicate it and edit its instalment
// plan; the natural ones also have a button.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <string>
#include <vector>

#include "core/ini_file.h"
#include "data/db.h"
#include "data/table_ops.h"
#include "domain/ledger/document_viewer.h"
#include "domain/session/rights.h"
#include "gui/framework/wdiag.h"

namespace qz::gui {

class WBLISTBOX;

// Who works in the viewer: the database, business, user's short code, the session's rights
// (the repair needs its own) and the workstation's settings (printers).
struct ViewerDesk {
    data::Db& db;
    std::string business, user;
    const domain::Rights& rights;
    const IniFile& ini;
};

enum DocumentViewerControl {
    kViewGrid = 500,
    kViewCustomer = 501,
    kViewChoose = 502,
    kViewCustomerName = 503,
    kViewBranch = 504,
    kViewState = 505,
    kViewReprint = 201,
    kViewDelivered = 202,
    kViewBlock = 203,
    kViewMove = 204,
};

class DocumentViewer : public WDIAG {
    Q_OBJECT
public:
    static constexpr int kContext = 6505;
    DocumentViewer(QWidget* owner, ViewerDesk desk);

    bool Init() override;
    void CerrarBases() override;

    void CAMBIA_SUC();
    void MOV_CLIENTE();
    void MOV_DIFF();
    void ED_DESCRIP();
    void CAMBIA_AGENTE();
    void RECODE_DOC();
    void MARCA_ENTREGA();
    void DESMARCA_ENTREGA();
    void REP_ENTREGADOS();
    void REP_NO_ENTREGADOS();
    void RECALC_MONTO();
    void MOD_DOC();
    void FIX_SAL();
    void BLOQ_DOC();
    void REIMPRIMIR();
    void ANULA_DOC();
    void DUPLICA_DOC();
    void PLAN_PAGOS();  // ED2_DOC
    void DATOS_DOC();
    void V_AB_FAC();
    void ULT_ABONOS();

    WBLISTBOX* grid() const { return m_grid; }
    const ViewerDesk& desk() const { return m_desk; }
    domain::ViewerFilter filter() const;
    // Shows the filter's documents (the customer typed, branch and state chosen).
    void apply_filter();
    // The document on the grid's row; nothing after telling the user to choose one.
    std::optional<domain::ViewedDocument> chosen();
    // The marked documents' numbers, or the row's when none is marked.
    std::vector<std::string> marked_or_chosen();

private:
    void build_filters(QLayout* into);
    void build_buttons(QLayout* into);
    void customer_typed();
    void choose_customer();
    void fill_branches(const std::string& customer);
    std::vector<std::string> marked();
    // After an operation wrote: the grid reads its rows again.
    void refresh();
    void mark_delivered(bool delivered);
    void delivery_report(bool delivered);

    ViewerDesk m_desk;
    data::Table m_table;
    WBLISTBOX* m_grid = nullptr;
    QLineEdit* m_customer = nullptr;
    QLabel* m_customer_name = nullptr;
    QComboBox* m_branch = nullptr;
    QComboBox* m_state = nullptr;
};

DocumentViewer* open_document_viewer(QWidget* owner, const ViewerDesk& desk);
DocumentViewer* as_document_viewer(QWidget* screen);

}  // namespace qz::gui
