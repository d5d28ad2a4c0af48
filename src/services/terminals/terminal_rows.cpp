#include "services/terminals/terminal_rows.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"

namespace qz::services::terminals {

namespace {

std::optional<TerminalRow> seek_one(data::Db& db, const std::string& order,
                                    const std::string& key) {
    data::Table t = data::USE(db, "P_ELECT", order);
    std::optional<TerminalRow> row;
    if (t->Seek(key)) row = terminal_from_row(*t);
    data::KILLTABLA(db, t);
    return row;
}

}  // namespace

TerminalRow terminal_from_row(const data::WDBTable& t) {
    TerminalRow r;
    r.business = trim(t.str("NEGOCIO"));
    r.station = trim(t.str("CODIGO"));
    r.bank = trim(t.str("BANCO"));
    r.currency = trim(t.str("MONEDA"));
    r.description = trim(t.str("DESCRIP"));
    r.param1 = trim(t.str("PARAM1"));
    r.param2 = trim(t.str("PARAM2"));
    r.param3 = trim(t.str("PARAM3"));
    return r;
}

std::optional<TerminalRow> find_terminal(data::Db& db, const std::string& business,
                                         const std::string& station, const std::string& bank,
                                         const std::string& currency) {
    return seek_one(db, "P_ELECT",
                    data::order_key("P_ELECT", "P_ELECT",
                                    {trim(business), trim(station), bank, trim(currency)}));
}

std::optional<TerminalRow> find_terminal_again(data::Db& db, const TerminalRow& c) {
    return seek_one(db, "P_ELECT2",
                    data::order_key("P_ELECT", "P_ELECT2",
                                    {c.business, c.station, c.bank, c.param1, c.param2, c.param3}));
}

std::vector<TerminalRow> station_terminals(data::Db& db, const std::string& business,
                                           const std::string& station, const std::string& bank) {
    data::Table t = data::USE(db, "P_ELECT", "P_ELECT");
    const std::string key =
        data::order_key("P_ELECT", "P_ELECT", {trim(business), trim(station), bank});
    t->SetScope(key, key);
    std::vector<TerminalRow> out;
    for (t->GoTop(); !t->Eof(); t->Skip()) out.push_back(terminal_from_row(*t));
    data::KILLTABLA(db, t);
    return out;
}

}  // namespace qz::services::terminals
