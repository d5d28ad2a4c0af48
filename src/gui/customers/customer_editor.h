#pragma once
// CLIENT_2 ("MODICLIENTS", "Mantenimiento de Cliente"): the editor of one customer with its
// branches. The editor only holds the form; every check and write is the domain's save, and each
// refusal brings the focus back to the field it names.
#include <QComboBox>
#include <QListWidget>
#include <map>
#include <string>

#include "data/db.h"
#include "domain/customers/customer_save.h"
#include "gui/framework/dialog_box.h"

class QCheckBox;
class QLineEdit;
class QGridLayout;

namespace qz::gui {

// Control ids of the editor.
enum CustomerEditorControl {
    kEdCode = 101,
    kEdLegalId,
    kEdName,
    kEdSocial,
    kEdInitials,
    kEdClass,
    kEdClassButton,
    kEdCategory,
    kEdActive,
    kEdReason,
    kEdAdmitted,
    kEdWithdrawn,
    kEdReadName,
    kEdExempt,
    kEdNoInvoice,
    kEdCashOnly,
    kEdCommissionInPrice,
    kEdSupplier,
    kEdComment,
    kEdHistory,
    kEdBranches = 200,
    kEdNewBranch,
    kEdDeleteBranch,
    kEdManagers,
    kEdGuarantee,
    kEdBranchCode = 210,
    kEdBranchName,
    kEdBranchSocial,
    kEdBranchLegal,
    kEdBranchAddress,
    kEdBranchBox,
    kEdBranchAttention,
    kEdPhone,
    kEdPhone2,
    kEdPhone3,
    kEdPhone4,
    kEdFax,
    kEdFax2,
    kEdEmail,
    kEdUniqueId,
    kEdCard,
    kEdCostCentre,
    kEdSalesLink,
    kEdStage,
    kEdPrincipal = 240,
    kEdIndividual,
    kEdDiscountIncluded,
    kEdAutoCollect,
    kEdNoCheck,
    kEdLimit = 250,
    kEdMaxDays,
    kEdDiscount,
    kEdCollectDay,
    kEdCardYear,
    kEdCardMonth,
    kEdCommission,
    kEdCurrency = 260,
    kEdPriceType,
    kEdAgent,
    kEdConcept,
    kEdBranchClass,
    kEdZone,
    kEdNotes = 270,
};

class CustomerEditor : public DIALOG_BOX {
    Q_OBJECT
public:
    CustomerEditor(QWidget* owner, data::Db& db, std::string business, std::string user,
                   domain::customers::CustomerForm form);

    bool Init() override;
    bool OnCommand(int id) override;
    const domain::customers::CustomerForm& form() const { return m_form; }
    // Copies the controls into the form and saves it; false (the focus on the failing field)
    // when the domain refused.
    bool save();

private:
    void build_header(QGridLayout* grid);
    void build_branch(QGridLayout* grid);
    QComboBox* combo(int id, const std::string& table, const std::string& code_field,
                     const std::string& name_field, const char* none = nullptr);
    void show_header();
    void read_header();
    void show_branch(int index);
    void read_branch();
    void fill_branch_list();
    // The check of the branch on screen when the user moves to another; false keeps him there.
    bool leave_branch();
    void on_branch_row(int row);
    void new_branch();
    void delete_branch();
    void pick_classification();
    void show_history();
    void edit_managers();
    void edit_guarantee();
    void put_focus(const domain::customers::Refusal& r);

    data::Db& m_db;
    std::string m_business, m_user;
    domain::customers::CustomerForm m_form;
    int m_current = -1;  // index in m_form.branches of the branch on screen
    QListWidget* m_list = nullptr;
    std::vector<int> m_list_rows;  // form index of each list row (deleted rows are not shown)
};

// Opens the editor for a new customer (`code` "") or for the customer `code`; true when saved.
bool edit_customer(QWidget* owner, data::Db& db, const std::string& business,
                   const std::string& user, const std::string& code);

}  // namespace qz::gui
