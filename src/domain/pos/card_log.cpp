#include "domain/pos/card_log.h"

#include "core/stamp.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"

namespace qz::domain::pos {

std::string masked_card(const std::string& card) {
    std::string c = trim(card);
    const size_t shown = c.size() > 4 ? 4 : c.size();
    for (size_t i = 0; i + shown < c.size(); ++i) c[i] = '*';
    return c;
}

namespace {

// A masked card longer than the field keeps its right end: cutting the left keeps the last
// four digits the cashier and the supervisor go by.
std::string fit_right(const std::string& text, size_t width) {
    return text.size() > width ? text.substr(text.size() - width) : text;
}

}  // namespace

void write_card_log(data::Db& db, const CardLogRow& row) {
    const DateTime now = db.clock().now();
    data::Transaction tx(db);
    data::Table t = data::USE(db, "LOG_P_EL");
    data::ADD_NEW_REC(*t);
    t->FieldPut("NEGOCIO", row.business);
    t->FieldPut("PE_TIPO", Decimal(row.provider));
    t->FieldPut("TIPO_OP", Decimal(row.operation));
    t->FieldPut("PE_TARJ",
                fit_right(masked_card(row.card), data::field_width("LOG_P_EL", "PE_TARJ")));
    t->FieldPut("PE_REFNO", row.reference);
    t->FieldPut("PE_AUTID", row.authorisation);
    t->FieldPut("PE_TRACE_N", row.trace);
    t->FieldPut("DESCRIP", row.text);
    t->FieldPut("FECHA", now.date);
    t->FieldPut("HORA", now.time);
    t->FieldPut("INFO_USER", info_user(now));
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(db, t);
    tx.commit();
}

}  // namespace qz::domain::pos
