#pragma once
// Return notes: goods a customer brings back, priced at a price type chosen for returns, kept
// until some later process applies them (PASADO "S"). A note is a header (ENC_DEV) and its lines
// (DET_DEV); these are the one place that reads and writes those rows. Every write of a note is
// one transaction that locks the header and looks at PASADO again under that lock, so a note
// applied or deleted meanwhile at another workstation is never overwritten.
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain::pos {

inline constexpr const char* kReturnCodeMissing = "Este Código no se encuentra.";
inline constexpr const char* kReturnNoPriceType = "Debe definir primero el Tipo de Precio...";
inline constexpr const char* kReturnApplied =
    "Este documento ya fue aplicado.  No se puede borrar...";
inline constexpr const char* kReturnAppliedMeanwhile =
    "Este documento ya fue aplicado.  No se puede modificar...";
inline constexpr const char* kReturnNoSeries =
    "No está definido el consecutivo de las Notas de Devolución (SERIAL_DEV)...";
inline constexpr const char* kReturnNumberTaken =
    "El consecutivo de las Notas de Devolución da números ya utilizados...";
inline constexpr const char* kReturnGone = "La Nota de Devolución ya no existe: ";
inline constexpr const char* kReturnNoArticleLines =
    "El documento no tiene líneas de artículos para devolver.";
inline constexpr const char* kReturnDeleteQuestion = "Desea borrar la Nota de Devolución ";
inline constexpr const char* kReturnBadQuantity = "La cantidad debe ser mayor que cero.";

struct ReturnHeader {
    std::string number;      // DOCUMENTO
    Date date;               // FECHA
    std::string time;        // HORA
    std::string price_type;  // TIPO_PREC
    std::string currency;    // MONEDA
    bool applied = false;    // PASADO "S"
};

// A line of a note. On screen a line without a code is the empty row kept at the end, or a line
// the user emptied; saving removes the DET_DEV row of an emptied one.
struct ReturnLine {
    std::string code, name;  // CODIGO; the article's DESCRIP (not stored with the line)
    Decimal quantity, price, cost, tax, discount;
    std::string price_type;  // T_PRECIO
    long recno = 0;          // the DET_DEV row it was read from or written to; 0 while new
    bool blank() const { return code.empty(); }
};

ReturnHeader return_header_from_row(const data::WDBTable& t);
void put_return_header_row(data::WDBTable& t, const std::string& business, const ReturnHeader& h);
ReturnLine return_line_from_row(const data::WDBTable& t);
void put_return_line_row(data::WDBTable& t, const std::string& business, const std::string& number,
                         const ReturnLine& l);
std::string return_note_key(const std::string& business, const std::string& number);

// What the business's invoicing settings (F_FAC) give the notes.
struct ReturnDefaults {
    std::string series;      // SERIAL_DEV
    std::string price_type;  // DEV_TP
    std::string currency;    // MONEDA
};
ReturnDefaults read_return_defaults(data::Db& db, const std::string& business);

// The business's notes in number order.
std::vector<ReturnHeader> business_return_notes(data::Db& db, const std::string& business);
std::optional<ReturnHeader> read_return_note(data::Db& db, const std::string& business,
                                             const std::string& number);
// The note's lines in the order they were written, each named after its article.
std::vector<ReturnLine> read_return_lines(data::Db& db, const std::string& business,
                                          const std::string& number);

// What a write of a note ended in: the refusal ("" when written), and the note and its lines as
// they now stand, the lines with the DET_DEV rows they were written to.
struct ReturnWrite {
    std::string refusal;
    ReturnHeader header;
    std::vector<ReturnLine> lines;
    bool ok() const { return refusal.empty(); }
};

// A new note numbered from `series`, stamped with the workstation's date and time, with the
// price type and currency of `header` and the non-blank `lines`: all of it or nothing.
ReturnWrite create_return_note(data::Db& db, const std::string& business, const std::string& series,
                               const ReturnHeader& header, const std::vector<ReturnLine>& lines);
// Writes the note's price type and currency and its lines: a line read from DET_DEV rewrites its
// row (or removes it when emptied), a new one is appended. Refused when the note is applied or
// gone by the time its header is locked.
ReturnWrite save_return_note(data::Db& db, const std::string& business, const ReturnHeader& header,
                             const std::vector<ReturnLine>& lines);
// Removes the note's lines and header; "" when done, else the refusal.
std::string delete_return_note(data::Db& db, const std::string& business,
                               const std::string& number);

}  // namespace qz::domain::pos
