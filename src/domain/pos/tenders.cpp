#include "domain/pos/tenders.h"

#include <algorithm>

#include "core/text.h"

namespace qz::domain::pos {

namespace {

constexpr const char* kTitle = "Atencion";
constexpr const char* kOneCardOnly =
    "En caso de usar Pago Tarjeta Crédito, solamente se permite (1) forma de Pago";
constexpr const char* kCardWholeAmount =
    "En caso de usar Pago Tarjeta Crédito, solamente se permite cancelar el monto completo";

// A row taking another type starts afresh (room, voucher, card answer) but keeps its amount.
void take_type(TenderRow& r, const PaymentMethod& t) {
    if (r.code != t.code) {
        const Decimal amount = r.amount;
        r.clear();
        r.amount = amount;
    }
    r.code = t.code;
    r.name = t.name;
    if (!t.to_hotel) r.room.clear();
}

}  // namespace

bool TenderRow::used() const { return !trim(code).empty(); }

TenderSet::TenderSet(TenderInputs in, std::vector<PaymentMethod> types, std::vector<TenderRow> rows)
    : m_in(std::move(in)), m_types(std::move(types)), m_rows(std::move(rows)) {}

void TenderSet::open() {
    bool any_amount = false;
    for (auto& r : m_rows) {
        if (!r.used()) r.amount = Decimal();
        any_amount = any_amount || !r.amount.is_zero();
    }
    if (m_rows.empty()) m_rows.emplace_back();
    if (m_in.cash_concept) {
        m_in.paid = m_in.amount_due;
        if (!any_amount || !same_cents(total(), m_in.paid)) {
            TenderRow& first = m_rows.front();
            if (!first.used()) {
                if (const PaymentMethod* t = type_of(m_in.default_type)) {
                    first.code = t->code;
                    first.name = t->name;
                }
            }
            first.amount = m_in.amount_due;
        }
    }
    m_rows.resize(m_rows.size() + kSpareRows);
}

std::vector<TenderRow> TenderSet::used_rows() const {
    std::vector<TenderRow> out;
    for (const auto& r : m_rows)
        if (r.used()) out.push_back(r);
    return out;
}

const PaymentMethod* TenderSet::type_of(const std::string& code) const {
    const std::string wanted = upper_ascii(trim(code));
    if (wanted.empty()) return nullptr;
    for (const auto& t : m_types)
        if (upper_ascii(t.code) == wanted) return &t;
    return nullptr;
}

void TenderSet::set_paid(const Decimal& paid) {
    if (!paid_locked()) m_in.paid = paid;
}

Decimal TenderSet::total() const {
    Decimal sum;
    for (const auto& r : m_rows)
        if (r.used()) sum += r.amount;
    return sum;
}

bool TenderSet::quick_enabled(int n) const {
    if (n < 1 || n > 7) return false;
    return n == 1 || !trim(m_in.quick[static_cast<size_t>(n - 1)].label).empty();
}

std::string TenderSet::quick_caption(int n) const {
    if (n < 2 || !quick_enabled(n)) return "";
    return "F" + std::to_string(n + 1) + ": " + trim(m_in.quick[static_cast<size_t>(n - 1)].label);
}

TenderRow& TenderSet::at(int row) {
    if (row < 0) row = 0;
    if (static_cast<size_t>(row) >= m_rows.size()) m_rows.resize(static_cast<size_t>(row) + 1);
    return m_rows[static_cast<size_t>(row)];
}

bool TenderSet::set_code(int row, const std::string& code, UserPort& port) {
    if (trim(code).empty()) {
        at(row).clear();
        return true;
    }
    const PaymentMethod* t = type_of(code);
    if (!t) {
        port.message(MsgStyle::Atencion, kTitle, kUnknownCode);
        return false;
    }
    take_type(at(row), *t);
    return true;
}

void TenderSet::set_amount(int row, const Decimal& amount) { at(row).amount = amount.round(2); }

CellFocus TenderSet::focus_after(int row, const PaymentMethod& type) const {
    if (type.to_hotel) return {row, kColRoom};
    if (type.needs_voucher) return {row, kColVoucher};
    return {0, kColCode};
}

CellFocus TenderSet::after_amount(int row) const {
    const auto& r = m_rows.at(static_cast<size_t>(row));
    if (const PaymentMethod* t = type_of(r.code)) {
        if (t->to_hotel) return {row, kColRoom};
        if (t->needs_voucher) return {row, kColVoucher};
    }
    return {row + 1, kColCode};
}

void TenderSet::set_text(int row, int column, const std::string& text) {
    TenderRow& r = at(row);
    switch (column) {
        case kColRoom:
            set_room(row, text);
            break;
        case kColVoucher:
            r.voucher = trim(text);
            break;
        case kColAuth:
            r.authorisation = trim(text);
            break;
        case kColSignature:
            r.signature = trim(text);
            break;
        default:
            break;
    }
}

void TenderSet::set_room(int row, const std::string& room) {
    TenderRow& r = at(row);
    if (trim(room) == r.room) return;
    r.room = trim(room);
    // What the last check found belongs to the room it checked.
    r.account.clear();
    r.room_type.clear();
    r.room_item = 0;
    r.master = false;
    r.signature.clear();
}

void TenderSet::set_signature(int row, const std::string& file) { at(row).signature = file; }

void TenderSet::remove_row(int row) {
    if (row < 0 || static_cast<size_t>(row) >= m_rows.size()) return;
    m_rows.erase(m_rows.begin() + row);
    m_rows.emplace_back();
}

int TenderSet::pick_quick_row(int cursor_row, Decimal& others, bool& at_cursor) {
    at_cursor = false;
    others = total();
    const auto unused =
        std::find_if(m_rows.begin(), m_rows.end(), [](const TenderRow& r) { return !r.used(); });
    if (unused == m_rows.end()) {
        m_rows.emplace_back();
        return static_cast<int>(m_rows.size()) - 1;
    }
    if (!same_cents(others, m_in.paid)) return static_cast<int>(unused - m_rows.begin());
    const int row = std::clamp(cursor_row, 0, static_cast<int>(m_rows.size()) - 1);
    at_cursor = true;
    if (m_rows[static_cast<size_t>(row)].used()) others -= m_rows[static_cast<size_t>(row)].amount;
    return row;
}

QuickOutcome TenderSet::DO_FORMA_P(int n, int cursor_row, CardTerminal& terminal, UserPort& port) {
    if (!quick_enabled(n)) return {};
    const std::string& code = m_in.quick[static_cast<size_t>(n - 1)].type;
    if (trim(code).empty()) return {};
    const PaymentMethod* type = type_of(code);
    if (!type) {
        port.message(MsgStyle::Atencion, kTitle, kUnknownCode);
        return {};
    }
    Decimal others;
    bool at_cursor = false;
    const int row = pick_quick_row(cursor_row, others, at_cursor);
    TenderRow& r = m_rows[static_cast<size_t>(row)];
    const bool had_code = r.used();
    const Decimal rest = m_in.paid - others;
    take_type(r, *type);
    if (!(at_cursor && had_code && rest.is_zero())) r.amount = rest;

    QuickOutcome out;
    out.applied = true;
    if (type->card_provider != 0) {
        if (!charge_card(row, *type, terminal, port)) return out;
        out.accept_now = true;
    }
    out.focus = focus_after(row, *type);
    return out;
}

bool TenderSet::charge_card(int row, const PaymentMethod& type, CardTerminal& terminal,
                            UserPort& port) {
    TenderRow& r = m_rows[static_cast<size_t>(row)];
    const auto used =
        std::count_if(m_rows.begin(), m_rows.end(), [](const TenderRow& x) { return x.used(); });
    const char* refusal = nullptr;
    if (used != 1)
        refusal = kOneCardOnly;
    else if (!same_cents(r.amount, m_in.amount_due))
        refusal = kCardWholeAmount;
    if (refusal) {
        r.clear();
        port.message(MsgStyle::Atencion, kTitle, refusal);
        return false;
    }
    CardRequest req;
    req.provider = type.card_provider;
    req.amount = r.amount;
    req.business = m_in.business;
    req.currency = m_in.currency;
    const CardAnswer answer = terminal.PAGO_ELECTRONICO(req);
    if (!answer.approved()) {
        r.clear();
        const std::string why = trim(answer.message);
        port.message(MsgStyle::Error, "Error",
                     "TARJETA DENEGADA: " + (why.empty() ? "Error notificado del Banco" : why));
        return false;
    }
    r.card = answer.card;
    r.reference = answer.reference;
    r.card_authorisation = answer.authorisation;
    r.trace = answer.trace;
    r.terminal = type.card_provider;
    return true;
}

}  // namespace qz::domain::pos
