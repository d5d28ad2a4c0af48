#include "gui/print/preview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "gui/framework/message_box.h"
#include "gui/print/page_renderer.h"
#include "gui/print/print_context.h"
#include "gui/print/print_job.h"
#include "gui/print/setup_printer.h"
#include "services/print/page_list.h"

namespace qz::gui {

// The drawing area: one page at the zoom, a page of paper on a grey desk.
class PageView : public QWidget {
public:
    explicit PageView(QWidget* parent) : QWidget(parent) {}
    void show_page(const services::Page* page, double zoom) {
        m_page = page;
        const double scale = zoom * logicalDpiY() / std::max(1, page->dpi);
        m_scale = scale;
        setFixedSize(static_cast<int>(page->width * scale), static_cast<int>(page->height * scale));
        update();
    }
    // The zoom at which the page fills `width` pixels.
    double zoom_for_width(int width) const {
        return m_page ? width * std::max(1, m_page->dpi) / (double(m_page->width) * logicalDpiY())
                      : 1;
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!m_page) return;
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), Qt::white);
        p.scale(m_scale, m_scale);
        render_page(p, *m_page);
    }

private:
    const services::Page* m_page = nullptr;
    double m_scale = 1;
};

namespace {

double initial_zoom(int smallest) { return smallest <= 80 ? 0.95 : (smallest <= 90 ? 1.05 : 1.35); }

QToolButton* tool(const char* tip, const char* text, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setText(QString::fromUtf8(text));
    b->setToolTip(QString::fromUtf8(tip));
    b->setAutoRaise(true);
    return b;
}

}  // namespace

DISPMETA::DISPMETA(QWidget* owner, services::PrinterFunction& job)
    : WDIAG(owner, job.Orient == 2 ? "PREVIEW_LAND" : "PREVIEW800", 0, {true, true}),
      acMeta_File(std::move(job.A_META_FILE)),
      acMarks(job.A_MARK_POS),
      Orient(job.Orient),
      m_zoom(initial_zoom(job.Smallest)) {
    job.A_META_FILE.clear();
    if (acMeta_File.empty()) {
        const bool land = Orient == 2;
        const int w = job.Width > 0 ? job.Width : (land ? 3508 : 2480);
        const int h = job.Height > 0 ? job.Height : (land ? 2480 : 3508);
        acMeta_File.push_back(services::Page{w, h, job.Width > 0 ? job.DpiY : 300, {}});
    }
    acPrintPage.assign(acMeta_File.size(), 0);
}

bool DISPMETA::Init() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tool_bar());
    m_scroll = new QScrollArea(this);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setAlignment(Qt::AlignHCenter);
    m_view = new PageView(m_scroll);
    m_scroll->setWidget(m_view);
    layout->addWidget(m_scroll, 1);
    resize(900, 700);
    Text("Vista Preliminar");
    refresh();
    Create();
    return true;
}

QWidget* DISPMETA::tool_bar() {
    auto* bar = new QWidget(this);
    auto* l = new QHBoxLayout(bar);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(
        Add(tool("Disminuir Imagen", "-", bar), kIdZoomOut, [this] { set_zoom(m_zoom - 0.10); }));
    l->addWidget(
        Add(tool("Aumentar Imagen", "+", bar), kIdZoomIn, [this] { set_zoom(m_zoom + 0.10); }));
    l->addWidget(
        Add(tool("Expander horizontalmente", "<->", bar), kIdFitWidth, [this] { fit_width(); }));
    l->addWidget(Add(tool("Descartar Páginas Marcadas", "X", bar), kIdClearMarks,
                     [this] { clear_marks(); }));
    l->addWidget(Add(tool("Ir a Primera Página", "|<", bar), kIdFirst, [this] { go_to(1); }));
    l->addWidget(
        Add(tool("Página Anterior", "<", bar), kIdPrevious, [this] { go_to(m_current - 1); }));
    l->addWidget(
        Add(tool("Página Siguiente", ">", bar), kIdNext, [this] { go_to(m_current + 1); }));
    l->addWidget(
        Add(tool("Ir a Última Página", ">|", bar), kIdLast, [this] { go_to(page_count()); }));
    l->addWidget(Add(tool("Imprimir múltiples Páginas", "Imprimir...", bar), kIdPrintMany,
                     [this] { print_many(); }));
    l->addWidget(Add(tool("Imprimir Página Actual", "Imprimir", bar), kIdPrintCurrent,
                     [this] { print_current(); }));
    m_select = Add(new QCheckBox(bar), kIdSelect);
    connect(m_select, &QCheckBox::clicked, this, [this](bool on) { toggle_selected(on); });
    m_selected = Add(new QLabel(bar), kIdSelected);
    m_marks = Add(new QComboBox(bar), kIdMarks);
    for (const auto& mark : acMarks) m_marks->addItem(QString::fromStdString(mark.text), mark.page);
    connect(m_marks, &QComboBox::activated, this,
            [this](int index) { go_to(m_marks->itemData(index).toInt()); });
    l->addWidget(m_select);
    l->addWidget(m_selected);
    l->addWidget(m_marks, 1);
    return bar;
}

