// "Facturas por Etapa de Cobro" on the demonstration business: the tree's captions, handing
// three invoices to a collector (the authorisation dialog refusing a missing person and a wrong
// pass code first, then the receipt), and sending one back with its reason, which the history
// keeps.
#include "gui/collections/collection_screen.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/collections/stage_maintenance.h"
#include "domain/collections/stage_moves.h"
#include "gui/browse/wblistbox.h"
#include "gui/collections/collection_receipt.h"
#include "gui/framework/framework_test_util.h"
#include "gui/lists/master_form.h"
#include "gui/main_window_fixture.h"
#include "gui/print/print_gui_fakes.h"
#include "gui/print/print_job.h"
#include "services/print/print_ops.h"

namespace qz::gui {
namespace {

using namespace collection_screen;
namespace dl = qz::domain;

class CollectionScreenTest : public test::MainWindowFixture {
protected:
    CollectionScreen* open() {
        choose(kCmdCollectionScreen);
        return screen_as<CollectionScreen>("COB_HIS");
    }
    static QStringList captions(CollectionScreen* s) {
        QStringList out;
        for (int i = 0; i < s->tree()->topLevelItemCount(); ++i)
            out << s->tree()->topLevelItem(i)->text(0);
        return out;
    }
    static void pick_stage(CollectionScreen* s, int node) {
        s->tree()->setCurrentItem(s->tree()->topLevelItem(node));
        settle();
    }
    static void pick_collector(CollectionScreen* s, const QString& code) {
        auto* c = s->control_as<QComboBox>(kCollector);
        c->setCurrentIndex(c->findData(code));
        settle();
    }
    // Marks the first `n` documents of the stage in number order; their numbers.
    std::vector<std::string> mark(CollectionScreen* s, const std::string& stage, size_t n) {
        std::vector<std::string> out;
        data::Table t = data::USE(*ctx.db, "DOCUMENT", "DOCUMEN24");
        const std::string key = data::order_key("DOCUMENT", "DOCUMEN24", {"HOTEL", "", stage});
        t->SetScope(key, key);
        for (t->GoTop(); !t->Eof() && out.size() < n; t->Skip()) {
            s->grid()->ADD_MARK(t->RecNo());
            out.push_back(trim(t->str("DOCUMENTO")));
        }
        data::KILLTABLA(*ctx.db, t);
        return out;
    }
    struct Where {
        std::string stage, collector;
    };
    Where where(const std::string& number) {
        data::Table t = data::USE(*ctx.db, "DOCUMENT", "DOCUMENT");
        EXPECT_TRUE(t->Seek(data::order_key("DOCUMENT", "DOCUMENT", {"HOTEL", number})));
        Where w{trim(t->str("ETAPA_COB")), trim(t->str("COBRADOR"))};
        data::KILLTABLA(*ctx.db, t);
        return w;
    }
    // Answers the authorisation dialog: OK with nobody, OK with a wrong code, then the right one.
    // With `printer`, the printer dialog that follows is answered OK as well.
    static void authorise(const char* dlg, const char* reason = nullptr, bool printer = false) {
        test::when_modal([dlg, reason, printer] {
            QWidget* d = QApplication::activeModalWidget();
            ASSERT_EQ(d->objectName(), dlg);
            auto* ok = d->findChild<QPushButton*>(QString::number(kFormOk));
            QTest::mouseClick(ok, Qt::LeftButton);
            auto* who = d->findChild<QComboBox*>(QString::number(authorisation_dialog::kWho));
            who->setCurrentIndex(who->findText("Jefatura de Cobros"));
            auto* pass = d->findChild<QLineEdit*>(QString::number(authorisation_dialog::kPassCode));
            pass->setText("otra");
            QTest::mouseClick(ok, Qt::LeftButton);
            if (reason)
                d->findChild<QPlainTextEdit*>(QString::number(authorisation_dialog::kReason))
                    ->setPlainText(reason);
            pass->setText("cobros");
            if (printer)
                test::when_modal([] {
                    QTest::mouseClick(QApplication::activeModalWidget()->findChild<QPushButton*>(
                                          QString::number(kCmdOk)),
                                      Qt::LeftButton);
                });
            QTest::mouseClick(ok, Qt::LeftButton);
        });
    }
};

TEST_F(CollectionScreenTest, HandingThreeInvoicesToACollectorPrintsTheReceipt) {
    auto* s = open();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->tree()->headerItem()->text(0), "Facturas");
    const QStringList before = captions(s);
    ASSERT_EQ(before.size(), 4);
    EXPECT_TRUE(before[0].startsWith("Facturas Emitidas (")) << before[0].toStdString();
    EXPECT_EQ(before[1], "Entregadas al Cobrador       ");

