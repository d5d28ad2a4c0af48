// Reports on the screen: the printer dialog and its outputs, PDF through the Qt renderer, and the
// preview with its page printing.
#include "gui/print/print_job.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "gui/framework/framework_test_util.h"
#include "gui/framework/message_box.h"
#include "gui/framework/workspace.h"
#include "gui/print/preview.h"
#include "gui/print/setup_printer.h"
#include "print_gui_fakes.h"
#include "services/print/print_ops.h"

namespace qz::gui {
namespace {

using services::PrinterFunction;

void three_pages(PrinterFunction& job) {
    for (int page = 1; page <= 3; ++page) {
        services::HEADER(job);
        services::LETRAP(job);
        services::PRINTOUT(job, 10, 5, "Fila de la página " + std::to_string(page));
        services::CUADRO(job, 0, 12, 5, 3, 40, "Recuadro\nsegunda línea");
        if (page < 3) {
            job.YPos = job.Height;
            services::NEXT_PAGE(job);
        }
    }
}

QPushButton* button(QWidget* dialog, int id) {
    return dialog->findChild<QPushButton*>(QString::number(id));
}

TEST(PrintJobGui, PdfByMailHoldsEveryPageAndIsMailed) {
    test::PrintContextScope scope;
    FileMailRequest mailed;
    test::LendingWorkspace workspace;
    workspace.mailer = [&](QWidget*, const FileMailRequest& r) {
        mailed = r;
        return true;
    };
    PrinterFunction job;
    job.to_PDF = job.do_email = true;
    job.TITLE1("Informe PDF");
    ASSERT_TRUE(START_DOC(nullptr, job, "INFORME", false));
    three_pages(job);
    RESETPRINT(nullptr, job);
    const auto pdf = scope.temp / "INFORME.PDF";
    ASSERT_TRUE(std::filesystem::exists(pdf));
    EXPECT_EQ(test::pdf_pages(pdf), 3);
    EXPECT_EQ(mailed.file, pdf);
    EXPECT_TRUE(mailed.pdf);
    EXPECT_EQ(mailed.title, "Informe PDF");
}

TEST(PrintJobGui, CancelledAtTheDialogPrintsNothingAndLeavesNoFiles) {
    test::PrintContextScope scope;
    test::Printed printed;
    scope.record_into(printed);
    PrinterFunction job;
    prepare_job(job);
    test::when_modal([] {
        QWidget* dialog = QApplication::activeModalWidget();
        EXPECT_EQ(dialog->objectName(), "PSETGEN");
        QTest::mouseClick(button(dialog, kCmdCancel), Qt::LeftButton);
    });
    EXPECT_FALSE(SETUPPRINTER(job, 1, true).has_value());
    EXPECT_TRUE(printed.pages.empty());
    EXPECT_TRUE(printed.doc.empty());
    EXPECT_TRUE(scope.temp_is_empty());
    EXPECT_EQ(scope.grayed, -1);
}

TEST(PrintJobGui, DialogNeedsAPrinterAndKeepsExcelShutWhenNotAllowed) {
    test::PrintContextScope scope;
    PrinterFunction job;
    prepare_job(job);
    MessageBoxScript boxes;
    test::when_modal([] {
        QWidget* dialog = QApplication::activeModalWidget();
        EXPECT_FALSE(button(dialog, SetupPrinterDialog::kIdExcel)->isEnabled());
        EXPECT_FALSE(button(dialog, SetupPrinterDialog::kIdExcelMail)->isEnabled());
        test::type_key(Qt::Key_F3);  // does nothing: no workbook for this report
        EXPECT_TRUE(dialog->isVisible());
        dialog->findChild<QLineEdit*>("104")->setText("Impresora_Inexistente");
        QTest::mouseClick(button(dialog, kCmdOk), Qt::LeftButton);
        EXPECT_TRUE(dialog->isVisible());
        dialog->findChild<QLineEdit*>("104")->setText("Caja_Epson");
        dialog->findChild<QLineEdit*>("510")->setText("3");
        dialog->findChild<QCheckBox*>("1001")->setChecked(false);
        QTest::mouseClick(button(dialog, kCmdOk), Qt::LeftButton);
    });
    const auto choice = SETUPPRINTER(job, 1, false);
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(boxes.last_text(), "Debe seleccionar una impresora válida");
    EXPECT_EQ(job.b_cSelPrinter, "Caja_Epson");
    EXPECT_EQ(job.nCopies, 3);
    EXPECT_EQ(job.T_Print, "PRINTER");
    EXPECT_EQ(scope.grayed, 0);
}

TEST(PrintJobGui, F2ChoosesThePreviewWithOneCopy) {
    test::PrintContextScope scope;
    PrinterFunction job;
    prepare_job(job);
    test::when_modal([] {
        QApplication::activeModalWidget()->findChild<QLineEdit*>("510")->setText("4");
        test::type_key(Qt::Key_F2);
    });
    const auto choice = SETUPPRINTER(job, 1, true);
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(job.T_Print, "META");
    EXPECT_EQ(job.nCopies, 1);
    EXPECT_EQ(job.b_cSelPrinter, "Recepcion_HP");
}

// A workstation without printers still keeps its printouts: "Archivo PDF" is always offered,
// and printing on it writes the PDF and opens it instead of mailing it.
TEST(PrintJobGui, ThePdfFilePrinterWritesAndOpensThePdf) {
    EXPECT_EQ(QtPrinters().installed().back(), kPdfFilePrinter);
    test::PrintContextScope scope;
    print_context().printers = std::make_shared<QtPrinters>();
    std::filesystem::path opened;
    print_context().open_file = [&](const std::filesystem::path& f) { opened = f; };
    bool mailed = false;
    test::LendingWorkspace workspace;
    workspace.mailer = [&](QWidget*, const FileMailRequest&) { return mailed = true; };
    PrinterFunction job;
    prepare_job(job);
    test::when_modal([] {
        QApplication::activeModalWidget()->findChild<QLineEdit*>("104")->setText(
            QString::fromStdString(kPdfFilePrinter));
        QTest::mouseClick(button(QApplication::activeModalWidget(), kCmdOk), Qt::LeftButton);
    });
    ASSERT_TRUE(SETUPPRINTER(job, 1, true).has_value());
    ASSERT_TRUE(START_DOC(nullptr, job, "ARCHIVO", false));
    three_pages(job);
    RESETPRINT(nullptr, job);
    EXPECT_EQ(opened, scope.temp / "ARCHIVO.PDF");
    EXPECT_EQ(test::pdf_pages(opened), 3);
    EXPECT_FALSE(mailed);
}

// A document sent without the dialog to the default printer of a workstation without printers.
TEST(PrintJobGui, ThePdfFilePrinterNamedWithoutTheDialogWritesThePdfToo) {
    test::PrintContextScope scope;
    std::filesystem::path opened;
    print_context().open_file = [&](const std::filesystem::path& f) { opened = f; };
    PrinterFunction job;
    job.b_cSelPrinter = kPdfFilePrinter;
    ASSERT_TRUE(START_DOC(nullptr, job, "FACTURA F0001", false));
    three_pages(job);
    RESETPRINT(nullptr, job);
    EXPECT_EQ(opened, scope.temp / "FACTURA F0001.PDF");
    EXPECT_EQ(test::pdf_pages(opened), 3);
}

TEST(PrintJobGui, PreviewOfAJobWithoutPagesShowsOneEmptyPage) {
    test::PrintContextScope scope;
    PrinterFunction job;
    job.T_Print = "META";
    ASSERT_TRUE(START_DOC(nullptr, job, "VACIO", false));
    RESETPRINT(nullptr, job);
    DISPMETA* preview = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "PREVIEW800") preview = dynamic_cast<DISPMETA*>(w);
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->page_count(), 1);
    EXPECT_TRUE(preview->page(1).ops.empty());
    EXPECT_EQ(preview->findChild<QLabel*>("500")->text(), "  0");
}

