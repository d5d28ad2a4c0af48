#include "domain/spa/master/spa_params.h"

#include <cctype>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/master_rows.h"

namespace qz::domain::spa {

namespace {

// The hour of "HH:00" (or "HH:MM" with minutes 00); -1 when it is not one.
int whole_hour(const std::string& text) {
    const std::string t = trim(text);
    if (t.size() != 5 || t[2] != ':') return -1;
    for (int i : {0, 1, 3, 4})
        if (!std::isdigit(static_cast<unsigned char>(t[i]))) return -1;
    if (t.substr(3) != "00") return -1;
    const int h = std::stoi(t.substr(0, 2));
    return h <= 23 ? h : -1;
}

std::string hour_or(const std::string& stored, const char* fallback) {
    const std::string t = trim(stored);
    return t.empty() ? fallback : t;
}

void put_params(data::WDBTable& t, const SpaParams& p) {
    t.FieldPut("SPA_SERIAL", normal_code(p.serial));
    t.FieldPut("SPA_A_MAIL", Decimal(p.mail_on_create ? 1 : 0));
    t.FieldPut("SPA_I_MAIL", p.mail_text);
    t.FieldPut("SPA_H_AGEN", Decimal(p.agenda_step));
    t.FieldPut("HI_AGE_RES", trim(p.first_hour));
    t.FieldPut("HF_AGE_RES", trim(p.last_hour));
    t.FieldPut("SP_VAL_CAJ", Decimal(p.register_defaults ? 1 : 0));
}

}  // namespace

std::string spa_register_key(const std::string& business) { return trim(business) + "SPA_CAJA"; }

SpaParams read_spa_params(data::Db& db, const std::string& business, const IniFile* ini) {
    SpaParams p;
    data::Table t = data::USE(db, "F_FAC", "F_FAC");
    if (t->Seek(data::business_key(business))) {
        p.serial = trim(t->str("SPA_SERIAL"));
        p.mail_on_create = t->num("SPA_A_MAIL") == Decimal(1);
        p.mail_text = t->str("SPA_I_MAIL");
        p.agenda_step = static_cast<int>(t->num("SPA_H_AGEN").to_int());
        p.first_hour = hour_or(t->str("HI_AGE_RES"), "00:00");
        p.last_hour = hour_or(t->str("HF_AGE_RES"), "23:00");
        p.register_defaults = t->num("SP_VAL_CAJ") == Decimal(1);
    }
    data::KILLTABLA(db, t);
    if (ini) p.spa_register = trim(ini->get(kSpaIniSection, spa_register_key(business)));
    return p;
}

std::string check_spa_params(const SpaParams& p) {
    if (p.agenda_step < 0 || p.agenda_step > 2)
        return "Los intervalos de la agenda son: cada hora, cada media hora o cada cuarto de "
               "hora...";
    const int first = whole_hour(p.first_hour), last = whole_hour(p.last_hour);
    if (first < 0) return "La hora inicial de la agenda debe ser una hora entre 00:00 y 23:00...";
    if (last < 0) return "La hora final de la agenda debe ser una hora entre 00:00 y 23:00...";
    if (first > last) return "La hora inicial de la agenda no puede ser mayor a la hora final...";
    return code_width_problem("El código de caja", trim(p.spa_register), "CAJA_ENC", "CODIGO");
}

std::vector<std::string> spa_params_warnings(data::Db& db, const std::string& business,
                                             const SpaParams& p) {
    std::vector<std::string> out;
    const std::string serial = normal_code(p.serial);
    if (serial.empty())
        out.push_back("No ha indicado el serial de reservas: no se podrán numerar reservas.");
    // The business's own series (no owner), the one reservations are numbered from.
    else if (!key_exists(db, "SERIALES", "SERIALES", {business, "", serial}))
        out.push_back("El serial " + serial + " no está definido para esta empresa.");
    const std::string reg = normal_code(p.spa_register);
    if (!reg.empty() && !key_exists(db, "CAJA_ENC", "CAJA_ENC", {business, reg}))
        out.push_back("La caja " + reg + " no está definida para esta empresa.");
    return out;
}

bool save_spa_params(data::Db& db, UserPort& port, const std::string& business, const SpaParams& p,
                     IniFile* ini) {
    if (auto problem = check_spa_params(p); !problem.empty()) {
        port.message(MsgStyle::Error, "", problem);
        return false;
    }
    for (const auto& warning : spa_params_warnings(db, business, p))
        if (!port.confirm("Atencion", warning + "\r¿Desea guardar de todos modos?")) return false;
    {
        data::Transaction tx(db);
        data::Table t = data::USE(db, "F_FAC", "F_FAC");
        if (t->Seek(data::business_key(business))) {
            data::LOCK_FOR_MODIFY(*t);
        } else {
            data::ADD_NEW_REC(*t);
            t->FieldPut("NEGOCIO", business);
        }
        put_params(*t, p);
        data::UNLOCK_FOR_MODIFY(*t);
        data::KILLTABLA(db, t);
        tx.commit();
    }
    if (ini) ini->set(kSpaIniSection, spa_register_key(business), normal_code(p.spa_register));
    return true;
}

}  // namespace qz::domain::spa
