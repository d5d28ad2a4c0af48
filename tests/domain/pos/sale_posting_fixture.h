#pragma once
// The demonstration business with ledger links of its own for the sale's journal and receipt
// tests, and what a voucher holds for one document.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text.h"
#include "domain/ledger/demo_ledger_fixture.h"
#include "domain/ledger/journal.h"
#include "support/record_edit.h"

namespace qz::test {

class SalePostingTest : public DemoLedgerTest {
protected:
    // A link to an account of its own, on the debit (1) or credit (0) side.
    void add_link(const char* code, const char* account, int debit) {
        add_record(*db, "CUENTAS",
                   {{"NEGOCIO", std::string("HOTEL")},
                    {"CUENTA", std::string(account)},
                    {"DESCRIP", std::string(code)}});
        add_record(*db, "LIGAS",
                   {{"NEGOCIO", std::string("HOTEL")},
                    {"CODIGO", std::string(code)},
                    {"CUENTA", std::string(account)},
                    {"CUENTA2", std::string(account)},
                    {"TIPO", Decimal(debit)},
                    {"TIPO2", Decimal(debit)}});
    }
    // The lines of the voucher written for `document`, in writing order.
    std::vector<domain::VoucherLine> lines_of(const std::string& voucher,
                                              const std::string& document) {
        std::vector<domain::VoucherLine> out;
        for (auto& l : domain::voucher_lines(*db, "HOTEL", voucher))
            if (l.document == document) out.push_back(l);
        return out;
    }
    // The one line whose text begins with `text` on `account`; fails the test when not exactly
    // one.
    static domain::VoucherLine line(const std::vector<domain::VoucherLine>& lines,
                                    const std::string& account, const std::string& text) {
        std::vector<domain::VoucherLine> found;
        for (const auto& l : lines)
            if (l.account == account && l.description.rfind(text, 0) == 0) found.push_back(l);
        EXPECT_EQ(found.size(), 1u) << account << " " << text;
        return found.empty() ? domain::VoucherLine{} : found.front();
    }
    static bool has_text(const std::vector<domain::VoucherLine>& lines, const std::string& text) {
        for (const auto& l : lines)
            if (l.description.rfind(text, 0) == 0) return true;
        return false;
    }
    static void expect_balanced(const std::vector<domain::VoucherLine>& lines) {
        for (const auto& t : domain::voucher_totals(lines))
            EXPECT_EQ(t.debit, t.credit) << "currency " << t.currency;
    }
};

inline Decimal dec(const char* s) { return Decimal::parse(s); }

}  // namespace qz::test