TEST(PrintJobGui, PrintingPageListFromThePreviewTakesWholePagesOnly) {
    test::PrintContextScope scope;
    PrinterFunction job;
    job.T_Print = "META";
    job.b_cSelPrinter = "Recepcion_HP";
    test::Printed measure;
    scope.record_into(measure);
    ASSERT_TRUE(START_DOC(nullptr, job, "CINCO", false));
    for (int i = 1; i <= 5; ++i) {
        services::PRINTOUT(job, 1, 1, "Página " + std::to_string(i));
        services::END_PAGE(job);
    }
    services::RESETPRINT(job);
    DISPMETA* preview = open_preview(nullptr, job);
    ASSERT_NE(preview, nullptr);
    ASSERT_EQ(preview->page_count(), 5);
    EXPECT_DOUBLE_EQ(preview->zoom(), 0.95);
    test::Printed printed;
    scope.record_into(printed);
    test::when_modal([] {
        QWidget* dialog = QApplication::activeModalWidget();
        EXPECT_EQ(dialog->objectName(), "setgenPv2");
        dialog->findChild<QRadioButton*>("402")->setChecked(true);
        dialog->findChild<QLineEdit*>("403")->setText("2,x,9");
        QTest::mouseClick(button(dialog, kCmdOk), Qt::LeftButton);
    });
    QTest::mouseClick(preview->control(DISPMETA::kIdPrintMany), Qt::LeftButton);
    ASSERT_EQ(printed.pages.size(), 1u);
    EXPECT_EQ(printed.doc, "Pagina 2");
    EXPECT_EQ(printed.pages[0].ops.at(0).text, "Página 2");
    EXPECT_TRUE(printed.ended);

    QTest::mouseClick(preview->control(DISPMETA::kIdLast), Qt::LeftButton);
    EXPECT_EQ(preview->current(), 5);
    QTest::mouseClick(preview->control(DISPMETA::kIdSelect), Qt::LeftButton);
    EXPECT_EQ(preview->findChild<QLabel*>("500")->text(), "  1");
    QTest::mouseClick(preview->control(DISPMETA::kIdClearMarks), Qt::LeftButton);
    EXPECT_EQ(preview->findChild<QLabel*>("500")->text(), "  0");
}

