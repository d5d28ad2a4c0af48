#pragma once
// GFAC_REG ("Generación de Facturas Regulares"): the sets of regular documents as a tree, the
// chosen set's regular documents with marks, the register and operator the documents are
// written on, and the three runs: the marked documents of the set, all of the set, or (opened
// from the customer list) all of one customer with several emissions at once. A run shows its
// progress with a cancel button, then mails and, when asked, prints what it generated.
#include <functional>
#include <string>
#include <vector>

#include "data/db.h"
#include "domain/regular/regular_generation.h"
#include "gui/framework/wdiag.h"

class QComboBox;
class QLayout;
class QTableWidget;
class QTreeWidget;

namespace qz::gui {

enum GenerationControl {
    kGenSets = 500,
    kGenDocuments = 501,
    kGenRegister = 510,
    kGenOperator = 511,
    kGenMarkAll = 201,
    kGenMarked = 202,
    kGenWholeSet = 203,
    kGenCustomer = 204,
};

// What the screen hands on once a run generated documents: mailing and printing them need the
// session's settings and printers.
struct GenerationAfterRun {
    std::function<void(QWidget*, const std::vector<domain::regular::GeneratedDocument>&)> mail;
    std::function<void(QWidget*, const std::vector<domain::regular::GeneratedDocument>&)> print;
};

struct GenerationSetup {
    std::string business, user;
    std::string customer, branch;  // given: the screen works on that customer alone (mode 3)
    GenerationAfterRun after;
};

class GenerationScreen : public WDIAG {
    Q_OBJECT
public:
    GenerationScreen(QWidget* owner, data::Db& db, GenerationSetup setup);
    bool Init() override;

    // The runs, as their buttons start them.
    void process(domain::regular::RunMode mode);
    void mark_all();
    // The set whose documents are shown ("" in the customer mode).
    std::string current_set() const;
    void choose_set(const std::string& code);

private:
    void build_lists(QLayout* into);
    void show_documents();
    std::vector<long> marked() const;
    bool CHECK_CAJA();

    data::Db& m_db;
    GenerationSetup m_setup;
    QTreeWidget* m_sets = nullptr;
    QTableWidget* m_docs = nullptr;
    QComboBox *m_register = nullptr, *m_operator = nullptr;
    std::vector<domain::regular::RegularDocument> m_shown;
};

GenerationScreen* open_generation_screen(QWidget* owner, data::Db& db, GenerationSetup setup);

}  // namespace qz::gui
