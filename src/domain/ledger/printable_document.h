#pragma once
// A document or a receipt read into what a printout shows: named values of its header and of
// each of its lines, the names being the printable fields a format places (FORM_D2/FORM_D4
// CAMPO). Reading knows the tables; the layouts know only this model, so one format prints an
// invoice, a note or a receipt, and the designer prints its test page with sample values.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"

namespace qz::domain {

struct PrintValue {
    enum class Kind { Text, Amount, Quantity, Date };
    Kind kind = Kind::Text;
    std::string text;  // Text: may hold several lines separated by '\n'
    Decimal number;    // Amount, Quantity
    qz::Date date;     // Date
};

using PrintRecord = std::map<std::string, PrintValue>;

struct PrintableDocument {
    std::string number, concept_code, currency;
    PrintRecord header;
    std::vector<PrintRecord> lines;
    // The value of `field` in the header; an empty text when the document has none.
    const PrintValue& value(const std::string& field) const;
};

// A field a format may place: its code (CAMPO), what the designer lists, its kind, whether it is
// a column of the lines block, and the picture it prints with unless the element gives one.
struct PrintableField {
    const char* code;
    const char* caption;
    PrintValue::Kind kind;
    bool line;
    const char* picture;
};

const std::vector<PrintableField>& printable_fields();
const PrintableField* printable_field(const std::string& code);

inline constexpr const char* kAmountPicture = "999,999,999.99";
inline constexpr const char* kQuantityPicture = "99,999.99";

// DOCUMENT with its lines (DET_DOC and the articles' names), its extra header (ENC_DOC2), its
// concept's and currency's names; nothing when the business has no such document.
std::optional<PrintableDocument> read_printable_document(data::Db& db, const std::string& business,
                                                         const std::string& number);
// ENC_MOVE with its applications (DET_MOVE) as lines and its tenders (DET_MOV2) in FORMAS_PAG.
std::optional<PrintableDocument> read_printable_receipt(data::Db& db, const std::string& business,
                                                        const std::string& movement);

// Sample values for a format's test page: an invoice of three lines, and a receipt.
PrintableDocument sample_document(const qz::Date& today);
PrintableDocument sample_receipt(const qz::Date& today);

}  // namespace qz::domain
