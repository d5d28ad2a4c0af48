#include "services/print/page.h"

#include <fmt/format.h>

namespace qz::services {

namespace {

std::string quoted(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') out += '\\';
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        out += c;
    }
    return out + "\"";
}

std::string fill_text(long fill) { return fill == kNoFill ? "none" : fmt::format("{:06X}", fill); }

const char* align_text(int align) { return align == 1 ? "C" : (align == 2 ? "R" : "L"); }

}  // namespace

std::string serialise(const DrawOp& op) {
    switch (op.kind) {
        case DrawOp::Kind::Text:
            return fmt::format("text {} {} {} {}/{}/{}{} {}", op.x, op.y, align_text(op.align),
                               op.font.face, op.font.points, op.font.bold ? "B" : "N",
                               op.opaque ? " opaque" : "", quoted(op.text));
        case DrawOp::Kind::Line:
            return fmt::format("line {} {} {} {} pen={}", op.x, op.y, op.x2, op.y2, op.pen);
        case DrawOp::Kind::Rect:
            return fmt::format("rect {} {} {} {} fill={} pen={}", op.x, op.y, op.x2, op.y2,
                               fill_text(op.fill), op.pen);
        case DrawOp::Kind::RoundRect:
            return fmt::format("rrect {} {} {} {} r={} fill={} pen={}", op.x, op.y, op.x2, op.y2,
                               op.radius, fill_text(op.fill), op.pen);
        case DrawOp::Kind::Picture:
            return fmt::format("picture {} {} {} {} {}", op.x, op.y, op.x2, op.y2, quoted(op.text));
    }
    return {};
}

std::string serialise(const Page& page) {
    std::string out = fmt::format("page {}x{}\n", page.width, page.height);
    for (const DrawOp& op : page.ops) out += serialise(op) + "\n";
    return out;
}

}  // namespace qz::services
