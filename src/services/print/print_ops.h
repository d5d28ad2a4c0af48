#pragma once
// What reports draw with. Rows may be fractional; a column maps to x = column × Width /
// Chars_per_Line of the current font, and moving to a row adds (row − PRow) × Height /
// Lines_per_Page to the vertical position.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/decimal.h"
#include "services/print/printer_function.h"

namespace qz::services {

// Background modes of PRINTOUT: the job's own, transparent, opaque.
inline constexpr int kBkJob = 0, kBkTransparent = 1, kBkOpaque = 2;

// A number through its picture. When it does not fit (stars) the picture's thousands separators
// are given up one by one, from the left, before the stars are accepted.
std::string format_number(const Decimal& value, const std::string& picture);

// Text at (row, column): alignment 0 left at the column, 1 centred over the picture's length,
// 2 right-aligned to its end. `fill` replaces the text's last blank or star.
void PRINTOUT(PrinterFunction& job, double row, double column, const std::string& text,
              const std::string& picture = "", int align = 0, int bk_mode = kBkJob, char fill = 0);
// A text with a number for picture: that number is the alignment, "X" × its length the picture.
void PRINTOUT(PrinterFunction& job, double row, double column, const std::string& text, int align);
// A number, formatted by its picture and right-aligned unless told otherwise.
void PRINTOUT(PrinterFunction& job, double row, double column, const Decimal& value,
              const std::string& picture = "", int align = 2, int bk_mode = kBkJob, char fill = 0);

// Breaks the page at 90 % of its height × factor (never in workbook mode): the page is ended, a
// new one started and `header` run. True when it broke.
bool NEXT_PAGE(PrinterFunction& job, const std::function<void()>& header = {}, bool stamp = true,
               double factor = 1);
// The standard page header: logo, optional box text, titles, stamp and rule. Returns the first
// free row (of the stamp's grid).
double HEADER(PrinterFunction& job, const std::string& box_text = "", bool centred = false);
std::string stamp_line(const PrinterFunction& job);

void SUBRAYA(PrinterFunction& job, double row, double column, double length);
void CUADRO(PrinterFunction& job, int picture, double row, double left, double height, double right,
            const std::string& text = "", bool shade = true, double top = 0, long colour = 14474460,
            int force = 0);
void WALLPAPER(PrinterFunction& job, int picture, double row, double left, double height,
               double right, int flag = 0);
// Longest prefix of the translated text that fits `cells` columns; the whole text in workbooks.
std::string CUT(PrinterFunction& job, const std::string& text, double cells);
void MARK_POS(PrinterFunction& job, const std::string& text);

void LINEA_V(PrinterFunction& job, double row, double column, double height);
void XCUADRO(PrinterFunction& job, double row, double left, double height, double right);
// A shaded bar without outline; the row is also boxed and bold in a workbook.
void TCUADRO(PrinterFunction& job, double row, double left, double height, double right,
             long colour = 14474460);
// Absolute drawing, in device units from the page's top-left corner.
void CUADRO_ABS(PrinterFunction& job, int x, int y, int x2, int y2, long fill = kNoFill);
void P_ABSVLINE(PrinterFunction& job, int x, int y, int y2, int pen = 0);
void P_ABSHLINE(PrinterFunction& job, int y, int x, int x2, int pen = 0);
void TEXT_ABS(PrinterFunction& job, int x, int y, const std::string& text, int align = 0);
void PRINTABS(PrinterFunction& job, double row, int x, const std::string& text, int align = 0);
std::string CUT_ABS(PrinterFunction& job, const std::string& text, double width);
void FIT_ABS(PrinterFunction& job, int x, int y, double width, const std::string& text,
             int align = 0);
void DRAW_LOGO(PrinterFunction& job, const std::string& file, double row, double column,
               double rows, double columns);
// Word-wrapped text `width` cells wide from (row, column); at most `max_lines` lines (0 = all).
// Returns the row after the last line printed.
double PRINT_MEMO(PrinterFunction& job, double row, double column, const std::string& text,
                  double width, int max_lines = 0);
// Tab stops (columns) for texts printed with '\t' in them.
void SETTABS(PrinterFunction& job, std::vector<double> columns);
// The current position as a pair (row, device y) to come back to, and the device y alone.
std::pair<double, double> GET_YPOS(const PrinterFunction& job);
void SET_YPOS(PrinterFunction& job, const std::pair<double, double>& pos);
double GET_YPOS_G(const PrinterFunction& job);
void SET_YPOS_G(PrinterFunction& job, double y);

}  // namespace qz::services
