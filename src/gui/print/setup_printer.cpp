#include "gui/print/setup_printer.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "gui/framework/message_box.h"
#include "gui/print/print_context.h"

namespace qz::gui {

namespace {

QPushButton* button(const char* text, QWidget* parent) {
    return new QPushButton(QString::fromUtf8(text), parent);
}

}  // namespace

SetupPrinterDialog::SetupPrinterDialog(QWidget* owner, std::string name, int list_mode,
                                       bool excel_allowed, std::string current, int grayed,
                                       std::string pages)
    : DIALOG_BOX(std::move(name), owner),
      m_list_mode(list_mode),
      m_excel_allowed(excel_allowed),
      m_current(std::move(current)),
      m_pages(std::move(pages)),
      m_grayed(grayed) {}

bool SetupPrinterDialog::Init() {
    auto* layout = new QVBoxLayout(this);
    m_list = Add(new QListWidget(this), kIdList);
    m_chosen = Add(new QLineEdit(this), kIdChoice);
    m_chosen->setReadOnly(true);
    layout->addWidget(m_list);
    layout->addWidget(m_chosen);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QString::fromUtf8("Copias"), this));
    m_copies = Add(new QLineEdit("1", this), kIdCopies);
    m_copies->setValidator(new QIntValidator(1, 999, m_copies));
    row->addWidget(m_copies);
    m_grey = Add(new QCheckBox(QString::fromUtf8("Cuadros Grises"), this), kIdGrayed);
    m_grey->setChecked(m_grayed == 1);
    row->addWidget(m_grey);
    layout->addLayout(row);
    if (cDlgName() == "setgenPv2") layout->addWidget(pages_box());
    layout->addWidget(output_buttons());
    fill_list();
    connect(m_list, &QListWidget::currentTextChanged, this,
            [this](const QString& t) { m_chosen->setText(t.section('\t', 0, 0)); });
    Text("Impresoras");
    return true;
}

void SetupPrinterDialog::fill_list() {
    const auto& printers = *print_context().printers;
    std::string current = m_current.empty() ? printers.default_printer() : m_current;
    for (const std::string& name : printers.installed()) {
        const bool remote = printers.is_remote(name);
        if (m_list_mode == 2 && remote) continue;
        m_list->addItem(QString::fromStdString(name + "\t" + (remote ? "Red" : "Local")));
        if (name == current) m_list->setCurrentRow(m_list->count() - 1);
    }
    m_chosen->setText(QString::fromStdString(current));
}

QWidget* SetupPrinterDialog::pages_box() {
    auto* box = new QGroupBox(QString::fromUtf8("Imprimir Páginas"), this);
    auto* l = new QHBoxLayout(box);
    m_all = Add(new QRadioButton(QString::fromUtf8("Todas"), box), kIdAllPages);
    auto* some = Add(new QRadioButton(QString::fromUtf8("Seleccionar"), box), kIdSomePages);
    m_page_list = Add(new QLineEdit(QString::fromStdString(m_pages), box), kIdPageList);
    (m_pages.empty() ? m_all : some)->setChecked(true);
    l->addWidget(m_all);
    l->addWidget(some);
    l->addWidget(m_page_list);
    return box;
}

QWidget* SetupPrinterDialog::output_buttons() {
    auto* box = new QWidget(this);
    auto* l = new QHBoxLayout(box);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(Add(button("Aceptar", box), kCmdOk, [this] { choose(PrintOutput::Printer); }));
    if (cDlgName() == "PSETGEN") {
        l->addWidget(Add(button("F2: Preliminar", box), kIdPreview,
                         [this] { choose(PrintOutput::Preview); }));
        auto* excel =
            Add(button("F3: Excel", box), kIdExcel, [this] { choose(PrintOutput::Excel); });
        auto* excel_mail = Add(button("Excel && mail", box), kIdExcelMail,
                               [this] { choose(PrintOutput::ExcelMail); });
        excel->setEnabled(m_excel_allowed);
        excel_mail->setEnabled(m_excel_allowed);
        l->addWidget(excel);
        l->addWidget(excel_mail);
        l->addWidget(
            Add(button("PDF && mail", box), kIdPdfMail, [this] { choose(PrintOutput::PdfMail); }));
    }
    l->addWidget(Add(button("Configuración", box), kIdDriver, [this] { driver_settings(); }));
    l->addWidget(Add(button("Cancelar", box), kCmdCancel));
    return box;
}

int SetupPrinterDialog::grayed() const { return m_grey->isChecked() ? 1 : 0; }

void SetupPrinterDialog::choose(PrintOutput output) {
    const std::string printer = trim(m_chosen->text().toStdString());
    const bool needs_printer = output == PrintOutput::Printer || output == PrintOutput::Preview;
    if (needs_printer && !print_context().printers->knows(printer)) {
        MESSAGE_BOX(this, "Debe seleccionar una impresora válida", "Error",
                    kMbOk | kMbIconExclamation);
        return;
    }
    m_choice.printer = printer;
    m_choice.output = output;
    m_choice.copies = output == PrintOutput::Printer ? std::max(1, m_copies->text().toInt()) : 1;
    if (m_all) {
        m_choice.all_pages = m_all->isChecked();
        m_choice.pages = m_page_list->text().toStdString();
    }
    EndDialog(kCmdOk);
}

void SetupPrinterDialog::driver_settings() {
    QPrinter printer(QPrinterInfo::printerInfo(m_chosen->text()), QPrinter::HighResolution);
    printer.setCopyCount(std::max(1, m_copies->text().toInt()));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    m_chosen->setText(printer.printerName());
    m_copies->setText(QString::number(printer.copyCount()));
}

void SetupPrinterDialog::keyPressEvent(QKeyEvent* e) {
    const int key = e->key();
    if (key == Qt::Key_F2 && cDlgName() == "PSETGEN") {
        on_command(kIdPreview);
    } else if (key == Qt::Key_F3 && cDlgName() == "PSETGEN") {
        if (m_excel_allowed) on_command(kIdExcel);
    } else if (key >= Qt::Key_F4 && key <= Qt::Key_F8) {
        // Swallowed: the report's own screen must not see them while its printer is chosen.
    } else {
        DIALOG_BOX::keyPressEvent(e);
        return;
    }
    e->accept();
}

std::optional<PrinterChoice> SETUPPRINTER(services::PrinterFunction& job, int list_mode,
                                          bool excel_allowed, QWidget* owner) {
    SetupPrinterDialog dialog(owner, "PSETGEN", list_mode, excel_allowed, job.b_cSelPrinter,
                              job.env.XGRAYED);
    if (dialog.run() != kCmdOk) return std::nullopt;
    const PrinterChoice c = dialog.choice();
    job.env.XGRAYED = dialog.grayed();
    if (print_context().store_grayed) print_context().store_grayed(job.env.XGRAYED);
    job.b_cSelPrinter = c.printer;
    job.b_lNetPrinter = print_context().printers->is_remote(c.printer);
    job.nCopies = c.copies;
    job.To_Excel = c.output == PrintOutput::Excel || c.output == PrintOutput::ExcelMail;
    job.do_email = c.output == PrintOutput::ExcelMail || c.output == PrintOutput::PdfMail;
    job.to_PDF = c.output == PrintOutput::PdfMail ||
                 (c.output == PrintOutput::Printer && c.printer == kPdfFilePrinter);
    job.T_Print =
        c.output == PrintOutput::Printer || c.output == PrintOutput::PdfMail ? "PRINTER" : "META";
    return c;
}

}  // namespace qz::gui
