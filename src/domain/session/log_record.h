#pragma once
// What the log writers and viewers share: a writable view of one record, so the rules that fill a
// log record can be exercised on a record made up in memory as well as on an open table, and the
// newest-first walk the viewers list their rows with.
//
// Tables written by older installations lack some fields (LOG_E_S.WS_HOST, for one): the writers
// put those only where has() reports them, instead of failing on the first missing field.
#include <functional>
#include <optional>
#include <string>

#include "core/date.h"
#include "data/value.h"

namespace qz::data {
class Db;
class WDBTable;
}  // namespace qz::data

namespace qz::domain {

class RecordSlot {
public:
    virtual ~RecordSlot() = default;
    virtual bool has(const std::string& field) const = 0;
    virtual void put(const std::string& field, const data::Value& v) = 0;
};

// The current record of an open table, which must be appended or locked already.
class TableSlot : public RecordSlot {
public:
    explicit TableSlot(data::WDBTable& table) : m_table(table) {}
    bool has(const std::string& field) const override;
    void put(const std::string& field, const data::Value& v) override;

private:
    data::WDBTable& m_table;
};

// Writes the field only when the record has it.
void put_if_present(RecordSlot& r, const std::string& field, const data::Value& v);

// Inclusive range of days a viewer lists.
struct DateRange {
    Date from, to;
};

// Visits the rows of `table` from the newest to the oldest along its (FECHA + HORA) order,
// within `range` when one is given. The table's order must start with the date.
void walk_newest_first(data::WDBTable& table, const std::optional<DateRange>& range,
                       const std::function<void(data::WDBTable&)>& visit);

// Deletes every record of a log table as one transaction, so a history is emptied completely or
// not at all. Returns the number of records deleted.
long delete_every_record(data::Db& db, const std::string& table);

// Field readers for rows: character fields without their padding; a field the table lacks reads
// as empty.
std::string text_of(const data::WDBTable& t, const std::string& field);
Date date_of(const data::WDBTable& t, const std::string& field);
long long number_of(const data::WDBTable& t, const std::string& field);

}  // namespace qz::domain
