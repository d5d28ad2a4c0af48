#pragma once
// The printer dialog of every report ("PSETGEN", "Impresoras"): which printer, how many copies,
// grey boxes, and the output — print, preview, workbook, workbook or PDF by mail. "psetgenPrv"
// is the same dialog without the output buttons (one preview page) and "setgenPv2" adds the
// pages to print (several preview pages).
#include <optional>
#include <string>
#include <vector>

#include "gui/framework/dialog_box.h"
#include "services/print/printer_function.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace qz::gui {

// Outputs: direct print, preview, workbook, workbook by mail, PDF by mail.
enum class PrintOutput { Printer, Preview, Excel, ExcelMail, PdfMail };

struct PrinterChoice {
    std::string printer;
    PrintOutput output = PrintOutput::Printer;
    int copies = 1;
    bool all_pages = true;  // setgenPv2
    std::string pages;      // setgenPv2: the typed page list
};

class SetupPrinterDialog : public DIALOG_BOX {
    Q_OBJECT
public:
    enum Id {
        kIdList = 103,
        kIdChoice = 104,
        kIdCopies = 510,
        kIdGrayed = 1001,
        kIdPreview = 200,
        kIdExcel = 210,
        kIdExcelMail = 211,
        kIdPdfMail = 212,
        kIdDriver = 102,
        kIdAllPages = 401,
        kIdSomePages = 402,
        kIdPageList = 403,
    };
    // `name` is "PSETGEN", "psetgenPrv" or "setgenPv2"; `list_mode` 1 lists every printer, 2 the
    // local ones.
    SetupPrinterDialog(QWidget* owner, std::string name, int list_mode, bool excel_allowed,
                       std::string current, int grayed, std::string pages = "");

    bool Init() override;
    const PrinterChoice& choice() const { return m_choice; }
    int grayed() const;

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void fill_list();
    QWidget* output_buttons();
    QWidget* pages_box();
    void choose(PrintOutput output);
    void driver_settings();

    int m_list_mode;
    bool m_excel_allowed;
    std::string m_current, m_pages;
    int m_grayed;
    PrinterChoice m_choice;
    QListWidget* m_list = nullptr;
    QLineEdit* m_chosen = nullptr;
    QLineEdit* m_copies = nullptr;
    QCheckBox* m_grey = nullptr;
    QRadioButton* m_all = nullptr;
    QLineEdit* m_page_list = nullptr;
};

// Asks for printer and output and sets them on the job (printer, copies, mode, workbook and mail
// switches, grey boxes). Nothing when the user cancels.
std::optional<PrinterChoice> SETUPPRINTER(services::PrinterFunction& job, int list_mode = 1,
                                          bool excel_allowed = false, QWidget* owner = nullptr);

}  // namespace qz::gui
