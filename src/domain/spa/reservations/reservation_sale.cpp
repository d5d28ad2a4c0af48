#include "domain/spa/reservations/reservation_sale.h"

#include <stdexcept>

#include "core/text.h"
#include "data/table_ops.h"
#include "domain/session/master_rows.h"
#include "domain/spa/reservations/reservation_actions.h"
#include "domain/spa/reservations/reservation_row.h"

namespace qz::domain::spa {

namespace {

std::vector<SpaLine> read_lines(data::Db& db, const std::string& business,
                                const std::string& code) {
    std::vector<SpaLine> out;
    auto d = data::USE(db, "SPA_RESD", "SPA_RESD");
    const std::string key = reservation_lines_key(business, code);
    d->SetScope(key, key);
    for (d->GoTop(); !d->Eof(); d->Skip()) out.push_back(line_from_row(*d));
    data::KILLTABLA(db, d);
    return out;
}

std::optional<SpaHeader> read_header(data::Db& db, const std::string& business,
                                     const std::string& code) {
    auto t = data::USE(db, "SPA_RESE", "SPA_RESE");
    std::optional<SpaHeader> h;
    if (t->Seek(reservation_key(business, code))) h = reservation_from_row(*t);
    data::KILLTABLA(db, t);
    return h;
}

}  // namespace

bool load_reservation_sale(data::Db& db, UserPort& port, const std::string& business,
                           const std::string& code, pos::SaleDraft& draft) {
    if (!check_invoicing(db, port, business, code)) return false;
    const auto h = read_header(db, business, code);
    if (!h) return false;
    // The reservation's price type and person in charge are those of the sale; a register that
    // locks either keeps its own, which the sale's checks then hold.
    draft.PROCE_PRECIO(h->price_type);
    draft.PROCE_AGENTE(h->agent);
    draft.set_contact(pos::kName, h->name);
    for (const SpaLine& l : read_lines(db, business, code)) {
        // A line of nothing has nothing to invoice ("No hay nada que facturar" counts the rest).
        if (l.quantity <= Decimal(0)) continue;
        const pos::CodeResult r =
            draft.bring_line({l.article, l.quantity, l.price, l.discount, h->code});
        if (!r.accepted) return false;
    }
    return true;
}

void link_reservation_invoice(data::Db& db, const std::string& business, const std::string& code,
                              const std::string& document) {
    auto t = data::USE(db, "SPA_RESE", "SPA_RESE");
    std::optional<SpaHeader> h;
    if (lock_at_key(*t, reservation_key(business, code))) h = reservation_from_row(*t);
    const bool active = h && h->state == kActive;
    if (active) {
        h->state = kInvoiced;
        h->mov_cxc = document;
        put_reservation_row(*t, business, *h);
    }
    if (h) data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
    if (!active)
        throw std::runtime_error("La reserva " + trim(code) +
                                 " ya no está activa: fue facturada o anulada en otra estación");
}

}  // namespace qz::domain::spa
