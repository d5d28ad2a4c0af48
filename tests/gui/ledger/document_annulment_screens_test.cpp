// The annulment screens in the main window: "Anulación de Documentos" lists the valid documents,
// annuls the one found by typing its number after CHECK_ANULA showed it, and drops it; the spa's
// "Anular Factura" annuls a reservation's invoice and frees the reservation; "Anulación de
// Factura en Blanco" voids the next number of the series.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/spa/reservations/reservation_row.h"
#include "gui/browse/wblistbox.h"
#include "gui/framework/framework_test_util.h"
#include "gui/framework/masked_edit.h"
#include "gui/ledger/documents/annulment_screens.h"
#include "gui/main_window_fixture.h"
#include "gui/spa/reservations/spa_hist.h"

namespace qz::gui {
namespace {

constexpr int kAnnulment = 6519, kBlankInvoice = 6564, kReservations = 6429, kAnnulInvoice = 6434;
const std::string kInvoice = "F00001001";

QString shown(QWidget* dialog, int id) {
    return dialog->findChild<QLineEdit*>(QString::number(id))->text();
}
void click(QWidget* dialog, int id) {
    QTest::mouseClick(dialog->findChild<QPushButton*>(QString::number(id)), Qt::LeftButton);
}

class AnnulmentScreensTest : public test::MainWindowFixture {
protected:
    std::string annulled_by(const std::string& number) {
        auto t = data::USE(*ctx.db, "DOCUMENT", "DOCUMENT");
        const std::string v = t->Seek(data::order_key("DOCUMENT", "DOCUMENT", {"HOTEL", number}))
                                  ? trim(t->str("ANULADO"))
                                  : "<ninguno>";
        data::KILLTABLA(*ctx.db, t);
        return v;
    }
    // Answers CHECK_ANULA with "Anular", keeping what it showed.
    void confirm_when_asked() {
        test::when_modal([this] {
            QWidget* check = QApplication::activeModalWidget();
            ASSERT_EQ(check->objectName(), "CHECK_ANULA");
            shown_number = shown(check, annul_ids::kShownDocument);
            shown_paid = shown(check, annul_ids::kShownPaid);
            click(check, kCmdOk);
        });
    }
    QString shown_number, shown_paid;
};

TEST_F(AnnulmentScreensTest, TheChosenDocumentIsConfirmedAnnulledAndLeavesTheBrowse) {
    WDIAG* s = choose(kAnnulment);
    ASSERT_TRUE(s);
    ASSERT_EQ(s->objectName(), "ANULA_DOC");
    auto* grid = s->control_as<WBLISTBOX>(annul_ids::kGrid);
    const long valid = grid->nMaxRec();
    ASSERT_GT(valid, 0);
    ASSERT_TRUE(grid->SEARCH(kInvoice));
    settle();
    confirm_when_asked();
    press(s, annul_ids::kAnnul);
    EXPECT_EQ(shown_number, QString::fromStdString(kInvoice));
    EXPECT_EQ(shown_paid.trimmed(), "0.00");
    EXPECT_EQ(boxes.last_text(), "Documento anulado con Éxito");
    EXPECT_EQ(annulled_by(kInvoice), kInvoice + "-A");
    EXPECT_EQ(grid->nMaxRec(), valid - 1) << "the annulled document left, its mirror never came";
    EXPECT_FALSE(grid->SEARCH(kInvoice));

    // A date outside the active month: refused, nothing asked.
    s->control_as<LR_MASKED>(annul_ids::kDate)->set_value(Date(2026, 6, 1));
    grid->GOTOP();
    settle();
    press(s, annul_ids::kAnnul);
    EXPECT_EQ(boxes.last_text(), "La fecha de Anulación no pertenece al Mes Activo: 05");
    EXPECT_EQ(grid->nMaxRec(), valid - 1);
}

TEST_F(AnnulmentScreensTest, AnnullingAReservationsInvoiceFreesTheReservation) {
    WDIAG* hist = choose(kReservations);
    ASSERT_TRUE(hist);
    auto* h = dynamic_cast<SpaHistScreen*>(hist);
    auto& grid = h->grid();
    std::string code;
    for (int r = 0; r < grid.model()->rowCount() && code.empty(); ++r) {
        grid.setCurrentIndex(grid.model()->index(r, 0));
        auto t = data::USE(*ctx.db, "SPA_RESE", "SPA_RESE");
        if (t->Seek(data::order_key("SPA_RESE", "SPA_RESE", {"HOTEL", h->current_code()})) &&
            trim(t->str("MOV_CXC")) == kInvoice)
            code = h->current_code();
        data::KILLTABLA(*ctx.db, t);
    }
    ASSERT_FALSE(code.empty()) << "the demonstration's invoiced reservation";
    test::when_modal([this] {
        QWidget* by_number = QApplication::activeModalWidget();
        ASSERT_EQ(by_number->objectName(), "ANUL_DOC");
        EXPECT_EQ(shown(by_number, annul_ids::kNumber), QString::fromStdString(kInvoice));
        confirm_when_asked();
        click(by_number, kCmdOk);
    });
    ASSERT_TRUE(edit(kAnnulInvoice));
    settle();
    EXPECT_EQ(annulled_by(kInvoice), kInvoice + "-A");
    auto t = data::USE(*ctx.db, "SPA_RESE", "SPA_RESE");
    ASSERT_TRUE(t->Seek(data::order_key("SPA_RESE", "SPA_RESE", {"HOTEL", code})));
    const auto freed = domain::spa::reservation_from_row(*t);
    data::KILLTABLA(*ctx.db, t);
    EXPECT_EQ(freed.state, domain::spa::kActive);
    EXPECT_EQ(freed.mov_cxc, "");
    ASSERT_TRUE(edit(kAnnulInvoice));
    EXPECT_EQ(boxes.last_text(), "La reserva no tiene ninguna factura asociada");
}

TEST_F(AnnulmentScreensTest, ABlankInvoiceTakesTheNextNumberShown) {
    QString next;
    test::when_modal([&] {
        QWidget* d = QApplication::activeModalWidget();
        ASSERT_EQ(d->objectName(), "ANULA_D2");
        next = d->findChild<QLabel*>(QString::number(annul_ids::kNextNumber))->text();
        click(d, kCmdOk);  // the question is answered yes by the script
    });
    choose(kBlankInvoice);
    settle();
    ASSERT_TRUE(next.startsWith("Siguiente del consecutivo: ")) << next.toStdString();
    const std::string number = next.mid(27).toStdString();
    EXPECT_EQ(boxes.last_text(), "Documento anulado con Éxito: " + number);
    EXPECT_EQ(annulled_by(number), number + "-A");
}

}  // namespace
}  // namespace qz::gui
