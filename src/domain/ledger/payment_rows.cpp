#include "domain/ledger/payment_rows.h"

#include "core/stamp.h"
#include "core/text.h"
#include "data/order_key.h"
#include "domain/ledger/currencies.h"
#include "domain/ledger/rates.h"
#include "domain/ledger/serials.h"
#include "domain/ledger/statement_tables.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

void put_payment_header(data::WDBTable& t, const std::string& business, const std::string& number,
                        const PaymentHeader& h, const std::string& time) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("MOVIMIENTO", number);
    t.FieldPut("FECHA", h.date);
    t.FieldPut("HORA", time);
    t.FieldPut("CLIENTE", h.customer);
    t.FieldPut("NOM_CLIENT", h.customer_name);
    t.FieldPut("MONTO", h.amount);
    t.FieldPut("MONEDA", h.currency);
    t.FieldPut("CAJA", trim(h.register_code));
    t.FieldPut("DIGITADOR", trim(h.clerk));
    t.FieldPut("BLOCK", trim(h.block));
    t.FieldPut("DEPOSITO", trim(h.deposit));
    t.FieldPut("DESCRIP", h.comment);
}

PaymentHeader payment_header_from_row(const data::WDBTable& t) {
    PaymentHeader h;
    h.register_code = trim(t.str("CAJA"));
    h.clerk = trim(t.str("DIGITADOR"));
    h.customer = trim(t.str("CLIENTE"));
    h.customer_name = trim(t.str("NOM_CLIENT"));
    h.block = trim(t.str("BLOCK"));
    h.currency = trim(t.str("MONEDA"));
    h.amount = t.num("MONTO");
    h.date = t.date("FECHA");
    h.deposit = trim(t.str("DEPOSITO"));
    h.comment = trim(t.str("DESCRIP"));
    return h;
}

void put_application(data::WDBTable& t, const std::string& business, const std::string& number,
                     const StoredApplication& a) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("MOVIMIENTO", number);
    t.FieldPut("DOCUMENTO", a.document);
    t.FieldPut("CONCEPTO", a.concept_code);
    t.FieldPut("DESCRIP", a.description);
    t.FieldPut("FECHA", a.date);
    t.FieldPut("HORA", a.time);
    t.FieldPut("MONTO", a.amount);
    t.FieldPut("INTERES", a.interest);
    t.FieldPut("MORA", a.late);
    t.FieldPut("SALDO_ANT", a.balance_before);
    t.FieldPut("SALDO", a.balance_after);
}

StoredApplication application_from_row(const data::WDBTable& t) {
    StoredApplication a;
    a.document = trim(t.str("DOCUMENTO"));
    a.concept_code = trim(t.str("CONCEPTO"));
    a.description = trim(t.str("DESCRIP"));
    a.date = t.date("FECHA");
    a.time = trim(t.str("HORA"));
    a.amount = t.num("MONTO");
    a.interest = t.num("INTERES");
    a.late = t.num("MORA");
    a.balance_before = t.num("SALDO_ANT");
    a.balance_after = t.num("SALDO");
    return a;
}

void put_tender(data::WDBTable& t, const std::string& business, const std::string& number,
                const PaymentTender& tender) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("MOVIMIENTO", number);
    t.FieldPut("CODIGO", tender.method);
    t.FieldPut("MONTO", tender.amount);
    t.FieldPut("DESCRIP", tender.description);
    t.FieldPut("CUENTA", trim(tender.account));
    t.FieldPut("DOCUMENTO", trim(tender.document));
    t.FieldPut("VOUCHER", trim(tender.voucher));
    t.FieldPut("COD_AUTORI", trim(tender.authorisation));
    t.FieldPut("ROOM", trim(tender.room));
    t.FieldPut("RESERVA", trim(tender.reservation));
    t.FieldPut("FIRMA1", trim(tender.signature));
    t.FieldPut("PE_TARJ", trim(tender.card));
    t.FieldPut("PE_REFNO", trim(tender.reference));
    t.FieldPut("PE_AUTID", trim(tender.card_authorisation));
    t.FieldPut("PE_TRACE_N", trim(tender.trace));
    t.FieldPut("PE_TIPO", Decimal(tender.terminal));
}

