// The customer inquiry as a clerk meets it: "Cuentas por Cobrar › Consultas › Consultas Clientes /
// CxC" on the demonstration agency, its documents coloured by use, their data and the payments
// applied to them, the filters, and the customer's registered payments and their printout.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

#include "core/text.h"
#include "domain/ledger/document_reads.h"
#include "gui/browse/wblistbox.h"
#include "gui/framework/framework_test_util.h"
#include "gui/ledger/documents/document_data.h"
#include "gui/ledger/documents/document_payments.h"
#include "gui/ledger/inquiry/inquiry_screen.h"
#include "gui/ledger/inquiry/payments_window.h"
#include "gui/main_window_fixture.h"
#include "gui/print/preview.h"
#include "gui/print/print_gui_fakes.h"

namespace qz::gui {
namespace {

constexpr int kInquiry = 6508;

class CustomerInquiryScreenTest : public test::MainWindowFixture {
protected:
    // The inquiry with `code` typed in "Buscar :", as the user finds a customer.
    CustomerInquiryScreen* open_at(const char* code) {
        auto* s = dynamic_cast<CustomerInquiryScreen*>(choose(kInquiry));
        if (!s) return nullptr;
        auto* search = s->control_as<QLineEdit>(inquiry::kSearch);
        search->setFocus();
        QTest::keyClicks(search, code);
        settle();
        return s;
    }
    // The documents' numbers as the grid shows them, top down.
    static std::vector<std::string> shown_documents(CustomerInquiryScreen* s) {
        std::vector<std::string> out;
        auto* m = s->documents()->model();
        for (int r = 0; r < m->rowCount(); ++r)
            out.push_back(m->index(r, 1).data().toString().trimmed().toStdString());
        return out;
    }
    // Makes the document `number` the chosen one; its row, -1 when it is not shown.
    static int choose_document(CustomerInquiryScreen* s, const std::string& number) {
        const auto numbers = shown_documents(s);
        const auto it = std::find(numbers.begin(), numbers.end(), number);
        if (it == numbers.end()) return -1;
        const int row = static_cast<int>(it - numbers.begin());
        s->documents()->setCurrentIndex(s->documents()->model()->index(row, 0));
        settle();
        return row;
    }
    static QColor background(CustomerInquiryScreen* s, int row) {
        return s->documents()->model()->index(row, 0).data(Qt::BackgroundRole).value<QColor>();
    }
    static QTableWidget* table_of(QWidget* w, int id) {
        return w->findChild<QTableWidget*>(QString::number(id));
    }
    // The texts of every page of the preview that is open now.
    std::vector<std::string> previewed() {
        settle();
        std::vector<std::string> out;
        auto* preview = dynamic_cast<DISPMETA*>(active_screen());
        if (!preview) return out;
        for (int p = 1; p <= preview->page_count(); ++p)
            for (const auto& op : preview->page(p).ops)
                if (op.kind == services::DrawOp::Kind::Text) out.push_back(trim(op.text));
        return out;
    }
};

TEST_F(CustomerInquiryScreenTest, TheAgencysDocumentsShowByUseAndOpenTheirDataAndMovements) {
    auto* s = open_at("3101123456");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->objectName(), "RES_CXC");
    EXPECT_EQ(s->current_customer(), "3101123456");
    EXPECT_EQ(s->control_as<QListWidget>(inquiry::kBranches)->count(), 3);
    EXPECT_EQ(s->control_as<QLineEdit>(inquiry::kPhone)->text(), "2290-1010");
    EXPECT_EQ(s->control_as<QLineEdit>(inquiry::kCustomerClass)->text(), "02 - Empresas");
    ASSERT_EQ(shown_documents(s),
              (std::vector<std::string>{"F00001002", "NC00000001", "F00001001"}));
    EXPECT_EQ(background(s, 0), inquiry::kUsedTwoBack) << "UTILIZADO 2";
    EXPECT_NE(background(s, 1), inquiry::kUsedOneBack);
    EXPECT_NE(background(s, 1), inquiry::kUsedTwoBack);
    EXPECT_EQ(background(s, 2), inquiry::kUsedOneBack) << "UTILIZADO 1";

    ASSERT_EQ(choose_document(s, "F00001001"), 2);
    bool seen = false;
    test::when_modal([&] {
        QWidget* d = QApplication::activeModalWidget();
        EXPECT_EQ(d->objectName(), "DATOS_DOC");
        EXPECT_EQ(d->findChild<QLineEdit*>(QString::number(document_data::kNumber))->text(),
                  "F00001001");
        EXPECT_EQ(d->findChild<QLineEdit*>(QString::number(document_data::kConcept))->text(),
                  "FA - Factura Crédito");
        EXPECT_EQ(d->findChild<QLineEdit*>(QString::number(document_data::kBalance))->text(),
                  "183,060.00");
        EXPECT_EQ(table_of(d, document_data::kLines)->rowCount(), 2);
        EXPECT_EQ(table_of(d, document_data::kInstalments)->rowCount(), 1);
        seen = true;
        QTest::mouseClick(d->findChild<QPushButton*>(QString::number(kCmdCancel)), Qt::LeftButton);
    });
    press(s, inquiry::kDocumentData);
    EXPECT_TRUE(seen);

