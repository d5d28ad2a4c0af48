#pragma once
// The print job. A report creates one, lets the user choose printer and output, opens it with
// START_DOC, places text, rules and boxes on a grid of character cells with the free functions of
// print_ops.h, breaks pages with NEXT_PAGE and closes it with RESETPRINT, which ends the print
// job, hands the recorded pages to the preview or finishes the workbook.
//
// Pages are drawing operations in device units (page.h). In direct mode ("PRINTER") each
// finished page goes to the device; in recorded mode ("META") the pages stay in memory for the
// preview, so nothing is left on disk when the preview closes or the job is cancelled. With
// workbook output nothing is drawn: headings and values go to an ExcelSink instead.
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/user_port.h"
#include "services/print/excel_sink.h"
#include "services/print/page.h"
#include "services/print/print_device.h"
#include "services/print/report_fonts.h"

namespace qz::services {

using ExcelSinkFactory = std::function<std::unique_ptr<ExcelSink>(
    const std::filesystem::path& folder, const PrintStamp& stamp)>;
// Width of a text in device units when drawn in `font` on the job's device.
using TextMeasure = std::function<double(const std::string& text, const FontRef& font)>;
// The caption translation of the business.
using Translate = std::function<std::string(const std::string&)>;

// A bookmark of the preview: a text and where it was printed.
struct PrintMark {
    std::string text;
    int page = 0;
    double row = 0;
};

// A heading printed between BEGIN_HEADER and END_HEADER.
struct PrintHeading {
    double row = 0, column = 0;
    std::string text;
    int align = 0;
};

// What the session tells a job: the print face, grey boxes, the header logo and the stamp.
struct PrintEnvironment {
    std::string print_font = "Calibri";  // XPRINT_FONT
    int XGRAYED = 1;
    std::string logo;       // full path of the header picture; empty = none
    std::string XLOGOFILE;  // logo of the workbook header (a file of the BMP folder)
    std::filesystem::path temp_dir;
    PrintStamp stamp;
};

// What closing the job leaves for its caller (the GUI glue) to do.
struct JobOutcome {
    bool preview = false;        // show the recorded pages
    bool open_workbook = false;  // open `file` with the desktop
    bool mail = false;           // mail `file`
    std::filesystem::path file;  // the workbook or the PDF written
};

class PrinterFunction {
public:
    // INIT: the defaults; `owner` is the progress window and owner screen seen by the job.
    explicit PrinterFunction(PrintProgress* owner = nullptr);
    ~PrinterFunction();
    PrinterFunction(const PrinterFunction&) = delete;
    PrinterFunction& operator=(const PrinterFunction&) = delete;

    // Set before START_DOC.
    void ORIENTACION(int orient) { Orient = orient == 2 ? 2 : 1; }
    // Paper settings are kept for the driver dialog; the page size comes from the device.
    void PaperWidth(int w) { P_Width = w; }
    void PaperLength(int l) { P_Length = l; }
    void PaperType(int t) { P_Type = t; }
    void CANCELPRINT() { Can_Print = false; }
    void SET_HEADSIZE(std::vector<int> sizes) { HeadSize = std::move(sizes); }
    // Text printed between these two is a column heading: translated, and the workbook's columns.
    void BEGIN_HEADER() { In_Header = true; }
    void END_HEADER();
    void ONTOP() {}
    void NEW_SHEET() {}
    void SET_P_OFFSET(double pages) { p_Offset = pages; }

    void TITLE1(std::string t) { TitleT1 = std::move(t); }
    void TITLE2(std::string t) { TitleT2 = std::move(t); }
    void TITLE3(std::string t) { TitleT3 = std::move(t); }
    void TITLE4(std::string t) { TitleT4 = std::move(t); }
    void TITLE5(std::string t) { TitleT5 = std::move(t); }
    const std::string& _TITLE1() const { return TitleT1; }
    std::vector<std::string> titles() const;
    void NO_STAMP(int v = 1) { noStamp = v; }
    void _SET_F_LINES(double factor) { Fac_Lines = factor; }
    void _FACTOR_EXCEL(double factor) { fac_excel = factor; }
    bool EXCEL() const { return To_Excel; }
    void _DELAY_STARTDOC(int ms) { WaitStartDoc = ms; }
    bool recording() const { return T_Print == "META"; }

