#include "domain/ledger/series_checks.h"

#include "core/text.h"
#include "data/table_ops.h"
#include "domain/ledger/serials.h"

namespace qz::domain {

std::string no_series_message(const std::string& concept_name) {
    return "El Concepto " + trim(concept_name) + " no tiene consecutivo asignado!";
}

ConceptSeries concept_series(const ConceptNumbering& c, const IniFile* ini) {
    ConceptSeries out;
    if (c.typed) {
        out.typed = true;
        return out;
    }
    // Each workstation may number from its own series: the code is read, not the concept's.
    out.series = c.local ? (ini ? trim(ini->get("CONCEPT1", "CONCEPTO" + trim(c.code))) : "")
                         : trim(c.serial);
    if (out.series.empty()) out.refusal = no_series_message(c.name);
    return out;
}

namespace {

std::string limit_message(LimitWording wording, const std::string& concept_name,
                          long long limit) {
    if (wording == LimitWording::ProformaConversion)
        return "Esta Sobrepasando el Límite del Serial Establecido para el Concepto: " +
               trim(concept_name);
    return "Está sobrepasando el Límite del Consecutivo.  Concepto: " + trim(concept_name) +
           "\rÚltimo número válido: " + std::to_string(limit);
}

}  // namespace

std::string check_before_drawing(data::Db& db, const std::string& business,
                                 const std::string& code, const std::string& concept_name,
                                 long count, LimitWording wording) {
    data::UseOptions o;
    o.order = "SERIALES";
    o.read_only = true;
    auto t = data::USE(db, "SERIALES", o);
    std::string why;
    if (trim(code).empty() || !t->Seek(series_key(business, trim(code)))) {
        why = no_series_message(concept_name);
    } else if (t->num("INACTIVO").to_int() == 1) {
        why = kSeriesDisabled;
    } else {
        const long long limit = t->num("NUMERO2").to_int();
        if (limit != 0 && t->num("NUMERO").to_int() + count > limit)
            why = limit_message(wording, concept_name, limit);
    }
    data::KILLTABLA(db, t);
    return why;
}

}  // namespace qz::domain
