#include "domain/cash/cash_count.h"

#include <map>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/master_rows.h"

namespace qz::domain::cash {

namespace {

constexpr const char* kTable = "ARQ_HCAJ";

std::string shift_key(const std::string& business, const CashShift& s) {
    return data::order_key(kTable, kTable, {business, s.register_code, s.start_date, s.start_time});
}

}  // namespace

std::vector<CountLine> read_cash_count(data::Db& db, const std::string& business,
                                       const CashShift& shift) {
    std::map<std::string, Decimal> counted;
    data::Table t = data::USE(db, kTable, kTable);
    const std::string key = shift_key(business, shift);
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) counted[trim(t->str("TIPO_MOV"))] = t->num("MONTO");
    data::KILLTABLA(db, t);
    std::vector<CountLine> out;
    for_business_rows(db, "TIPO_MOV", business, [&](const data::WDBTable& m) {
        const std::string code = trim(m.str("CODIGO"));
        out.push_back({code, trim(m.str("DESCRIP")), counted[code]});
    });
    return out;
}

void save_cash_count(data::Db& db, const std::string& business, const CashShift& shift,
                     const std::vector<CountLine>& lines, const std::string& user) {
    const DateTime now = db.clock().now();
    data::Transaction tx(db);
    delete_by_order(db, kTable, kTable,
                    {business, shift.register_code, shift.start_date, shift.start_time});
    data::Table t = data::USE(db, kTable);
    for (const auto& l : lines) {
        if (l.amount == Decimal(0)) continue;
        data::ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", business);
        t->FieldPut("CAJA", shift.register_code);
        t->FieldPut("FECHA_INI", shift.start_date);
        t->FieldPut("HORA_INI", shift.start_time);
        t->FieldPut("TIPO_MOV", l.payment_type);
        t->FieldPut("MONTO", l.amount);
        t->FieldPut("USUARIO", user);
        t->FieldPut("FECHA", now.date);
        t->FieldPut("HORA", now.time);
        data::UNLOCK_NEW_REC(*t);
    }
    data::KILLTABLA(db, t);
    tx.commit();
}

Decimal count_total(const std::vector<CountLine>& lines) {
    Decimal total;
    for (const auto& l : lines) total = total + l.amount;
    return total;
}

}  // namespace qz::domain::cash
