// The spa reservation screens as the desk meets them in the main window: the form opened from
// the agenda refuses on the field to mend and queues the confirmation, VER_SRES opens over the
// agenda greyed by the rights and opens the form in its turn, SPA_HIST scopes by its filters and
// runs the "Editar" operations on its row, and a confirmation carries what was typed as text.
#include "gui/spa/reservations/reservation_screens.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/spa/reservations/confirmation.h"
#include "gui/browse/wblistbox.h"
#include "gui/main_window_fixture.h"
#include "gui/spa/agenda/agenda_screen.h"
#include "gui/spa/reservations/reservation_form_ids.h"
#include "gui/spa/reservations/spa_hist.h"
#include "gui/spa/reservations/ver_sres.h"
#include "support/record_edit.h"

namespace qz::gui {
namespace {

namespace fs = std::filesystem;

constexpr int kOrchid = 2, kVolcano = 3;  // agenda columns of S02 (2 persons) and S03
constexpr int kReservations = 6429, kModify = 6431, kCancel = 6433, kResend = 6444;

class SpaScreensTest : public test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        agenda = screen_as<AgendaScreen>("AGEN_SPA");
        ASSERT_TRUE(agenda);
    }
    // Chooses the agenda's cell of `time` in `column`: the screen that opened.
    WDIAG* agenda_cell(const char* time, int column) {
        auto* g = agenda->control_as<QTableWidget>(AgendaScreen::kIdGrid);
        for (int r = 0; r < g->rowCount(); ++r)
            if (g->item(r, 0)->text() == time) agenda->choose(r, column);
        settle();
        return active_screen();
    }
    void press(WDIAG* s, int id) {
        QTest::mouseClick(s->control(id), Qt::LeftButton);
        settle();
    }
    bool focused(WDIAG* s, int id) { return s->control(id)->hasFocus(); }
    // Puts the registered reservations' grid on the reservation `code`.
    void stand_on(WDIAG* hist, const std::string& code) {
        auto& grid = dynamic_cast<SpaHistScreen*>(hist)->grid();
        for (int r = 0; r < grid.model()->rowCount(); ++r) {
            grid.setCurrentIndex(grid.model()->index(r, 0));
            if (dynamic_cast<SpaHistScreen*>(hist)->current_code() == code) return;
        }
        ADD_FAILURE() << "no row " << code;
    }
    long queued_to(const std::string& address) {
        auto q = data::USE(*ctx.db, "E_MSGS");
        long n = 0;
        for (q->GoTop(); !q->Eof(); q->Skip()) n += trim(q->str("TO_USER")) == address;
        data::KILLTABLA(*ctx.db, q);
        return n;
    }

    QPointer<AgendaScreen> agenda;
};

