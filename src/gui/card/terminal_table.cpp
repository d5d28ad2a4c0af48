#include "gui/card/terminal_table.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/ledger/currencies.h"
#include "domain/session/master_rows.h"

namespace qz::gui::card {

namespace {

constexpr const char* kTable = "P_ELECT";

std::string terminal_key(const std::string& business, const TerminalRow& row) {
    return data::order_key(kTable, kTable, {business, row.station, row.bank, row.currency});
}

bool same_key(const TerminalRow& a, const TerminalRow& b) {
    return a.station == b.station && a.bank == b.bank && a.currency == b.currency;
}

void put_terminal(data::WDBTable& t, const std::string& business, const TerminalRow& row) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CODIGO", row.station);
    t.FieldPut("BANCO", row.bank);
    t.FieldPut("MONEDA", row.currency);
    t.FieldPut("DESCRIP", row.description);
    t.FieldPut("PARAM1", row.param1);
    t.FieldPut("PARAM2", row.param2);
    t.FieldPut("PARAM3", row.param3);
}

// Each network reads its own parameters when it is called; a row without them would only
// fail at the cashier's desk, in the middle of a sale.
std::string check_params(const TerminalRow& row) {
    if (row.bank == kBankPosware &&
        (row.param1.empty() || row.param2.empty() || row.param3.empty()))
        return kNoPoswareParams;
    if (row.bank == kBankCredomatic && row.param1.empty()) return kNoCredomaticTerminal;
    return "";
}

}  // namespace

std::string bank_caption(const std::string& bank) {
    if (bank == kBankPosware) return "1 - Banco Nacional (POSWare)";
    if (bank == kBankCredomatic) return "2 - Credomatic";
    return bank;
}

TerminalRow normal_terminal(TerminalRow row) {
    row.station = domain::normal_code(row.station);
    row.bank = trim(row.bank);
    row.currency = domain::normal_code(row.currency);
    row.description = trim(row.description);
    row.param1 = trim(row.param1);
    row.param2 = trim(row.param2);
    row.param3 = trim(row.param3);
    return row;
}

std::string check_terminal(data::Db& db, const std::string& business, const TerminalRow& row) {
    if (row.station.empty()) return kNoStation;
    if (auto p = domain::code_width_problem("La Estación", row.station, kTable, "CODIGO");
        !p.empty())
        return p;
    if (row.bank != kBankPosware && row.bank != kBankCredomatic) return kBadBank;
    if (row.currency.empty() || !domain::read_currency(db, business, row.currency))
        return kUnknownCurrency;
    if (row.description.empty()) return kNoDescription;
    return check_params(row);
}

bool save_terminal(data::Db& db, UserPort& port, const std::string& business,
                   const std::optional<TerminalRow>& old, const TerminalRow& typed) {
    const TerminalRow row = normal_terminal(typed);
    if (auto problem = check_terminal(db, business, row); !problem.empty())
        return domain::refuse(port, problem);
    data::Transaction tx(db);
    if ((!old || !same_key(*old, row)) &&
        domain::key_exists(db, kTable, kTable, {business, row.station, row.bank, row.currency})) {
        tx.commit();  // nothing was written
        return domain::refuse(port, kDuplicateTerminal);
    }
    data::Table t = data::USE(db, kTable, kTable);
    if (!old) {
        data::ADD_NEW_REC(*t);
    } else if (!domain::lock_at_key(*t, terminal_key(business, *old))) {
        data::KILLTABLA(db, t);
        tx.commit();  // nothing was written
        return domain::refuse(port, kTerminalGone);
    }
    put_terminal(*t, business, row);
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
    tx.commit();
    return true;
}

bool delete_terminal(data::Db& db, UserPort& port, const TerminalRow& row) {
    if (!port.confirm("Atencion", kDeleteTerminalAsk)) return false;
    return domain::erase_keyed_rows(db, kTable, kTable,
                                    {row.business, row.station, row.bank, row.currency});
}

std::vector<std::string> terminal_stations(data::Db& db, const std::string& business) {
    std::vector<std::string> out;
    domain::for_business_rows(db, kTable, business, [&out](const data::WDBTable& t) {
        const std::string station = trim(t.str("CODIGO"));
        if (out.empty() || out.back() != station) out.push_back(station);
    });
    return out;
}

}  // namespace qz::gui::card
