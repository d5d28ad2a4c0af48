#pragma once
// The customer log (BITACORA): dated notes users write about a customer and, optionally, one of
// its documents. Each note keeps its author (FECHA, HORA, USUARIO, INFO_USER) for good; a change
// only stamps the ULT_* fields. INVERSO orders a customer's notes newest first (BITACORA4).
#include <optional>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/user_port.h"
#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain::customers {

struct LogNote {
    std::string customer, document;  // CLIENTE, DOCUMENTO (may be blank)
    Date date;                       // FECHA, HORA: when the author wrote it
    std::string time;
    std::string text;        // DESCRIP, lines broken by CR LF
    std::string first_line;  // DESCRIP2
    std::string user, info;  // USUARIO, INFO_USER: the author
    Date last_date;          // ULT_*: the last change; empty when never changed
    std::string last_time, last_user, last_info;
    long recno = 0;
};

// Who writes a note or changes it, and when.
struct LogWriter {
    std::string user;  // XUSER_ABREVIA
    DateTime at;
};

// FIRST_LINE: the text up to its first line break, soft breaks (CR CR LF) counting as hard ones;
// the whole text when it has none.
std::string FIRST_LINE(const std::string& text);
// Line breaks as the suite stores them (CR LF), whatever the editor gave.
std::string stored_text(const std::string& text);

LogNote log_note_from_row(const data::WDBTable& t);

// Every note without INVERSO (found through BITA_INV) gets it from its FECHA and HORA: notes
// written before the key existed. Returns the notes filled.
long fill_log_keys(data::Db& db);

// The notes of a customer, newest first (BITACORA4).
std::vector<LogNote> customer_log(data::Db& db, const std::string& business,
                                  const std::string& customer);
std::optional<LogNote> read_log_note(data::Db& db, long recno);

// What the note editor saves: the customer, the optional document and the text.
struct NoteDraft {
    std::string customer, document, text;
};

// Mode 1: appends the note written now by `who`. Refuses a blank text. Returns its record number
// (0 when refused).
long add_log_note(data::Db& db, UserPort& port, const std::string& business, const NoteDraft& d,
                  const LogWriter& who);
// Mode 2: rewrites the note's business, customer, document and text and stamps the change;
// the author and the moment it was written stay. False when refused or the note is gone.
bool change_log_note(data::Db& db, UserPort& port, long recno, const std::string& business,
                     const NoteDraft& d, const LogWriter& who);
// Deletes the note (the caller asked "Desea borrar el registro?"). False when it was gone.
bool delete_log_note(data::Db& db, long recno);

// CPY_BITA: duplicates every note of the business's `source` customer, field by field, for
// `target`, in one transaction. The target must be a customer of the business ("Debe seleccionar
// un Cliente válido") other than the source. Returns the notes copied, -1 when refused.
long copy_customer_log(data::Db& db, UserPort& port, const std::string& business,
                       const std::string& source, const std::string& target);

inline constexpr const char* kNoTarget = "Debe seleccionar un Cliente válido";
inline constexpr const char* kCopyToItself =
    "El cliente destino es el mismo cliente de origen: seleccione otro cliente para copiar la "
    "Bitácora.";
inline constexpr const char* kBlankNote = "Debe digitar el texto de la Bitácora";
inline constexpr const char* kDeleteNoteAsk = "Desea borrar el registro?";

}  // namespace qz::domain::customers
