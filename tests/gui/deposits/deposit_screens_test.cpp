// "Depósitos" as the supervisor meets it: the deposit concepts are added from "Editar" (a bank
// concept without its book concept refused while the form stays open), a person who made a
// deposit cannot be deleted, and the hotel's reservations show, for the chosen one, its room
// lines with who has checked in.
#include <QLineEdit>
#include <QPushButton>

#include "domain/deposits/deposit_concepts.h"
#include "domain/deposits/deposit_people.h"
#include "gui/browse/wblistbox.h"
#include "gui/deposits/deposit_concept_screens.h"
#include "gui/deposits/deposit_people_screen.h"
#include "gui/deposits/reservation_list.h"
#include "gui/framework/framework_test_util.h"
#include "gui/lists/master_list.h"
#include "gui/main_window_fixture.h"
#include "support/record_edit.h"

namespace qz::gui {
namespace {

constexpr int kAddConcept = 6702;
constexpr int kAddPerson = 6711, kDeletePerson = 6713;

class DepositScreensTest : public test::MainWindowFixture {
protected:
    static QString cell(WBLISTBOX* g, int row, const QString& heading) {
        auto* m = g->model();
        for (int c = 0; c < m->columnCount(); ++c)
            if (m->headerData(c, Qt::Horizontal).toString().trimmed() == heading)
                return m->data(m->index(row, c)).toString().trimmed();
        ADD_FAILURE() << "no column " << heading.toStdString();
        return {};
    }
    static int row_of(WBLISTBOX* g, const QString& code) {
        for (int r = 0; r < g->model()->rowCount(); ++r)
            if (cell(g, r, "Reservación") == code) return r;
        return -1;
    }
};

TEST_F(DepositScreensTest, ConceptsAreAddedFromEditarAndAnIncompleteBankConceptIsRefused) {
    auto* list = dynamic_cast<MasterListScreen*>(choose(kCmdDepositConcepts));
    ASSERT_TRUE(list);
    EXPECT_EQ(list->objectName(), "CON_HLIB");
    EXPECT_EQ(list->grid()->nMaxRec(), 3);

    using namespace deposit_concept_form;
    const std::vector<std::pair<int, QString>> typed = {{kCode, "04"},
                                                        {kName, "Depósito en BCR"},
                                                        {kSeries, "DEP_GARANTIA"},
                                                        {kBank, "BCR"},
                                                        {kAccount, "001-0123456-7"}};
    fill_form(typed);
    ASSERT_TRUE(edit(kAddConcept));
    EXPECT_EQ(boxes.last_text(), domain::kNoDepositBookConcept);
    EXPECT_FALSE(domain::read_deposit_concept(*ctx.db, "HOTEL", "04"));

    auto complete = typed;
    complete.push_back({kBookConcept, "DG"});
    fill_form(complete);
    ASSERT_TRUE(edit(kAddConcept));
    const auto saved = domain::read_deposit_concept(*ctx.db, "HOTEL", "04");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->kind, domain::kBankBookDeposit);
    EXPECT_EQ(list->grid()->nMaxRec(), 4);
}

TEST_F(DepositScreensTest, APersonWhoMadeADepositCannotBeDeleted) {
    auto* list = dynamic_cast<MasterListScreen*>(choose(kCmdDepositPeople));
    ASSERT_TRUE(list);
    EXPECT_EQ(list->objectName(), "HECHOPOR");
    fill_form({{deposit_person_form::kCode, "banc"}, {deposit_person_form::kName, "Banco"}});
    ASSERT_TRUE(edit(kAddPerson));
    ASSERT_TRUE(domain::read_deposit_person(*ctx.db, "HOTEL", "BANC"));
    EXPECT_EQ(list->grid()->nMaxRec(), 4);

    qz::test::add_record(
        *ctx.db, "ENC_HLIB",
        {{"NEGOCIO", "HOTEL"}, {"MOVIMIENTO", "DG00000001"}, {"HECHO_POR", "AGEN"}});
    const auto remove = [&](const QString& code) {
        WBLISTBOX* g = list->grid();
        for (int r = 0; r < g->model()->rowCount(); ++r)
            if (cell(g, r, "Código") == code) g->setCurrentIndex(g->model()->index(r, 0));
        settle();
        boxes.then(kIdOk);
        ASSERT_TRUE(edit(kDeletePerson));
    };
    remove("AGEN");
    EXPECT_EQ(boxes.last_text(),
              "No se puede borrar: el Depositante AGEN está en uso en el Depósito DG00000001.");
    EXPECT_TRUE(domain::read_deposit_person(*ctx.db, "HOTEL", "AGEN"));
    remove("HUES");
    EXPECT_FALSE(domain::read_deposit_person(*ctx.db, "HOTEL", "HUES"));
    EXPECT_EQ(list->grid()->nMaxRec(), 3);
}

TEST_F(DepositScreensTest, TheChosenReservationShowsItsRoomLinesAndWhoHasCheckedIn) {
    ASSERT_TRUE(choose(kCmdHotelReservations));
    auto* s = screen_as<ReservationListScreen>("RES_HOTEL");
    ASSERT_TRUE(s);
    WBLISTBOX* res = s->reservations();
    EXPECT_EQ(res->nMaxRec(), 8);
    const int group = row_of(res, "RES-0007");
    ASSERT_GE(group, 0);
    EXPECT_EQ(cell(res, group, "Estado"), "En Casa");
    EXPECT_EQ(cell(res, row_of(res, "RES-0008"), "Estado"), "Reservada");
    EXPECT_EQ(cell(res, row_of(res, "RES-0008"), "Total"), "720.00");

    res->setCurrentIndex(res->model()->index(group, 0));
    settle();
    WBLISTBOX* lines = s->room_lines();
    ASSERT_EQ(lines->nMaxRec(), 2);
    EXPECT_EQ(cell(lines, 0, "Habitación"), "203");
    EXPECT_EQ(cell(lines, 0, "Check-In"), "Sí");
    EXPECT_EQ(cell(lines, 1, "Check-In"), "No");
    EXPECT_EQ(s->deposits()->nMaxRec(), 0);

    res->setCurrentIndex(res->model()->index(row_of(res, "RES-0005"), 0));
    settle();
    ASSERT_EQ(lines->nMaxRec(), 1);
    EXPECT_EQ(cell(lines, 0, "Check-In"), "No");
}

}  // namespace
}  // namespace qz::gui
