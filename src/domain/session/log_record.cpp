#include "domain/session/log_record.h"

#include "core/text.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "data/wdbtable.h"

namespace qz::domain {

bool TableSlot::has(const std::string& field) const { return m_table.FieldPos(field) != 0; }

void TableSlot::put(const std::string& field, const data::Value& v) { m_table.FieldPut(field, v); }

void put_if_present(RecordSlot& r, const std::string& field, const data::Value& v) {
    if (r.has(field)) r.put(field, v);
}

void walk_newest_first(data::WDBTable& table, const std::optional<DateRange>& range,
                       const std::function<void(data::WDBTable&)>& visit) {
    if (range)
        table.SetScope(range->from.dtos(), range->to.dtos());
    else
        table.ClearScope();
    // A step back from the first row leaves the handle on it with BOF set.
    table.GoBottom();
    while (!table.Eof()) {
        visit(table);
        table.Skip(-1);
        if (table.BOF()) break;
    }
}

long delete_every_record(data::Db& db, const std::string& table) {
    long deleted = 0;
    data::Transaction tx(db);
    data::Table t = data::USE(db, table);
    // A deleted record leaves every order, and a step goes on from where the handle stood.
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        data::LOCK_FOR_MODIFY(*t);
        t->Delete();
        data::UNLOCK_FOR_MODIFY(*t);
        ++deleted;
    }
    data::KILLTABLA(db, t);
    tx.commit();
    return deleted;
}

std::string text_of(const data::WDBTable& t, const std::string& field) {
    if (!t.FieldPos(field)) return {};
    const data::Value v = t.FieldGet(field);
    if (const auto* s = std::get_if<std::string>(&v)) return rtrim(*s);
    return {};
}

Date date_of(const data::WDBTable& t, const std::string& field) {
    if (!t.FieldPos(field)) return {};
    const data::Value v = t.FieldGet(field);
    if (const auto* d = std::get_if<Date>(&v)) return *d;
    return {};
}

long long number_of(const data::WDBTable& t, const std::string& field) {
    if (!t.FieldPos(field)) return 0;
    const data::Value v = t.FieldGet(field);
    if (const auto* d = std::get_if<Decimal>(&v)) return d->to_int();
    return 0;
}

}  // namespace qz::domain
