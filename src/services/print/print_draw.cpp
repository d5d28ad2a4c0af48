// Rules, boxes, bands and pictures on the page grid, and their absolute counterparts.
#include <algorithm>
#include <cmath>

#include "core/text.h"
#include "services/print/print_ops.h"

namespace qz::services {

namespace {

int px(double v) { return static_cast<int>(std::lround(v)); }

int thin_pen(const PrinterFunction& job) { return std::max(1, job.DpiY / 150); }

DrawOp shape(DrawOp::Kind kind, double x, double y, double x2, double y2) {
    DrawOp op;
    op.kind = kind;
    op.x = px(x);
    op.y = px(y);
    op.x2 = px(x2);
    op.y2 = px(y2);
    return op;
}

void grid_shape(PrinterFunction& job, DrawOp::Kind kind, double row, double left, double height,
                double right, long fill, int pen, double top = 0) {
    CHECK_PAGE(job);
    const double y = job.y_of(row) + top * job.line_height();
    DrawOp op = shape(kind, job.x_of(left), y, job.x_of(right), y + height * job.line_height());
    op.fill = fill;
    op.pen = pen;
    if (kind == DrawOp::Kind::RoundRect) op.radius = px(job.cell_width());
    job.draw(std::move(op));
}

}  // namespace

void SUBRAYA(PrinterFunction& job, double row, double column, double length) {
    CHECK_PAGE(job);
    // Font N sits lower in its cell, so its underline does too.
    const double drop = job.font == ReportFont::N ? 0.04 : 0;
    const double top = job.y_of(row), lh = job.line_height();
    DrawOp op = shape(DrawOp::Kind::Rect, job.x_of(column), top + (0.97 + drop) * lh,
                      job.x_of(column + length), top + (1.03 + drop) * lh);
    op.fill = 0;
    op.pen = 0;
    job.draw(std::move(op));
}

void CUADRO(PrinterFunction& job, int picture, double row, double left, double height, double right,
            const std::string& text, bool shade, double top, long colour, int force) {
    (void)picture;  // background pictures are chosen by code but not drawn in this build
    const bool grey = shade && (job.env.XGRAYED == 1 || force != 0);
    grid_shape(job, DrawOp::Kind::RoundRect, row, left, height, right, grey ? colour : kWhite,
               thin_pen(job), top);
    if (text.empty()) return;
    const auto keep = GET_YPOS(job);
    const double keep_col = job.PCol;
    std::string plain = text;
    plain.erase(std::remove(plain.begin(), plain.end(), '\r'), plain.end());
    const auto lines = split(plain, '\n');
    for (size_t i = 0; i < lines.size() && i < 11; ++i)
        PRINTOUT(job, row + top + 1 + static_cast<double>(i), left + 1, lines[i]);
    SET_YPOS(job, keep);
    job.PCol = keep_col;
}

void WALLPAPER(PrinterFunction& job, int picture, double row, double left, double height,
               double right, int flag) {
    (void)picture;
    const long fill = job.env.XGRAYED == 1 && flag == 0 ? 13816530 : kWhite;
    grid_shape(job, DrawOp::Kind::RoundRect, row, left, height, right, fill, 0);
}

void LINEA_V(PrinterFunction& job, double row, double column, double height) {
    CHECK_PAGE(job);
    const double y = job.y_of(row), x = job.x_of(column);
    DrawOp op = shape(DrawOp::Kind::Line, x, y, x, y + height * job.line_height());
    op.pen = thin_pen(job);
    job.draw(std::move(op));
}

void XCUADRO(PrinterFunction& job, double row, double left, double height, double right) {
    grid_shape(job, DrawOp::Kind::Rect, row, left, height, right, kNoFill, thin_pen(job));
}

void TCUADRO(PrinterFunction& job, double row, double left, double height, double right,
             long colour) {
    job.XLS_TCuadro.push_back(row);
    const long fill = job.env.XGRAYED == 1 ? colour : kWhite;
    grid_shape(job, DrawOp::Kind::Rect, row, left, height, right, fill, 0);
}

void CUADRO_ABS(PrinterFunction& job, int x, int y, int x2, int y2, long fill) {
    CHECK_PAGE(job);
    DrawOp op = shape(DrawOp::Kind::Rect, x, y, x2, y2);
    op.fill = fill;
    op.pen = thin_pen(job);
    job.draw(std::move(op));
}

void P_ABSVLINE(PrinterFunction& job, int x, int y, int y2, int pen) {
    CHECK_PAGE(job);
    DrawOp op = shape(DrawOp::Kind::Line, x, y, x, y2);
    op.pen = pen > 0 ? pen : thin_pen(job);
    job.draw(std::move(op));
}

void P_ABSHLINE(PrinterFunction& job, int y, int x, int x2, int pen) {
    CHECK_PAGE(job);
    DrawOp op = shape(DrawOp::Kind::Line, x, y, x2, y);
    op.pen = pen > 0 ? pen : thin_pen(job);
    job.draw(std::move(op));
}

void DRAW_LOGO(PrinterFunction& job, const std::string& file, double row, double column,
               double rows, double columns) {
    if (file.empty()) return;
    CHECK_PAGE(job);
    const double y = job.y_of(row);
    DrawOp op = shape(DrawOp::Kind::Picture, job.x_of(column), y, job.x_of(column + columns),
                      y + rows * job.line_height());
    op.text = file;
    job.draw(std::move(op));
}

std::pair<double, double> GET_YPOS(const PrinterFunction& job) { return {job.PRow, job.YPos}; }

void SET_YPOS(PrinterFunction& job, const std::pair<double, double>& pos) {
    job.PRow = pos.first;
    job.YPos = pos.second;
}

double GET_YPOS_G(const PrinterFunction& job) { return job.YPos; }

void SET_YPOS_G(PrinterFunction& job, double y) { job.YPos = y; }

}  // namespace qz::services
