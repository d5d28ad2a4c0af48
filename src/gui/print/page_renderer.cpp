#include "gui/print/page_renderer.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <filesystem>

namespace qz::gui {

namespace {

using services::DrawOp;

QColor colour(long bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

void set_outline(QPainter& p, const DrawOp& op) {
    if (op.pen <= 0)
        p.setPen(Qt::NoPen);
    else
        p.setPen(QPen(Qt::black, op.pen));
    p.setBrush(op.fill == services::kNoFill ? QBrush(Qt::NoBrush) : QBrush(colour(op.fill)));
}

void draw_text(QPainter& p, const DrawOp& op, int dpi) {
    const QFont font = page_font(op.font, dpi);
    p.setFont(font);
    p.setPen(Qt::black);
    p.setBackgroundMode(op.opaque ? Qt::OpaqueMode : Qt::TransparentMode);
    p.setBackground(Qt::white);
    const QString text = QString::fromStdString(op.text);
    const double w = QFontMetricsF(font).horizontalAdvance(text) + 1;
    const double h = QFontMetricsF(font).height();
    double x = op.x;
    if (op.align == 1) x -= w / 2;
    if (op.align == 2) x -= w;
    p.drawText(QRectF(x, op.y, w, h), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

void draw_op(QPainter& p, const DrawOp& op, int dpi) {
    const QRectF box(QPointF(op.x, op.y), QPointF(op.x2, op.y2));
    switch (op.kind) {
        case DrawOp::Kind::Text:
            draw_text(p, op, dpi);
            break;
        case DrawOp::Kind::Line:
            p.setPen(QPen(Qt::black, op.pen));
            p.drawLine(QPointF(op.x, op.y), QPointF(op.x2, op.y2));
            break;
        case DrawOp::Kind::Rect:
            set_outline(p, op);
            p.drawRect(box);
            break;
        case DrawOp::Kind::RoundRect:
            set_outline(p, op);
            p.drawRoundedRect(box, op.radius, op.radius);
            break;
        case DrawOp::Kind::Picture: {
            const QImage image(QString::fromStdString(op.text));
            if (!image.isNull()) p.drawImage(box, image);
            break;
        }
    }
}

std::unique_ptr<QPrinter> pdf_printer(const services::PrinterFunction& job,
                                      const std::filesystem::path& file) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setResolution(300);
    printer->setOutputFileName(QString::fromStdString(file.string()));
    printer->setPageOrientation(job.Orient == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    return printer;
}

}  // namespace

QFont page_font(const services::FontRef& font, int dpi) {
    static const QStringList families = QFontDatabase::families();
    const QString face = QString::fromStdString(font.face);
    QFont f(families.contains(face, Qt::CaseInsensitive) ? face : QString("Times New Roman"));
    f.setPixelSize(std::max(1, font.points * dpi / 72));
    f.setBold(font.bold);
    return f;
}

void render_page(QPainter& painter, const services::Page& page) {
    painter.save();
    for (const DrawOp& op : page.ops) draw_op(painter, op, page.dpi);
    painter.restore();
}

QtPrintDevice::QtPrintDevice(std::unique_ptr<QPrinter> printer) : m_printer(std::move(printer)) {}

QtPrintDevice::~QtPrintDevice() {
    if (m_painter && m_painter->isActive()) m_painter->end();
}

int QtPrintDevice::width() const { return m_printer->width(); }
int QtPrintDevice::height() const { return m_printer->height(); }
int QtPrintDevice::dpi_y() const { return m_printer->logicalDpiY(); }

bool QtPrintDevice::start_doc(const std::string& doc_name) {
    m_printer->setDocName(QString::fromStdString(doc_name));
    m_painter = std::make_unique<QPainter>();
    return m_painter->begin(m_printer.get());
}

int QtPrintDevice::start_page() {
    if (m_pages > 0 && !m_printer->newPage()) return 1;
    ++m_pages;
    return 0;
}

int QtPrintDevice::end_page(const services::Page& page) {
    render_page(*m_painter, page);
    return 0;
}

void QtPrintDevice::end_doc() {
    if (m_painter) m_painter->end();
}

void QtPrintDevice::abort_doc() {
    m_printer->abort();
    if (m_painter && m_painter->isActive()) m_painter->end();
    // A PDF of a cancelled job is not left half written.
    if (m_printer->outputFormat() == QPrinter::PdfFormat && !m_printer->outputFileName().isEmpty())
        QFile::remove(m_printer->outputFileName());
}

std::unique_ptr<services::PrintDevice> open_qt_device(const services::PrinterFunction& job) {
    if (job.to_PDF) {
        std::filesystem::create_directories(job.env.temp_dir);
        return std::make_unique<QtPrintDevice>(
            pdf_printer(job, job.env.temp_dir / (job.EXP_Name + ".PDF")));
    }
    const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(job.b_cSelPrinter));
    if (info.isNull()) {
        if (job.recording() || job.To_Excel)
            return std::make_unique<QtPrintDevice>(pdf_printer(job, {}));
        return nullptr;
    }
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setPageOrientation(job.Orient == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer->setCopyCount(std::max(1, job.nCopies));
    return std::make_unique<QtPrintDevice>(std::move(printer));
}

services::TextMeasure qt_measure(const services::PrinterFunction& job) {
    return [&job](const std::string& text, const services::FontRef& font) {
        return QFontMetricsF(page_font(font, job.DpiY))
            .horizontalAdvance(QString::fromStdString(text));
    };
}

}  // namespace qz::gui
