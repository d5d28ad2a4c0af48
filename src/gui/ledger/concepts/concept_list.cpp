// DEF_CON: the concepts of the business with Agregar / Borrar / Modificar, and the concept sets
// with the members of the chosen set; "-->" puts the chosen concept into the set, "<--" takes the
// chosen member out of it.
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "data/order_key.h"
#include "domain/ledger/concept_sets.h"
#include "gui/browse/add2browse.h"
#include "gui/browse/wblistbox.h"
#include "gui/framework/message_box.h"
#include "gui/framework/qt_user_port.h"
#include "gui/ledger/concepts/concept_screens.h"
#include "gui/ledger/setup/code_list.h"
#include "gui/lists/master_form.h"

namespace qz::gui {

namespace {

using namespace def_con;
namespace dl = qz::domain;

constexpr const char* kName = "XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX";

// A column: heading, field and, where the field's own width would cut the heading or show
// decimals a count of days has not, the picture.
struct Column {
    const char* heading;
    const char* field;
    const char* picture = "";
};

WBLISTBOX* grid_over(WDIAG& screen, data::WDBTable& t, const std::string& name, int id,
                     const std::vector<Column>& columns) {
    auto* grid = new WBLISTBOX(&screen, t, name, id);
    screen.Add(grid, id);
    for (const auto& c : columns) AGREGARCOL(*grid, t, c.heading, c.field, c.picture);
    return grid;
}

void start(WBLISTBOX* grid, const std::string& scope) {
    BrowMarksOptions o;
    o.scope_start = scope;
    o.no_marks = true;
    o.no_refresh = true;
    grid->BrowMarks(std::move(o));
}

bool set_form(QWidget* owner, data::Db& db, const std::string& business,
              const std::optional<dl::ConceptSet>& old) {
    const auto s = old.value_or(dl::ConceptSet{});
    std::vector<FormField> fields = {
        field_code(kSetCode, "Código :", s.code, 10, false),
        {kSetName, "Descripción :", FormField::Kind::Text, s.name, 60}};
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        QtUserPort port(owner);
        return dl::save_concept_set(db, port, business, s.code, {v.at(kSetCode), v.at(kSetName)});
    };
    return run_master_form(owner, "ENC_CCON", "Conjuntos de Conceptos", std::move(fields), save);
}

}  // namespace

ConceptListScreen::ConceptListScreen(QWidget* owner, data::Db& db, std::string business)
    : WDIAG(owner, "DEF_CON", 6514, ScreenOptions{true, true}),
      m_db(db),
      m_business(std::move(business)) {}

bool ConceptListScreen::Init() {
    m_concept_table = data::USE(m_db, "CONCEPT1", "CONCEPT1");
    m_set_table = data::USE(m_db, "ENC_CCON", "ENC_CCON");
    m_member_table = data::USE(m_db, "DET_CCON", "DET_CCON");
    auto* layout = new QHBoxLayout(this);
    auto* left = new QGroupBox("Conceptos de Documentos", this);
    auto* lv = new QVBoxLayout(left);
    m_concepts = grid_over(*this, *m_concept_table, "DEF_CON_GRID", kConcepts,
                           {{"Código", "CONCEPTO", "XXXXXX"},
                            {"Descripción", "DESCRIP", kName},
                            {"Plazo", "PLAZO", "9,999"},
                            {"Opuesto", "OPUESTO", "XXXXXXX"},
                            {"Serial", "SERIAL"}});
    lv->addWidget(m_concepts);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Add(new QPushButton("Agregar", this), kAdd, [this] { ADD(); }));
    buttons->addWidget(Add(new QPushButton("Borrar", this), kDelete, [this] { DEL(); }));
    buttons->addWidget(Add(new QPushButton("Modificar", this), kModify, [this] { MOD(); }));
    buttons->addStretch();
    lv->addLayout(buttons);
    layout->addWidget(left, 3);

    auto* moves = new QVBoxLayout;
    moves->addStretch();
    moves->addWidget(Add(new QPushButton("-->", this), kMoveIn, [this] { move_in(); }));
    moves->addWidget(Add(new QPushButton("<--", this), kMoveOut, [this] { move_out(); }));
    moves->addStretch();
    layout->addLayout(moves);
    layout->addWidget(build_sets(), 2);

    Text("Definición de Conceptos de Documentos");
    resize(1100, 560);
    Create();
    m_concepts->Double_Block = [this] { MOD(); };
    start(m_concepts, data::business_key(m_business));
    start(m_sets, data::business_key(m_business));
    start(m_members, members_scope());
    m_sets->Sel_Block = [this] { show_members(); };
    return true;
}

