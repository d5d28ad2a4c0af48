#include "gui/lists/master_list.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "data/catalogue.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "gui/browse/add2browse.h"
#include "gui/browse/wblistbox.h"
#include "gui/framework/message_box.h"

namespace qz::gui {

namespace {

// A short code field would make its column narrower than its heading ("Código" over two
// characters): such a column is given a picture as wide as the heading.
std::string column_picture(const std::string& table, const ListColumn& c) {
    if (!c.picture.empty() || c.field.empty()) return c.picture;
    const data::TableDef* t = data::Catalogue::instance().find(table);
    const data::FieldDef* f = t ? t->field(c.field) : nullptr;
    if (!f || f->kind != data::FieldKind::C) return c.picture;
    const int heading = QString::fromStdString(c.heading).size();
    return f->width < heading ? std::string(static_cast<size_t>(heading), 'X') : c.picture;
}

}  // namespace

MasterListScreen::MasterListScreen(QWidget* owner, data::Db& db, std::string business,
                                   MasterListSpec spec)
    : WDIAG(owner, spec.dlg_name, spec.context_id, ScreenOptions{true, true}),
      m_db(db),
      m_business(std::move(business)),
      m_spec(std::move(spec)) {}

bool MasterListScreen::Init() {
    m_table = data::USE(m_db, m_spec.table, m_spec.order);
    auto* layout = new QVBoxLayout(this);
    m_grid = new WBLISTBOX(this, *m_table, m_spec.dlg_name + "_GRID", kListGrid);
    Add(m_grid, kListGrid);
    for (const auto& c : m_spec.columns)
        AGREGARCOL(*m_grid, *m_table, c.heading, c.field, column_picture(m_spec.table, c));
    layout->addWidget(m_grid);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Add(new QPushButton("Agregar", this), kListAdd, [this] { ADD(); }));
    buttons->addWidget(Add(new QPushButton("Modificar", this), kListModify, [this] { MOD(); }));
    buttons->addWidget(Add(new QPushButton("Eliminar", this), kListDelete, [this] { DEL(); }));
    for (const auto& a : m_spec.actions)
        buttons->addWidget(Add(new QPushButton(QString::fromStdString(a.caption), this), a.id,
                               [this, id = a.id] { ACTION(id); }));
    buttons->addStretch();
    buttons->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
    layout->addLayout(buttons);
    Text(m_spec.caption);
    resize(720, 420);
    Create();
    BrowMarksOptions o;
    o.scope_start = m_spec.scope.empty() ? data::business_key(m_business) : m_spec.scope;
    o.no_marks = true;
    o.no_refresh = true;
    m_grid->BrowMarks(std::move(o));
    m_grid->Double_Block = [this] { MOD(); };
    return true;
}

void MasterListScreen::CerrarBases() {
    if (m_grid) m_grid->DISABLE_BROWSE();
    if (m_table) data::KILLTABLA(m_db, m_table);
}

bool MasterListScreen::on_current_row() {
    const long recno = m_grid->nCrecNo();
    if (recno > 0) {
        m_table->GoTo(recno);
        if (!m_table->Eof()) return true;
    }
    const std::string text =
        m_spec.no_row_text.empty() ? "Debe seleccionar un registro" : m_spec.no_row_text;
    MESSAGE_BOX(this, text, "Atencion", kMbOk | kMbIconExclamation);
    return false;
}

void MasterListScreen::ADD() {
    if (m_spec.add && m_spec.add(this)) m_grid->REFRESHALL();
}

void MasterListScreen::MOD() {
    if (!m_spec.modify || !on_current_row()) return;
    if (m_spec.modify(this, *m_table)) m_grid->REFRESHALL();
}

void MasterListScreen::DEL() {
    if (!m_spec.remove || !on_current_row()) return;
    if (m_spec.remove(this, *m_table)) m_grid->REFRESHALL();
}

void MasterListScreen::ACTION(int id) {
    for (const auto& a : m_spec.actions)
        if (a.id == id) {
            if (on_current_row() && a.run(this, *m_table)) m_grid->REFRESHALL();
            return;
        }
}

MasterListScreen* as_master_list(QWidget* screen) {
    return dynamic_cast<MasterListScreen*>(screen);
}

}  // namespace qz::gui