    // The job's data, named as reports know it.
    PrintProgress* o_self;
    int Orient = 1;
    int Shade_Factor = 240;
    std::string TitleT1 = "QUARTZEN", TitleT2;
    std::optional<std::string> TitleT3, TitleT4, TitleT5;
    bool Print_Show = true;
    std::vector<int> LineSize, HeadSize;
    bool In_Header = false;
    std::vector<PrintHeading> X_Header;
    std::vector<std::string> xHeader_Leyendas;
    bool To_Excel = false, to_PDF = false, do_email = false;
    int Smallest = 0;
    int CurAlign = -999;
    int WaitStartDoc = 500;
    double fac_excel = 1, Fac_Lines = 1;
    double p_Offset = 0;
    std::string T_Print = "PRINTER";
    std::vector<Page> A_META_FILE;  // the recorded pages
    std::vector<PrintMark> A_MARK_POS;
    std::vector<double> XLS_TCuadro;  // rows shaded with TCUADRO: boxed and bold in a workbook
    bool Owner_is_Disabled = false;
    int noStamp = 0;
    std::unique_ptr<PrintDevice> hDC;
    std::optional<Page> page;  // the page being drawn
    int Width = 0, Height = 0, DpiY = 72;
    double Chars_per_Line = 80, Lines_per_Page = 66;
    double PRow = 0, PCol = 0, YPos = 0;
    int Paginas = 0;
    bool No_Page = true;
    bool Can_Print = true;
    bool pf_IsPos = false;  // a narrow roll printer
    int nCopies = 1;
    std::string b_cSelPrinter;
    bool b_lNetPrinter = false;
    std::string b_cNetQueue, b_cNetConnect;
    std::string EXP_Name;
    std::filesystem::path EXP_Dir, fName_XLS;
    std::unique_ptr<ExcelSink> oExcel;
    int P_Width = 0, P_Length = 0, P_Type = 0;

    // The current font: a report font, or an extra one chosen with SET_NEW_FONT.
    ReportFont font = ReportFont::N;
    std::optional<FontRef> extra_font;
    std::map<int, FontRef> new_fonts;
    bool opaque = false;  // TRANSP / OPAQ
    std::vector<double> tabs;

    // The platform, injected by whoever runs the job.
    PrintEnvironment env;
    DeviceFactory device_factory;
    ExcelSinkFactory excel_factory;
    TextMeasure measure;
    Translate translate;
    UserPort* port = nullptr;
    std::function<void(int ms)> sleep;

    // Helpers the print functions share.
    FontRef current_font() const;
    double cell_width() const { return Width / Chars_per_Line; }
    double line_height() const { return Height / Lines_per_Page; }
    double x_of(double column) const { return column * cell_width(); }
    // The top of `row` as seen from the current position (PRow at YPos).
    double y_of(double row) const { return YPos + (row - PRow) * line_height(); }
    void move_to_row(double row);
    std::string tr(const std::string& text) const { return translate ? translate(text) : text; }
    double text_width(const std::string& text) const;
    // Adds an operation to the open page; nothing after a failure, a cancel or in workbook mode.
    void draw(DrawOp op);
    void tell(const std::string& title, const std::string& text) const;
    void wait_ms(int ms) const;
};

// The progress of a job nobody watches: it shows nothing and owns no screen.
PrintProgress* no_print_progress();

// Opens the job: device, fonts, grid, progress window. False when the printer cannot be had (the
// user has been told) — the job then draws nothing and RESETPRINT still restores the owner.
bool START_DOC(PrinterFunction& job, const std::string& name, bool show = true);
void START_PAGE(PrinterFunction& job);
void END_PAGE(PrinterFunction& job, bool stamp = true);
void CHECK_PAGE(PrinterFunction& job);
// Polls the progress window and tells whether the job is still alive.
bool CANPRINT(PrinterFunction& job);
inline void CANCELPRINT(PrinterFunction& job) { job.CANCELPRINT(); }
JobOutcome RESETPRINT(PrinterFunction& job, bool stamp = true);

// The font functions: select the font and its grid, opening a page when none is open.
void select_font(PrinterFunction& job, ReportFont font);
inline void LETRAN(PrinterFunction& j) { select_font(j, ReportFont::N); }
inline void LETRANB(PrinterFunction& j) { select_font(j, ReportFont::NB); }
inline void LETRAP(PrinterFunction& j) { select_font(j, ReportFont::P); }
inline void LETRAPB(PrinterFunction& j) { select_font(j, ReportFont::PB); }
inline void LETRAS(PrinterFunction& j) { select_font(j, ReportFont::S); }
inline void LETRASB(PrinterFunction& j) { select_font(j, ReportFont::SB); }
inline void LETRAPP(PrinterFunction& j) { select_font(j, ReportFont::PP); }
inline void LETRAPPB(PrinterFunction& j) { select_font(j, ReportFont::PPB); }
inline void LETRAXP(PrinterFunction& j) { select_font(j, ReportFont::XP); }
inline void LETRAXPB(PrinterFunction& j) { select_font(j, ReportFont::XPB); }
inline void LETRAZP(PrinterFunction& j) { select_font(j, ReportFont::ZP); }
inline void LETRAZPB(PrinterFunction& j) { select_font(j, ReportFont::ZPB); }
inline void LETRABIG(PrinterFunction& j) { select_font(j, ReportFont::BIG); }
inline void LETRAHUGE(PrinterFunction& j) { select_font(j, ReportFont::HUG); }

// Extra fonts: NEW_FONT returns an id for SET_NEW_FONT; the grid stays the report font's.
int NEW_FONT(PrinterFunction& job, const std::string& face, int points, bool bold = false);
void SET_NEW_FONT(PrinterFunction& job, int id);
void KILL_NEW_FONT(PrinterFunction& job, int id);
inline void TRANSP(PrinterFunction& job) { job.opaque = false; }
inline void OPAQ(PrinterFunction& job) { job.opaque = true; }

}  // namespace qz::services
