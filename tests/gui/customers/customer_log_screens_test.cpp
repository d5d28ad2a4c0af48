// The customer log as the desk meets it from "Definición de Clientes": the log window of the
// chosen customer with its "Editar" operations, a note written from the list's button, the copy
// of a log to a customer typed or chosen from the list, the ID-registry lookup, and the printout.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "data/table_ops.h"
#include "domain/customers/customer_log.h"
#include "gui/browse/wblistbox.h"
#include "gui/customers/customer_list.h"
#include "gui/customers/customer_log_window.h"
#include "gui/framework/framework_test_util.h"
#include "gui/main_window_fixture.h"
#include "gui/print/print_gui_fakes.h"
#include "gui/print/print_job.h"
#include "services/print/print_ops.h"
#include "support/golden.h"
#include "support/test_db.h"

namespace qz::gui {
namespace {

namespace dc = qz::domain::customers;
constexpr int kCustomers = 2833, kCopyLog = 3757, kAddNote = 3429, kChangeNote = 3430,
              kDeleteNote = 3431;
constexpr int kListAddNote = 231, kListLog = 232;
const std::string kAgency = "3101123456", kPerson = "205430876";

class CustomerLogScreenTest : public test::MainWindowFixture {
protected:
    CustomerListScreen* list_on(const std::string& code) {
        auto* list = dynamic_cast<CustomerListScreen*>(choose(kCustomers));
        EXPECT_TRUE(list && list->grid()->SEARCH(code));
        settle();
        return list;
    }
    // Types the note's text (and document) into the editor that opens next and saves it.
    static void write_note(const QString& text, const QString& document = {}) {
        test::when_modal([text, document] {
            QWidget* form = QApplication::activeModalWidget();
            ASSERT_EQ(form->objectName(), "ADD_BITACORA");
            if (!document.isNull())
                form->findChild<QLineEdit*>(QString::number(kNoteDocument))->setText(document);
            form->findChild<QPlainTextEdit*>(QString::number(kNoteText))->setPlainText(text);
            QTest::mouseClick(form->findChild<QPushButton*>("1"), Qt::LeftButton);
        });
    }
    std::vector<dc::LogNote> notes(const std::string& customer) {
        return dc::customer_log(*ctx.db, "HOTEL", customer);
    }
};

TEST_F(CustomerLogScreenTest, TheLogWindowListsNewestFirstAndItsEditarItemsWork) {
    auto* list = list_on(kAgency);
    ASSERT_TRUE(list);
    press(list, kListLog);
    auto* log = screen_as<CustomerLogWindow>("E_BITACORA");
    ASSERT_TRUE(log);
    EXPECT_FALSE(list->isEnabled());  // the list waits for the log window
    ASSERT_EQ(log->grid()->nMaxRec(), 3);
    const auto before = notes(kAgency);
    // Today's call, its first line cut to the 60 characters of DESCRIP2.
    EXPECT_EQ(before.front().first_line,
              "Llamada de cobro: la contadora promete el pago para el viern");
    EXPECT_FALSE(before.front().document.empty());
    auto* text = log->findChild<QPlainTextEdit*>(QString::number(kLogNoteText));
    EXPECT_EQ(text->toPlainText().toStdString(), before.front().text);

    write_note("Visita del ejecutivo\nRevisar tarifas", "F-REF");
    ASSERT_TRUE(edit(kAddNote));
    EXPECT_EQ(log->grid()->nMaxRec(), 4);
    const auto added = notes(kAgency).front();
    EXPECT_EQ(added.first_line, "Visita del ejecutivo");
    EXPECT_EQ(added.document, "F-REF");
    EXPECT_EQ(added.user, "SUP");

    // The cursor stands on the new note: changing it keeps the author and stamps the change.
    write_note("Visita del ejecutivo confirmada");
    ASSERT_TRUE(edit(kChangeNote));
    const auto changed = notes(kAgency).front();
    EXPECT_EQ(changed.recno, added.recno);
    EXPECT_EQ(changed.text, "Visita del ejecutivo confirmada");
    EXPECT_EQ(changed.time, added.time);
    EXPECT_EQ(changed.last_user, "SUP");

    boxes.then(kIdCancel);
    ASSERT_TRUE(edit(kDeleteNote));
    EXPECT_EQ(boxes.shown().back().title, "Advertencia");
    EXPECT_EQ(boxes.shown().back().text, dc::kDeleteNoteAsk);
    EXPECT_EQ(notes(kAgency).size(), 4u);
    boxes.then(kIdOk);
    ASSERT_TRUE(edit(kDeleteNote));
    EXPECT_EQ(notes(kAgency).size(), 3u);
    EXPECT_EQ(log->grid()->nMaxRec(), 3);

    press(log, kCmdCancel);
    EXPECT_TRUE(list->isEnabled());
}

TEST_F(CustomerLogScreenTest, ANoteWrittenBeforeTheKeyExistedTakesItsPlaceWhenTheWindowOpens) {
    ::qz::test::ScriptedPort port;
    ASSERT_GT(dc::add_log_note(*ctx.db, port, "HOTEL", {kPerson, "", "nueva"},
                               {"SUP", {kNow.date, "08:00:00"}}),
              0);
    data::Table t = data::USE(*ctx.db, "BITACORA");
    data::ADD_NEW_REC(*t);
    t->FieldPut("NEGOCIO", std::string("HOTEL"));
    t->FieldPut("CLIENTE", kPerson);
    t->FieldPut("FECHA", kNow.date - 10);
    t->FieldPut("HORA", std::string("08:00:00"));
    t->FieldPut("DESCRIP", std::string("antigua"));
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(*ctx.db, t);

    press(list_on(kPerson), kListLog);
    auto* log = screen_as<CustomerLogWindow>("E_BITACORA");
    ASSERT_TRUE(log);
    EXPECT_EQ(log->findChild<QPlainTextEdit*>(QString::number(kLogNoteText))->toPlainText(),
              "nueva");
    EXPECT_EQ(notes(kPerson).back().text, "antigua");
}

TEST_F(CustomerLogScreenTest, TheListsButtonWritesANoteForTheChosenCustomer) {
    auto* list = list_on(kPerson);
    ASSERT_TRUE(list);
    ASSERT_TRUE(notes(kPerson).empty());
    write_note("Pidió factura a nombre de la empresa");
    press(list, kListAddNote);
    const auto written = notes(kPerson);
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].date, kNow.date);
    EXPECT_TRUE(written[0].document.empty());
}