// The preview's "Imprimir..." on the PDF file printer writes the pages to a file of the
// temporary folder and says where, instead of failing as a printer the platform lacks.
TEST(PrintJobGui, PrintingFromThePreviewToThePdfFilePrinterWritesTheFile) {
    test::PrintContextScope scope;
    print_context().printers = std::make_shared<QtPrinters>();
    PrinterFunction job;
    job.T_Print = "META";
    ASSERT_TRUE(START_DOC(nullptr, job, "DOS", false));
    for (int i = 1; i <= 2; ++i) {
        services::PRINTOUT(job, 1, 1, "Página " + std::to_string(i));
        services::END_PAGE(job);
    }
    services::RESETPRINT(job);
    DISPMETA* preview = open_preview(nullptr, job);
    ASSERT_NE(preview, nullptr);
    MessageBoxScript boxes;
    test::when_modal([] {
        QWidget* dialog = QApplication::activeModalWidget();
        dialog->findChild<QLineEdit*>("104")->setText(QString::fromStdString(kPdfFilePrinter));
        QTest::mouseClick(button(dialog, kCmdOk), Qt::LeftButton);
        if (QApplication::activeModalWidget() == dialog)
            QTest::mouseClick(button(dialog, kCmdCancel), Qt::LeftButton);
    });
    QTest::mouseClick(preview->control(DISPMETA::kIdPrintMany), Qt::LeftButton);
    const std::string said = boxes.last_text();
    ASSERT_EQ(said.rfind("Archivo PDF generado: ", 0), 0u) << said;
    const std::filesystem::path file = said.substr(said.find(": ") + 2);
    EXPECT_EQ(file.parent_path(), scope.temp);
    EXPECT_EQ(test::pdf_pages(file), 2);
}

}  // namespace
}  // namespace qz::gui