PaymentTender tender_from_row(const data::WDBTable& t) {
    PaymentTender p;
    p.method = trim(t.str("CODIGO"));
    p.description = trim(t.str("DESCRIP"));
    p.amount = t.num("MONTO");
    p.account = trim(t.str("CUENTA"));
    p.document = trim(t.str("DOCUMENTO"));
    p.voucher = trim(t.str("VOUCHER"));
    p.authorisation = trim(t.str("COD_AUTORI"));
    p.room = trim(t.str("ROOM"));
    p.reservation = trim(t.str("RESERVA"));
    p.signature = trim(t.str("FIRMA1"));
    p.card = trim(t.str("PE_TARJ"));
    p.reference = trim(t.str("PE_REFNO"));
    p.card_authorisation = trim(t.str("PE_AUTID"));
    p.trace = trim(t.str("PE_TRACE_N"));
    p.terminal = static_cast<int>(t.num("PE_TIPO").to_int());
    return p;
}

namespace {

template <class Row, class Decode>
std::vector<Row> read_rows(data::Db& db, const char* table, const char* order,
                           const std::string& business, const std::string& number, Decode decode) {
    std::vector<Row> out;
    UsedTable t(db, table, order);
    const std::string key = data::order_key(table, order, {business, number});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) out.push_back(decode(*t));
    return out;
}

}  // namespace

std::vector<StoredApplication> read_applications(data::Db& db, const PaymentTables& tables,
                                                 const std::string& business,
                                                 const std::string& number) {
    return read_rows<StoredApplication>(db, tables.lines, "DET_MOVE", business, number,
                                        application_from_row);
}

std::vector<PaymentTender> read_tenders(data::Db& db, const PaymentTables& tables,
                                        const std::string& business, const std::string& number) {
    return read_rows<PaymentTender>(db, tables.tenders, "DET_MOV2", business, number,
                                    tender_from_row);
}

std::vector<PaymentRate> day_rates(data::Db& db, const std::string& business,
                                   const std::string& accounting_currency, const Date& date) {
    std::vector<PaymentRate> out;
    UsedTable t(db, "T_CAMBIO", "T_CAMB2");
    for (const auto& c : business_currencies(db, business)) {
        if (c.code == accounting_currency) continue;
        out.push_back({c.code, CAMBIO_SPEC(db, *t, business, accounting_currency, c.code, date)});
    }
    return out;
}

void append_payment_rates(data::Db& db, const std::string& business, const std::string& number,
                          const std::string& accounting_currency,
                          const std::vector<PaymentRate>& rates) {
    UsedTable t(db, "DET_MOV3", "DET_MOV3");
    for (const auto& r : rates) {
        data::ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", business);
        t->FieldPut("MOVIMIENTO", number);
        t->FieldPut("MONEDA_1", r.currency);
        t->FieldPut("MONEDA_2", accounting_currency);
        t->FieldPut("CAMBIO", r.rate);
        data::UNLOCK_NEW_REC(*t);
    }
}

std::optional<std::string> next_receipt_number(data::Db& db, const std::string& business,
                                               const std::string& series) {
    constexpr int kMaxDraws = 1000;
    UsedTable t(db, "SERIALES", "SERIALES");
    for (int i = 0; i < kMaxDraws; ++i) {
        const std::string n = trim(GET_NXSERIAL(db, business, series, &*t));
        if (is_no_serial(n)) break;
        if (!key_exists(db, "ENC_MOVE", "ENC_MOVE", {business, n})) return n;
    }
    return std::nullopt;
}

void delete_payment_rows(data::Db& db, const PaymentTables& tables, const std::string& business,
                         const std::string& number) {
    delete_by_order(db, tables.header, "ENC_MOVE", {business, number});
    delete_by_order(db, tables.lines, "DET_MOVE", {business, number});
    delete_by_order(db, tables.tenders, "DET_MOV2", {business, number});
}

}  // namespace qz::domain
