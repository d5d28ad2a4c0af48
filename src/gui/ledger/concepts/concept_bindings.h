#pragma once
// The print bindings page of the concept editor: a grid over the editor's work copy of the
// concept's DET_CON1 rows (a temporary table), whose rows are added, changed and deleted through
// a small form. Nothing reaches DET_CON1 until the editor's "Aceptar" hands rows() to the domain.
#include <string>
#include <vector>

#include "data/db.h"
#include "domain/ledger/concepts.h"

class QWidget;

namespace qz::gui {

class DialogFrame;
class WBLISTBOX;

class BindingGrid {
public:
    BindingGrid(DialogFrame& editor, data::Db& db, std::string business, std::string concept_code);
    ~BindingGrid();
    BindingGrid(const BindingGrid&) = delete;
    BindingGrid& operator=(const BindingGrid&) = delete;

    // The grid and its buttons on `page`.
    void build(QWidget* page);
    // The rows as edited, each with the record it came from.
    std::vector<domain::ConceptBinding> rows();
    // Drops the work copy.
    void close();

    void add();
    void modify();
    void remove();

private:
    bool form(domain::ConceptBinding& b, bool is_new);
    bool on_current_row();

    DialogFrame& m_editor;
    QWidget* m_page = nullptr;
    data::Db& m_db;
    std::string m_business, m_concept_code;
    data::Table m_copy;
    WBLISTBOX* m_grid = nullptr;
};

}  // namespace qz::gui
