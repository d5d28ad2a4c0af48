#include "data/ordered_reader.h"

#include <stdexcept>

#include "data/schema.h"

namespace qz::data {

namespace {

// Above every character a key holds: the scope's last key is the scope followed by it, as a
// table handle's scope bounds it.
const std::string kMaxChar = "\xF4\x8F\xBF\xBF";

}  // namespace

OrderedReader::OrderedReader(Db& db, const std::string& table, const std::string& order,
                             const std::string& scope, std::vector<std::string> fields)
    : m_dialect(db.dialect()), m_names(std::move(fields)) {
    const TableDef* def = Catalogue::instance().find(table);
    if (!def || !def->find_order(order)) throw DbError("Orden " + order + " no existe en " + table);
    std::string list;
    for (const auto& name : m_names) {
        const FieldDef* f = def->field(name);
        if (!f) throw DbError("Campo " + name + " no existe en " + table);
        m_fields.push_back(f);
        list += ", " + quote_ident(f->name);
    }
    const std::string key = quote_ident(key_column(def->find_order(order)->tag));
    m_st =
        db.conn().prepare("SELECT " + key + list + " FROM " + db.resolve_table(def->name()) +
                          " WHERE " + quote_ident(kDeletedCol) + " = 0 AND " + key + " >= ? AND " +
                          key + " <= ? ORDER BY " + key + ", " + quote_ident(kRecnoCol));
    range(scope, scope);
}

void OrderedReader::rescope(const std::string& scope) { range(scope, scope); }

void OrderedReader::range(const std::string& first, const std::string& last) {
    m_st->reset();
    m_st->bind(1, first);
    m_st->bind(2, last + kMaxChar);
}

bool OrderedReader::next() {
    if (!m_st->step()) return false;
    m_key = m_st->text_at(0);
    return true;
}

Value OrderedReader::get(const std::string& field) const {
    for (size_t i = 0; i < m_names.size(); ++i)
        if (m_names[i] == field)
            return from_sql(*m_fields[i], *m_st, static_cast<int>(i) + 1, m_dialect);
    throw DbError("Campo " + field + " no fue leído");
}

}  // namespace qz::data
