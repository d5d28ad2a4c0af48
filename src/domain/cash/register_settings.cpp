#include "domain/cash/register_settings.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/session/master_rows.h"

namespace qz::domain::cash {

namespace {

// One flag of the business's row of a settings table; 0 when the row is missing.
bool business_flag(data::Db& db, const char* table, const std::string& business,
                   const char* field) {
    data::Table t = data::USE(db, table, table);
    const bool on =
        t->Seek(data::order_key(table, table, {business})) && t->num(field) == Decimal(1);
    data::KILLTABLA(db, t);
    return on;
}

}  // namespace

RegisterSettings read_register_settings(data::Db& db, const std::string& business) {
    RegisterSettings s;
    s.check_pos_auth = business_flag(db, "F_FAC", business, "AUT_CAJA");
    s.no_closing_report = business_flag(db, "F_FAC", business, "NO_PCIERRE");
    s.check_front_desk_auth = business_flag(db, "F_HOTEL", business, "CHECK_CAJA");
    s.waiter_shifts = business_flag(db, "F_VENTAS", business, "TURNO_MESE");
    return s;
}

std::string authorisation_key(const std::string& business, const std::string& code) {
    return trim(business) + normal_code(code);
}

bool authorised(const IniFile* ini, const char* section, const std::string& business,
                const std::string& code) {
    return ini && trim(ini->get(section, authorisation_key(business, code))) == "1";
}

void set_authorised(IniFile& ini, const char* section, const std::string& business,
                    const std::string& code, bool on) {
    if (on)
        ini.set(section, authorisation_key(business, code), "1");
    else
        ini.remove_key(section, authorisation_key(business, code));
}

}  // namespace qz::domain::cash
