// "Cobros Automáticos" in the main window: the demonstration gym's standing order of the 15th is
// listed, its whole instalment marked by a click on the first column and collected through
// "Generar Abonos", which leaves one receipt and takes the row off the list; the receipts of a
// run listed through the print engine.
#include "gui/ledger/collections/auto_collection_screen.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <algorithm>

#include "core/text.h"
#include "data/table_ops.h"
#include "gui/framework/framework_test_util.h"
#include "gui/ledger/collections/collection_receipts.h"
#include "gui/main_window_fixture.h"
#include "gui/print/print_gui_fakes.h"
#include "gui/print/print_job.h"
#include "services/print/print_ops.h"

namespace qz::gui {
namespace {

using namespace pag_auto_ids;
constexpr int kCollections = 6518;

void pick(QWidget* dialog, int id, const QString& code) {
    auto* box = dialog->findChild<QComboBox*>(QString::number(id));
    ASSERT_NE(box, nullptr) << id;
    const int at = box->findData(code);
    ASSERT_GE(at, 0) << code.toStdString();
    box->setCurrentIndex(at);
}

long receipts(data::Db& db) { return data::USE(db, "ENC_MOVE")->KeyCount(); }

class AutoCollectionScreenTest : public test::MainWindowFixture {};

TEST_F(AutoCollectionScreenTest, AWholeInstalmentIsMarkedAndCollected) {
    WDIAG* s = choose(kCollections);
    ASSERT_TRUE(s);
    ASSERT_EQ(s->objectName(), "PAG_AUTO");
    press(s, kRefresh);
    EXPECT_EQ(boxes.last_text(), "Falta seleccionar el día");

    pick(s, kDay, "15");
    auto* concepts = s->control_as<QListWidget>(kConcepts);
    for (int i = 0; i < concepts->count(); ++i)
        if (concepts->item(i)->data(Qt::UserRole).toString() == "FP")
            concepts->item(i)->setCheckState(Qt::Checked);
    press(s, kRefresh);
    auto* grid = s->control_as<QTableWidget>(kGrid);
    ASSERT_EQ(grid->rowCount(), 2);
    int whole = -1, part = -1;
    for (int r = 0; r < 2; ++r)  // the whole one charges its second instalment, 100,000.00
        (grid->item(r, 9)->text().trimmed() == "100,000.00" ? whole : part) = r;
    ASSERT_GE(whole, 0);
    ASSERT_GE(part, 0);

    emit grid->cellClicked(part, 0);
    EXPECT_EQ(boxes.last_text(),
              "El pago solamente se puede aplicar a documentos con cuotas completas");
    emit grid->cellClicked(whole, 0);
    EXPECT_EQ(grid->item(whole, 0)->text(), "X");

    const long before = receipts(*ctx.db);
    test::PrintContextScope scope;
    test::Printed printed;
    scope.record_into(printed);
    test::when_modal([] {
        QWidget* d = QApplication::activeModalWidget();
        ASSERT_EQ(d->objectName(), "PAG_AUT2");
        pick(d, kMethod, "EF");
        pick(d, kBlock, "01");
        pick(d, kRegister, "CXC1");
        d->findChild<QLineEdit*>(QString::number(kPassCode))->setText("cobros");
        pick(d, kClerk, "0001");
        d->findChild<QCheckBox*>(QString::number(kPrint))->setChecked(true);
        test::when_modal([] {  // the printer dialog
            QTest::mouseClick(
                QApplication::activeModalWidget()->findChild<QPushButton*>(QString::number(kCmdOk)),
                Qt::LeftButton);
        });
        QTest::mouseClick(d->findChild<QPushButton*>(QString::number(kCmdOk)), Qt::LeftButton);
    });
    press(s, kGenerate);
    settle();
    EXPECT_EQ(boxes.last_text(), "Fin de Proceso");
    EXPECT_EQ(receipts(*ctx.db), before + 1);
    ASSERT_EQ(grid->rowCount(), 1) << "the row paid left the list";
    EXPECT_EQ(grid->item(0, 0)->text(), "");
    // The receipt as the payment window prints it, then the run's list on a page of its own.
    ASSERT_EQ(printed.pages.size(), 2u);
    EXPECT_NE(services::serialise(printed.pages[0]).find("RECIBO DE DINERO #"), std::string::npos);
    EXPECT_NE(services::serialise(printed.pages[1]).find("Recibos de Cobros Automáticos"),
              std::string::npos);
}

TEST(CollectionReceipts, EveryPageHasItsHeadingsAndAmountsTheirPicture) {
    std::vector<domain::CollectedRow> paid;
    for (int i = 0; i < 90; ++i)
        paid.push_back({"R" + std::to_string(600 + i), "F" + std::to_string(1000 + i), "3102555777",
                        "Gimnasio Vida Sana S.A.", "CO", Decimal(105000)});
    test::PrintContextScope scope;
    test::Printed device;
    scope.record_into(device);
    services::PrinterFunction job;
    job.T_Print = "META";
    ASSERT_TRUE(START_DOC(nullptr, job, "PAG_AUTO", false));
    draw_collection_receipts(job, paid);
    services::RESETPRINT(job);
    ASSERT_GT(job.A_META_FILE.size(), 1u);
    for (const auto& page : job.A_META_FILE) {
        std::vector<std::string> texts;
        for (const auto& op : page.ops)
            if (op.kind == services::DrawOp::Kind::Text) texts.push_back(op.text);
        EXPECT_NE(std::find(texts.begin(), texts.end(), "Recibo"), texts.end());
        EXPECT_NE(std::find(texts.begin(), texts.end(), "105,000.00"), texts.end());
    }
}

}  // namespace
}  // namespace qz::gui
