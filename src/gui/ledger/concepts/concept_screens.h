#pragma once
// The document concepts of "Cuentas por Cobrar": the list window DEF_CON (concepts and concept
// sets), the concept editor ED_CON with its print bindings, and the term-plan window ED_CON2.
// Every rule is the domain's (domain/ledger/concepts.h, concept_sets.h).
#include <optional>
#include <map>
#include <string>
#include <vector>

#include "data/db.h"
#include "domain/ledger/concepts.h"
#include "gui/framework/wdiag.h"

namespace qz::gui {

class WBLISTBOX;

// The list window: concepts on the left, the sets with the members of the chosen one on the
// right, and "-->" / "<--" between the concepts and the members.
class ConceptListScreen : public WDIAG {
public:
    ConceptListScreen(QWidget* owner, data::Db& db, std::string business);

    bool Init() override;
    void CerrarBases() override;

    // The "Editar" operations and the buttons.
    void ADD();
    void MOD();
    void DEL();
    void add_set();
    void modify_set();
    void delete_set();
    void move_in();
    void move_out();

    WBLISTBOX* concepts() const { return m_concepts; }
    WBLISTBOX* sets() const { return m_sets; }
    WBLISTBOX* members() const { return m_members; }

private:
    QWidget* build_sets();
    // The code on the current row of a grid; "" (told) when there is none.
    std::string chosen(WBLISTBOX* grid, const char* field, const char* what);
    // The key range of the chosen set's members; an empty range when none is chosen.
    std::string members_scope();
    void show_members();

    data::Db& m_db;
    std::string m_business;
    data::Table m_concept_table, m_set_table, m_member_table;
    WBLISTBOX* m_concepts = nullptr;
    WBLISTBOX* m_sets = nullptr;
    WBLISTBOX* m_members = nullptr;
    std::map<std::string, std::string> m_names;  // concept code → name, for the member list
};

ConceptListScreen* open_document_concepts(QWidget* owner, data::Db& db,
                                          const std::string& business);

// ED_CON: adds (`code` empty) or modifies a concept; true when it was saved.
bool edit_document_concept(QWidget* owner, data::Db& db, const std::string& business,
                           const std::string& code);

// ED_CON2: edits a term plan in place; true when accepted.
bool edit_term_plan(QWidget* owner, data::Db& db, std::vector<domain::TermRow>& plan);

// Control ids (their objectName), for the tests.
namespace def_con {
enum : int {
    kConcepts = 500,
    kSets = 501,
    kMembers = 502,
    kAdd = 201,
    kModify = 202,
    kDelete = 203,
    kSetAdd = 211,
    kSetModify = 212,
    kSetDelete = 213,
    kMoveIn = 221,
    kMoveOut = 222,
    kSetCode = 101,
    kSetName = 102,
};
}  // namespace def_con

namespace ed_con {
enum : int {
    kTabs = 100,
    kCode = 101,
    kName,
    kTerm,
    kOpposite,
    kDebit,
    kStockEntry,
    kBooks,
    kMaxLines,
    kStockConcept,
    kSalesCentre,
    kStage,
    kProforma,
    kLinks = 120,  // + the link's position in kConceptLinks
    kSeries = 130,
    kPendingSeries,
    kPaymentConcept,
    kIncomeConcept,
    kReceiptBlock,
    kPaymentMethod,
    kReportCurrency,
    kDiffType,
    kLateRate,
    kPlan,
    kFlags = 150,  // + the flag's position in kConceptFlags
    kTexts = 180,  // + the text's position in kConceptTexts
    kBindings = 500,
    kBindingAdd = 211,
    kBindingModify = 212,
    kBindingDelete = 213,
    // The binding form.
    kCurrency = 301,
    kFormat,
    kPrinter,
    kPrinter2,
    kCopies,
    kTicket,
    kDocType,
    kNoLog,
    // ED_CON2 and its row form.
    kPlanGrid = 510,
    kPlanAdd = 231,
    kPlanModify = 232,
    kPlanDelete = 233,
    kPlanTotal = 234,
    kDays = 321,
    kPercent,
    kInterest,
};
}  // namespace ed_con

}  // namespace qz::gui
