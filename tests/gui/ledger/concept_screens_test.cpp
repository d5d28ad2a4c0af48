// The document concepts as the accountant meets them in the main window: "Cuentas por Cobrar ›
// Documentos" lists the concepts and their sets, "Agregar Concepto" writes a concept with a print
// binding and a term plan typed in the editor's grids, a duplicate code is refused while the
// editor stays open, and "-->" / "<--" move a concept into a set and out again.
#include "gui/ledger/concepts/concept_screens.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "domain/ledger/concept_sets.h"
#include "domain/ledger/concepts.h"
#include "gui/browse/wblistbox.h"
#include "gui/framework/framework_test_util.h"
#include "gui/framework/tab_pages.h"
#include "gui/main_window_fixture.h"

namespace qz::gui {
namespace {

constexpr int kConceptsCmd = 6514, kAddConcept = 6546, kModifyConcept = 6547;
const std::string kHotel = "HOTEL";

class ConceptScreenTest : public test::MainWindowFixture {
protected:
    static QWidget* modal() { return QApplication::activeModalWidget(); }
    static void type(QWidget* form, int id, const QString& text) {
        form->findChild<QLineEdit*>(QString::number(id))->setText(text);
    }
    static void click(QWidget* form, int id) {
        form->findChild<QPushButton*>(QString::number(id))->click();
    }
    // Runs `fill` in the next modal form, then presses its OK (and Cancel if it stays open).
    template <class F>
    static void in_next_form(F fill) {
        test::when_modal([fill] {
            QWidget* form = modal();
            fill(form);
            click(form, 1);
            if (modal() == form) click(form, 2);
        });
    }
    static void choose_row(WBLISTBOX* g, int row) {
        g->setCurrentIndex(g->model()->index(row, 0));
        settle();
    }
};

TEST_F(ConceptScreenTest, AConceptIsAddedWithABindingAndATermPlanThroughTheEditor) {
    auto* list = dynamic_cast<ConceptListScreen*>(choose(kConceptsCmd));
    ASSERT_TRUE(list);
    EXPECT_EQ(list->objectName(), "DEF_CON");
    const long before = list->concepts()->nMaxRec();
    EXPECT_EQ(before, 5);
    EXPECT_EQ(list->sets()->nMaxRec(), 2);

    in_next_form([](QWidget* editor) {
        EXPECT_EQ(editor->objectName(), "ED_CON");
        type(editor, ed_con::kCode, "ev");
        type(editor, ed_con::kName, "Factura de Eventos");
        type(editor, ed_con::kSeries, "FACTURA");
        editor->findChild<QCheckBox*>(QString::number(ed_con::kFlags + 8))->setChecked(true);
        in_next_form([](QWidget* binding) {
            type(binding, ed_con::kCurrency, "CO");
            type(binding, ed_con::kCopies, "2");
        });
        click(editor, ed_con::kBindingAdd);
        test::when_modal([] {
            QWidget* plan = modal();
            EXPECT_EQ(plan->objectName(), "ED_CON2");
            const std::pair<QString, QString> rows[] = {{"30", "60"}, {"60", "40"}};
            for (const auto& r : rows) {
                in_next_form([r](QWidget* row) {
                    type(row, ed_con::kDays, r.first);
                    type(row, ed_con::kPercent, r.second);
                });
                click(plan, ed_con::kPlanAdd);
            }
            click(plan, 1);
        });
        click(editor, ed_con::kPlan);
    });
    ASSERT_TRUE(edit(kAddConcept));

    const auto saved = domain::read_document_concept(*ctx.db, kHotel, "EV");
    ASSERT_TRUE(saved) << boxes.last_text();
    EXPECT_TRUE(saved->flag("CUOTAS"));
    EXPECT_EQ(saved->series, "FACTURA");
    const auto bindings = domain::read_bindings(*ctx.db, kHotel, "EV");
    ASSERT_EQ(bindings.size(), 1u);
    EXPECT_EQ(bindings[0].currency, "CO");
    EXPECT_EQ(bindings[0].copies, 2);
    const auto plan = domain::read_term_plan(*ctx.db, kHotel, "EV");
    ASSERT_EQ(plan.size(), 2u);
    EXPECT_EQ(plan[1].days, 60);
    EXPECT_EQ(plan[1].percent, Decimal(40));
    EXPECT_EQ(list->concepts()->nMaxRec(), before + 1);
}

TEST_F(ConceptScreenTest, ADuplicateKeepsTheEditorOpenAndSetsTakeAndGiveBackAConcept) {
    auto* list = dynamic_cast<ConceptListScreen*>(choose(kConceptsCmd));
    ASSERT_TRUE(list);
    in_next_form([](QWidget* editor) {
        type(editor, ed_con::kCode, "FA");
        type(editor, ed_con::kName, "Otra factura");
    });
    ASSERT_TRUE(edit(kAddConcept));
    EXPECT_EQ(boxes.last_text(), domain::kDocConceptDuplicate);
    EXPECT_EQ(domain::read_document_concept(*ctx.db, kHotel, "FA")->name, "Factura Crédito");

    // Sets in code order: NOTAS, VENTAS; concepts: FA, FC, FP, NC, ND.
    choose_row(list->sets(), 0);
    EXPECT_EQ(list->members()->nMaxRec(), 2);
    choose_row(list->concepts(), 2);
    click(list, def_con::kMoveIn);
    EXPECT_EQ(domain::set_members(*ctx.db, kHotel, "NOTAS"),
              (std::vector<std::string>{"ND", "NC", "FP"}));
    EXPECT_EQ(list->members()->nMaxRec(), 3);
    click(list, def_con::kMoveIn);
    EXPECT_NE(boxes.last_text().find("ya pertenece"), std::string::npos) << boxes.last_text();

    choose_row(list->members(), 2);
    click(list, def_con::kMoveOut);
    EXPECT_EQ(domain::set_members(*ctx.db, kHotel, "NOTAS"),
              (std::vector<std::string>{"ND", "NC"}));
    EXPECT_EQ(list->members()->nMaxRec(), 2);
    // The other set shows its own members.
    choose_row(list->sets(), 1);
    EXPECT_EQ(list->members()->nMaxRec(), 3);
}

TEST_F(ConceptScreenTest, ModifyShowsTheStoredConceptAndARefusalGoesBackToItsField) {
    auto* list = dynamic_cast<ConceptListScreen*>(choose(kConceptsCmd));
    ASSERT_TRUE(list);
    choose_row(list->concepts(), 2);  // FP, the instalment invoice
    in_next_form([this](QWidget* editor) {
        EXPECT_EQ(editor->findChild<QLineEdit*>(QString::number(ed_con::kCode))->text(), "FP");
        EXPECT_TRUE(
            editor->findChild<QCheckBox*>(QString::number(ed_con::kFlags + 8))->isChecked());
        type(editor, ed_con::kName, "Factura a 3 Plazos");
        type(editor, ed_con::kSeries, "NO_EXISTE");
        click(editor, 1);
        // The refusal brings the numbering page up with the series field in focus.
        EXPECT_EQ(boxes.last_text(), "El Serial NO_EXISTE no existe...");
        auto* tabs = editor->findChild<TabPages*>(QString::number(ed_con::kTabs));
        EXPECT_EQ(tabs->GETACTIVEPAGE(), 3);
        ASSERT_TRUE(editor->focusWidget());
        EXPECT_EQ(editor->focusWidget()->objectName(), QString::number(ed_con::kSeries));
        type(editor, ed_con::kSeries, "FACTURA");
    });
    ASSERT_TRUE(edit(kModifyConcept));
    const auto saved = domain::read_document_concept(*ctx.db, kHotel, "FP");
    EXPECT_EQ(saved->name, "Factura a 3 Plazos");
    // The plan the editor did not touch is written back as it was.
    EXPECT_EQ(domain::read_term_plan(*ctx.db, kHotel, "FP").size(), 3u);
}

TEST_F(ConceptScreenTest, BindingsReachTheTableOnlyOnAceptarAndKeepTheirRecords) {
    auto* list = dynamic_cast<ConceptListScreen*>(choose(kConceptsCmd));
    ASSERT_TRUE(list);
    choose_row(list->concepts(), 2);  // FP
    const auto add_binding = [](QWidget* editor, const QString& currency) {
        in_next_form([currency](QWidget* form) { type(form, ed_con::kCurrency, currency); });
        click(editor, ed_con::kBindingAdd);
    };
    // Cancelar leaves the table as it was, whatever the work copy held.
    test::when_modal([add_binding] {
        add_binding(modal(), "CO");
        click(modal(), 2);
    });
    ASSERT_TRUE(edit(kModifyConcept));
    EXPECT_TRUE(domain::read_bindings(*ctx.db, kHotel, "FP").empty());

    in_next_form([add_binding](QWidget* editor) {
        add_binding(editor, "CO");
        add_binding(editor, "US");
    });
    ASSERT_TRUE(edit(kModifyConcept));
    const auto first = domain::read_bindings(*ctx.db, kHotel, "FP");
    ASSERT_EQ(first.size(), 2u);

    // The grid lists the copy by currency: CO, then US. US goes, CO gets three copies.
    in_next_form([](QWidget* editor) {
        auto* grid = editor->findChild<WBLISTBOX*>(QString::number(ed_con::kBindings));
        choose_row(grid, 1);
        click(editor, ed_con::kBindingDelete);
        choose_row(grid, 0);
        in_next_form([](QWidget* form) { type(form, ed_con::kCopies, "3"); });
        click(editor, ed_con::kBindingModify);
    });
    ASSERT_TRUE(edit(kModifyConcept));
    const auto now = domain::read_bindings(*ctx.db, kHotel, "FP");
    ASSERT_EQ(now.size(), 1u);
    EXPECT_EQ(now[0].currency, "CO");
    EXPECT_EQ(now[0].copies, 3);
    EXPECT_EQ(now[0].source, first[0].source);
}

}  // namespace
}  // namespace qz::gui
