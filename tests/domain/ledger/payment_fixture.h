#pragma once
// Payments on the demonstration business: its receivables register CXC1 (pass code "COBROS"),
// clerk 0001, receipt block 01 and the agency 3101123456, on the fixture's day 20/05/2026.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "demo_ledger_fixture.h"
#include "domain/ledger/document_service.h"
#include "domain/ledger/journal.h"
#include "domain/ledger/payment_draft.h"

namespace qz::test {

inline const std::string kPayBiz = "HOTEL";
inline const std::string kPayCustomer = "3101123456";
inline const Date kPayDay(2026, 5, 20);

inline Decimal dec(const char* text) { return Decimal::parse(text); }

// A document of the agency made by the document service.
inline std::string new_document(data::Db& db, UserPort& port, const char* concept_code,
                                const char* amount, const std::string& currency = "CO",
                                const Date& day = kPayDay) {
    domain::NewDocument d;
    d.amount = dec(amount);
    d.concept_code = concept_code;
    d.currency = currency;
    d.customer = kPayCustomer;
    d.branch = "01";
    d.customer_name = "Turismo Pura Vida";
    d.date = day;
    domain::GEN_DOC gen(db, port, kPayBiz);
    const auto n = gen.NEW_DOC(d);
    EXPECT_TRUE(n) << concept_code << " " << amount;
    return n.value_or("");
}

// A draft ready to be processed once it has its documents and tenders.
inline domain::PaymentDraft new_draft(data::Db& db, UserPort& port, const char* amount) {
    domain::PaymentDraft d(db, port, kPayBiz);
    d.set_register("CXC1");
    d.set_pass_code("cobros");
    d.set_clerk("0001");
    d.set_block("01");
    EXPECT_TRUE(d.set_customer(kPayCustomer));
    d.set_amount(dec(amount));
    return d;
}

inline domain::PaymentTender tender(const char* method, const char* amount) {
    domain::PaymentTender t;
    t.method = method;
    t.amount = dec(amount);
    return t;
}

// The draft's tenders replaced by the ones given.
inline void pay_with(domain::PaymentDraft& d, std::initializer_list<domain::PaymentTender> ts) {
    while (!d.tenders().empty()) d.remove_tender(0);
    for (const auto& t : ts) EXPECT_TRUE(d.add_tender(t));
}

struct DocState {
    Decimal amount, balance, interest;
    std::string annulled;
};
inline DocState doc_state(data::Db& db, const std::string& number) {
    DocState s;
    data::Table t = data::USE(db, "DOCUMENT", "DOCUMENT");
    EXPECT_TRUE(t->Seek(data::order_key("DOCUMENT", "DOCUMENT", {kPayBiz, number}))) << number;
    s.amount = t->num("MONTO");
    s.balance = t->num("SALDO");
    s.interest = t->num("INTERES");
    s.annulled = trim(t->str("ANULADO"));
    data::KILLTABLA(db, t);
    return s;
}

inline long row_count(data::Db& db, const char* table) { return data::USE(db, table)->KeyCount(); }

// Every voucher line written for `reference` (a receipt or its annulment).
inline std::vector<domain::VoucherLine> lines_for(data::Db& db, const std::string& reference) {
    std::vector<domain::VoucherLine> out;
    data::Table t = data::USE(db, "DET_AS");
    for (t->GoTop(); !t->Eof(); t->Skip())
        if (trim(t->str("DOCUMENTO")) == reference)
            out.push_back({trim(t->str("CUENTA")), trim(t->str("MONEDA")), trim(t->str("DESCRIP")),
                           trim(t->str("DOCUMENTO")), t->num("DEBITO"), t->num("CREDITO"),
                           t->num("T_CAMBIO")});
    data::KILLTABLA(db, t);
    return out;
}

// Debit minus credit of `account` among `lines`, in the line currency.
inline Decimal net(const std::vector<domain::VoucherLine>& lines, const std::string& account) {
    Decimal n;
    for (const auto& l : lines)
        if (l.account == account) n += l.debit - l.credit;
    return n;
}

inline void expect_balanced(const std::vector<domain::VoucherLine>& lines) {
    EXPECT_FALSE(lines.empty());
    for (const auto& t : domain::voucher_totals(lines))
        EXPECT_TRUE(t.balanced()) << t.currency << " " << t.debit.to_string(2) << " / "
                                  << t.credit.to_string(2);
}

}  // namespace qz::test
