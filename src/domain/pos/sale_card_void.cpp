#include "domain/pos/sale_card_void.h"

#include "core/text.h"
#include "domain/ledger/payment_setup.h"
#include "domain/pos/card_log.h"

namespace qz::domain::pos {

namespace {

constexpr const char* kVoided = "Anulación automática: la venta no se guardó";
constexpr const char* kVoidFailed = "Anulación automática fallida: ";

bool same_approval(const TenderRow& a, const TenderRow& b) {
    return trim(a.reference) == trim(b.reference) &&
           trim(a.card_authorisation) == trim(b.card_authorisation) && trim(a.card) == trim(b.card);
}

}  // namespace

bool card_approved(const TenderRow& row) {
    return row.used() && (!trim(row.reference).empty() || !trim(row.card_authorisation).empty());
}

std::string card_void_failed(const std::string& card) {
    return "La tarjeta " + masked_card(card) +
           " fue aprobada pero no se pudo anular; avise al supervisor";
}

void void_approved_cards(data::Db& db, UserPort& port, CardTerminal& terminal,
                         const std::string& business, const std::string& currency,
                         const std::vector<TenderRow>& tenders) {
    for (const TenderRow& row : tenders) {
        if (!card_approved(row)) continue;
        const auto method = read_payment_method(db, business, row.code);
        CardRequest q;
        q.provider = method && method->card_provider > 0 ? method->card_provider : row.terminal;
        q.operation = kCardVoid;
        q.amount = row.amount;
        q.business = business;
        q.currency = currency;
        q.card = row.card;
        q.reference = row.reference;
        q.authorisation = row.card_authorisation;
        q.trace = row.trace;
        const CardAnswer a = terminal.PAGO_ELECTRONICO(q);
        const bool voided = a.approved();
        try {
            // A terminal that logs its own attempts has written this one already.
            if (!a.logged)
                write_card_log(db, {business, q.provider, kCardVoid, row.card, row.reference,
                                    row.card_authorisation, row.trace,
                                    voided ? kVoided : kVoidFailed + a.message});
        } catch (const std::exception&) {
            // A log that cannot be written must not hide the void's outcome from the cashier.
        }
        if (!voided) port.message(MsgStyle::Error, "Error", card_void_failed(row.card));
    }
}

void void_abandoned_cards(data::Db& db, UserPort& port, CardTerminal& terminal,
                          const std::string& business, const std::string& currency,
                          std::vector<TenderRow>& tenders, const std::vector<TenderRow>& kept) {
    auto abandoned = [&](const TenderRow& row) {
        if (!card_approved(row)) return false;
        for (const TenderRow& k : kept)
            if (card_approved(k) && same_approval(k, row)) return false;
        return true;
    };
    std::vector<TenderRow> to_void;
    for (const TenderRow& row : tenders)
        if (abandoned(row)) to_void.push_back(row);
    if (to_void.empty()) return;
    void_approved_cards(db, port, terminal, business, currency, to_void);
    std::erase_if(tenders, abandoned);
}

}  // namespace qz::domain::pos
