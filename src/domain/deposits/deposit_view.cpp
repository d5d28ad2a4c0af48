#include "domain/deposits/deposit_view.h"

#include "core/text.h"
#include "domain/deposits/deposit_concepts.h"
#include "domain/deposits/deposit_posting.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

std::optional<DepositView> read_deposit_view(data::Db& db, const std::string& business,
                                             const std::string& movement) {
    auto record = read_deposit(db, business, movement);
    if (!record) return std::nullopt;
    DepositView v{std::move(*record), "", "", {}, {}, std::nullopt, std::nullopt};
    const DepositHeader& h = v.record.header;
    const auto deposit_concept = read_deposit_concept(db, business, h.concept_code);
    if (deposit_concept) v.concept_name = deposit_concept->name;
    v.made_by_name =
        read_code_row<std::string>(db, "HECHOPOR", business, h.made_by,
                                   [](const data::WDBTable& t) { return trim(t.str("NOMBRE")); })
            .value_or("");
    v.booking_lines = deposit_voucher_lines(db, business, h.voucher, h.movement, false);
    v.void_lines = deposit_voucher_lines(db, business, h.void_voucher, h.movement, true);
    // Found by the deposit's number: the concept may name another account since.
    if (const auto account = deposit_bank_account(db, business, h.movement)) {
        const auto book = [&](const std::string& n) -> std::optional<BankBookEntry> {
            if (n.empty()) return std::nullopt;
            return read_bank_book_movement(db, business, account->first, account->second, n);
        };
        v.bank_movement = book(h.bank_movement);
        v.void_bank_movement = book(h.void_bank_movement);
    }
    return v;
}

}  // namespace qz::domain
