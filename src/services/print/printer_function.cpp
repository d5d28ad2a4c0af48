#include "services/print/printer_function.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "core/decimal.h"
#include "core/picture.h"
#include "core/text.h"
#include "services/print/print_ops.h"

namespace qz::services {

namespace {

// A workbook needs no printer: when none can be had its grid is laid on an A4 page at 600 dpi.
constexpr int kNominalWidth = 4960, kNominalHeight = 7016, kNominalDpi = 600;

std::unique_ptr<PrintDevice> open_device(PrinterFunction& job, int attempts) {
    for (int i = 0; i < attempts; ++i) {
        if (i > 0) job.wait_ms(500);
        if (job.device_factory)
            if (auto device = job.device_factory(job)) return device;
    }
    return nullptr;
}

void start_failed(PrinterFunction& job, const std::string& name) {
    job.Can_Print = false;
    job.tell("Error",
             "No se pudo iniciar el Trabajo de Impresión.\nRevise que la impresora se encuentra "
             "disponible\no la cola de impresión esté bien definida.\nImprimiendo: " +
                 name);
}

bool start_device_job(PrinterFunction& job, const std::string& name) {
    for (int i = 0; i < 6; ++i) {
        if (i > 0) {
            job.o_self->pump();
            job.wait_ms(500);
        }
        if (job.hDC->start_doc(name)) return true;
    }
    return false;
}

bool open_printer(PrinterFunction& job, const std::string& name) {
    if (job.To_Excel) {
        job.hDC = open_device(job, 1);
        return true;
    }
    job.hDC = open_device(job, job.recording() ? 3 : 6);
    if (!job.hDC) return false;
    return job.recording() || start_device_job(job, name);
}

void take_geometry(PrinterFunction& job) {
    job.Width = job.hDC ? job.hDC->width() : kNominalWidth;
    job.Height = job.hDC ? job.hDC->height() : kNominalHeight;
    job.DpiY = job.hDC ? job.hDC->dpi_y() : kNominalDpi;
    job.pf_IsPos = job.Width < job.Height * 0.52;
    if (job.pf_IsPos) job.Width = static_cast<int>(job.Width * 0.98);
}

void set_font(PrinterFunction& job, ReportFont font) {
    const ReportFontSpec& spec = font_spec(font);
    const bool land = job.Orient == 2;
    job.font = font;
    job.extra_font.reset();
    job.Chars_per_Line = land ? spec.chars_landscape : spec.chars_portrait;
    job.Lines_per_Page = (land ? spec.lines_landscape : spec.lines_portrait) * job.Fac_Lines;
    job.Smallest = std::max(job.Smallest, static_cast<int>(job.Lines_per_Page));
}

std::string page_number(int n) { return pic_format(Decimal(n), "9,999"); }

}  // namespace

PrinterFunction::PrinterFunction(PrintProgress* owner)
    : o_self(owner ? owner : no_print_progress()) {}

PrinterFunction::~PrinterFunction() = default;

PrintProgress* no_print_progress() {
    static PrintProgress none;
    return &none;
}

std::vector<std::string> PrinterFunction::titles() const {
    return {TitleT1, TitleT2, TitleT3.value_or(""), TitleT4.value_or(""), TitleT5.value_or("")};
}

void PrinterFunction::END_HEADER() {
    In_Header = false;
    if (To_Excel && oExcel) oExcel->end_header(TitleT1);
}

FontRef PrinterFunction::current_font() const {
    if (extra_font) return *extra_font;
    const ReportFontSpec& spec = font_spec(font);
    return FontRef{env.print_font, spec.points, spec.bold};
}

void PrinterFunction::move_to_row(double row) {
    YPos = y_of(row);
    PRow = row;
}

double PrinterFunction::text_width(const std::string& text) const {
    if (measure) return measure(text, current_font());
    return static_cast<double>(utf8_length(text)) * cell_width();
}

void PrinterFunction::draw(DrawOp op) {
    if (!Can_Print || To_Excel || !page) return;
    page->ops.push_back(std::move(op));
}

void PrinterFunction::tell(const std::string& title, const std::string& text) const {
    if (port) port->message(MsgStyle::Error, title, text);
}

void PrinterFunction::wait_ms(int ms) const {
    if (sleep)
        sleep(ms);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool START_DOC(PrinterFunction& job, const std::string& name, bool show) {
    job.Print_Show = show;
    job.EXP_Name = name;  // the PDF device names its file after it
    job.o_self->owner_enabled(false);
    job.Owner_is_Disabled = true;
    job.Paginas = 0;
    job.A_MARK_POS.clear();
    job.A_META_FILE.clear();
    if (show) {
        job.o_self->open();
        job.o_self->show_document("Preparando ambiente...");
    }
    if (!open_printer(job, name)) {
        start_failed(job, name);
        return false;
    }
    take_geometry(job);
    set_font(job, ReportFont::N);
    job.PRow = job.PCol = job.YPos = 0;
    job.Paginas = 0;
    job.o_self->show_document("Imprimiendo Documento: " + name);
    if (job.To_Excel && job.excel_factory) {
        job.EXP_Dir = job.env.temp_dir;
        job.oExcel = job.excel_factory(job.env.temp_dir, job.env.stamp);
    }
    return true;
}

void START_PAGE(PrinterFunction& job) {
    if (job.To_Excel || !job.Can_Print) return;
    if (!job.recording()) {
        int code = 0;
        for (int i = 0; i < 5 && (code = job.hDC->start_page()) != 0; ++i)
            job.tell("Print Error", "ERROR: StartPage Error: " + std::to_string(code));
        if (code != 0) {
            job.Can_Print = false;
            return;
        }
    }
    job.page = Page{job.Width, job.Height, job.DpiY, {}};
    job.No_Page = false;
    job.PRow = job.PCol = 0;
    job.YPos = job.p_Offset * job.Height;
    ++job.Paginas;
    job.opaque = false;
    job.o_self->show_page(page_number(job.Paginas));
}

void END_PAGE(PrinterFunction& job, bool stamp) {
    if (job.No_Page || !job.page) return;
    if (stamp) {
        const ReportFont font = job.font;
        const auto extra = job.extra_font;
        select_font(job, ReportFont::PB);
        // The footer line is counted from the top of the page, not from the last row printed
        // (which may be of another font's grid), so it stands at the same place on every page.
        job.PRow = job.Lines_per_Page - 2;
        job.YPos = job.p_Offset * job.Height + job.PRow * job.line_height();
        PRINTOUT(job, job.PRow, job.Chars_per_Line - 12,
                 job.tr("Página ") + page_number(job.Paginas));
        set_font(job, font);
        job.extra_font = extra;
    }
    Page done = std::move(*job.page);
    job.page.reset();
    job.No_Page = true;
    if (!job.Can_Print) return;
    if (job.recording()) {
        job.A_META_FILE.push_back(std::move(done));
    } else if (int code = job.hDC->end_page(done); code != 0) {
        job.tell("Print Error", "ERROR: EndPage Error: " + std::to_string(code));
        job.Can_Print = false;
    }
}

void CHECK_PAGE(PrinterFunction& job) {
    if (job.No_Page) START_PAGE(job);
}

bool CANPRINT(PrinterFunction& job) {
    job.o_self->pump();
    return job.Can_Print;
}

JobOutcome RESETPRINT(PrinterFunction& job, bool stamp) {
    JobOutcome out;
    if (!job.No_Page) END_PAGE(job, stamp);
    job.o_self->owner_enabled(true);
    job.Owner_is_Disabled = false;
    job.o_self->close();
    if (job.To_Excel) {
        // A cancelled workbook is dropped unwritten, like a cancelled preview.
        if (job.oExcel && job.Can_Print) {
            const auto t = job.titles();
            job.fName_XLS = job.oExcel->close({t[0], t[1], t[2], t[3]}, job.env.XLOGOFILE,
                                              job.do_email ? job.EXP_Name : job.TitleT1);
            out.file = job.fName_XLS;
            out.open_workbook = !job.do_email;
        }
        job.oExcel.reset();
    } else if (job.recording()) {
        out.preview = job.Can_Print;
        if (!job.Can_Print) job.A_META_FILE.clear();
    } else if (job.hDC) {
        if (job.Can_Print)
            job.hDC->end_doc();
        else
            job.hDC->abort_doc();
        if (job.to_PDF) out.file = job.env.temp_dir / (job.EXP_Name + ".PDF");
    }
    job.hDC.reset();
    out.mail = job.do_email && job.Can_Print && !out.file.empty();
    return out;
}

void select_font(PrinterFunction& job, ReportFont font) {
    CHECK_PAGE(job);
    set_font(job, font);
}

int NEW_FONT(PrinterFunction& job, const std::string& face, int points, bool bold) {
    const int id = job.new_fonts.empty() ? 1 : job.new_fonts.rbegin()->first + 1;
    job.new_fonts[id] = FontRef{face, points, bold};
    return id;
}

void SET_NEW_FONT(PrinterFunction& job, int id) {
    CHECK_PAGE(job);
    if (auto it = job.new_fonts.find(id); it != job.new_fonts.end()) job.extra_font = it->second;
}

void KILL_NEW_FONT(PrinterFunction& job, int id) {
    if (auto it = job.new_fonts.find(id); it != job.new_fonts.end()) {
        if (job.extra_font == it->second) job.extra_font.reset();
        job.new_fonts.erase(it);
    }
}

}  // namespace qz::services
