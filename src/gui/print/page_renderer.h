#pragma once
// Draws the page model on a QPainter: the printer, a PDF file or the preview.
#include <QFont>
#include <memory>

#include "services/print/print_device.h"
#include "services/print/printer_function.h"

class QPainter;
class QPrinter;

namespace qz::gui {

// The report font at the page's resolution (the face falls back to Times New Roman when this
// machine does not have it).
QFont page_font(const services::FontRef& font, int dpi);
// Draws `page` in page units; the painter's transformation maps them to its device.
void render_page(QPainter& painter, const services::Page& page);

// A print device over a QPrinter: a CUPS printer, or a PDF file.
class QtPrintDevice : public services::PrintDevice {
public:
    explicit QtPrintDevice(std::unique_ptr<QPrinter> printer);
    ~QtPrintDevice() override;
    int width() const override;
    int height() const override;
    int dpi_y() const override;
    bool start_doc(const std::string& doc_name) override;
    int start_page() override;
    int end_page(const services::Page& page) override;
    void end_doc() override;
    void abort_doc() override;

private:
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_painter;
    int m_pages = 0;
};

// The printer the job chose with its orientation and copies, or its PDF file in the temporary
// folder when the job prints to PDF. A job that only records pages, or a printer this machine
// does not have for recording, measures on a PDF device.
std::unique_ptr<services::PrintDevice> open_qt_device(const services::PrinterFunction& job);
// Text widths as Qt measures them at the job's resolution.
services::TextMeasure qt_measure(const services::PrinterFunction& job);

}  // namespace qz::gui