TEST_F(CustomerLogScreenTest, CopiarBitacoraCopiesToACustomerTypedOrChosenFromTheList) {
    ASSERT_TRUE(list_on(kAgency));
    // A code that is no customer is refused and the dialog stays for another.
    test::when_modal([] {
        QWidget* form = QApplication::activeModalWidget();
        ASSERT_EQ(form->objectName(), "CPY_BITA");
        form->findChild<QLineEdit*>(QString::number(kCopyTarget))->setText("NADIE");
        QTest::mouseClick(form->findChild<QPushButton*>("1"), Qt::LeftButton);
        ASSERT_EQ(QApplication::activeModalWidget(), form);
        QTest::mouseClick(form->findChild<QPushButton*>("2"), Qt::LeftButton);
    });
    ASSERT_TRUE(edit(kCopyLog));
    EXPECT_EQ(boxes.last_text(), dc::kNoTarget);
    EXPECT_TRUE(notes(kPerson).empty());

    test::when_modal([] {
        QWidget* form = QApplication::activeModalWidget();
        test::when_modal([] {
            QWidget* chooser = QApplication::activeModalWidget();
            ASSERT_EQ(chooser->objectName(), "CPY_BITA_CLIENTES");
            ASSERT_TRUE(chooser->findChild<WBLISTBOX*>("500")->SEARCH(kPerson));
            QTest::mouseClick(chooser->findChild<QPushButton*>("1"), Qt::LeftButton);
        });
        QTest::mouseClick(form->findChild<QPushButton*>(QString::number(kCopyChoose)),
                          Qt::LeftButton);
        EXPECT_EQ(form->findChild<QLineEdit*>(QString::number(kCopyTarget))->text().toStdString(),
                  kPerson);
        QTest::mouseClick(form->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    ASSERT_TRUE(edit(kCopyLog));
    EXPECT_EQ(notes(kPerson).size(), 3u);
    EXPECT_EQ(notes(kAgency).size(), 3u);
}

TEST_F(CustomerLogScreenTest, TheIdRegistryLookupGivesTheIdAndTheFullName) {
    test::when_modal([] {
        QWidget* chooser = QApplication::activeModalWidget();
        ASSERT_EQ(chooser->objectName(), "V_PADRON");
        auto* grid = chooser->findChild<WBLISTBOX*>("500");
        EXPECT_EQ(grid->nMaxRec(), 5);
        ASSERT_TRUE(grid->SEARCH("603210987"));
        QTest::mouseClick(chooser->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    const auto chosen = V_PADRON(window.get(), *ctx.db);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->id, "603210987");
    EXPECT_EQ(chosen->name, "JOSE PABLO QUESADA ARAYA");

    test::when_modal([] {
        QTest::mouseClick(QApplication::activeModalWidget()->findChild<QPushButton*>("2"),
                          Qt::LeftButton);
    });
    EXPECT_FALSE(V_PADRON(window.get(), *ctx.db));
}

TEST(CustomerLogPrint, TheNotesPrintUnderTheirHeadingsWithLongLinesWrapped) {
    test::PrintContextScope scope;
    test::Printed device;
    scope.record_into(device);
    dc::LogNote first{"C1",
                      "F100",
                      Date(2026, 5, 20),
                      "09:05:00",
                      "Llamada de cobro.\r\nPromete pagar el viernes.",
                      "Llamada de cobro.",
                      "SUP",
                      "demo",
                      Date(2026, 5, 21),
                      "10:00:00",
                      "CAJ",
                      "demo"};
    dc::LogNote second{"C1",
                       "",
                       Date(2026, 5, 1),
                       "16:10:00",
                       std::string(30, 'x') + " " + std::string(120, 'y') + " fin",
                       "",
                       "CAJ",
                       "demo"};
    services::PrinterFunction job;
    job.T_Print = "META";
    job.TITLE1("Impresión de Bitácora");
    job.noStamp = 1;  // no clock or workstation in the golden page
    ASSERT_TRUE(START_DOC(nullptr, job, "IMP_BITA", false));
    draw_customer_log(job, "C1", "Agencia", {first, second});
    services::RESETPRINT(job);
    std::string printed;
    for (const auto& page : job.A_META_FILE) printed += services::serialise(page);
    EXPECT_NE(printed.find("Promete pagar el viernes."), std::string::npos);
    EXPECT_NE(printed.find("Total de notas: 2"), std::string::npos);
    EXPECT_EQ(printed, ::qz::test::golden_at(__FILE__, "customer_log.txt", printed));
}

}  // namespace
}  // namespace qz::gui
