#pragma once
// Saving and voiding deposits on the demonstration hotel: the front-desk register REC1 open and
// authorised for deposits here, a card terminal that answers from a script and remembers what
// it was asked, and reads of what a save leaves behind.
#include <gtest/gtest.h>

#include <deque>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/cash/register_settings.h"
#include "domain/cash/workstation_register.h"
#include "domain/deposits/deposit_checks.h"
#include "domain/deposits/deposit_record.h"
#include "domain/deposits/deposit_save.h"
#include "domain/ledger/demo_ledger_fixture.h"
#include "domain/ledger/journal.h"
#include "support/record_edit.h"

namespace qz::test {

struct DepositTerminal : domain::pos::CardTerminal {
    domain::pos::CardAnswer PAGO_ELECTRONICO(const domain::pos::CardRequest& q) override {
        asked.push_back(q);
        if (answers.empty()) return approved();
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
    static domain::pos::CardAnswer approved() {
        domain::pos::CardAnswer a;
        a.status = 1;
        a.card = "************4242";
        a.reference = "REF77";
        a.authorisation = "AUT55";
        a.trace = "TR9";
        return a;
    }
    std::deque<domain::pos::CardAnswer> answers;
    std::vector<domain::pos::CardRequest> asked;
};

class DepositSaveTest : public DemoLedgerTest {
protected:
    static constexpr const char* kHotel = "HOTEL";

    void SetUp() override {
        DemoLedgerTest::SetUp();
        if (IsSkipped()) return;
        set_field("ENC_HCAJ", "ENC_HCAJ", {kHotel, "REC1"}, "ESTADO", domain::cash::kOpen);
        s.XU_COMP = kHotel;
        s.XUSER_ABREVIA = "SUP";
        s.registers.XH_CAJAS = domain::RegisterState{"Caja Recepción", "", 1, "REC1", "", 2};
        ini = std::make_unique<IniFile>(inst->home() + "/QUARTZEN.INI");
        domain::cash::set_authorised(*ini, domain::kDepositAuthSection, kHotel, "REC1", true);
    }

    void set_field(const char* table, const char* order, std::initializer_list<data::KeyValue> key,
                   const char* field, const data::Value& v) {
        edit_record(*db, table, order, data::order_key(table, order, key),
                    [&](data::WDBTable& t) { t.FieldPut(field, v); });
    }

    domain::DepositSaveResult save(const domain::DepositDraft& d) {
        inst->port.messages.clear();
        return domain::PROCESAR(*db, inst->port, *ini, s, terminal, d);
    }

    // A deposit of `amount` in `currency` with concept `concept_code`, its lines still to add.
    static domain::DepositDraft draft(const char* concept_code, const char* currency,
                                      const char* amount) {
        domain::DepositDraft d;
        d.made_by = "HUES";
        d.concept_code = concept_code;
        d.currency = currency;
        const bool dollars = std::string(currency) == "US";
        d.reservation_rate = dollars ? Decimal(1) : Decimal(500);
        d.accounting_rate = dollars ? Decimal(500) : Decimal(1);
        d.amount = Decimal::parse(amount);
        d.date = Date(2026, 5, 20);
        d.number = "TRF-123";
        d.name = "Elena";
        d.surname = "Rojas";
        d.comment = "Garantía congreso";
        return d;
    }
    static domain::DepositReservationLine line(const char* res, const char* type, long item,
                                               const char* amount) {
        return {res, type, item, Decimal::parse(amount)};
    }

    domain::DepositHeader header(const std::string& movement) {
        auto r = domain::read_deposit(*db, kHotel, movement);
        EXPECT_TRUE(r) << movement;
        return r ? r->header : domain::DepositHeader{};
    }

    Decimal bank_balance() {
        data::Table t = data::USE(*db, "CUEN_LIB", "CUEN_LIB");
        EXPECT_TRUE(
            t->Seek(data::order_key("CUEN_LIB", "CUEN_LIB", {kHotel, "BCR", "001-0123456-7"})));
        const Decimal out = t->num("SALDO");
        data::KILLTABLA(*db, t);
        return out;
    }

    long rows(const char* table) {
        data::Table t = data::USE(*db, table);
        long n = 0;
        for (t->GoTop(); !t->Eof(); t->Skip()) ++n;
        data::KILLTABLA(*db, t);
        return n;
    }

    // The deposit's lines of its voucher, debit and credit in the accounting currency.
    std::pair<Decimal, Decimal> voucher_sums(const std::string& voucher,
                                             const std::string& movement) {
        Decimal debit, credit;
        for (const auto& l : domain::voucher_lines(*db, kHotel, voucher))
            if (trim(l.document) == movement) {
                debit += l.debit;
                credit += l.credit;
            }
        return {debit, credit};
    }

    domain::Session s;
    std::unique_ptr<IniFile> ini;
    DepositTerminal terminal;
};

}  // namespace qz::test
