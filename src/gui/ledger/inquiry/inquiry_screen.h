#pragma once
// RES_CXC ("Consultas Clientes / CxC"): the customers of a filter (active, inactive, all) with a
// search by code or name; beside them the chosen customer's branches with their contact data,
// agent and classifications; under them the customer's documents (of all its branches or of the
// chosen one) coloured by their use. Buttons print the customer's statements and payments, show
// its log, data and membership cards, and the chosen document's data, image, use and payments.
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <optional>
#include <string>
#include <vector>

#include "data/db.h"
#include "data/table_ops.h"
#include "domain/ledger/customer_inquiry.h"
#include "gui/framework/wdiag.h"

namespace qz::gui {

class WBLISTBOX;

namespace inquiry {
// Control ids of the screen.
enum : int {
    kFilter = 101,
    kSearch = 102,
    kAllBranches = 103,
    kCustomers = 500,
    kDocuments = 501,
    kBranches = 510,
    kPhone = 511,
    kFax,
    kEmail,
    kPoBox,
    kAgent,
    kBranchClass,
    kCustomerClass,
    kCategory,
    kPrintStatement = 201,  // "Imprimir Estado"
    kHistoric,              // "Estado de Cuenta"
    kPayments,              // "Pagos Registrados"
    kPrintPayments,         // "Imprimir Hist. Pagos"
    kAddNoteButton,         // "Agregar Bitácora"
    kLog,                   // "Bitácora Histórica"
    kCustomerData,
    kCards,
    kDocumentData,  // "Datos del Documento"
    kApplied,       // V_AB_FAC
    kImage,
    kUsage,
};
// The colours of the documents' rows by use: UTILIZADO 1 and 2, {text, background}.
inline const QColor kUsedOneText{0, 0, 0}, kUsedOneBack{198, 239, 206};
inline const QColor kUsedTwoText{0, 0, 0}, kUsedTwoBack{255, 235, 156};
}  // namespace inquiry

inline constexpr const char* kChooseCustomer = "Debe seleccionar un registro";
inline constexpr const char* kChooseDocument = "Debe seleccionar un documento";
inline constexpr const char* kNoImage = "El documento no tiene imagen asociada";
inline constexpr const char* kImageMissing = "No se encuentra la imagen del documento:\n";

class CustomerInquiryScreen : public WDIAG {
    Q_OBJECT
public:
    CustomerInquiryScreen(QWidget* owner, data::Db& db, std::string business, std::string user);

    bool Init() override;
    void CerrarBases() override;

    // The list of the filter's customers, from its first one, sorted by the column it was.
    void set_filter(domain::CustomerFilter filter);
    // Seeks what was typed in "Buscar :" in the order the list is sorted by.
    void search(const std::string& typed);

    // The buttons.
    void IMPRIMIR();
    void ESTADO_CUENTA();
    void PAGOS();
    void IMP_PAGOS();
    void ADD_BITACORA();
    void VER_BITACORA();
    void VER_CLIENTE();
    void VER_CARNETS();
    void DATOS_DOC();
    void V_AB_FAC();
    void VER_IMAGEN();
    void VER_UTILIZADO();

    WBLISTBOX* customers() const { return m_customers; }
    WBLISTBOX* documents() const { return m_documents; }
    // The customer on the list's row and the document on the documents' row; "" when none.
    std::string current_customer();
    std::string current_document();

private:
    void build_top(QLayout* into);
    QLayout* build_side();
    QLayout* build_buttons();
    void build_customers();
    void build_documents();
    void show_customer();
    void show_branch(int row);
    void show_documents();
    std::string chosen_branch() const;
    // The chosen customer (its name in `name`) or document; "" after telling the user to choose.
    std::string chosen_customer(std::string* name = nullptr);
    std::string chosen_document();

    data::Db& m_db;
    std::string m_business, m_user;
    domain::CustomerFilter m_filter = domain::CustomerFilter::Active;
    data::Table m_customer_table, m_document_table;
    WBLISTBOX* m_customers = nullptr;
    WBLISTBOX* m_documents = nullptr;
    QComboBox* m_filter_box = nullptr;
    QLineEdit* m_search = nullptr;
    QCheckBox* m_all_branches = nullptr;
    QListWidget* m_branch_list = nullptr;
    std::vector<QLineEdit*> m_fields;
    std::optional<domain::InquiryCustomer> m_customer;
};

CustomerInquiryScreen* open_customer_inquiry(QWidget* owner, data::Db& db,
                                             const std::string& business, const std::string& user);

}  // namespace qz::gui
