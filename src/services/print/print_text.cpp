// Text on the page: PRINTOUT and the functions that fit, cut and wrap texts.
#include <cmath>

#include "core/picture.h"
#include "core/text.h"
#include "services/print/print_ops.h"

namespace qz::services {

namespace {

// The template part of a picture ("@E 999.99" → "999.99"); a bare function has none.
std::string picture_template(const std::string& picture) {
    if (picture.empty() || picture[0] != '@') return picture;
    const auto blank = picture.find(' ');
    return blank == std::string::npos ? std::string() : picture.substr(blank + 1);
}

int bk_opaque(const PrinterFunction& job, int bk_mode) {
    return bk_mode == kBkOpaque || (bk_mode == kBkJob && job.opaque);
}

void apply_fill(std::string& text, char fill) {
    if (!fill) return;
    const auto at = text.find_last_of(" *");
    if (at != std::string::npos) text[at] = fill;
}

// Draws one piece of text at `column` of the current row, aligned over `length` cells.
void put_text(PrinterFunction& job, double column, const std::string& text, double length,
              int align, bool opaque) {
    double anchor = column;
    if (align == 1) anchor += length / 2;
    if (align == 2) anchor += length;
    DrawOp op;
    op.kind = DrawOp::Kind::Text;
    op.x = static_cast<int>(std::lround(job.x_of(anchor)));
    op.y = static_cast<int>(std::lround(job.YPos));
    op.align = align;
    op.opaque = opaque;
    op.font = job.current_font();
    op.text = text;
    job.CurAlign = align;
    job.draw(std::move(op));
}

// Pieces separated by tabs go to the tab stops in turn.
void put_tabbed(PrinterFunction& job, double column, const std::string& text, double length,
                int align, bool opaque) {
    if (job.tabs.empty() || text.find('\t') == std::string::npos) {
        put_text(job, column, text, length, align, opaque);
        return;
    }
    const auto pieces = split(text, '\t');
    double at = column;
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) at = i - 1 < job.tabs.size() ? job.tabs[i - 1] : at + 1;
        put_text(job, at, pieces[i], static_cast<double>(utf8_length(pieces[i])), 0, opaque);
        at += static_cast<double>(utf8_length(pieces[i]));
    }
}

void print_formatted(PrinterFunction& job, double row, double column, std::string text,
                     double length, int align, int bk_mode, char fill, bool heading) {
    apply_fill(text, fill);
    if (heading) {
        job.X_Header.push_back(PrintHeading{row, column, text, align});
        if (job.To_Excel && job.oExcel)
            job.oExcel->add_heading(row, static_cast<int>(column), text, align,
                                    job.current_font().bold);
    } else if (job.To_Excel) {
        if (job.oExcel && !trim(text).empty())
            job.oExcel->add_value(row, static_cast<int>(column), text, job.current_font().bold);
    }
    if (!job.To_Excel) {
        CHECK_PAGE(job);
        job.move_to_row(row);
        put_tabbed(job, column, text, length, align, bk_opaque(job, bk_mode));
    }
    job.PRow = row;
    job.PCol = column + static_cast<double>(utf8_length(text));
}

}  // namespace

std::string format_number(const Decimal& value, const std::string& picture) {
    std::string pic = picture;
    std::string text = pic_format(value, pic);
    // Thousands separators go first, from the left, so a big total still shows all its digits.
    while (text.find('*') != std::string::npos) {
        const auto comma = pic.find(',', pic[0] == '@' ? pic.find(' ') : 0);
        if (comma == std::string::npos) break;
        pic[comma] = '9';
        text = pic_format(value, pic);
    }
    return text;
}

void PRINTOUT(PrinterFunction& job, double row, double column, const std::string& text,
              const std::string& picture, int align, int bk_mode, char fill) {
    const bool heading = job.In_Header;
    std::string shown = heading ? job.tr(text) : text;
    const std::string tmpl = picture_template(picture);
    if (!tmpl.empty()) shown = pic_format_text(shown, picture);
    const double length = static_cast<double>(utf8_length(tmpl.empty() ? shown : tmpl));
    print_formatted(job, row, column, shown, length, align, bk_mode, fill, heading);
}

void PRINTOUT(PrinterFunction& job, double row, double column, const std::string& text, int align) {
    PRINTOUT(job, row, column, text, std::string(utf8_length(text), 'X'), align);
}

void PRINTOUT(PrinterFunction& job, double row, double column, const Decimal& value,
              const std::string& picture, int align, int bk_mode, char fill) {
    const std::string shown = format_number(value, picture);
    const double length = static_cast<double>(utf8_length(shown));
    print_formatted(job, row, column, shown, length, align, bk_mode, fill, job.In_Header);
}

std::string CUT_ABS(PrinterFunction& job, const std::string& text, double width) {
    const size_t n = utf8_length(text);
    size_t fits = 0;
    while (fits < n && job.text_width(utf8_substr(text, 0, fits + 1)) <= width) ++fits;
    return utf8_substr(text, 0, fits);
}

std::string CUT(PrinterFunction& job, const std::string& text, double cells) {
    const std::string shown = job.tr(text);
    if (job.To_Excel) return shown;
    return CUT_ABS(job, shown, cells * job.cell_width());
}

void TEXT_ABS(PrinterFunction& job, int x, int y, const std::string& text, int align) {
    CHECK_PAGE(job);
    DrawOp op;
    op.kind = DrawOp::Kind::Text;
    op.x = x;
    op.y = y;
    op.align = align;
    op.opaque = job.opaque;
    op.font = job.current_font();
    op.text = text;
    job.draw(std::move(op));
}

void PRINTABS(PrinterFunction& job, double row, int x, const std::string& text, int align) {
    CHECK_PAGE(job);
    job.move_to_row(row);
    TEXT_ABS(job, x, static_cast<int>(std::lround(job.YPos)), text, align);
}

void FIT_ABS(PrinterFunction& job, int x, int y, double width, const std::string& text, int align) {
    TEXT_ABS(job, x, y, CUT_ABS(job, text, width), align);
}

double PRINT_MEMO(PrinterFunction& job, double row, double column, const std::string& text,
                  double width, int max_lines) {
    const double room = width * job.cell_width();
    int printed = 0;
    for (const std::string& paragraph : split(text, '\n')) {
        std::string line;
        auto flush = [&] {
            if (max_lines == 0 || printed < max_lines) PRINTOUT(job, row + printed, column, line);
            ++printed;
            line.clear();
        };
        for (const std::string& word : split(rtrim(paragraph), ' ')) {
            const std::string longer = line.empty() ? word : line + " " + word;
            if (!line.empty() && job.text_width(longer) > room) {
                flush();
                line = word;
            } else {
                line = longer;
            }
        }
        flush();
    }
    if (max_lines > 0 && printed > max_lines) printed = max_lines;
    return row + printed;
}

void SETTABS(PrinterFunction& job, std::vector<double> columns) { job.tabs = std::move(columns); }

void MARK_POS(PrinterFunction& job, const std::string& text) {
    job.A_MARK_POS.push_back(PrintMark{text, job.Paginas, job.PRow});
}

}  // namespace qz::services
