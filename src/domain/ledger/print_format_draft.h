#pragma once
// The format designer's state: the format being edited, its elements addressed as one list
// (the document's elements first, then the columns of its lines), and the rules of placing
// them — a new element lands where it does not cover another, a dragged one snaps to half cells
// and stays on the sheet, the columns of the lines share one row.
#include <string>

#include "domain/ledger/print_formats.h"

namespace qz::domain {

class FormatDraft {
public:
    explicit FormatDraft(PrintFormat f) : m_f(std::move(f)) {}

    const PrintFormat& format() const { return m_f; }
    // Page parameters are edited in place.
    PrintFormat& format() {
        m_dirty = true;
        return m_f;
    }
    size_t count() const { return m_f.header.size() + m_f.lines.size(); }
    const FormatElement& at(size_t i) const;
    bool is_line(size_t i) const { return i >= m_f.header.size(); }

    // Each returns the index of the new element. A field of the lines joins the lines block.
    size_t add_field(const std::string& field);
    size_t add_text(const std::string& text);
    size_t add_rule();
    // Moves to (row, column) snapped to half cells and kept on the sheet; the columns of the
    // lines move down or up together. Returns the element's index.
    size_t move(size_t i, double row, double column);
    // Replaces what the element shows and how (field, text, width, picture, font, alignment);
    // a field of the other block moves it there. Returns its index afterwards.
    size_t change(size_t i, const FormatElement& e);
    void remove(size_t i);

    bool dirty() const { return m_dirty; }
    void saved() { m_dirty = false; }

private:
    FormatElement& ref(size_t i);
    size_t place(FormatElement e, bool line);
    double free_row() const;
    double lines_row() const;

    PrintFormat m_f;
    bool m_dirty = false;
};

}  // namespace qz::domain
