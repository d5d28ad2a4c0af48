// The layouts of the deposit listings on the print engine's column listing.
#include "gui/deposits/deposit_reports.h"
#include "gui/deposits/deposit_text.h"
#include "gui/print/column_listing.h"

namespace qz::gui {

namespace {

namespace dl = qz::domain;
namespace tx = deposit_text;

const std::vector<ListingColumn> kDepositColumns = {
    {"Número", 0, 12, false},   {"Fecha", 13, 10, false},  {"Nombre", 24, 36, false},
    {"Concepto", 61, 8, false}, {"Mon.", 70, 4, false},    {"Monto", 75, 15, true},
    {"Saldo", 91, 15, true},    {"Estado", 107, 10, false}};
constexpr double kDepositBasis = 118;

const std::vector<ListingColumn> kReservationColumns = {
    {"Reservación", 0, 12, false}, {"Tipo Hab.", 13, 9, false},  {"Línea", 23, 5, false},
    {"Depósito", 29, 12, false},   {"Fecha", 42, 10, false},     {"Nombre", 53, 30, false},
    {"Mon.", 84, 4, false},        {"Monto Dep.", 89, 15, true}, {"Aplicado", 105, 15, true}};
constexpr double kReservationBasis = 121;

}  // namespace

void draw_deposit_listing(services::PrinterFunction& job, const dl::DepositListing& l) {
    ColumnListing out(job, kDepositColumns, kDepositBasis);
    out.header();
    for (const auto& h : l.deposits)
        if (!out.line({h.movement, tx::date(h.date), h.full_name, h.concept_code, h.currency,
                       tx::money(h.amount), tx::money(h.balance), dl::deposit_state_name(h)}))
            return;
    out.rule();
    for (const auto& t : l.totals)
        if (!out.text_line("Total " + t.currency + ": " + std::to_string(t.count) + " depósitos",
                           {"", "", "", "", "", tx::money(t.amount), tx::money(t.balance), ""}))
            return;
}

void draw_reservation_deposits(services::PrinterFunction& job,
                               const dl::ReservationDepositListing& l) {
    ColumnListing out(job, kReservationColumns, kReservationBasis);
    out.header();
    auto sum = l.per_reservation.begin();
    for (size_t i = 0; i < l.lines.size(); ++i) {
        const auto& r = l.lines[i];
        const auto& a = r.applied;
        if (!out.line({a.reservation, a.room_type, std::to_string(a.item), a.deposit,
                       tx::date(a.date), r.payer, r.deposit_currency, tx::money(r.deposit_amount),
                       tx::money(a.amount)}))
            return;
        // The lines come by reservation: its total follows its last line.
        const bool last =
            i + 1 == l.lines.size() || l.lines[i + 1].applied.reservation != a.reservation;
        if (last && sum != l.per_reservation.end()) {
            std::vector<std::string> cells(kReservationColumns.size());
            cells.back() = tx::money(sum->second);
            if (!out.text_line("   Total Reservación " + sum->first + ":", cells)) return;
            ++sum;
        }
    }
    out.rule();
    std::vector<std::string> cells(kReservationColumns.size());
    cells.back() = tx::money(l.total);
    out.text_line("Total " + l.currency + ":", cells);
}

}  // namespace qz::gui
