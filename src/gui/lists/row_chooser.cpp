#include "gui/lists/row_chooser.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/table_ops.h"
#include "gui/browse/add2browse.h"
#include "gui/framework/dialog_box.h"

namespace qz::gui {

namespace {

class RowChooser : public DIALOG_BOX {
public:
    RowChooser(QWidget* owner, data::Db& db, const RowChooserSpec& spec)
        : DIALOG_BOX(spec.dlg_name, owner), m_db(db), m_spec(spec) {}

    bool Init() override {
        data::UseOptions o;
        o.order = m_spec.sortable.empty() ? "" : m_spec.sortable.front().second;
        o.read_only = true;
        m_table = data::USE(m_db, m_spec.table, o);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(Add(new QWidget(this), kChooserGrid), 1);
        m_grid = WBLISTBOX::Init(*this, kChooserGrid, *m_table, m_spec.dlg_name);
        if (!m_grid) return false;
        for (const auto& [heading, field] : m_spec.columns)
            AGREGARCOL(*m_grid, *m_table, heading, field);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(Add(new QPushButton("Aceptar", this), kCmdOk, [this] { take(); }));
        buttons->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
        layout->addLayout(buttons);
        Text(m_spec.caption);
        resize(620, 420);
        BrowMarksOptions b;
        b.sortable = m_spec.sortable;
        b.scope_start = m_spec.scope;
        b.no_marks = true;
        b.no_refresh = true;
        m_grid->BrowMarks(std::move(b));
        m_grid->Double_Block = [this] { take(); };
        return true;
    }

    void CerrarBases() override {
        if (m_grid) m_grid->DISABLE_BROWSE();
        if (m_table) data::KILLTABLA(m_db, m_table);
    }

    long chosen() const { return m_chosen; }

private:
    void take() {
        m_chosen = m_grid->nMaxRec() > 0 ? m_grid->nCrecNo() : 0;
        if (m_chosen > 0) EndDialog(kCmdOk);
    }

    data::Db& m_db;
    const RowChooserSpec& m_spec;
    data::Table m_table;
    WBLISTBOX* m_grid = nullptr;
    long m_chosen = 0;
};

}  // namespace

bool choose_row(QWidget* owner, data::Db& db, const RowChooserSpec& spec,
                const std::function<void(const data::WDBTable&)>& take) {
    RowChooser chooser(owner, db, spec);
    if (chooser.run() != kCmdOk || chooser.chosen() <= 0) return false;
    data::UseOptions o;
    o.read_only = true;
    data::Table t = data::USE(db, spec.table, o);
    t->GoTo(chooser.chosen());
    const bool found = !t->Eof() && !t->Deleted();
    if (found) take(*t);
    data::KILLTABLA(db, t);
    return found;
}

}  // namespace qz::gui