TEST_F(SpaScreensTest, FormRefusalsFocusTheirFieldAndASaveQueuesTheConfirmation) {
    WDIAG* form = agenda_cell("12:00", kOrchid);
    ASSERT_TRUE(form);
    ASSERT_EQ(form->objectName(), "SPA_RESE");
    press(form, kCmdOk);
    EXPECT_EQ(boxes.last_text(), "El Nombre es requerido...");
    EXPECT_TRUE(focused(form, spa_form::kName));
    form->control_as<QLineEdit>(spa_form::kName)->setText("Ana Mora");
    form->control_as<QLineEdit>(spa_form::kDate)->setText("31/02/2027");
    press(form, kCmdOk);
    EXPECT_EQ(boxes.last_text(), kBadDateText);
    EXPECT_TRUE(focused(form, spa_form::kDate));
    form->control_as<QLineEdit>(spa_form::kDate)->setText("20/05/2026");
    press(form, kCmdOk);
    EXPECT_EQ(boxes.last_text(), "La hora final es requerida...");
    EXPECT_TRUE(focused(form, spa_form::kEndHour));
    auto* end = form->control_as<QComboBox>(spa_form::kEndHour);
    end->setCurrentIndex(end->findText("13"));
    form->control_as<QSpinBox>(spa_form::kPersons)->setValue(3);
    press(form, kCmdOk);
    EXPECT_EQ(boxes.last_text(), "Excede la capacidad máxima de personas en sala");
    EXPECT_TRUE(focused(form, spa_form::kPersons));
    form->control_as<QSpinBox>(spa_form::kPersons)->setValue(2);
    form->control_as<QLineEdit>(spa_form::kEmail)->setText("ana.hotel.test");
    press(form, kCmdOk);
    EXPECT_EQ(boxes.last_text(), "email inválido: ana.hotel.test");
    EXPECT_TRUE(focused(form, spa_form::kEmail));
    EXPECT_EQ(queued_to("ana.hotel.test"), 0);

    form->control_as<QLineEdit>(spa_form::kEmail)->setText("ana@hotel.test");
    const size_t before = boxes.shown().size();
    press(form, kCmdOk);
    ASSERT_EQ(boxes.shown().size(), before + 2);
    EXPECT_EQ(boxes.shown()[before].text, "Número de Reservación asignado: SPA000008");
    // The mail service sends it later: the desk is told it waits, not that it went.
    EXPECT_EQ(boxes.last_text(),
              std::string(domain::spa::kConfirmQueued) + "\r\nDestino: ana@hotel.test");
    EXPECT_EQ(queued_to("ana@hotel.test"), 1);
    EXPECT_FALSE(screen("SPA_RESE"));
}

TEST_F(SpaScreensTest, EnterInAFieldMovesOnInsteadOfSaving) {
    WDIAG* form = agenda_cell("12:00", kOrchid);
    ASSERT_TRUE(form);
    auto* name = form->control_as<QLineEdit>(spa_form::kName);
    name->setFocus();
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_FALSE(name->hasFocus());
    EXPECT_TRUE(screen("SPA_RESE"));
}

// Types into the cell editor that has the focus and presses Enter, as a user does.
void type_in_editor(const QString& text) {
    QWidget* editor = QApplication::focusWidget();
    ASSERT_TRUE(qobject_cast<QLineEdit*>(editor));
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the grid takes an edit once the key is handled
}

TEST_F(SpaScreensTest, LineAmountsShowThroughTheirPictureAndARefusalKeepsTheCell) {
    qz::test::add_record(*ctx.db, "DEF_ART", {{"NEGOCIO", std::string("HOTEL")},
                                              {"CODIGO", std::string("MAS")}});
    WDIAG* form = agenda_cell("12:00", kOrchid);
    ASSERT_TRUE(form);
    press(form, spa_form::kAddLine);
    auto* grid = form->control_as<QTableWidget>(spa_form::kLines);
    type_in_editor("MAS");
    grid->setFocus();
    grid->setCurrentCell(0, 3);  // going to a cell opens its editor
    type_in_editor("1234.5");
    EXPECT_EQ(grid->item(0, 3)->text(), "1,234.50");
    EXPECT_EQ(form->control_as<QLabel>(spa_form::kTotal)->text(), "Total: 1,234.50");
    grid->setFocus();
    grid->setCurrentCell(0, 2);
    type_in_editor("-3");
    EXPECT_EQ(boxes.last_text(), "Cantidad: no se admiten valores negativos.");
    EXPECT_EQ(grid->item(0, 2)->text(), "1.000");
    EXPECT_EQ(grid->currentColumn(), 2);
    EXPECT_TRUE(grid->hasFocus());
}

