#pragma once
// What an issuing operation settles before it draws a number: which series a document concept
// numbers from, and whether that series may give the numbers the operation needs.
#include <string>

#include "core/ini_file.h"
#include "data/db.h"

namespace qz::domain {

// The numbering fields of a document concept (CONCEPT1).
struct ConceptNumbering {
    std::string code;     // CONCEPTO
    std::string name;     // DESCRIP
    std::string serial;   // SERIAL
    bool typed = false;   // LEE_SERIAL: the user types the number
    bool local = false;   // SERI_LOCAL: the workstation's settings file names the series
};

struct ConceptSeries {
    bool typed = false;   // no series: the user types the number
    std::string series;   // the series to draw from
    std::string refusal;  // set when the document cannot be numbered
};

// The series of the concept: SERIAL, or with SERI_LOCAL the key "CONCEPTO" + code of section
// "CONCEPT1" of the workstation's settings (`ini` may be null: no settings file). Without one:
// "El Concepto <name> no tiene consecutivo asignado!".
ConceptSeries concept_series(const ConceptNumbering& c, const IniFile* ini);

// How the limit refusal reads: the point of sale's, or the pro-forma conversion's.
enum class LimitWording { PointOfSale, ProformaConversion };

// "" when `count` numbers may be drawn now from the series `code` of the business for documents
// of the concept `concept_name`; else why not: a missing series (the concept has no numbering),
// a disabled series, or NUMERO + count beyond a NUMERO2 that is not 0.
std::string check_before_drawing(data::Db& db, const std::string& business,
                                 const std::string& code, const std::string& concept_name,
                                 long count = 1, LimitWording wording = LimitWording::PointOfSale);

inline constexpr const char* kSeriesDisabled =
    "El Consecutivo de Documentos se encuentra deshabilitado";
std::string no_series_message(const std::string& concept_name);

}  // namespace qz::domain