QWidget* ConceptListScreen::build_sets() {
    auto* box = new QGroupBox("Conjuntos de Conceptos", this);
    auto* v = new QVBoxLayout(box);
    m_sets = grid_over(*this, *m_set_table, "DEF_CON_SETS", kSets,
                       {{"Conjunto", "CODIGO"}, {"Descripción", "DESCRIP"}});
    v->addWidget(m_sets, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Add(new QPushButton("Agregar", this), kSetAdd, [this] { add_set(); }));
    buttons->addWidget(Add(new QPushButton("Borrar", this), kSetDelete, [this] { delete_set(); }));
    buttons->addWidget(
        Add(new QPushButton("Modificar", this), kSetModify, [this] { modify_set(); }));
    v->addLayout(buttons);
    m_members = grid_over(*this, *m_member_table, "DEF_CON_MEMBERS", kMembers,
                          {{"Concepto", "CONCEPTO", "XXXXXXXX"}});
    // The member rows hold the code only; the names are read once and again after a change.
    AGREGARCOL(*m_members, *m_member_table, "Descripción", "", kName, [this] {
        if (m_names.empty())
            for (const auto& c : dl::business_document_concepts(m_db, m_business))
                m_names[c.code] = c.name;
        auto n = m_names.find(trim(m_member_table->str("CONCEPTO")));
        return CellValue(n == m_names.end() ? std::string() : n->second);
    });
    v->addWidget(m_members, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
    v->addLayout(bottom);
    return box;
}

void ConceptListScreen::CerrarBases() {
    for (auto* grid : {m_concepts, m_sets, m_members})
        if (grid) grid->DISABLE_BROWSE();
    for (auto* t : {&m_concept_table, &m_set_table, &m_member_table})
        if (*t) data::KILLTABLA(m_db, *t);
}

std::string ConceptListScreen::chosen(WBLISTBOX* grid, const char* field, const char* what) {
    const long recno = grid->nCrecNo();
    data::WDBTable& t = grid->table();
    if (recno > 0) {
        t.GoTo(recno);
        if (!t.Eof()) return trim(t.str(field));
    }
    MESSAGE_BOX(this, std::string("Debe seleccionar ") + what, "Atencion",
                kMbOk | kMbIconExclamation);
    return "";
}

std::string ConceptListScreen::members_scope() {
    // With no set chosen the members grid shows nothing rather than every set's members.
    const long recno = m_sets->nCrecNo();
    std::string set = "\x01";
    if (recno > 0) {
        m_set_table->GoTo(recno);
        if (!m_set_table->Eof()) set = trim(m_set_table->str("CODIGO"));
    }
    return data::order_key("DET_CCON", "DET_CCON", {m_business, set});
}

void ConceptListScreen::show_members() { m_members->SET_SCOPE(members_scope()); }

void ConceptListScreen::ADD() {
    if (!edit_document_concept(this, m_db, m_business, "")) return;
    m_names.clear();
    m_concepts->REFRESHALL();
}

void ConceptListScreen::MOD() {
    const std::string code = chosen(m_concepts, "CONCEPTO", "un Concepto");
    if (code.empty()) return;
    if (edit_document_concept(this, m_db, m_business, code)) {
        m_names.clear();
        m_concepts->REFRESHALL();
        m_members->REFRESHALL();  // a new code follows the concept into its sets
    }
}

void ConceptListScreen::DEL() {
    const std::string code = chosen(m_concepts, "CONCEPTO", "un Concepto");
    if (code.empty()) return;
    QtUserPort port(this);
    if (dl::delete_document_concept(m_db, port, m_business, code)) {
        m_names.clear();
        m_concepts->REFRESHALL();
        m_members->REFRESHALL();
    }
}

void ConceptListScreen::add_set() {
    if (set_form(this, m_db, m_business, std::nullopt)) m_sets->REFRESHALL();
}

void ConceptListScreen::modify_set() {
    const std::string code = chosen(m_sets, "CODIGO", "un Conjunto");
    if (code.empty()) return;
    const dl::ConceptSet s{code, trim(m_set_table->str("DESCRIP"))};
    if (set_form(this, m_db, m_business, s)) {
        m_sets->REFRESHALL();
        show_members();
    }
}

void ConceptListScreen::delete_set() {
    const std::string code = chosen(m_sets, "CODIGO", "un Conjunto");
    if (code.empty()) return;
    QtUserPort port(this);
    if (dl::delete_concept_set(m_db, port, m_business, code)) {
        m_sets->REFRESHALL();
        show_members();
    }
}

void ConceptListScreen::move_in() {
    const std::string concept_code = chosen(m_concepts, "CONCEPTO", "un Concepto");
    if (concept_code.empty()) return;
    const std::string set = chosen(m_sets, "CODIGO", "un Conjunto");
    if (set.empty()) return;
    QtUserPort port(this);
    if (dl::add_set_member(m_db, port, m_business, set, concept_code)) m_members->REFRESHALL();
}

void ConceptListScreen::move_out() {
    const std::string set = chosen(m_sets, "CODIGO", "un Conjunto");
    if (set.empty()) return;
    const std::string concept_code = chosen(m_members, "CONCEPTO", "un Concepto del Conjunto");
    if (concept_code.empty()) return;
    QtUserPort port(this);
    if (dl::remove_set_member(m_db, port, m_business, set, concept_code)) m_members->REFRESHALL();
}

ConceptListScreen* open_document_concepts(QWidget* owner, data::Db& db,
                                          const std::string& business) {
    return open_screen<ConceptListScreen>(owner, db, business);
}

}  // namespace qz::gui
