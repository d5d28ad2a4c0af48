#include "domain/deposits/deposit_posting.h"

#include "core/text.h"
#include "domain/deposits/bank_book.h"
#include "domain/deposits/deposit_concepts.h"
#include "domain/deposits/deposit_save.h"
#include "domain/ledger/ledger_settings.h"

namespace qz::domain {

namespace {

// One line of the entry in the deposit's currency: an account, or a link when `account` is "".
struct EntryLine {
    std::string account, link;
    Decimal debit, credit;
};

std::vector<EntryLine> entry_lines(const DepositPosting& p) {
    std::vector<EntryLine> out;
    if (p.kind == kBankBookDeposit)
        out.push_back({p.bank_ledger_account, "", p.money_in ? p.amount : Decimal(),
                       p.money_in ? Decimal() : p.amount});
    for (const auto& l : p.lines)
        if (!trim(l.account).empty()) out.push_back({trim(l.account), "", l.debit, l.credit});
    Decimal net;
    for (const auto& l : out) net += l.debit - l.credit;
    if (p.kind != kCounterpartBalances && net != 0)
        out.push_back({"", kPrepaymentLink, net < 0 ? -net : Decimal(), net > 0 ? net : Decimal()});
    return out;
}

Decimal converted(const Decimal& v, const Decimal& rate) { return ROUND5(v * rate); }

}  // namespace

std::string post_deposit(data::Db& db, const DepositPosting& p) {
    const LedgerSettings settings = read_ledger_settings(db, p.business);
    if (!settings.posts) return "";
    ContaTransaction c(db, p.business, kDepositJournal, p.date, p.movement, p.stamp);
    if (!c.ok()) return "";
    const std::string currency = trim(settings.accounting_currency);
    for (const EntryLine& l : entry_lines(p)) {
        const Decimal debit = converted(l.debit, p.rate), credit = converted(l.credit, p.rate);
        if (l.account.empty())
            c.post_link_side(l.link, debit, credit, currency, Decimal(1), p.description);
        else
            c.post_line(l.account, debit, credit, currency, Decimal(1), p.description);
    }
    const auto [debits, credits] = c.totals(currency);
    const Decimal residue = debits - credits;
    if (residue != 0)
        c.post_link_side(kRoundingLink, residue < 0 ? -residue : Decimal(),
                         residue > 0 ? residue : Decimal(), currency, Decimal(1), p.description);
    c.close();
    return c.voucher();
}

std::string reverse_deposit_posting(data::Db& db, const std::string& business,
                                    const std::string& voucher, const std::string& movement,
                                    const Date& date, const std::string& description,
                                    const JournalStamp& stamp) {
    if (trim(voucher).empty() || !read_ledger_settings(db, business).posts) return "";
    ContaTransaction c(db, business, kDepositJournal, date, movement, stamp);
    if (!c.ok()) return "";
    for (const VoucherLine& l : deposit_voucher_lines(db, business, voucher, movement, false))
        c.post_line(l.account, l.credit, l.debit, l.currency, l.rate, description);
    c.close();
    return c.voucher();
}

std::vector<VoucherLine> deposit_voucher_lines(data::Db& db, const std::string& business,
                                               const std::string& voucher,
                                               const std::string& movement, bool of_void) {
    std::vector<VoucherLine> out;
    if (trim(voucher).empty()) return out;
    const std::string void_text = deposit_void_description(movement);
    for (VoucherLine& l : voucher_lines(db, business, voucher))
        if (trim(l.document) == trim(movement) && (trim(l.description) == void_text) == of_void)
            out.push_back(std::move(l));
    return out;
}

}  // namespace qz::domain
