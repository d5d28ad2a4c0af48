// ED_CON2 "Plazos de Pago": the term plan of a concept as a grid over a work copy (a temporary
// table of DET_CON2), rows edited through a small form, the total of the shares shown under it.
// "Aceptar" hands the rows back to the concept editor, which saves them with the concept.
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "data/amount_field.h"
#include "data/table_ops.h"
#include "gui/browse/add2browse.h"
#include "gui/browse/wblistbox.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/message_box.h"
#include "gui/framework/qt_user_port.h"
#include "gui/ledger/concepts/concept_screens.h"
#include "gui/lists/master_form.h"

namespace qz::gui {

namespace {

using namespace ed_con;
namespace dl = qz::domain;

AmountField plan_field(const char* field, const char* label) {
    return std::string(field) == "PORCENTAJE" ? data::percent_field("DET_CON2", field, label)
                                              : data::amount_field("DET_CON2", field, label);
}

FormField amount(int id, const char* label, const Decimal& value, const char* field) {
    FormField f{id, label, FormField::Kind::Number, value.to_string()};
    f.amount = plan_field(field, label);
    return f;
}

class TermPlanDialog : public DIALOG_BOX {
public:
    TermPlanDialog(QWidget* owner, data::Db& db, std::vector<dl::TermRow>& plan)
        : DIALOG_BOX("ED_CON2", owner), m_db(db), m_plan(plan) {}

    bool Init() override {
        m_copy = data::USE(m_db, "DET_CON2.DBF", "DET_CON2");
        for (const auto& r : m_plan) write_row(r, false);
        auto* layout = new QVBoxLayout(this);
        m_grid = Add(new WBLISTBOX(this, *m_copy, "ED_CON2_GRID", kPlanGrid), kPlanGrid);
        AGREGARCOL(*m_grid, *m_copy, "Plazo", "PLAZO", "9,999");
        AGREGARCOL(*m_grid, *m_copy, "Porcentaje", "PORCENTAJE", "9,999.999");
        AGREGARCOL(*m_grid, *m_copy, "Interés", "INTERES", "9,999.999");
        layout->addWidget(m_grid);
        m_total = Add(new QLabel(this), kPlanTotal);
        layout->addWidget(m_total);
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(Add(new QPushButton("Agregar", this), kPlanAdd, [this] { add(); }));
        buttons->addWidget(
            Add(new QPushButton("Modificar", this), kPlanModify, [this] { modify(); }));
        buttons->addWidget(Add(new QPushButton("Borrar", this), kPlanDelete, [this] { remove(); }));
        buttons->addStretch();
        buttons->addWidget(Add(new QPushButton("Aceptar", this), kCmdOk, [this] { SAVE_DATOS(); }));
        buttons->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
        layout->addLayout(buttons);
        Text("Plazos de Pago");
        resize(480, 360);
        BrowMarksOptions o;
        o.no_marks = true;
        o.no_refresh = true;
        m_grid->BrowMarks(std::move(o));
        m_grid->Double_Block = [this] { modify(); };
        show_total();
        return true;
    }

    void CerrarBases() override {
        if (m_grid) m_grid->DISABLE_BROWSE();
        if (m_copy) data::KILLTABLA(m_db, m_copy);
    }

    void SAVE_DATOS() override {
        m_plan = rows();
        EndDialog(kCmdOk);
    }

private:
    std::vector<dl::TermRow> rows() {
        std::vector<dl::TermRow> out;
        for (m_copy->GoTop(); !m_copy->Eof(); m_copy->Skip())
            out.push_back(dl::term_from_row(*m_copy));
        return out;
    }

    void show_total() {
        Decimal total;
        for (const auto& r : rows()) total += r.percent;
        m_total->setText(QString::fromStdString("Total: " + total.to_string(3) + " %"));
    }

    void write_row(const dl::TermRow& r, bool existing) {
        if (existing)
            data::LOCK_FOR_MODIFY(*m_copy);
        else
            data::ADD_NEW_REC(*m_copy);
        m_copy->FieldPut("PLAZO", Decimal(r.days));
        m_copy->FieldPut("PORCENTAJE", r.percent);
        m_copy->FieldPut("INTERES", r.interest);
        data::UNLOCK_FOR_MODIFY(*m_copy);
    }

    bool form(dl::TermRow& r) {
        std::vector<FormField> fields = {amount(kDays, "Plazo:", Decimal(r.days), "PLAZO"),
                                         amount(kPercent, "Porcentaje:", r.percent, "PORCENTAJE"),
                                         amount(kInterest, "Interés:", r.interest, "INTERES")};
        std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
            dl::TermRow n;
            Decimal days;
            for (const auto& [id, field, label, out] :
                 {std::tuple{kDays, "PLAZO", "Plazo", &days},
                  std::tuple{kPercent, "PORCENTAJE", "Porcentaje", &n.percent},
                  std::tuple{kInterest, "INTERES", "Interés", &n.interest}}) {
                const std::string typed = trim(v.at(id)).empty() ? "0" : v.at(id);
                if (auto why = plan_field(field, label).read(typed, *out); !why.empty()) {
                    QtUserPort(this).message(MsgStyle::Error, "Error", why);
                    return false;
                }
            }
            n.days = static_cast<int>(days.to_int());
            r = n;
            return true;
        };
        return run_master_form(this, "ED_CON2_F", "Plazo de Pago", std::move(fields), save);
    }

    bool on_current_row() {
        const long recno = m_grid->nCrecNo();
        if (recno > 0) {
            m_copy->GoTo(recno);
            if (!m_copy->Eof()) return true;
        }
        MESSAGE_BOX(this, "Debe seleccionar un registro", "Atencion", kMbOk | kMbIconExclamation);
        return false;
    }

    void changed() {
        m_grid->REFRESHALL();
        show_total();
    }

    void add() {
        dl::TermRow r;
        if (form(r)) {
            write_row(r, false);
            changed();
        }
    }

    void modify() {
        if (!on_current_row()) return;
        const long recno = m_copy->RecNo();
        dl::TermRow r = dl::term_from_row(*m_copy);
        if (!form(r)) return;
        m_copy->GoTo(recno);
        write_row(r, true);
        changed();
    }

    void remove() {
        if (!on_current_row()) return;
        data::LOCK_FOR_MODIFY(*m_copy);
        m_copy->Delete();
        data::UNLOCK_FOR_MODIFY(*m_copy);
        changed();
    }

    data::Db& m_db;
    std::vector<dl::TermRow>& m_plan;
    data::Table m_copy;
    WBLISTBOX* m_grid = nullptr;
    QLabel* m_total = nullptr;
};

}  // namespace

bool edit_term_plan(QWidget* owner, data::Db& db, std::vector<dl::TermRow>& plan) {
    TermPlanDialog dialog(owner, db, plan);
    return dialog.run() == kCmdOk;
}

}  // namespace qz::gui