TEST_F(SpaScreensTest, SlotListOpensOverTheAgendaGreyedByRightsAndOpensTheForm) {
    ctx.session.rights = domain::Rights::for_login(false);
    ctx.session.rights.grant(6430, true);
    ctx.session.rights.grant(6433, true);
    WDIAG* list = agenda_cell("10:30", kOrchid);
    ASSERT_TRUE(list);
    ASSERT_EQ(list->objectName(), "VER_SRES");
    EXPECT_FALSE(agenda->isEnabled());
    auto* rows = list->control_as<QTableWidget>(ver_sres::kGrid);
    ASSERT_EQ(rows->rowCount(), 1);
    EXPECT_EQ(rows->item(0, 5)->text(), "Sofía Ramírez Ulate");
    EXPECT_TRUE(list->control(ver_sres::kAdd)->isEnabled());
    EXPECT_FALSE(list->control(ver_sres::kModify)->isEnabled());
    EXPECT_TRUE(list->control(ver_sres::kCancel)->isEnabled());
    EXPECT_FALSE(list->control(ver_sres::kInvoice)->isEnabled());

    press(list, ver_sres::kAdd);
    WDIAG* form = active_screen();
    ASSERT_TRUE(form);
    ASSERT_EQ(form->objectName(), "SPA_RESE");
    EXPECT_EQ(form->control_as<QComboBox>(spa_form::kRoom)->currentData().toString(), "S02");
    EXPECT_EQ(form->control_as<QComboBox>(spa_form::kStartMinute)->currentText(), "30");
    press(form, kCmdCancel);
    EXPECT_EQ(active_screen(), list);  // back where the form was opened
    press(list, kCmdCancel);
    EXPECT_TRUE(agenda->isEnabled());

    // Every room: only the periods holding 11:00 (the couple's ended then).
    open_slot_reservations(agenda, ctx, "TODAS", kNow.date, "11:00");
    rows = screen("VER_SRES")->control_as<QTableWidget>(ver_sres::kGrid);
    ASSERT_EQ(rows->rowCount(), 1);
    EXPECT_EQ(rows->item(0, 5)->text(), "Grupo Empresa Sol");
}

TEST_F(SpaScreensTest, HistoryFiltersScopeTheGridAndEditarWorksOnItsRow) {
    WDIAG* hist = choose(kReservations);
    ASSERT_TRUE(hist);
    ASSERT_EQ(hist->objectName(), "SPA_HIST");
    auto& grid = dynamic_cast<SpaHistScreen*>(hist)->grid();
    EXPECT_EQ(grid.table().KeyCount(), 7);
    stand_on(hist, "SPA000003");
    ASSERT_TRUE(edit(kCancel));  // "Desea anular la reserva?" answered yes
    EXPECT_EQ(boxes.last_text(), "Desea anular la reserva?");

    auto* state = hist->control_as<QComboBox>(spa_hist::kStateFilter);
    state->setCurrentIndex(3);  // ANULADA
    emit state->activated(3);
    EXPECT_EQ(grid.table().KeyCount(), 1);
    auto* agent = hist->control_as<QComboBox>(spa_hist::kAgentFilter);
    const int rojas = agent->findText("MARÍA FERNANDA ROJAS CASTRO");
    ASSERT_GT(rojas, 0);
    EXPECT_EQ(agent->findData("10"), -1);  // the sales agent does not see the spa
    agent->setCurrentIndex(rojas);
    emit agent->activated(rojas);
    EXPECT_EQ(grid.table().KeyCount(), 1);
    EXPECT_EQ(grid.table().order(), "SPA_HXC");
    // The person in charge alone, whatever the state.
    state->setCurrentIndex(0);
    emit state->activated(0);
    EXPECT_EQ(grid.table().order(), "SPA_HEC");
    const std::string code = agent->itemData(rojas).toString().toStdString();
    long hers = 0;
    auto all = data::USE(*ctx.db, "SPA_RESE", "SPA_RESE");
    for (all->GoTop(); !all->Eof(); all->Skip()) hers += trim(all->str("ENCARGADO")) == code;
    data::KILLTABLA(*ctx.db, all);
    EXPECT_GE(hers, 1);
    EXPECT_LT(hers, 6);
    EXPECT_EQ(grid.table().KeyCount(), hers);

    stand_on(hist, "SPA000003");
    ASSERT_TRUE(edit(kModify));
    WDIAG* form = active_screen();
    ASSERT_TRUE(form);
    ASSERT_EQ(form->objectName(), "SPA_RESE");
    EXPECT_EQ(form->control_as<QLineEdit>(spa_form::kCode)->text(), "SPA000003");
}

