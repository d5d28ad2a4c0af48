#include "domain/session/settings_store.h"

#include <utility>

#include "core/text.h"
#include "data/db.h"
#include "data/sql.h"
#include "data/table_ops.h"
#include "data/wdbtable.h"

namespace qz::domain {

namespace {

FSysField number(const char* name, const char* picture, const char* caption) {
    return {name, FSysKind::Number, picture, caption};
}
FSysField check(const char* name, const char* caption) {
    return {name, FSysKind::Check, "", caption};
}
FSysField text(const char* name, const char* caption) {
    return {name, FSysKind::Text, "", caption};
}

std::vector<FSysField> make_sys_db_fields() {
    std::vector<FSysField> f = {
        number("DLGSIZE", "999", "Tamaño de Diálogos"),
        number("DGROUP", "99,999", "Límite de Registros por Grupo"),
        number("MAXCOMMIT", "99,999,999", "Máximo de Grabaciones por Commit"),
        number("IDLECOMMIT", "99,999,999", "Commit por Inactividad"),
        number("GARBAGE", "99,999,999", "Recolección de Memoria"),
        number("WS_SOCKET", "999,999", "Socket de Estación"),
        number("MAXTIMEOUT", "999,999", "Minutos de Inactividad"),
        check("GRAYED", "Opciones sin derecho en gris"),
        check("LOCAL_TEMP", "Temporales en ruta local"),
        check("SOLO_IND", "Solo índices"),
        check("NO_DATE", "Sin teclas de fecha"),
        check("REFRESH_B", "Sin refresco automático de listas"),
        check("NOFLATBUTT", "Botones sin estilo plano"),
        check("NO_SIM_P", "Sin simulación de impresión"),
        check("NO_TIMEOUT", "Sin límite de inactividad"),
        text("LOCAL_PATH", "Ruta Local"),
    };
    static const char* const kPart[] = {"Rojo", "Verde", "Azul"};
    static const char* const kColour[] = {"Ventana (20 colores)", "Resalte (20 colores)", "Ventana",
                                          "Resalte"};
    for (int i = 0; i < 12; ++i) {
        std::string caption = std::string(kColour[i / 3]) + " " + kPart[i % 3];
        f.push_back({"RGB" + std::to_string(i + 1), FSysKind::Number, "999", caption});
    }
    for (int m = 1; m <= 12; ++m) {
        std::string month = "MS_M" + std::to_string(m);
        std::string caption = "Mes " + std::to_string(m);
        f.push_back({month + "_MIN", FSysKind::Number, "999", caption + " Mín."});
        f.push_back({month + "_MAX", FSysKind::Number, "999", caption + " Máx."});
    }
    return f;
}

// The masks print thousands separators, so a number handed over as shown carries them.
Decimal number_from_text(const std::string& shown, const std::string& field) {
    std::string digits;
    for (char c : shown)
        if (c != ',') digits += c;
    Decimal d;
    if (!Decimal::try_parse(digits, d))
        throw data::DbError("Valor inválido para el campo " + field + ": " + shown);
    return d;
}

// A path is joined to file names with its own separator later; one kept at the end would double.
std::string without_trailing_backslash(const std::string& path) {
    std::string p = rtrim(path);
    while (!p.empty() && p.back() == '\\') p.pop_back();
    return p;
}

data::Value stored_form(const data::FieldDef& f, const data::Value& v) {
    if (f.kind == data::FieldKind::N)
        if (const auto* s = std::get_if<std::string>(&v))
            return data::coerce(f, number_from_text(*s, f.name));
    if (f.name == "LOCAL_PATH")
        if (const auto* s = std::get_if<std::string>(&v))
            return data::coerce(f, without_trailing_backslash(*s));
    return data::coerce(f, v);
}

// Writes the record and hands it, as stored, to the rule that applies the save.
template <class Apply>
void store(data::Db& db, const FSysValues& values, Apply&& apply) {
    data::Table t = data::USE(db, "F_SYS");
    // Every value is converted before the record is touched, so a value that does not fit
    // leaves the record as it was.
    std::vector<std::pair<std::string, data::Value>> puts;
    for (const auto& [name, value] : values)
        if (const data::FieldDef* f = t->def().field(name))
            puts.emplace_back(f->name, stored_form(*f, value));
    t->GoTop();
    if (t->Eof())
        data::ADD_NEW_REC(*t);
    else
        data::LOCK_FOR_MODIFY(*t);
    for (const auto& [name, value] : puts) t->FieldPut(name, value);
    data::UNLOCK_FOR_MODIFY(*t);
    apply(TableRecord(*t));
    data::KILLTABLA(db, t);
}

}  // namespace

const std::vector<FSysField>& sys_db_fields() {
    static const std::vector<FSysField> fields = make_sys_db_fields();
    return fields;
}

const std::vector<FSysField>& sys_font_fields() {
    static const std::vector<FSysField> fields = {
        text("T_FONT", "Fuente de Datos"),
        number("T_SIZE", "99.9", "Tamaño"),
        text("P_FONT", "Fuente de Impresión"),
        text("D_FONT", "Fuente de Pantallas"),
    };
    return fields;
}

FSysValues read_f_sys(data::Db& db, const std::vector<FSysField>& fields) {
    data::Table t = data::USE(db, "F_SYS");
    t->GoTop();
    TableRecord record(*t);
    FSysValues values;
    for (const auto& f : fields) {
        if (!record.has(f.name)) continue;
        data::Value v = record.get(f.name);
        switch (f.kind) {
            case FSysKind::Number:
                if (const auto* b = std::get_if<bool>(&v)) v = Decimal(*b ? 1 : 0);
                break;
            case FSysKind::Check:
                // Older installations keep the switches as logical fields.
                if (const auto* d = std::get_if<Decimal>(&v)) v = !d->is_zero();
                break;
            case FSysKind::Text:
                if (const auto* s = std::get_if<std::string>(&v)) v = rtrim(*s);
                break;
        }
        values[f.name] = std::move(v);
    }
    data::KILLTABLA(db, t);
    return values;
}

void save_sys_db(data::Db& db, AppSettings& s, const FSysValues& values, ColourDisplay display) {
    store(db, values, [&](const RecordView& r) { apply_sys_db_save(s, r, display); });
}

void save_sys_font(data::Db& db, AppSettings& s, const FSysValues& values) {
    store(db, values, [&](const RecordView& r) { apply_sys_font_save(s, r); });
}

}  // namespace qz::domain