    pick_stage(s, 0);
    press(s, kForward);
    EXPECT_EQ(boxes.last_text(), dl::kNoCollectorChosen);
    pick_collector(s, "LM");
    press(s, kForward);
    EXPECT_EQ(boxes.last_text(), dl::kNoDocumentsMarked);

    const auto handed = mark(s, "C010", 3);
    ASSERT_EQ(handed.size(), 3u);
    test::PrintContextScope scope;
    test::Printed printed;
    scope.record_into(printed);
    authorise("AUT_COB", nullptr, true);
    press(s, kForward);
    settle();
    std::vector<std::string> said;
    for (const auto& b : boxes.shown()) said.push_back(b.text);
    const std::vector<std::string> expected = {dl::kNoCollectorChosen, dl::kNoDocumentsMarked,
                                               dl::kNoAuthoriserChosen, dl::kWrongAuthoriserCode};
    EXPECT_EQ(said, expected);
    for (const auto& n : handed) {
        EXPECT_EQ(where(n).stage, "C020") << n;
        EXPECT_EQ(where(n).collector, "LM") << n;
    }
    EXPECT_EQ(captions(s)[1], "Entregadas al Cobrador (3)");
    ASSERT_EQ(printed.pages.size(), 1u);
    const std::string page = services::serialise(printed.pages[0]);
    EXPECT_NE(page.find(dl::kCollectionReceiptTitle), std::string::npos);
    EXPECT_NE(page.find(handed[0]), std::string::npos);
    EXPECT_NE(page.find(kCollectorSignature), std::string::npos);
}

TEST_F(CollectionScreenTest, ABackMoveAsksTheReasonAndTheFirstStageClearsTheCollector) {
    dl::StageMove m;
    m.business = "HOTEL";
    m.from_stage = "C010";
    m.to_stage = "C020";
    m.collector = "LM";
    m.authoriser = "JEF";
    m.date = Date(2026, 5, 20);
    auto* s = open();
    ASSERT_NE(s, nullptr);
    const auto first = mark(s, "C010", 1);
    ASSERT_EQ(first.size(), 1u);
    m.rows = first;
    ASSERT_EQ(dl::apply_stage_move(*ctx.db, dl::kCollectionWorkflow, m), "");
    s->refresh_counts();

    pick_stage(s, 1);
    pick_collector(s, "LM");
    EXPECT_EQ(captions(s)[1], "Entregadas al Cobrador (1)");
    ASSERT_EQ(mark(s, "C020", 1), first);
    authorise("D_AUT_COB", "Cliente no localizado");
    press(s, kBack);
    settle();
    EXPECT_EQ(where(first[0]).stage, "C010");
    EXPECT_EQ(where(first[0]).collector, "");
    const auto history = dl::stage_history(*ctx.db, dl::kCollectionWorkflow, "HOTEL", first[0]);
    ASSERT_EQ(history.size(), 2u);
    EXPECT_EQ(history[1].reason, "Cliente no localizado");
    EXPECT_EQ(history[1].authoriser, "JEF");
    EXPECT_EQ(captions(s)[1], "Entregadas al Cobrador       ");
}

TEST(CollectionReceipt, EveryPageCarriesItsHeadingsAndTheSignatureClosesTheList) {
    std::vector<dl::HandedDocument> handed;
    for (int i = 0; i < 80; ++i)
        handed.push_back({"FA-" + std::to_string(1000 + i), "3101123456",
                          "Distribuidora de Productos de Belleza del Caribe S.A.", Date(2026, 5, 2),
                          Decimal(1234567)});
    test::PrintContextScope scope;
    test::Printed device;
    scope.record_into(device);
    services::PrinterFunction job;
    job.T_Print = "META";
    ASSERT_TRUE(START_DOC(nullptr, job, "COB_HIS", false));
    draw_collection_receipt(job, handed);
    services::RESETPRINT(job);
    ASSERT_GT(job.A_META_FILE.size(), 1u);
    for (const auto& page : job.A_META_FILE) {
        std::vector<std::string> texts;
        for (const auto& op : page.ops)
            if (op.kind == services::DrawOp::Kind::Text) texts.push_back(op.text);
        EXPECT_NE(std::find(texts.begin(), texts.end(), "Documento"), texts.end());
        EXPECT_NE(std::find(texts.begin(), texts.end(), "1,234,567.00"), texts.end());
        // The name is cut to 30 characters.
        EXPECT_NE(std::find(texts.begin(), texts.end(), "Distribuidora de Productos de "),
                  texts.end());
    }
    const auto& last = job.A_META_FILE.back().ops;
    std::vector<std::string> texts;
    for (const auto& op : last)
        if (op.kind == services::DrawOp::Kind::Text) texts.push_back(op.text);
    EXPECT_NE(std::find(texts.begin(), texts.end(), kCollectorSignature), texts.end());
}

}  // namespace
}  // namespace qz::gui
