#include "domain/pos/return_note_desk.h"

#include "core/text.h"
#include "domain/ledger/currencies.h"
#include "domain/ledger/document_reads.h"
#include "domain/pos/articles.h"
#include "domain/pos/sale_price_lists.h"

namespace qz::domain::pos {

namespace {

std::vector<CodeName> price_type_choices(data::Db& db, const std::string& business) {
    std::vector<CodeName> out;
    for (const auto& p : business_rows<PriceType>(db, "ENC_PREC", business, price_type_from_row))
        out.push_back({p.code, p.name});
    return out;
}

std::vector<CodeName> currency_choices(data::Db& db, const std::string& business) {
    std::vector<CodeName> out;
    for (const auto& c : business_currencies(db, business)) out.push_back({c.code, c.name});
    return out;
}

// A return gives back what the customer paid for what he brings: each line keeps the invoiced
// unit price, discount and tax rather than today's list price, which may have moved since the
// sale. Its cost is the article's average cost now, as for a line typed by hand.
std::vector<ReturnLine> returned_lines(data::Db& db, const std::string& business,
                                       const std::vector<DocumentLine>& lines) {
    std::vector<ReturnLine> out;
    for (const auto& d : lines) {
        if (d.code.empty() || d.quantity <= Decimal(0)) continue;
        ReturnLine l;
        l.code = d.code;
        l.name = d.description;
        l.quantity = d.quantity;
        l.price = d.price;
        l.discount = d.discount_pct;
        l.tax = d.tax_pct;
        if (const auto a = read_article(db, business, d.code)) l.cost = a->average_cost;
        out.push_back(std::move(l));
    }
    return out;
}

}  // namespace

std::vector<ReturnLine> document_return_lines(data::Db& db, const std::string& business,
                                              const std::string& number) {
    const auto doc = read_document_data(db, business, number);
    return doc ? returned_lines(db, business, doc->lines) : std::vector<ReturnLine>{};
}

ReturnNoteDesk::ReturnNoteDesk(data::Db& db, UserPort& port, std::string business)
    : m_db(db),
      m_port(port),
      m_business(std::move(business)),
      m_defaults(read_return_defaults(db, m_business)),
      m_price_types(price_type_choices(db, m_business)),
      m_currencies(currency_choices(db, m_business)) {
    refresh_notes();
}

void ReturnNoteDesk::refresh_notes() { m_notes = business_return_notes(m_db, m_business); }

std::string ReturnNoteDesk::refuse(const std::string& why) {
    m_port.message(MsgStyle::Error, "Error", why);
    return why;
}

void ReturnNoteDesk::load(const ReturnHeader& header) {
    m_note = header;
    m_lines = read_return_lines(m_db, m_business, header.number);
    keep_empty_row();
}

void ReturnNoteDesk::keep_empty_row() {
    if (m_lines.empty() || !m_lines.back().blank()) m_lines.push_back({});
}

bool ReturnNoteDesk::leave_note() { return !m_note || save(); }

bool ReturnNoteDesk::open_note(const std::string& number) {
    if (m_note && m_note->number == number) return true;
    if (!leave_note()) return false;
    const auto h = read_return_note(m_db, m_business, number);
    if (!h) {
        refresh_notes();
        refuse(kReturnGone + number);
        return false;
    }
    load(*h);
    return true;
}

bool ReturnNoteDesk::start_note(const ReturnHeader& header, const std::vector<ReturnLine>& lines) {
    if (!leave_note()) return false;
    const ReturnWrite w = create_return_note(m_db, m_business, m_defaults.series, header, lines);
    if (!w.ok()) {
        refuse(w.refusal);
        return false;
    }
    refresh_notes();
    m_note = w.header;
    m_lines = w.lines;
    keep_empty_row();
    return true;
}

bool ReturnNoteDesk::new_note() {
    ReturnHeader h;
    h.price_type = m_defaults.price_type;
    h.currency = m_defaults.currency;
    return start_note(h, {});
}

bool ReturnNoteDesk::new_note_from_document(const std::string& number) {
    const auto doc = read_document_data(m_db, m_business, number);
    std::vector<ReturnLine> lines;
    if (doc) lines = returned_lines(m_db, m_business, doc->lines);
    if (lines.empty()) {
        refuse(kReturnNoArticleLines);
        return false;
    }
    ReturnHeader h;
    h.price_type = m_defaults.price_type;
    h.currency = doc->header.currency.code;
    for (auto& l : lines) l.price_type = h.price_type;
    return start_note(h, lines);
}

std::string ReturnNoteDesk::set_code(size_t row, const std::string& typed) {
    if (read_only()) return refuse(kReturnAppliedMeanwhile);
    if (row >= m_lines.size()) return "";
    ReturnLine& l = m_lines[row];
    const std::string code = trim(typed);
    const auto found = code.empty() ? std::nullopt : find_article(m_db, m_business, code);
    if (!found) {
        const long recno = l.recno;
        l = ReturnLine{};
        l.recno = recno;
        return code.empty() ? "" : refuse(kReturnCodeMissing);
    }
    if (m_note->price_type.empty()) return refuse(kReturnNoPriceType);
    const Article& a = found->article;
    l.code = a.code;
    l.name = a.name;
    const auto base = lookup_base_price(m_db, m_business, a.code, m_note->price_type, "");
    l.price = base ? base->price : Decimal();
    l.cost = a.average_cost;
    l.tax = a.tax;
    l.quantity = a.suggested_quantity;
    l.discount = Decimal();
    l.price_type = m_note->price_type;
    keep_empty_row();
    return "";
}

std::string ReturnNoteDesk::set_quantity(size_t row, const Decimal& quantity) {
    if (read_only()) return refuse(kReturnAppliedMeanwhile);
    if (row >= m_lines.size() || m_lines[row].blank()) return "";
    if (quantity <= Decimal(0)) return refuse(kReturnBadQuantity);
    m_lines[row].quantity = quantity;
    return "";
}

void ReturnNoteDesk::set_price_type(const std::string& code) {
    if (!read_only()) m_note->price_type = trim(code);
}

void ReturnNoteDesk::set_currency(const std::string& code) {
    if (!read_only()) m_note->currency = trim(code);
}

bool ReturnNoteDesk::save() {
    if (read_only()) return true;
    const ReturnWrite w = save_return_note(m_db, m_business, *m_note, m_lines);
    if (w.ok()) {
        m_note = w.header;
        m_lines = w.lines;
        keep_empty_row();
        refresh_notes();
        return true;
    }
    refuse(w.refusal);
    reload();
    return false;
}

void ReturnNoteDesk::reload() {
    refresh_notes();
    // What the screen shows becomes what is stored: the applied note read-only, or none.
    if (const auto now = read_return_note(m_db, m_business, m_note->number)) {
        load(*now);
    } else {
        m_note.reset();
        m_lines.clear();
    }
}

bool ReturnNoteDesk::remove() {
    if (!m_note) return false;
    if (m_note->applied) {
        refuse(kReturnApplied);
        return false;
    }
    if (!m_port.confirm("Atencion", kReturnDeleteQuestion + m_note->number + "?")) return false;
    const std::string why = delete_return_note(m_db, m_business, m_note->number);
    if (!why.empty()) refuse(why);
    reload();
    return why.empty();
}

}  // namespace qz::domain::pos