    press(s, inquiry::kUsage);
    EXPECT_NE(boxes.last_text().find("Paquete canjeado"), std::string::npos) << boxes.last_text();
    press(s, inquiry::kImage);
    EXPECT_EQ(boxes.last_text(), kNoImage);

    ASSERT_EQ(choose_document(s, "F00001002"), 0);
    press(s, inquiry::kApplied);
    WDIAG* applied = screen("V_AB_FAC");
    ASSERT_TRUE(applied);
    QTableWidget* rows = table_of(applied, document_payments::kMovements);
    ASSERT_EQ(rows->rowCount(), 1);
    EXPECT_EQ(rows->item(0, document_payments::kReceiptCol)->text(), "R00000501");
    EXPECT_EQ(rows->item(0, document_payments::kBeforeCol)->text(), "300,000.00");
    EXPECT_EQ(rows->item(0, document_payments::kAfterCol)->text(), "150,000.00");
    applied->CLOSEIT(kCmdEnd);
    settle();

    // One branch only: the agency's Liberia office has no documents.
    s->control_as<QCheckBox>(inquiry::kAllBranches)->setChecked(false);
    s->control_as<QListWidget>(inquiry::kBranches)->setCurrentRow(1);
    settle();
    EXPECT_TRUE(shown_documents(s).empty());
    press(s, inquiry::kDocumentData);
    EXPECT_EQ(boxes.last_text(), kChooseDocument);
}

TEST_F(CustomerInquiryScreenTest, TheFiltersListTheirCustomersAndTheSearchFollowsTheSortedColumn) {
    auto* s = dynamic_cast<CustomerInquiryScreen*>(choose(kInquiry));
    ASSERT_TRUE(s);
    auto* filter = s->control_as<QComboBox>(inquiry::kFilter);
    EXPECT_EQ(filter->currentText().toStdString(), "Clientes Activos");
    const long active = s->customers()->nMaxRec();
    filter->setFocus();
    QTest::keyClick(filter, Qt::Key_Down);
    settle();
    EXPECT_EQ(filter->currentText().toStdString(), "Clientes Inactivos");
    EXPECT_EQ(s->customers()->nMaxRec(), 1);
    EXPECT_EQ(s->current_customer(), "3101998877");
    EXPECT_TRUE(shown_documents(s).empty());
    QTest::keyClick(filter, Qt::Key_Down);
    settle();
    EXPECT_EQ(s->customers()->nMaxRec(), active + 1);

    s->customers()->sort_by_column(2);  // "Nombre"
    auto* search = s->control_as<QLineEdit>(inquiry::kSearch);
    search->setFocus();
    QTest::keyClicks(search, "Viajes");
    settle();
    EXPECT_EQ(s->current_customer(), "3101998877") << "sought by name among all customers";
    search->clear();
    s->customers()->sort_by_column(0);  // "Código"
    QTest::keyClicks(search, "31026");
    settle();
    EXPECT_EQ(s->current_customer(), "3102654321");
}

TEST_F(CustomerInquiryScreenTest, RegisteredPaymentsListTheReceiptsAndPrintTheirHistory) {
    test::PrintContextScope printing;
    auto* s = open_at("3101123456");
    ASSERT_TRUE(s);
    press(s, inquiry::kPayments);
    WDIAG* payments = screen("PAGOS_REG");
    ASSERT_TRUE(payments);
    QTableWidget* receipts = table_of(payments, registered_payments::kPayments);
    ASSERT_EQ(receipts->rowCount(), 1);
    EXPECT_EQ(receipts->item(0, 0)->text(), "R00000501");
    EXPECT_EQ(receipts->item(0, 2)->text(), "160,500.00");
    QTableWidget* applied = table_of(payments, registered_payments::kApplications);
    ASSERT_EQ(applied->rowCount(), 1);
    EXPECT_EQ(applied->item(0, 0)->text(), "F00001002");
    payments->CLOSEIT(kCmdEnd);
    settle();

    test::when_modal([] {
        for (auto* b : QApplication::activeModalWidget()->findChildren<QPushButton*>())
            if (b->text().startsWith("F2")) return QTest::mouseClick(b, Qt::LeftButton);
        QApplication::activeModalWidget()->close();  // fail, do not wait for ever
    });
    press(s, inquiry::kPrintPayments);
    const auto texts = previewed();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "HISTORIAL DE PAGOS"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "R00000501"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "> F00001002"), texts.end());
}

}  // namespace
}  // namespace qz::gui