TEST_F(SpaScreensTest, FormOffersSpaAgentsKeepsTheSavedOneAndShowsClosedOnesReadOnly) {
    const std::string key = data::order_key("SPA_RESE", "SPA_RESE", {"HOTEL", "SPA000001"});
    qz::test::edit_record(*ctx.db, "SPA_RESE", "SPA_RESE", key,
                          [](data::WDBTable& t) { t.FieldPut("ENCARGADO", std::string("10")); });
    WDIAG* form = open_reservation_form(agenda, ctx, "SPA000001", domain::spa::FormMode::Modify);
    ASSERT_TRUE(form);
    EXPECT_EQ(form->control_as<QComboBox>(spa_form::kAgent)->currentData().toString(), "10");
    EXPECT_TRUE(form->control(kCmdOk)->isEnabled());
    press(form, kCmdCancel);

    form = agenda_cell("12:00", kOrchid);
    ASSERT_TRUE(form);
    ASSERT_EQ(form->objectName(), "SPA_RESE");
    EXPECT_EQ(form->control_as<QComboBox>(spa_form::kAgent)->findData("10"), -1);
    EXPECT_NE(form->control_as<QComboBox>(spa_form::kAgent)->findData("03"), -1);
    press(form, kCmdCancel);

    qz::test::edit_record(*ctx.db, "SPA_RESE", "SPA_RESE", key,
                          [](data::WDBTable& t) { t.FieldPut("ESTADO", Decimal(3)); });
    form = open_reservation_form(agenda, ctx, "SPA000001", domain::spa::FormMode::Modify);
    ASSERT_TRUE(form);
    EXPECT_FALSE(form->control(kCmdOk)->isEnabled());
    press(form, kCmdCancel);
}

TEST_F(SpaScreensTest, ConfirmationCarriesWhatWasTypedAsTextAndABadAddressIsNotResent) {
    qz::test::edit_record(*ctx.db, "F_FAC", "F_FAC", data::business_key("HOTEL"), [](data::WDBTable& t) {
        t.FieldPut("SPA_I_MAIL", std::string("Traiga <b>toalla</b> & traje\r\n"
                                             "Bring a towel"));
    });
    domain::spa::SpaReservation r(*ctx.db, ctx.port, "HOTEL", "SUP");
    ASSERT_TRUE(r.load("SPA000003", domain::spa::FormMode::Consult));
    ASSERT_TRUE(queue_confirmation(ctx, r.header, r.lines));
    auto q = data::USE(*ctx.db, "E_MSGS");
    q->GoBottom();
    ASSERT_FALSE(q->Eof());
    EXPECT_EQ(trim(q->str("SUBJECT")), "SPA Reservation");
    EXPECT_EQ(trim(q->str("TO_USER")), "john.miller@mail.example");
    std::ifstream body(fs::path(install.home()) / "MAIL" / "SEND" / trim(q->str("HTML_FILE")));
    data::KILLTABLA(*ctx.db, q);
    std::stringstream text;
    text << body.rdbuf();
    EXPECT_NE(text.str().find("20/05/2026"), std::string::npos);
    EXPECT_NE(text.str().find("Facial hidratante de café (50 min)<br>"), std::string::npos);
    EXPECT_NE(text.str().find("Traiga &lt;b&gt;toalla&lt;/b&gt; &amp; traje<br>Bring a towel"),
              std::string::npos);
    EXPECT_EQ(text.str().find("XUSUARIO"), std::string::npos);

    // An address stored before addresses were checked is refused, not waited for.
    qz::test::edit_record(*ctx.db, "SPA_RESE", "SPA_RESE",
                          data::order_key("SPA_RESE", "SPA_RESE", {"HOTEL", "SPA000003"}),
                          [](data::WDBTable& t) { t.FieldPut("EMAIL", std::string("john")); });
    WDIAG* hist = choose(kReservations);
    ASSERT_TRUE(hist);
    stand_on(hist, "SPA000003");
    ASSERT_TRUE(edit(kResend));
    EXPECT_EQ(boxes.last_text(), "email inválido: john");
    EXPECT_EQ(queued_to("john"), 0);
}

}  // namespace
}  // namespace qz::gui
