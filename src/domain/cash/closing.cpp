#include "domain/cash/closing.h"

#include <map>

#include "core/text.h"
#include "data/order_key.h"
#include "domain/cash/closing_receipts.h"
#include "domain/ledger/currencies.h"
#include "domain/ledger/ledger_settings.h"
#include "domain/ledger/payment_setup.h"
#include "domain/session/master_rows.h"

namespace qz::domain::cash {

namespace {

constexpr const char* kDayEnd = "23:59:59";

ClosingType type_of(const PaymentMethod& m) {
    ClosingType t;
    t.code = m.code;
    t.description = m.name;
    t.money_out = m.direction != 0;
    t.not_collected = m.no_closing;
    return t;
}

ClosingLine line_of(const ClosingReceipt& r, const Decimal& amount) {
    std::string reference = r.documents.empty() ? "" : r.documents.back();
    if (r.documents.size() > 1) reference = "*" + reference;
    return {r.date, r.time, r.number, r.customer, reference, r.symbol, amount};
}

// Every tender line of the period under its type. A receipt's documents count once in the taxed,
// exempt and tax totals however many tender lines pay them: a receipt paid half in cash and half
// by card paid one invoice, not two.
void add_receipts(Closing& c, const std::vector<ClosingReceipt>& receipts) {
    std::map<std::string, size_t> by_code;
    for (size_t i = 0; i < c.types.size(); ++i) by_code[c.types[i].code] = i;
    for (const auto& r : receipts) {
        bool listed = false;
        for (const auto& tender : r.tenders) {
            auto found = by_code.find(tender.code);
            if (found == by_code.end()) continue;
            ClosingType& t = c.types[found->second];
            const Decimal sign(t.money_out ? -1 : 1);
            const Decimal amount = (tender.amount * sign * r.rate).round(2);
            t.lines.push_back(line_of(r, amount));
            t.total += amount;
            c.grand_total += amount;
            if (!t.not_collected) c.collected += amount;
            listed = true;
        }
        if (!listed) continue;
        ++c.receipts;
        c.taxed += r.nets.taxed * r.rate;
        c.exempt += r.nets.exempt * r.rate;
        c.tax += r.nets.tax * r.rate;
    }
    c.taxed = c.taxed.round(2);
    c.exempt = c.exempt.round(2);
    c.tax = c.tax.round(2);
}

}  // namespace

ClosingRequest shift_closing(const std::string& business, const CashShift& shift,
                             const RegisterTables& family, const std::optional<DateTime>& end) {
    ClosingRequest r;
    r.business = business;
    r.register_code = shift.register_code;
    r.start_date = shift.start_date;
    r.start_time = shift.start_time;
    r.end_date = shift.end_date;
    r.end_time = shift.end_time;
    if (shift.running() && end) {
        r.end_date = end->date;
        r.end_time = end->time;
    }
    r.operator_code = shift.operator_code;
    r.family = &family;
    return r;
}

ShiftPick pick_shift_closing(data::Db& db, const std::string& business,
                             const std::string& register_code, std::optional<long> number) {
    if (!read_register(db, kPosRegisters, business, register_code))
        return {std::nullopt, "La caja " + register_code + " no existe en la empresa " + business};
    const auto shifts = register_shifts(db, kPosRegisters, business, register_code);
    if (shifts.empty()) return {std::nullopt, "La caja " + register_code + " no tiene turnos"};
    const long n = number.value_or(static_cast<long>(shifts.size()));
    if (n < 1 || n > static_cast<long>(shifts.size()))
        return {std::nullopt, "La caja " + register_code + " tiene " +
                                  std::to_string(shifts.size()) + " turnos; no hay turno " +
                                  std::to_string(n)};
    return {shift_closing(business, shifts[static_cast<size_t>(n - 1)], kPosRegisters,
                          db.clock().now()),
            ""};
}

std::optional<Closing> read_closing(data::Db& db, const ClosingRequest& q) {
    const auto reg = read_register(db, *q.family, q.business, q.register_code);
    if (!reg) return std::nullopt;
    Closing c;
    c.register_code = reg->code;
    c.register_name = reg->description;
    if (const auto op = read_operator(db, q.business, q.operator_code)) c.cashier = op->name;
    c.start_date = q.start_date;
    c.start_time = q.start_time;
    c.end_date = q.end_date.empty() ? db.clock().XDATE() : q.end_date;
    c.end_time = trim(q.end_time).empty() ? kDayEnd : q.end_time;

    ReceiptPeriod p{q.business,   reg->code,  c.start_date, c.end_date,
                    c.start_time, c.end_time, {},           trim(reg->MON_CIERRE)};
    p.accounting_currency = read_ledger_settings(db, q.business).accounting_currency;
    c.currency = p.closing_currency.empty() ? p.accounting_currency : p.closing_currency;
    if (const auto cur = read_currency(db, q.business, c.currency)) c.symbol = trim(cur->symbol);

    for (const auto& m :
         business_rows<PaymentMethod>(db, "TIPO_MOV", q.business, payment_method_from_row))
        c.types.push_back(type_of(m));
    add_receipts(c, read_closing_receipts(db, p));
    return c;
}

std::string closing_period(const Closing& c) {
    return "Entre: " + c.start_date.dtoc4() + " " + c.start_time + "  y " + c.end_date.dtoc4() +
           " " + c.end_time;
}

}  // namespace qz::domain::cash