void DISPMETA::go_to(int page) {
    m_current = std::clamp(page, 1, page_count());
    refresh();
}

void DISPMETA::set_zoom(double zoom) {
    m_zoom = std::max(0.1, zoom);
    refresh();
}

void DISPMETA::fit_width() { set_zoom(m_view->zoom_for_width(m_scroll->viewport()->width() - 4)); }

void DISPMETA::toggle_selected(bool on) {
    acPrintPage[m_current - 1] = on ? 1 : 0;
    refresh();
}

void DISPMETA::clear_marks() {
    std::fill(acPrintPage.begin(), acPrintPage.end(), 0);
    refresh();
}

void DISPMETA::refresh() {
    m_view->show_page(&acMeta_File[m_current - 1], m_zoom);
    m_select->setChecked(acPrintPage[m_current - 1] == 1);
    m_select->setText(QString::fromUtf8("Página %1 de %2").arg(m_current).arg(page_count()));
    const long marked = std::count(acPrintPage.begin(), acPrintPage.end(), 1);
    m_selected->setText(QString::fromStdString(str_int(marked, 3)));
}

void DISPMETA::print_current() {
    SetupPrinterDialog dialog(this, "psetgenPrv", 1, false, "", 1);
    if (dialog.run() == kCmdOk) print_pages({m_current}, dialog.choice());
}

void DISPMETA::print_many() {
    std::vector<int> marked;
    for (int i = 0; i < page_count(); ++i)
        if (acPrintPage[i] == 1) marked.push_back(i + 1);
    SetupPrinterDialog dialog(this, "setgenPv2", 1, false, "", 1, services::page_list_text(marked));
    if (dialog.run() != kCmdOk) return;
    const PrinterChoice& c = dialog.choice();
    std::vector<int> pages;
    if (c.all_pages)
        for (int i = 1; i <= page_count(); ++i) pages.push_back(i);
    else
        pages = services::parse_page_list(c.pages, page_count());
    print_pages(pages, c);
}

void DISPMETA::print_pages(const std::vector<int>& pages, const PrinterChoice& choice) {
    if (pages.empty()) return;
    services::PrinterFunction job;
    job.b_cSelPrinter = choice.printer;
    job.nCopies = choice.copies;
    job.Orient = Orient;
    const std::string name = "Pagina " + std::to_string(pages.front());
    // The PDF file "printer" is no printer of the platform: its pages go to a file of the
    // session's temporary folder, named after the job, and the user is told where.
    job.to_PDF = choice.output == PrintOutput::Printer && choice.printer == kPdfFilePrinter;
    if (job.to_PDF) {
        prepare_job(job);
        std::string hour = job.env.stamp.at.time;
        std::erase(hour, ':');
        job.EXP_Name = "VISTA_" + job.env.stamp.at.date.dtos() + "_" + hour;
    }
    const auto& factory = print_context().device_factory;
    auto device = factory ? factory(job) : open_qt_device(job);
    if (!device || !device->start_doc(name)) {
        MESSAGE_BOX(this,
                    "No se pudo iniciar el Trabajo de Impresión.\nRevise que la impresora se "
                    "encuentra disponible\no la cola de impresión esté bien definida.\n"
                    "Imprimiendo: " +
                        name,
                    "Error", kMbOk | kMbIconStop);
        return;
    }
    for (int n : pages) {
        if (device->start_page() != 0 || device->end_page(page(n)) != 0) {
            device->abort_doc();
            return;
        }
    }
    device->end_doc();
    if (job.to_PDF)
        MESSAGE_BOX(
            this, "Archivo PDF generado: " + (job.env.temp_dir / (job.EXP_Name + ".PDF")).string(),
            "Atencion", kMbOk | kMbIconInformation);
}

DISPMETA* open_preview(QWidget* owner, services::PrinterFunction& job) {
    return open_screen<DISPMETA>(owner, job);
}

}  // namespace qz::gui
